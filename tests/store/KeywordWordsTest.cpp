#include "store/KeywordWords.h"
#include "store/KeywordMatches.h"
#include "store/KeywordQuery.h"
#include "store/Sqlite.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// The words of a text as "word start-end", a part at the same place marked with "+".
Texts Words(const std::string& text, WordUse use) {
    Texts shown;
    for (const KeywordWord& word : SplitKeywordWords(text, use))
        shown.push_back((word.samePlace ? "+" : "") + word.text + " " + std::to_string(word.start) + "-" +
                        std::to_string(word.end));
    return shown;
}

// The pieces of `text` that the typed keywords mark.
Texts Marked(const std::string& text, const std::string& typed) {
    Texts shown;
    for (const TextSpan& span : FindKeywordMatches(text, TranslateKeywords(typed).search->shown))
        shown.push_back(text.substr(span.start, span.end - span.start));
    return shown;
}

TEST(KeywordWords, SkillNamesAreWordsOfTheirOwnWithTheirPartsAtTheSamePlace) {
    const struct {
        const char* text;
        Texts index;
    } cases[] = {
        {"C++ and C#", {"c++ 0-3", "and 4-7", "c# 8-10"}},
        {"VC++, F#.", {"vc++ 0-4", "f# 6-8"}},
        {"(.NET)", {".net 1-5"}},
        {"ASP.NET", {"asp.net 0-7", "+asp 0-3", "+.net 3-7"}},
        {"C/C++", {"c/c++ 0-5", "+c 0-1", "+c++ 2-5"}},
        {"AS/400 PL/SQL", {"as/400 0-6", "+as 0-2", "+400 3-6", "pl/sql 7-13", "+pl 7-9", "+sql 10-13"}},
        {"Node.js", {"node.js 0-7", "+node 0-4", "+.js 4-7"}},
        {"ASP.NET/C#", {"asp.net/c# 0-10", "+asp.net 0-7", "+asp 0-3", "+.net 3-7", "+c# 8-10"}},
        // Sentence punctuation is no part of a word.
        {"Java. Spring/ end.", {"java 0-4", "spring 6-12", "end 14-17"}},
        {"a+b c#d", {"a 0-1", "b 2-3", "c 4-5", "d 6-7"}},
        // A version glued to the name is a word of its own, the name alone at its place.
        {"C++17, C#10.", {"c++17 0-5", "+c++ 0-3", "c#10 7-11", "+c# 7-9"}},
        {"C++17/C++20", {"c++17/c++20 0-11", "+c++17 0-5", "+c++20 6-11", "+c++ 0-3"}},
        {"C#7/.NET", {"c#7 0-3", "+c# 0-2", ".net 4-8"}},
        // Only digits are a version, and only after a name of letters.
        {"C++0x 1+1 C#3D", {"c 0-1", "0x 3-5", "1 6-7", "1 8-9", "c 10-11", "3d 12-14"}},
        {"a..b ++ ./", {"a 0-1", ".b 2-4"}},
        // Case and accents fold; the offsets stay those of the text as written.
        {"JOSÉ Résumé", {"jose 0-5", "resume 6-14"}},
        {"Ünïcode.NET", {"unicode.net 0-13", "+unicode 0-9", "+.net 9-13"}},
        // A repeated part is indexed once at its place.
        {"c/c", {"c/c 0-3", "+c 0-1"}},
        // Long joined runs are addresses or glued text, not skill names: word after word.
        {"a/b/c/d/e/f/g/h/i",
         {"a 0-1", "b 2-3", "c 4-5", "d 6-7", "e 8-9", "f 10-11", "g 12-13", "h 14-15", "i 16-17"}},
        {"", {}},
    };
    for (const auto& item : cases)
        EXPECT_EQ(Words(item.text, WordUse::Index), item.index) << item.text;
    // A searched term is the word as typed, without parts.
    EXPECT_EQ(Words("Java/J2EE asp.net C++17", WordUse::Query),
              (Texts{"java/j2ee 0-9", "asp.net 10-17", "c++17 18-23"}));
    EXPECT_EQ(Words("++ -- ..", WordUse::Query), Texts{});
}

// A small bank of texts, each searched by the engine through the index.
class KeywordRules : public testing::Test {
protected:
    void SetUp() override {
        m_bank.Open(":memory:");
        m_bank.Execute(
            "CREATE VIRTUAL TABLE ResumeKeywords USING fts5(Details, content='', tokenize='talvanor')");
        for (std::size_t index = 0; index < std::size(kTexts); ++index) {
            SqliteStatement insert(m_bank, "INSERT INTO ResumeKeywords (rowid, Details) VALUES (?, ?)");
            insert.Bind(1, static_cast<std::int64_t>(index + 1)).Bind(2, kTexts[index]).Step();
        }
    }

