#include "documents/ZipParts.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace {

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

// No honest document has this many parts; listing more would only spend time.
constexpr std::size_t kMostParts = 100000;

std::string ArchiveError(archive* reader) {
    const char* error = archive_error_string(reader);
    return error != nullptr ? error : "unreadable archive";
}

} // namespace

ZipParts ReadZipParts(std::string_view bytes, const std::function<bool(const std::string& name)>& wanted,
                      std::size_t limit) {
    ZipParts result;
    const std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    // The central directory at the end names the parts; the seekable reader trusts it, as every
    // office program does, over the local headers.
    archive_read_support_format_zip_seekable(reader.get());
    const auto fail = [&](ZipParts::Problem problem, std::string detail) {
        result.problem = problem;
        result.detail = std::move(detail);
        result.parts.clear();
        return result;
    };
    if (archive_read_open_memory(reader.get(), bytes.data(), bytes.size()) != ARCHIVE_OK)
        return fail(ZipParts::Problem::Damaged, ArchiveError(reader.get()));
    std::size_t unpacked = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN)
            return fail(ZipParts::Problem::Damaged, ArchiveError(reader.get()));
        if (result.names.size() == kMostParts)
            return fail(ZipParts::Problem::TooLarge, {});
        const char* name = archive_entry_pathname(entry);
        result.names.emplace_back(name != nullptr ? name : "");
        if (!wanted(result.names.back()))
            continue;
        std::string& part = result.parts[result.names.back()];
        char buffer[64 * 1024];
        for (;;) {
            const la_ssize_t count = archive_read_data(reader.get(), buffer, sizeof buffer);
            if (count == 0)
                break;
            if (count < 0)
                return fail(ZipParts::Problem::Damaged, ArchiveError(reader.get()));
            unpacked += static_cast<std::size_t>(count);
            if (unpacked > limit)
                return fail(ZipParts::Problem::TooLarge, {});
            part.append(buffer, static_cast<std::size_t>(count));
        }
    }
    return result;
}
