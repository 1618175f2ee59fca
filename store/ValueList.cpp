#include "store/ValueList.h"

#include <climits>
#include <cstdint>

std::vector<std::string> CutValueList(std::string_view list, bool keepEmptyLeftmost) {
    std::vector<std::string> pieces;
    std::string_view remaining = list;
    for (auto comma = remaining.rfind(','); comma != std::string_view::npos; comma = remaining.rfind(',')) {
        const std::string_view piece = remaining.substr(comma + 1);
        if (!piece.empty())
            pieces.emplace_back(piece);
        remaining = remaining.substr(0, comma);
    }
    if (keepEmptyLeftmost || !remaining.empty())
        pieces.emplace_back(remaining);
    return pieces;
}

int IdTextToInteger(std::string_view idText) {
    std::size_t at = 0;
    while (at < idText.size() && (idText[at] == ' ' || (idText[at] >= '\t' && idText[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < idText.size() && (idText[at] == '+' || idText[at] == '-'))
        negative = idText[at++] == '-';
    std::int64_t value = 0;
    for (; at < idText.size() && idText[at] >= '0' && idText[at] <= '9'; ++at) {
        value = value * 10 + (idText[at] - '0');
        if (value > static_cast<std::int64_t>(INT_MAX) + 1) // saturate instead of overflowing
            value = static_cast<std::int64_t>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}
