#include "store/OriginalFiles.h"

#include "store/DurableFiles.h"
#include "store/FileDescriptor.h"
#include "store/OurTables.h"
#include "store/Sqlite.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kLongestExtension = 8;
constexpr const char* kTemporarySuffix = ".partial";

[[noreturn]] void Fail(const std::string& folder, int error) {
    throw OriginalFileError("the file it came from could not be kept in " + folder + ": " +
                            std::strerror(error));
}

std::string Sha256Hex(std::string_view bytes) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return hash.result().toHex().toStdString();
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new folder is synced into its parent, so its files cannot outlive their way in after a crash.
void MakeFolder(const std::string& folder, const std::string& parent, const std::string& shown) {
    if (::mkdir(folder.c_str(), 0755) != 0) {
        if (errno != EEXIST)
            Fail(shown, errno);
        return;
    }
    if (const int error = SyncFolder(parent))
        Fail(shown, error);
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Writes the temporary file whole and durably; the errno value of the first failure, or 0.
int WriteTemporary(const std::string& path, std::string_view bytes) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444));
    if (fd.Get() < 0)
        return errno;
    if (const int error = WriteAll(fd.Get(), bytes))
        return error;
    if (::fsync(fd.Get()) != 0)
        return errno;
    return fd.Close();
}

std::string TemporaryName(const std::string& folder, const std::string& sha256) {
    static unsigned counter = 0;
    return folder + "incoming-" + sha256.substr(0, 16) + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(++counter) + kTemporarySuffix;
}

} // namespace

std::string OriginalsFolder(const std::string& dataFolder) {
    return dataFolder + "originals/";
}

std::string OriginalExtension(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size() ||
        fileName.size() - dot - 1 > kLongestExtension)
        return {};
    std::string extension = ".";
    for (const char c : fileName.substr(dot + 1)) {
        const auto byte = static_cast<unsigned char>(c);
        if (!std::isalnum(byte) || byte >= 0x80)
            return {};
        extension += static_cast<char>(std::tolower(byte));
    }
    return extension;
}

std::string OriginalPath(const std::string& dataFolder, const OriginalFile& original) {
    return OriginalsFolder(dataFolder) + original.sha256.substr(0, 2) + "/" + original.sha256 +
           OriginalExtension(original.fileName);
}

OriginalFile KeepOriginal(const std::string& dataFolder, std::string_view bytes,
                          const std::string& fileName) {
    OriginalFile original{Sha256Hex(bytes), BaseName(fileName), static_cast<std::int64_t>(bytes.size())};
    const std::string folder = OriginalsFolder(dataFolder);
    MakeFolder(folder, dataFolder, folder);
    const std::string subfolder = folder + original.sha256.substr(0, 2) + "/";
    MakeFolder(subfolder, folder, folder);
    const std::string target = OriginalPath(dataFolder, original);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && existing.st_size == original.size &&
        ::utimensat(AT_FDCWD, target.c_str(), nullptr, 0) == 0) {
        // Already kept: the name says the bytes are the same. Made fresh, so that a sweep running in
        // another Talvanor does not take it for a leftover before this resume's row names it.
        return original;
    }
    const std::string temporary = TemporaryName(folder, original.sha256);
    if (const int error = WriteTemporary(temporary, bytes)) {
        ::unlink(temporary.c_str());
        Fail(folder, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        Fail(folder, error);
    }
    if (const int error = SyncFolder(subfolder)) {
        // The file is whole, but its name may not survive a crash; no row may name it yet. Another
        // resume's row may already name this content, so the file stays when one does.
        Fail(folder, error);
    }
    return original;
}

bool HasOriginalsTable(SqliteConnection& bank) {
    SqliteStatement find(bank, "SELECT 1 FROM sqlite_schema WHERE type='table' AND name=?");
    find.Bind(1, kOriginalsTable);
    return find.Step();
}

void WriteOriginalRow(SqliteConnection& bank, std::int64_t id, const OriginalFile& original) {
    SqliteStatement insert(bank, "INSERT OR REPLACE INTO ResumeOriginals (ID, Sha256, FileName, Size) "
                                 "VALUES (?,?,?,?)");
    insert.Bind(1, id).Bind(2, original.sha256).Bind(3, original.fileName).Bind(4, original.size).Step();
}

std::optional<OriginalFile> ReadOriginalRow(SqliteConnection& bank, std::int64_t id) {
    if (!HasOriginalsTable(bank))
        return std::nullopt;
    SqliteStatement read(bank, "SELECT Sha256, FileName, Size FROM ResumeOriginals WHERE ID=?");
    if (!read.Bind(1, id).Step())
        return std::nullopt;
    return OriginalFile{read.ColumnText(0), read.ColumnText(1), read.ColumnInt(2)};
}

void DeleteOriginalRow(SqliteConnection& bank, std::int64_t id) {
    if (!HasOriginalsTable(bank))
        return;
    SqliteStatement drop(bank, "DELETE FROM ResumeOriginals WHERE ID=?");
    drop.Bind(1, id).Step();
}

bool OriginalIsNamed(SqliteConnection& bank, const OriginalFile& original) {
    if (!HasOriginalsTable(bank))
        return false;
    // The same bytes under another extension are another file.
    SqliteStatement rows(bank, "SELECT FileName FROM ResumeOriginals WHERE Sha256=?");
    rows.Bind(1, original.sha256);
    const std::string extension = OriginalExtension(original.fileName);
    while (rows.Step()) {
        if (OriginalExtension(rows.ColumnTextView(0)) == extension)
            return true;
    }
    return false;
}

void RemoveUnnamedOriginal(SqliteConnection& bank, const std::string& dataFolder,
                           const OriginalFile& original) {
    if (OriginalIsNamed(bank, original))
        return;
    ::unlink(OriginalPath(dataFolder, original).c_str());
}
