#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Lays out the text of marked-up documents as plain UTF-8 text: line breaks are held back until
// more text follows, so no reader leaves blank lines at either end or between a table's cells,
// and runs of white space collapse where the markup says they do.
class PlainTextBuilder {
public:
    // Text as written (preformatted text, a Word run).
    void Literal(std::string_view text);
    // Text whose runs of white space show as one space, and none at a line's start.
    void Flowing(std::string_view text);
    // One more line end before the next text (a paragraph's end: an empty paragraph is a blank line).
    void AddBreak();
    // At least `count` line ends before the next text (a web page's blocks); none at the start of
    // a table cell, which stays on its row's line.
    void RequireBreaks(int count);
    // A line end now (a forced line break).
    void LineBreak();
    void Tab();
    void Spaces(std::size_t count);

    // A table row's cells are joined by tabs, and the row ends its line.
    void StartRow();
    void StartCell();
    void EndRow();

    const std::string& Text() const { return m_text; }
    std::size_t Size() const { return m_text.size(); }

private:
    void Flush();

    struct Row {
        int cells = 0;
        int breaksBefore = 0;
        std::size_t sizeAtStart = 0;
        std::size_t cellStart = 0;
    };

    std::string m_text;
    int m_pendingBreaks = 0;
    bool m_pendingSpace = false;
    std::vector<Row> m_rows;
};
