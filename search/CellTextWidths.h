#pragma once

#include <QFontMetricsF>
#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Measures cell texts fast enough for a million rows (a text laid out whole costs microseconds):
// a text's width is the sum of its characters' advances, each character measured once. Kerning
// narrows a line of text rather than widening it, so the sum is what painting the text needs, or
// a little more.
class CellTextWidths {
public:
    explicit CellTextWidths(const QFontMetricsF& metrics);

    double Width(std::string_view text); // 8-bit text in the locale's encoding

    // Takes in the tab-joined `rows` it has not seen yet (those after the ones seen before), so a
    // long fill is measured as it goes; gives the widest text of each of the first `columns` cells.
    const std::vector<double>& Widest(const std::vector<std::string>& rows, int columns);

private:
    double NonAsciiWidth(std::string_view text);

    QFontMetricsF m_metrics;
    std::array<double, 128> m_ascii{};
    std::unordered_map<char32_t, double> m_others;
    std::vector<double> m_widest;
    std::size_t m_seen = 0;
};
