#include "store/BankLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

FileLock::~FileLock() {
    Release();
}

bool FileLock::TryTake(const std::string& path, Kind kind) {
    if (m_fd >= 0 && path != m_path)
        Release();
    if (m_fd < 0) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) {
            m_error = errno;
            return false;
        }
        m_path = path;
        if (::flock(m_fd, (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
            m_error = errno;
            Release();
            return false;
        }
        return true;
    }
    // A change of kind: flock converts in place, keeping the old lock when the new one is refused
    // (a refused upgrade may let the shared lock go for a moment; it is taken back).
    if (::flock(m_fd, (kind == Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
        m_error = errno;
        if (::flock(m_fd, LOCK_SH | LOCK_NB) != 0)
            Release();
        return false;
    }
    return true;
}

void FileLock::Release() {
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

std::string BankInUsePath(const std::string& dataFolder) {
    return dataFolder + ".bank-in-use";
}

std::string RunningMarkPath(const std::string& dataFolder) {
    return dataFolder + ".bank-running";
}

BankSession::BankSession(std::string dataFolder) : m_dataFolder(std::move(dataFolder)) {}

BankSession::~BankSession() {
    End();
}

bool BankSession::Begin() {
    bool unclean = false;
    if (m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Exclusive)) {
        // No other Talvanor runs: a mark left behind is a run that never ended normally.
        unclean = ::access(RunningMarkPath(m_dataFolder).c_str(), F_OK) == 0;
        const int mark = ::open(RunningMarkPath(m_dataFolder).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (mark >= 0)
            ::close(mark);
        m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Shared);
    } else {
        m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Shared);
    }
    m_begun = true;
    return unclean;
}

void BankSession::End() {
    if (!m_begun)
        return;
    m_begun = false;
    if (m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Exclusive))
        ::unlink(RunningMarkPath(m_dataFolder).c_str());
    m_lock.Release();
}

bool BankSession::TakeAlone() {
    return m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Exclusive);
}

void BankSession::ShareAgain() {
    m_lock.TryTake(BankInUsePath(m_dataFolder), FileLock::Kind::Shared);
}
