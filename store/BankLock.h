#pragma once

#include <string>

// An advisory lock on a file (flock), given up when its holder ends, however it ends: a program
// killed holds nothing.
class FileLock {
public:
    enum class Kind { Shared, Exclusive };
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes or changes the lock without waiting; false when another holder keeps it from us (the
    // lock held before, if any, is kept) or the file cannot be made (`Error()` says why).
    bool TryTake(const std::string& path, Kind kind);
    void Release();
    bool Held() const { return m_fd >= 0; }
    int Error() const { return m_error; } // the errno value of the last failure; EWOULDBLOCK when held

private:
    int m_fd = -1;
    std::string m_path;
    int m_error = 0;
};

// Every Talvanor holds the data folder's `.bank-in-use` shared while it runs, so that a restore,
// which needs it alone, can tell that another program has the bank open. A mark beside it says a
// run has begun and not yet ended normally.
class BankSession {
public:
    explicit BankSession(std::string dataFolder);
    ~BankSession(); // ends normally

    // True when the last run on this data folder did not end normally (and none is running now).
    bool Begin();
    // Called at a normal end: the last Talvanor to end takes the mark away.
    void End();

    // The bank alone for this program (to restore it): false while another Talvanor has it open.
    bool TakeAlone();
    void ShareAgain();

private:
    std::string m_dataFolder;
    FileLock m_lock;
    bool m_begun = false;
};

std::string BankInUsePath(const std::string& dataFolder);
std::string RunningMarkPath(const std::string& dataFolder);
