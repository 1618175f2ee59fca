#include "search/GridSort.h"

#include "platform/Text.h"
#include "search/FlexGridModel.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>

namespace {

QCollator DictionaryOrder() {
    // The C locale names no language, and Qt then compares code points, which puts every accented
    // letter after Z: take the Unicode collation's common order, as English has it, instead.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseSensitive); // case breaks a tie of the letters
    return collator;
}

QString Decoded(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The number a row's first column holds, rows without one after all that have one.
long long TieNumber(std::string_view row) {
    const std::string_view cell = CellOf(row, 0);
    long long number = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), number);
    if (error != std::errc() || end != cell.data() + cell.size() || cell.empty())
        return std::numeric_limits<long long>::max();
    return number;
}

} // namespace

int CompareCellTexts(std::string_view left, std::string_view right) {
    return DictionaryOrder().compare(Decoded(left), Decoded(right));
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& rows, int column, Qt::SortOrder order) {
    // A key per row once, so the sort compares bytes rather than running the collation each time.
    const QCollator collator = DictionaryOrder();
    std::vector<QCollatorSortKey> keys;
    std::vector<long long> ties;
    keys.reserve(rows.size());
    ties.reserve(rows.size());
    for (const std::string& row : rows) {
        keys.push_back(collator.sortKey(Decoded(CellOf(row, column))));
        ties.push_back(TieNumber(row));
    }
    std::vector<int> shown(rows.size());
    std::iota(shown.begin(), shown.end(), 0);
    const bool descending = order == Qt::DescendingOrder;
    std::sort(shown.begin(), shown.end(), [&](int left, int right) {
        const auto l = static_cast<std::size_t>(left), r = static_cast<std::size_t>(right);
        if (const int byText = keys[l].compare(keys[r]); byText != 0)
            return descending ? byText > 0 : byText < 0;
        if (ties[l] != ties[r])
            return ties[l] < ties[r];
        return left < right;
    });
    return shown;
}
