#pragma once

#include <cstddef>
#include <string_view>

// The widest text the tagging view shows: laying out much more (a single line above all) would
// freeze the dialog for seconds. Resume files are a few kilobytes.
inline constexpr std::size_t kShownTextLimit = 256 * 1024;

// The beginning of `text` that is shown when it is longer than `limit` bytes: cut after a line
// end where one lies in the second half, else at the last character boundary within the limit.
std::string_view ShownPart(std::string_view text, std::size_t limit = kShownTextLimit);
