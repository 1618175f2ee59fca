#include "documents/ListLabels.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

std::string Letters(int value, char first) {
    // a ... z, aa ... zz: a letter repeated, as word processors and browsers count past z.
    const int repeat = (value - 1) / 26 + 1;
    return std::string(static_cast<std::size_t>(std::min(repeat, 100)),
                       static_cast<char>(first + (value - 1) % 26));
}

std::string Roman(int value, bool upper) {
    static constexpr std::array<std::pair<int, const char*>, 13> kDigits = {{{1000, "m"},
                                                                             {900, "cm"},
                                                                             {500, "d"},
                                                                             {400, "cd"},
                                                                             {100, "c"},
                                                                             {90, "xc"},
                                                                             {50, "l"},
                                                                             {40, "xl"},
                                                                             {10, "x"},
                                                                             {9, "ix"},
                                                                             {5, "v"},
                                                                             {4, "iv"},
                                                                             {1, "i"}}};
    if (value >= 4000)
        return std::to_string(value);
    std::string text;
    for (const auto& [amount, digits] : kDigits) {
        for (; value >= amount; value -= amount)
            text += digits;
    }
    if (upper) {
        for (char& c : text)
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace

std::string FormattedNumber(int value, ListFormat format) {
    if (value < 1 && format != ListFormat::Decimal && format != ListFormat::Bullet &&
        format != ListFormat::None)
        return std::to_string(value);
    switch (format) {
    case ListFormat::Bullet:
    case ListFormat::None:
        return {};
    case ListFormat::Decimal:
        return std::to_string(value);
    case ListFormat::LowerLetter:
        return Letters(value, 'a');
    case ListFormat::UpperLetter:
        return Letters(value, 'A');
    case ListFormat::LowerRoman:
        return Roman(value, false);
    case ListFormat::UpperRoman:
        return Roman(value, true);
    }
    return {};
}
