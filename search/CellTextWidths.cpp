#include "search/CellTextWidths.h"

#include "platform/Text.h"

#include <QString>
#include <algorithm>

CellTextWidths::CellTextWidths(const QFontMetricsF& metrics) : m_metrics(metrics) {
    for (std::size_t code = 0; code < m_ascii.size(); ++code)
        m_ascii[code] = m_metrics.horizontalAdvance(QChar(static_cast<char16_t>(code)));
}

double CellTextWidths::Width(std::string_view text) {
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80)
            return NonAsciiWidth(text);
        width += m_ascii[byte];
    }
    return width;
}

double CellTextWidths::NonAsciiWidth(std::string_view text) {
    const QString decoded = ToQt(std::string(text));
    double width = 0;
    for (qsizetype index = 0; index < decoded.size(); ++index) {
        const QChar unit = decoded[index];
        const bool pair =
            unit.isHighSurrogate() && index + 1 < decoded.size() && decoded[index + 1].isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(unit, decoded[index + 1]) : unit.unicode();
        auto known = m_others.find(code);
        if (known == m_others.end()) {
            const double advance =
                code < 0x80 ? m_ascii[code] : m_metrics.horizontalAdvance(decoded.mid(index, pair ? 2 : 1));
            known = m_others.emplace(code, advance).first;
        }
        width += known->second;
        index += pair ? 1 : 0;
    }
    return width;
}

const std::vector<double>& CellTextWidths::Widest(const std::vector<std::string>& rows, int columns) {
    m_widest.resize(static_cast<std::size_t>(std::max(columns, 0)), 0.0);
    for (; m_seen < rows.size(); ++m_seen) {
        std::string_view rest = rows[m_seen];
        for (double& widest : m_widest) {
            const auto tab = rest.find('\t');
            widest = std::max(widest, Width(rest.substr(0, tab)));
            if (tab == std::string_view::npos)
                break;
            rest.remove_prefix(tab + 1);
        }
    }
    return m_widest;
}
