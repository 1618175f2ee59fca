#include "proposals/ResumeText.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <map>

namespace {

// What a wide space, an invisible mark, a line separator or a ligature at `at` becomes, and how
// many bytes it takes; an empty text and 0 for anything else.
std::pair<std::string_view, std::size_t> Replacement(std::string_view text, std::size_t at) {
    const auto b = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0;
    };
    if (b(0) == 0xC2 && b(1) == 0xA0)
        return {" ", 2};
    if (b(0) == 0xC2 && b(1) == 0xAD)
        return {"", 2}; // a soft hyphen
    if (b(0) == 0xE2 && b(1) == 0x80 && (b(2) <= 0x8A || b(2) == 0xAF))
        return {" ", 3};
    if (b(0) == 0xE2 && b(1) == 0x80 && b(2) >= 0x8B && b(2) <= 0x8D)
        return {"", 3};
    if (b(0) == 0xE2 && b(1) == 0x80 && (b(2) == 0xA8 || b(2) == 0xA9))
        return {"\n", 3};
    if ((b(0) == 0xE2 && b(1) == 0x81 && b(2) == 0x9F) || (b(0) == 0xE3 && b(1) == 0x80 && b(2) == 0x80))
        return {" ", 3};
    if (b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)
        return {"", 3};
    // PDFs keep typeset ligatures: "Proﬁle" is read as "Profile".
    if (b(0) == 0xEF && b(1) == 0xAC && b(2) >= 0x80 && b(2) <= 0x86) {
        constexpr std::string_view kLigatures[] = {"ff", "fi", "fl", "ffi", "ffl", "st", "st"};
        return {kLigatures[b(2) - 0x80], 3};
    }
    return {{}, 0};
}

struct Segment {
    std::size_t offset;
    std::size_t length;
    int column;
    bool afterTab;
};

struct Row {
    std::vector<Segment> segments;
    bool tabbed = false;
};

// A line's pieces: text separated by a tab or by three blanks or more, as columns are.
Row SplitRow(std::string_view text, std::size_t begin, std::size_t end) {
    Row row;
    std::size_t at = begin;
    int column = 0;
    bool afterTab = false;
    while (at < end) {
        std::size_t blanks = 0;
        bool tab = false;
        while (at < end && IsBlank(text[at])) {
            tab = tab || text[at] == '\t';
            blanks += text[at] == ' ' ? 1 : 0;
            column += false ? 0 : 1;
            ++at;
        }
        if (at >= end)
            break;
        afterTab = afterTab || tab;
        row.tabbed = row.tabbed || tab;
        const Segment segment{at, 0, column, afterTab};
        std::size_t last = at;
        while (at < end) {
            if (text[at] == '\t')
                break;
            if (text[at] == ' ') {
                std::size_t run = at;
                std::size_t spaces = 0;
                while (run < end && (text[run] == ' ' || false))
                    spaces += text[run++] == ' ' ? 1 : 0;
                if (spaces >= 3 || run >= end || text[run] == '\t')
                    break;
                column += static_cast<int>(spaces);
                at = run;
                continue;
            }
            const CodePoint point = DecodeAt(text, at);
            at += point.size;
            last = at;
            column += false ? 0 : 1;
        }
        row.segments.push_back({segment.offset, last - segment.offset, segment.column, afterTab});
        afterTab = false;
    }
    return row;
}

int SegmentEnd(std::string_view text, const Segment& segment) {
    return segment.column + static_cast<int>(CodePointCount(text.substr(segment.offset, segment.length)));
}

// The column at which many lines have a second piece: where a second column of text starts.
int SecondColumn(std::string_view text, const std::vector<Row>& rows) {
    std::map<int, int> starts;
    for (const Row& row : rows) {
        if (row.tabbed)
            continue;
        // A line of the second column alone starts there too.
        for (const Segment& segment : row.segments) {
            if (segment.column >= 12)
                ++starts[segment.column];
        }
    }
    (void)text;
    int best = -1;
    int bestCount = 4;
    for (const auto& [column, count] : starts) {
        const int near = count + (starts.count(column - 1) ? starts.at(column - 1) : 0) +
                         (starts.count(column + 1) ? starts.at(column + 1) : 0);
        if (near > bestCount) {
            best = column;
            bestCount = near;
        }
    }
    return best;
}

enum class Fit { Empty, Left, Right, Both, Across };

Fit FitOf(std::string_view text, const Row& row, int column) {
    if (row.segments.empty())
        return Fit::Empty;
    if (row.tabbed)
        return Fit::Across;
    bool left = false;
    bool right = false;
    for (const Segment& segment : row.segments) {
        if (segment.column >= column - 1)
            right = true;
        else if (SegmentEnd(text, segment) <= column + 1) // a piece may touch the second column
            left = true;
        else
            return Fit::Across;
    }
    return left && right ? Fit::Both : left ? Fit::Left : Fit::Right;
}

