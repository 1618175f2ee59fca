#pragma once

#include <string>

// The labels list items start their lines with in the text: "• " for a bullet, whatever symbol
// the document draws, and a number in the list's own style ("3. ", "b) ", "iv. ") where it is
// numbered.

// How a level of a list counts its items.
enum class ListFormat { Bullet, Decimal, LowerLetter, UpperLetter, LowerRoman, UpperRoman, None };

inline constexpr const char* kBulletLabel = "\xE2\x80\xA2 ";

// The number `value` as `format` writes it; empty for a bullet or none.
std::string FormattedNumber(int value, ListFormat format);
