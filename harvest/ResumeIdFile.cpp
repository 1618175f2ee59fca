#include "harvest/ResumeIdFile.h"

#include "platform/DataFolder.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

std::string ResumeIdFilePath() {
    return DataFolder() + kResumeNumberFileName;
}

void ReadResumeIdFile(std::string& text) {
    std::ifstream file(ResumeIdFilePath(), std::ios::binary);
    if (file)
        text.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteResumeIdFile(const std::string& text) {
    // "r+" opens an existing file only: the number file is never created here.
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(ResumeIdFilePath().c_str(), "r+b"));
    if (!file)
        return;
    std::fwrite(text.data(), 1, text.size(), file.get());
    std::fflush(file.get());
    // Drop whatever a longer earlier number left behind.
    if (ftruncate(fileno(file.get()), static_cast<off_t>(text.size())) != 0)
        return;
}

void SyncIdText(std::string& text, int& number) {
    if (text.empty()) {
        text = std::to_string(number);
        return;
    }
    // Like the C runtime's decimal conversion: blanks, a sign, digits; 0 when there are none.
    const long value = std::strtol(text.c_str(), nullptr, 10);
    number = static_cast<int>(std::clamp(value, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX)));
}
