#pragma once

#include <optional>
#include <string>

// A file's whole content. Nothing when it cannot be opened or read; `error` then says why,
// naming the file.
struct FileBytes {
    std::optional<std::string> bytes;
    std::string error;
};

FileBytes ReadFileBytes(const std::string& path);
