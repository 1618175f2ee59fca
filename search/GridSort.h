#pragma once

#include <Qt>
#include <string>
#include <string_view>
#include <vector>

// The order the result grid shows its rows in when sorted by one column. Texts compare ignoring
// case, and a run of digits compares by its value, so "2-5" comes before "10-15" and "Candidate 9"
// before "Candidate 10". Rows whose texts compare equal keep the order they were added in, either way.

// The form a cell text is compared in: case folded, in UTF-8.
std::string SortKey(std::string_view cellText);
// Compares two sort keys: negative, zero or positive.
int CompareSortKeys(std::string_view left, std::string_view right);
// The stored rows (tab-joined texts) in the order they show in, sorted by `column`.
std::vector<int> SortedRowOrder(const std::vector<std::string>& rows, int column, Qt::SortOrder order);
