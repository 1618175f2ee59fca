#pragma once

#include <string>
#include <string_view>

// How a PDF page's text is laid out, judged from its physical layout (the page's lines as they
// stand, columns padded with spaces).

// Whether the page sets text in columns side by side whose lines run on into each other, as a
// sidebar beside a main column does: such a page is read column after column. Side-by-side text
// whose lines do not run on is a table, read row by row.
bool HasFlowingColumns(std::string_view physicalText);

// The page's text without a line that holds only its page number ("2", "Page 2 of 3", "2/3",
// "- 2 -") as its first or last line.
std::string WithoutPageNumber(std::string text, int pageNumber, int pageCount);
