#pragma once

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// talvanor-read: prints the text the text import shows for each file named.

// One file's text as the import shows it, in UTF-8, or the message the import gives instead.
struct PrintedDocument {
    bool ok = false;
    std::string text;                                  // ends with a line end when there is any
    std::string message;                               // when not ok: names the file and what is wrong
    std::optional<std::chrono::sys_days> documentDate; // what open date ranges run to
};

PrintedDocument ReadForPrinting(const std::string& path);

// What the command line asks for. Each option is a row of the table in ReadCommand.cpp, which
// also writes the usage text.
struct ReadCommandLine {
    bool help = false;
    bool fields = false; // the proposed fields, one JSON line a file, instead of the texts
    std::vector<std::string> files;
    std::string error; // a wrong command line: what is wrong, for the usage text's first line
};

ReadCommandLine ParseReadCommandLine(const std::vector<std::string>& arguments);

// The usage text, every option with its line.
std::string ReadUsage();

// Runs the command: 0 when every file was read, 1 when one was not (the others are still
// printed), 2 for a wrong command line.
int RunReadCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
