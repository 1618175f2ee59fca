#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cuts a comma-separated value list into the pieces that become rows, in the order they are
// written: from the right end to the left. Empty pieces right of the first comma are skipped;
// the leftmost piece is kept even when empty if keepEmptyLeftmost (the append), else only
// when it is not empty (the rewrite). Values are neither trimmed nor de-duplicated.
std::vector<std::string> CutValueList(std::string_view list, bool keepEmptyLeftmost);

// The 32-bit integer a decimal ID text converts to: leading blanks skipped, an optional sign,
// digits up to the first non-digit; no digits give 0.
int IdTextToInteger(std::string_view idText);