    // The numbers of the texts that the typed keywords find.
    std::vector<int> Found(const std::string& typed) {
        const KeywordTranslation translation = TranslateKeywords(typed);
        EXPECT_TRUE(translation.search) << typed << ": " << translation.problem;
        if (!translation.search)
            return {};
        SqliteStatement query(m_bank,
                              "SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH ? ORDER BY rowid");
        query.Bind(1, translation.search->match);
        std::vector<int> found;
        while (query.Step())
            found.push_back(static_cast<int>(query.ColumnInt(0)));
        return found;
    }

    static constexpr const char* kTexts[] = {
        "Skills: C, Java and SQL.",                                  // 1
        "Ten years of C++ and VC++ on Windows.",                     // 2
        "C# developer; .NET 4.8, ASP.NET MVC.",                      // 3
        "Mainframes: AS/400, RPG. PL/SQL on Oracle.",                // 4
        "Node.js, Vue.js and TypeScript. Net salary expected.",      // 5
        "Java/J2EE team lead at José's company. Résumé attached.",   // 6
        "Tested C/C++ code; led as 400 interns. Spring, Hibernate.", // 7
        "Java and Spring; lead of interns.",                         // 8
        "Modern C++17 / C++20 and C#10.",                            // 9
        "Web: C#/ASP.NET/SQL/XML/HTML/CSS/JS.",                      // 10: 8 words, still joined
    };
    SqliteConnection m_bank;
};

TEST_F(KeywordRules, SkillNamesFindTheirResumesAndNotThePlainLetters) {
    const struct {
        const char* typed;
        std::vector<int> found;
    } cases[] = {
        {"C", {1, 7}},
        {"C++", {2, 7, 9}},
        {"c++", {2, 7, 9}},
        {"C++17", {9}},
        {"C++2*", {9}},
        {"C#", {3, 9, 10}},
        {"C#10", {9}},
        {"17", {}},
        {"VC++", {2}},
        {".NET", {3, 10}},
        {"NET", {5}},
        {"ASP.NET", {3, 10}},
        {"C#/ASP.NET/SQL/XML/HTML/CSS/JS", {10}},
        {"AS/400", {4}},
        {"400", {4, 7}},
        {"PL/SQL", {4}},
        {"SQL", {1, 4, 10}},
        {"Node.js", {5}},
        {"node", {5}},
        {"Java", {1, 6, 8}},
        {"J2EE", {6}},
        {"Java/J2EE", {6}},
        {"Java.", {1, 6, 8}},
        {"jose", {6}},
        {"JOSÉ", {6}},
        {"resume", {6}},
        {"typescr*", {5}},
        {"C/C*", {7}},
        {"\"team lead\"", {6}},
        {"\"lead team\"", {}},
        {"\"led as 400\"", {7}},
        {"java spring", {8}},
        {"java AND spring", {8}},
        {"java OR hibernate", {1, 6, 7, 8}},
        {"spring NOT hibernate", {8}},
        {"spring -hibernate", {8}},
        {"(c OR c++) -spring", {1, 2, 9}},
        {"java spring NOT intern*", {}},
        {"lead*", {6, 8}},
        {"\"team le\"*", {6}},
    };
    for (const auto& item : cases)
        EXPECT_EQ(Found(item.typed), item.found) << item.typed;
}

TEST(KeywordTranslation, TurnsTypedTextIntoQuotedTermsOnly) {
    const struct {
        const char* typed;
        const char* match;
    } cases[] = {
        {"java", "\"java\""},
        {"  java   spring ", "\"java\" AND \"spring\""},
        {"java AND spring NOT intern", "(\"java\" AND \"spring\") NOT \"intern\""},
        {"java OR kotlin", "\"java\" OR \"kotlin\""},
        {"(java OR kotlin) spring -intern -trainee",
         "((\"java\" OR \"kotlin\") AND \"spring\") NOT (\"intern\" OR \"trainee\")"},
        {"\"team lead\" jav*", "\"team lead\" AND \"jav\" *"},
        {"\"team le\"*", "\"team le\" *"},
        {"“team lead”", "\"team lead\""},
        {"or and not", "\"or\" AND \"and\" AND \"not\""},
        {"--java", "\"java\""},
        // What the engine would read as its own syntax stays text in quotes.
        {"Details:x", "\"Details:x\""},
        {"NEAR(java spring)", "\"NEAR\" AND (\"java\" AND \"spring\")"},
        {"^java", "\"^java\""},
        {"O'Brien", "\"O'Brien\""},
        {"'; DROP TABLE Resume; SELECT", "\"DROP\" AND \"TABLE\" AND \"Resume;\" AND \"SELECT\""},
        // Punctuation alone finds nothing and is left out.
        {"C++ & Java", "\"C++\" AND \"Java\""},
    };
    for (const auto& item : cases) {
        const KeywordTranslation translation = TranslateKeywords(item.typed);
        ASSERT_TRUE(translation.search) << item.typed << ": " << translation.problem;
        EXPECT_EQ(translation.search->match, item.match) << item.typed;
    }
    EXPECT_EQ(KeywordCondition("\"O'Brien\""),
              "[Abstract Information].ID IN (SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH "
              "'\"O''Brien\"')");
}

