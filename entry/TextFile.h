#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A text file's bytes as the import shows them: the whole file, ended at its first zero byte.
// Nothing when the file cannot be opened or read; `error` then says why, naming the file.
struct TextFileContent {
    std::optional<std::string> text;
    std::string error;
};

TextFileContent ReadTextFile(const std::string& path);

// The widest text the tagging view shows: laying out much more (a single line above all) would
// freeze the dialog for seconds. Resume files are a few kilobytes.
inline constexpr std::size_t kShownTextLimit = 256 * 1024;

// The beginning of `text` that is shown when it is longer than `limit` bytes: cut after a line
// end where one lies in the second half, else at the last character boundary within the limit.
std::string_view ShownPart(std::string_view text, std::size_t limit = kShownTextLimit);
