#pragma once

#include <string>

// The result window's "Open Original": the file a resume was imported from, opened with the
// desktop's viewer. The viewer gets a read-only copy, never the kept file itself, so nothing a
// viewer does can change what the bank keeps.

// Whether the resume with this ID text was imported from a file that is kept. Quiet: a bank that
// cannot say counts as none.
bool HasKeptOriginal(const std::string& idText);

// Opens a copy of the resume's kept original; says why when it cannot.
void OpenKeptOriginal(const std::string& idText);

// Where the copies for viewing are put: a folder of the user's own that the system empties.
std::string ViewingFolder();
