#pragma once

#include <string>

// Opens an address in the user's web browser: the desktop's opener first; if that fails,
// the registered web-page command line with the address appended. Returns the last
// attempt's result (above 32 on success, else an error code).
int OpenAddress(const std::string& url);

// The registered command line up to its address placeholder: cut at the first "\"%1\"",
// else at the first "%1", else the whole line.
std::string CutAtPlaceholder(const std::string& commandLine);

// "Can't open link:" followed by what the result code means.
std::string LinkErrorText(int resultCode);
