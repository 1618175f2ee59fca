#include "entry/TextFile.h"

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

TextFileContent ReadTextFile(const std::string& path) {
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
    // Text ends at a zero byte, as it would in a C string.
    if (const std::size_t zero = bytes.find('\0'); zero != std::string::npos)
        bytes.resize(zero);
    return {std::move(bytes), {}};
}

std::string_view ShownPart(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    const std::size_t lineEnd = text.rfind('\n', limit - 1);
    if (lineEnd != std::string_view::npos && lineEnd >= limit / 2)
        return text.substr(0, lineEnd + 1);
    // Never split a multi-byte character: step back over continuation bytes.
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}
