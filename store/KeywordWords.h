#pragma once

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// What a word is to keyword search. Letters and digits make words, compared without case or
// accents. Skill names that punctuation makes are words of their own: "+" and "#" ending a word
// (C++, C#, VC++), with a version glued on (C++17, C#10, also indexed as the name alone), a "."
// starting one (.NET), and "." or "/" joining two (Node.js, AS/400, PL/SQL, ASP.NET). A joined word is also
// indexed by its parts at the same place, so "Java/J2EE" is found by "java" and "ASP.NET" by ".NET"; a part
// after a "." keeps its dot, so ".NET" and "NET" stay apart. The README lists the rules with examples.
enum class WordUse {
    Index, // a resume's text: joined words with their parts
    Query  // a searched term: each word as typed, no parts
};

struct KeywordWord {
    std::string text; // folded: lower case, no accents
    int start = 0;    // byte range in the text it came from
    int end = 0;
    bool samePlace = false; // a part of the word before it, at the same position
};

// The name under which the rules are registered with the full-text engine.
inline constexpr const char* kKeywordTokenizerName = "talvanor";

// Makes the rules available to the full-text engine on this connection. Throws EngineError.
void RegisterKeywordTokenizer(sqlite3* db);

// The words of `text` under the same rules the engine applies. Throws EngineError.
std::vector<KeywordWord> SplitKeywordWords(std::string_view text, WordUse use);