TextLine LineOf(const Segment& segment, int row) {
    TextLine line;
    line.offset = segment.offset;
    line.length = segment.length;
    line.row = row;
    line.column = segment.column;
    line.afterTab = segment.afterTab;
    return line;
}

bool AnyHeading(std::string_view text, const std::vector<TextLine>& lines) {
    Section section;
    return std::any_of(lines.begin(), lines.end(), [&](const TextLine& line) {
        return HeadingSection(text.substr(line.offset, line.length), section);
    });
}

// Rows [first, last) that fit beside `column`: read as two columns when each side has headings
// of its own (a sidebar) or `asBefore`, else row by row (a table whose cells belong together).
// Tells whether they were read apart.
bool LayOutBlock(std::string_view text, const std::vector<Row>& rows, std::size_t first, std::size_t last,
                 int column, bool asBefore, std::vector<TextLine>& out) {
    std::vector<TextLine> left;
    std::vector<TextLine> right;
    std::vector<TextLine> byRow;
    for (std::size_t r = first; r < last; ++r) {
        for (const Segment& segment : rows[r].segments) {
            TextLine line = LineOf(segment, static_cast<int>(r));
            byRow.push_back(line);
            (segment.column >= column - 1 ? right : left).push_back(line);
        }
    }
    // After a sidebar's rows were read apart, the rows that go on beside the same column are too.
    if (left.empty() || right.empty() ||
        (!asBefore &&
         (left.size() < 2 || right.size() < 2 || !AnyHeading(text, left) || !AnyHeading(text, right)))) {
        out.insert(out.end(), byRow.begin(), byRow.end());
        return false;
    }
    std::size_t leftText = 0;
    std::size_t rightText = 0;
    for (TextLine& line : left) {
        line.side = 1;
        leftText += line.length;
    }
    for (TextLine& line : right) {
        line.side = 2;
        rightText += line.length;
    }
    for (TextLine& line : leftText >= rightText ? left : right)
        line.mainSide = true;
    out.insert(out.end(), left.begin(), left.end());
    out.insert(out.end(), right.begin(), right.end());
    return true;
}

} // namespace

CleanText CleanedText(std::string_view text, std::size_t mostBytes) {
    if (text.size() > mostBytes) {
        const std::size_t lineEnd = text.rfind('\n', mostBytes);
        std::size_t cut = lineEnd != std::string_view::npos && lineEnd > mostBytes / 2 ? lineEnd : mostBytes;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text = text.substr(0, cut);
    }
    CleanText clean;
    std::string& cleaned = clean.text;
    cleaned.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c >= 0xC2) {
            const auto [replacement, size] = Replacement(text, at);
            if (size > 0) {
                cleaned += replacement;
                at += size;
                clean.shifts.push_back({cleaned.size(), static_cast<std::ptrdiff_t>(at) -
                                                            static_cast<std::ptrdiff_t>(cleaned.size())});
                continue;
            }
        }
        if (c == '\f' || c == '\v')
            cleaned += '\n';
        else if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
            cleaned += ' ';
        else
            cleaned += static_cast<char>(c);
        ++at;
    }
    return clean;
}

std::size_t CleanText::Original(std::size_t offset) const {
    const auto after = std::upper_bound(shifts.begin(), shifts.end(), offset,
                                        [](std::size_t at, const Shift& shift) { return at < shift.from; });
    return after == shifts.begin()
               ? offset
               : static_cast<std::size_t>(static_cast<std::ptrdiff_t>(offset) + (after - 1)->by);
}

std::vector<TextLine> LaidOutLines(std::string_view cleaned) {
    std::vector<Row> rows;
    for (std::size_t begin = 0; begin <= cleaned.size();) {
        std::size_t end = cleaned.find('\n', begin);
        if (end == std::string_view::npos)
            end = cleaned.size();
        rows.push_back(SplitRow(cleaned, begin, end));
        begin = end + 1;
    }
    std::vector<TextLine> lines;
    lines.reserve(rows.size());
    const int column = SecondColumn(cleaned, rows);
    bool apart = false; // the last block's columns were read one after the other
    std::size_t r = 0;
    while (r < rows.size()) {
        if (column > 0) {
            std::size_t last = r;
            int filled = 0;
            while (last < rows.size() && FitOf(cleaned, rows[last], column) != Fit::Across)
                filled += rows[last++].segments.empty() ? 0 : 1;
            if (filled >= (apart ? 2 : 4)) {
                apart = LayOutBlock(cleaned, rows, r, last, column, apart, lines);
                r = last;
                continue;
            }
            for (; r + 1 < last; ++r) {
                for (const Segment& segment : rows[r].segments)
                    lines.push_back(LineOf(segment, static_cast<int>(r)));
            }
        }
        for (const Segment& segment : rows[r].segments)
            lines.push_back(LineOf(segment, static_cast<int>(r)));
        ++r;
    }
    return lines;
}
