#include "store/DurableFiles.h"

#include "store/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

int SyncDescriptorOf(const std::string& path, int flags) {
    FileDescriptor fd(::open(path.c_str(), flags | O_CLOEXEC));
    if (fd.Get() < 0)
        return errno;
    return ::fsync(fd.Get()) == 0 ? 0 : errno;
}

int WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

int SyncFolder(const std::string& folder) {
    return SyncDescriptorOf(folder, O_RDONLY | O_DIRECTORY);
}

int SyncFile(const std::string& path) {
    return SyncDescriptorOf(path, O_RDONLY);
}

int MakeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    const std::string parent = ParentOf(folder);
    if (parent != folder && parent != "/" && parent != ".")
        if (const int error = MakeFolders(parent))
            return error;
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
        return errno;
    return SyncFolder(parent);
}

int CopyFileSynced(const std::string& from, const std::string& to) {
    FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0)
        return errno;
    FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (out.Get() < 0)
        return errno;
    static constexpr std::size_t kChunk = 1 << 20;
    std::string buffer(kChunk, '\0');
    for (;;) {
        const ssize_t got = ::read(in.Get(), buffer.data(), kChunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            break;
        if (const int error = WriteAll(out.Get(), buffer.data(), static_cast<std::size_t>(got)))
            return error;
    }
    if (::fsync(out.Get()) != 0)
        return errno;
    return out.Close();
}

Placement LinkOrCopy(const std::string& from, const std::string& to) {
    if (::access(to.c_str(), F_OK) == 0)
        return {0, PlacedBy::AlreadyThere};
    if (::link(from.c_str(), to.c_str()) == 0)
        return {0, PlacedBy::Link};
    if (errno == EEXIST)
        return {0, PlacedBy::AlreadyThere};
    // Another file system, or one without links: one copy, never seen half-written.
    const std::string temporary = to + ".partial";
    ::unlink(temporary.c_str());
    if (const int error = CopyFileSynced(from, temporary)) {
        ::unlink(temporary.c_str());
        return {error, PlacedBy::Copy};
    }
    ::chmod(temporary.c_str(), 0444);
    if (::rename(temporary.c_str(), to.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return {error, PlacedBy::Copy};
    }
    return {0, PlacedBy::Copy};
}
