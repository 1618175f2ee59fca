#include "documents/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string FileError(const std::string& path, int error) {
    return "Cannot read the file " + path + ": " + std::strerror(error) + ".";
}

} // namespace

FileBytes ReadFileBytes(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {std::nullopt, FileError(path, errno)};
    std::string bytes;
    char buffer[64 * 1024];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    if (std::ferror(file.get()))
        return {std::nullopt, FileError(path, errno != 0 ? errno : EIO)};
    return {std::move(bytes), {}};
}
