#pragma once

#include <optional>
#include <string>

// A text file's bytes as the import shows them: the whole file, ended at its first zero byte.
// Nothing when the file cannot be opened or read; `error` then says why, naming the file.
struct TextFileContent {
    std::optional<std::string> text;
    std::string error;
};

TextFileContent ReadTextFile(const std::string& path);
