#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the user types into Keywords: words (all must occur), "an exact phrase", OR between
// alternatives, NOT or a leading "-" before what must not occur, parentheses, and a "*" ending a
// word or phrase for the words that begin so. AND may be written but is what a blank means.
// OR, AND and NOT are operators only in capitals.

// One word or phrase that finds resumes, as the index's words (folded).
struct KeywordTerm {
    std::vector<std::string> words;
    bool prefix = false; // the last word is a beginning

    bool operator==(const KeywordTerm&) const = default;
};

struct KeywordSearch {
    // The full-text expression. The user's text reaches the engine only inside quoted strings.
    std::string match;
    // The terms that find, in the order typed, to show in the found texts (excluded ones are not).
    std::vector<KeywordTerm> shown;
};

// A search, or what makes the text unreadable, as a message for the user.
struct KeywordTranslation {
    std::optional<KeywordSearch> search;
    std::string problem;
};

KeywordTranslation TranslateKeywords(std::string_view typed);

// The condition on the resume's ID that a keyword search adds to the search query.
std::string KeywordCondition(std::string_view match);

// The messages, exactly.
inline constexpr const char* kKeywordsUnclosedQuote = "Keywords: a quotation mark (\") has no closing one.";
inline constexpr const char* kKeywordsUnopenedParenthesis =
    "Keywords: a closing parenthesis \")\" has no opening one.";
inline constexpr const char* kKeywordsUnclosedParenthesis =
    "Keywords: an opening parenthesis \"(\" has no closing one.";
inline constexpr const char* kKeywordsEmptyParentheses = "Keywords: the parentheses \"()\" hold no word.";
inline constexpr const char* kKeywordsTooDeep = "Keywords: parentheses are nested more than 16 deep.";
inline constexpr const char* kKeywordsOrAlone = "Keywords: \"OR\" needs a word on each side.";
inline constexpr const char* kKeywordsAndAlone = "Keywords: \"AND\" needs a word on each side.";
inline constexpr const char* kKeywordsNotAlone = "Keywords: \"NOT\" needs a word after it.";
inline constexpr const char* kKeywordsMinusAlone =
    "Keywords: \"-\" needs a word right after it, as in -intern.";
inline constexpr const char* kKeywordsLoneStar =
    "Keywords: a \"*\" alone finds nothing; put it at the end of a word, as in jav*.";
inline constexpr const char* kKeywordsInnerStar = "Keywords: \"*\" can only end a word, as in jav*.";
inline constexpr const char* kKeywordsOnlyPunctuation =
    "Keywords: there is no word to search for, only punctuation.";
inline constexpr const char* kKeywordsOnlyExcluded =
    "Keywords: every word is excluded by NOT or \"-\"; give a word to find as well.";
inline constexpr const char* kKeywordsExcludedAlternative =
    "Keywords: OR cannot offer an excluded word; exclude after the alternatives, as in "
    "(java OR kotlin) -intern.";
