#include "documents/PdfPageLayout.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

// A gutter is a column of blanks this wide at the least, with text on both sides.
constexpr int kGutterWidth = 3;
// Side-by-side text in fewer lines than this is a line with a date set to the right, not columns.
constexpr int kLeastColumnLines = 3;

bool Occupied(const QString& line, int column) {
    return column < line.size() && !line.at(column).isSpace();
}

// For each line, how many letters stand before each column: a side of a gutter holds words, not
// a list's bullet or number, when it has two letters at the least.
std::vector<std::vector<int>> LettersBefore(const QStringList& lines) {
    std::vector<std::vector<int>> counts;
    counts.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines) {
        std::vector<int> count(static_cast<std::size_t>(line.size()) + 1, 0);
        for (qsizetype at = 0; at < line.size(); ++at)
            count[static_cast<std::size_t>(at) + 1] =
                count[static_cast<std::size_t>(at)] + (line.at(at).isLetter() ? 1 : 0);
        counts.push_back(std::move(count));
    }
    return counts;
}

int LettersIn(const std::vector<int>& count, int from, int to) {
    const int last = static_cast<int>(count.size()) - 1;
    return count[static_cast<std::size_t>(std::clamp(to, 0, last))] -
           count[static_cast<std::size_t>(std::clamp(from, 0, last))];
}

// A part of a column's line that wraps on into the next: it ends inside a sentence, and the next
// goes on with a small letter.
bool RunsOn(const QString& part, const QString& next) {
    if (part.isEmpty() || next.isEmpty())
        return false;
    const QChar last = part.back();
    return (last.isLetter() || last == u',' || last == u'-') && next.front().isLower();
}

bool ColumnFlows(const QStringList& parts) {
    for (qsizetype at = 0; at + 1 < parts.size(); ++at) {
        if (RunsOn(parts[at], parts[at + 1]))
            return true;
    }
    return false;
}

// The lines from `first` to `last` on one side of the gutter at `column` run on.
bool SidesFlow(const QStringList& lines, int first, int last, int column) {
    QStringList left, right;
    for (int at = first; at <= last; ++at) {
        left << lines[at].left(column).trimmed();
        right << lines[at].mid(column).trimmed();
    }
    return ColumnFlows(left) || ColumnFlows(right);
}

} // namespace

bool HasFlowingColumns(std::string_view physicalText) {
    const QStringList lines =
        QString::fromUtf8(physicalText.data(), static_cast<qsizetype>(physicalText.size())).split(u'\n');
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, static_cast<int>(line.size()));
    const int count = static_cast<int>(lines.size());
    const std::vector<std::vector<int>> letters = LettersBefore(lines);
    for (int column = 1; column + kGutterWidth < width; ++column) {
        // Runs of lines that leave the gutter (this column and the ones after it) blank.
        int first = 0;
        int sideBySide = 0;
        for (int at = 0; at <= count; ++at) {
            bool blank = at < count;
            for (int offset = 0; blank && offset < kGutterWidth; ++offset)
                blank = !Occupied(lines[at], column + offset);
            if (blank) {
                const std::vector<int>& line = letters[static_cast<std::size_t>(at)];
                if (LettersIn(line, 0, column) >= 2 && LettersIn(line, column + kGutterWidth, width) >= 2)
                    ++sideBySide;
                continue;
            }
            if (sideBySide >= kLeastColumnLines && SidesFlow(lines, first, at - 1, column + kGutterWidth / 2))
                return true;
            first = at + 1;
            sideBySide = 0;
        }
    }
    return false;
}

std::string WithoutPageNumber(std::string text, int pageNumber, int pageCount) {
    static const QRegularExpression kPageNumber(
        QStringLiteral(R"(^[\s\-–—]*(?:page\s*)?(\d{1,5})(?:\s*(?:/|of)\s*(\d{1,5}))?[\s\-–—]*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto isPageNumber = [&](std::string_view line) {
        const QRegularExpressionMatch match =
            kPageNumber.match(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        if (!match.hasMatch() || match.captured(1).toInt() != pageNumber)
            return false;
        return match.captured(2).isEmpty() || match.captured(2).toInt() == pageCount;
    };
    const auto blank = [](std::string_view line) {
        return line.find_first_not_of(" \t\r\f") == std::string_view::npos;
    };
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.emplace_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    const auto firstLine = std::find_if_not(lines.begin(), lines.end(), blank);
    const auto lastLine = std::find_if_not(lines.rbegin(), lines.rend(), blank);
    if (firstLine == lines.end())
        return text;
    std::vector<bool> dropped(lines.size(), false);
    dropped[static_cast<std::size_t>(firstLine - lines.begin())] = isPageNumber(*firstLine);
    const auto last = static_cast<std::size_t>(lines.rend() - lastLine - 1);
    dropped[last] = dropped[last] || isPageNumber(*lastLine);
    if (std::find(dropped.begin(), dropped.end(), true) == dropped.end())
        return text;
    std::string kept;
    for (std::size_t at = 0; at < lines.size(); ++at) {
        if (dropped[at])
            continue;
        kept.append(lines[at]);
        if (at + 1 < lines.size())
            kept += '\n';
    }
    return kept;
}
