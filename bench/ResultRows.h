#pragma once

#include <string>

// The engine alone, as the result window's own timing is compared with it: prepares `query`,
// steps every row and reads every column the grid shows. Gives the number of rows.
long StepQuery(const std::string& query);

// One line of a benchmark's table.
void Row(const char* what, double milliseconds, const std::string& note = {});
