#pragma once

#include "store/KeywordQuery.h"

#include <cstddef>
#include <string_view>
#include <vector>

// Where the terms occur in `text`: sorted byte ranges, overlapping ones merged.
struct TextSpan {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const TextSpan&) const = default;
};
std::vector<TextSpan> FindKeywordMatches(std::string_view text, const std::vector<KeywordTerm>& terms);