TEST(KeywordTranslation, NamesWhatItCannotRead) {
    const struct {
        const char* typed;
        const char* problem;
    } cases[] = {
        {"\"team lead", "Keywords: a quotation mark (\") has no closing one."},
        {"java \"", "Keywords: a quotation mark (\") has no closing one."},
        {"java)", "Keywords: a closing parenthesis \")\" has no opening one."},
        {"(java", "Keywords: an opening parenthesis \"(\" has no closing one."},
        {"java ()", "Keywords: the parentheses \"()\" hold no word."},
        {"java OR", "Keywords: \"OR\" needs a word on each side."},
        {"OR java", "Keywords: \"OR\" needs a word on each side."},
        {"java OR OR c", "Keywords: \"OR\" needs a word on each side."},
        {"(java OR) c", "Keywords: \"OR\" needs a word on each side."},
        {"java AND", "Keywords: \"AND\" needs a word on each side."},
        {"AND java", "Keywords: \"AND\" needs a word on each side."},
        {"java NOT", "Keywords: \"NOT\" needs a word after it."},
        {"java NOT OR c", "Keywords: \"NOT\" needs a word after it."},
        {"java -", "Keywords: \"-\" needs a word right after it, as in -intern."},
        {"java - intern", "Keywords: \"-\" needs a word right after it, as in -intern."},
        {"*", "Keywords: a \"*\" alone finds nothing; put it at the end of a word, as in jav*."},
        {"java **", "Keywords: a \"*\" alone finds nothing; put it at the end of a word, as in jav*."},
        {"ja*va", "Keywords: \"*\" can only end a word, as in jav*."},
        {"java**", "Keywords: \"*\" can only end a word, as in jav*."},
        {"++ ,; .", "Keywords: there is no word to search for, only punctuation."},
        {"\"++\"", "Keywords: there is no word to search for, only punctuation."},
        {"-intern", "Keywords: every word is excluded by NOT or \"-\"; give a word to find as well."},
        {"NOT intern -trainee",
         "Keywords: every word is excluded by NOT or \"-\"; give a word to find as well."},
        {"java OR -intern",
         "Keywords: OR cannot offer an excluded word; exclude after the alternatives, as in "
         "(java OR kotlin) -intern."},
        {"java OR (-intern)",
         "Keywords: OR cannot offer an excluded word; exclude after the alternatives, as in "
         "(java OR kotlin) -intern."},
        {"(((((((((((((((((java)))))))))))))))))", "Keywords: parentheses are nested more than 16 deep."},
    };
    for (const auto& item : cases) {
        const KeywordTranslation translation = TranslateKeywords(item.typed);
        EXPECT_FALSE(translation.search) << item.typed;
        EXPECT_EQ(translation.problem, item.problem) << item.typed;
    }
}

TEST(KeywordTranslation, ShowsTheTermsThatFindAndNotTheExcludedOnes) {
    const KeywordTranslation translation =
        TranslateKeywords("Java \"Team  Lead\" jav* (x OR C++) -intern NOT \"y z\"");
    ASSERT_TRUE(translation.search);
    EXPECT_EQ(translation.search->shown, (std::vector<KeywordTerm>{{{"java"}, false},
                                                                   {{"team", "lead"}, false},
                                                                   {{"jav"}, true},
                                                                   {{"x"}, false},
                                                                   {{"c++"}, false}}));
}

TEST(KeywordMatches, MarksEveryOccurrenceOfWordsPhrasesAndBeginnings) {
    const auto spans = [](const std::string& typed) {
        return Marked("Java/J2EE team lead. Led the Team\r\nLead role; JavaScript, java.", typed);
    };
    EXPECT_EQ(spans("java"), (Texts{"Java", "java"}));
    EXPECT_EQ(spans("java/j2ee"), (Texts{"Java/J2EE"}));
    EXPECT_EQ(spans("\"team lead\""), (Texts{"team lead", "Team\r\nLead"}));
    EXPECT_EQ(spans("jav*"), (Texts{"Java", "JavaScript", "java"}));
    EXPECT_EQ(spans("\"lead ro\"*"), (Texts{"Lead role"}));
    // Overlapping matches show as one; excluded words are not shown.
    EXPECT_EQ(spans("\"team lead\" lead -java"), (Texts{"team lead", "Team\r\nLead"}));
    EXPECT_EQ(spans("nothing"), Texts{});
    EXPECT_EQ(Marked("C++17 / C++20, C#10", "C++"), (Texts{"C++", "C++"}));
    EXPECT_EQ(Marked("C++17 / C++20, C#10", "c++20 c#10"), (Texts{"C++20", "C#10"}));
    EXPECT_EQ(Marked("C++17 / C++20, C#10", "c"), Texts{});
    // Only the last word of a phrase is a beginning.
    EXPECT_EQ(Marked("team leader developer", "\"team lead dev\"*"), Texts{});
    EXPECT_EQ(Marked("team lead developer", "\"team lead dev\"*"), Texts{"team lead developer"});
}

} // namespace
