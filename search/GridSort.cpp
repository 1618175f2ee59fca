#include "search/GridSort.h"

#include "platform/Text.h"
#include "search/FlexGridModel.h"

#include <QString>
#include <algorithm>
#include <numeric>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Takes the run of digits at the start of `text`, without its leading zeros.
std::string_view TakeNumber(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    std::string_view number = text.substr(0, end);
    text.remove_prefix(end);
    while (number.size() > 1 && number.front() == '0')
        number.remove_prefix(1);
    return number;
}

} // namespace

std::string SortKey(std::string_view cellText) {
    if (IsAscii(cellText)) {
        std::string key(cellText);
        std::transform(key.begin(), key.end(), key.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return key;
    }
    const QByteArray folded = ToQt(std::string(cellText)).toCaseFolded().toUtf8();
    return std::string(folded.constData(), static_cast<std::size_t>(folded.size()));
}

int CompareSortKeys(std::string_view left, std::string_view right) {
    while (!left.empty() && !right.empty()) {
        if (IsDigit(left.front()) && IsDigit(right.front())) {
            const std::string_view leftNumber = TakeNumber(left);
            const std::string_view rightNumber = TakeNumber(right);
            if (leftNumber.size() != rightNumber.size())
                return leftNumber.size() < rightNumber.size() ? -1 : 1;
            if (const int byDigits = leftNumber.compare(rightNumber); byDigits != 0)
                return byDigits;
            continue;
        }
        // UTF-8 bytes compare in the order of the characters they encode.
        const auto leftByte = static_cast<unsigned char>(left.front());
        const auto rightByte = static_cast<unsigned char>(right.front());
        if (leftByte != rightByte)
            return leftByte < rightByte ? -1 : 1;
        left.remove_prefix(1);
        right.remove_prefix(1);
    }
    return left.empty() ? (right.empty() ? 0 : -1) : 1;
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& rows, int column, Qt::SortOrder order) {
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    for (const std::string& row : rows)
        keys.push_back(SortKey(CellOf(row, column)));
    std::vector<int> shown(rows.size());
    std::iota(shown.begin(), shown.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    std::sort(shown.begin(), shown.end(), [&](int left, int right) {
        const int byText =
            CompareSortKeys(keys[static_cast<std::size_t>(left)], keys[static_cast<std::size_t>(right)]);
        if (byText != 0)
            return descending ? byText > 0 : byText < 0;
        return left < right;
    });
    return shown;
}
