#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The most a document may unpack to, all its read parts together: a resume is a few hundred
// kilobytes of markup, and a small archive that unpacks without end must not take the memory.
inline constexpr std::size_t kUnpackLimit = 64 * 1024 * 1024;

// The parts of a ZIP archive that were asked for, by name.
struct ZipParts {
    enum class Problem { None, Damaged, TooLarge };
    Problem problem = Problem::None;
    std::string detail;                       // the archive library's words, when damaged
    std::vector<std::string> names;           // every part's name, in the archive's order
    std::map<std::string, std::string> parts; // the wanted parts' bytes
};

// Lists a ZIP archive held in memory and unpacks the parts `wanted` accepts. Stops with
// TooLarge once they unpack to more than `limit` bytes together.
ZipParts ReadZipParts(std::string_view archive, const std::function<bool(const std::string& name)>& wanted,
                      std::size_t limit = kUnpackLimit);
