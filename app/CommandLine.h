#pragma once

#include <QStringList>
#include <string>
#include <vector>

// The files named on the command line, by the framework's standard rules: every argument that is
// not an option, and after "--" every argument. Each is made absolute against the current folder,
// so it means the same file to a program started elsewhere.
std::vector<std::string> FileArguments(const QStringList& arguments);
