#pragma once

#include <string>

// The help file sits beside the program and is named after it, with the extension ".HLP".
std::string HelpFilePath(const std::string& programPath);

// Opens the program's help file with the desktop's opener; says so when that fails.
void LaunchHelp();
