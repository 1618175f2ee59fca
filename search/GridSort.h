#pragma once

#include <Qt>
#include <string>
#include <string_view>
#include <vector>

// The order the result grid shows its rows in when sorted by one column: as a dictionary of the
// user's locale orders words, the letters first and accents and case second (Émilie with Emil and
// Eva, not after Z), a run of digits by its value ("2-5" before "10-15", "Candidate 9" before
// "Candidate 10"). Rows whose texts are equal go by the number in their first column (the result
// window's ID), then in the order they were added, either way.

// Compares two cell texts (UTF-8) in that order: negative, zero or positive.
int CompareCellTexts(std::string_view left, std::string_view right);
// The stored rows (tab-joined texts) in the order they show in, sorted by `column`.
std::vector<int> SortedRowOrder(const std::vector<std::string>& rows, int column, Qt::SortOrder order);
