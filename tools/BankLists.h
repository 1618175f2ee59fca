#pragma once

#include <array>
#include <optional>
#include <string>

// The three pick lists in kind order (qualifications, specializations, locations), as the rows of
// "ComboData" hold them.
using PickListTexts = std::array<std::string, 3>;

// The lists a new bank starts with: read from the bank's schema, so they are what talvanor-init
// writes.
PickListTexts DefaultPickLists();

// The lists of the bank at `path`, opened read-only; nothing when there is no bank there or it
// cannot be read (`problem` then says why, empty for a missing file).
std::optional<PickListTexts> BankPickLists(const std::string& path, std::string& problem);
