#pragma once

#include "store/KeywordWords.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A resume's text as the proposals read it: cleaned, cut into lines in reading order (two
// columns laid out side by side, as a PDF's sidebar, are read one after the other), each line
// knowing the section it stands in, and the words of the whole text under the keyword rules.

enum class Section { Header, Contact, Summary, Experience, Education, Skills, Languages, References, Other };

struct TextLine {
    std::size_t offset = 0; // byte range in the text
    std::size_t length = 0;
    int row = 0;    // the line of the text it stands on: lines side by side share it
    int column = 0; // where on that line it starts, in characters
    bool afterTab = false;
    // Of two columns read one after the other (a sidebar): 1 the left, 2 the right; 0 otherwise.
    int side = 0;
    bool mainSide = false; // of the two, the column with more text
    Section section = Section::Header;
    bool heading = false;
};

// A text cleaned and bounded (see ResumeText::Text), and where its bytes stood in the input.
struct CleanText {
    struct Shift {
        std::size_t from;  // from this byte of the cleaned text on
        std::ptrdiff_t by; // the input's offset is this much further
    };
    std::string text;
    std::vector<Shift> shifts;

    std::size_t Original(std::size_t offset) const;
};
class ResumeText final {
public:
    // Only the text's first part is read: far more than any resume, little enough to stay fast.
    static constexpr std::size_t kMostBytes = 256 * 1024;

    explicit ResumeText(std::string_view text);

    // The cleaned text: control characters and wide spaces made blanks, invisible marks dropped,
    // ligatures spelled out. Offsets here are into it; Original() maps one back to the input.
    std::string_view Text() const { return m_clean.text; }
    std::size_t Original(std::size_t offset) const { return m_clean.Original(offset); }
    std::string_view LineText(const TextLine& line) const { return Text().substr(line.offset, line.length); }
    const std::vector<TextLine>& Lines() const { return m_lines; }
    // The words of the text in text order, with the parts of joined words.
    const std::vector<KeywordWord>& Words() const { return m_words; }
    // The range [first, last) of Words() within a line.
    std::pair<std::size_t, std::size_t> WordsOf(const TextLine& line) const;
    // The index of the line holding the byte at `offset`, or Lines().size().
    std::size_t LineAt(std::size_t offset) const;

private:
    CleanText m_clean;
    std::vector<TextLine> m_lines;
    std::vector<std::size_t> m_byOffset; // line indices sorted by offset
    std::vector<KeywordWord> m_words;
};

CleanText CleanedText(std::string_view text, std::size_t mostBytes);
// Cuts a cleaned text into lines in reading order.
std::vector<TextLine> LaidOutLines(std::string_view cleaned);
// Marks the headings among the lines and the section each line stands in.
void MarkSections(std::string_view cleaned, std::vector<TextLine>& lines);
// The section a line names when it is a heading ("Work Experience", "AUSBILDUNG:").
bool HeadingSection(std::string_view line, Section& section);
