#pragma once

#include <functional>
#include <optional>
#include <string>

// The desktop's ways of opening a document or starting a program. Results follow the old
// shell's convention: a value above 32 means success, 32 or less is an error code
// (2 file not found, 3 path not found, 5 access denied, 27 bad association, 31 no association).
inline constexpr int kShellSuccess = 42;

// Opens a document or address with the desktop's opener (xdg-open).
int ShellOpenDocument(const std::string& target);

// The command line the desktop registers for web pages, with "%1" where the address goes;
// nothing when no handler is registered or its entry cannot be read.
std::optional<std::string> RegisteredWebPageCommand();

// Starts a command line as a program, never through a shell.
int StartProgram(const std::string& commandLine);

// Tests script each of the three; an empty member keeps the real behaviour for that one.
struct ShellOpener {
    std::function<int(const std::string& target)> openDocument;
    std::function<std::optional<std::string>()> webPageCommand;
    std::function<int(const std::string& commandLine)> startProgram;
};
ShellOpener SetShellOpener(ShellOpener opener);

// Turns a desktop entry's Exec line into a command line with "%1" for the address: the
// address field codes become "%1", the other field codes are dropped, "%%" becomes "%".
std::string CommandLineFromExec(const std::string& exec);
