#pragma once

#include <optional>
#include <string>
#include <string_view>

class CMSFlexGrid;

// The result grid as shown, written out as CSV for spreadsheet programs: RFC 4180 quoting (a field
// holding a comma, a double quote or a line break goes between double quotes, its quotes doubled;
// every record ends with CR LF), in UTF-8 with a byte order mark, without which spreadsheet
// programs read the file in the machine's legacy code page and garble its accented letters.

// Appends `text` (8-bit text in the locale's encoding) as one field. A value a spreadsheet would
// take for a formula (beginning with "=", "+", "-", "@", a tab or a carriage return) is written
// with a leading apostrophe, which makes it text there.
void AppendCsvField(std::string& record, std::string_view text);

// Writes the header texts (trimmed) and every row as shown, hidden columns left out, to `path`:
// into a temporary file in the same folder, renamed into place once complete, so a failure leaves
// no partial file behind and an existing file as it was. Gives the reason when it fails.
std::optional<std::string> WriteGridCsv(const CMSFlexGrid& grid, const std::string& path);

// Asks for a file name (".csv" by default) and writes the grid to it; a failure is shown.
void ExportGridAsCsv(CMSFlexGrid& grid);

inline constexpr const char* kCsvFilter = "CSV files (*.csv)";
inline constexpr const char* kCsvInitialName = "results.csv";
