#pragma once

#include "store/BackupFiles.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Backups of the bank, made while it is in use: SQLite's online backup copies it a few pages at a
// time into a hidden temporary file beside the backup's place, so that the user's writes wait at
// most for one such step. A write by another connection makes the copy start again; the copy is
// then checked (quick_check, and its resumes counted), its originals put into the folder's
// shared `originals/` (a hard link, or one copy), synced and only then renamed into place. An
// interrupted backup leaves at most the temporary file, which the next backup removes.

enum class BackupProblem {
    Folder,  // the backup folder cannot be made or written (gone, read-only, full)
    Bank,    // the bank cannot be read
    Damaged, // the bank's copy fails its check: the bank itself is damaged
    Busy,    // written to too often to finish, or another backup is being made into the folder
    Stopped, // asked to stop
};

// The reason in plain words, for a message or a command's error line.
class BackupError : public std::runtime_error {
public:
    BackupError(BackupProblem problem, const std::string& reason)
        : std::runtime_error(reason), m_problem(problem) {}
    BackupProblem Problem() const { return m_problem; }

private:
    BackupProblem m_problem;
};

struct BackupOptions {
    int pagesPerStep = 2048;    // 8 MB at the bank's 4 KB pages: a few milliseconds a step
    int restartsAllowed = 6;    // copies started again after other writes, before giving up for now
    std::int64_t now = 0;       // seconds since the epoch; 0 for the clock
    std::function<bool()> stop; // asked between steps; true drops the backup
    std::function<void(int step)> afterStep; // between steps, with no lock held (tests write there)
};

struct BackupResult {
    BackupEntry backup;
    int restarts = 0;
    int linkedOriginals = 0;
    int copiedOriginals = 0;
    int missingOriginals = 0;         // named in the copy but gone from the data folder meanwhile
    std::vector<BackupEntry> removed; // by rotation
};

// Backs up the data folder's bank into `backupFolder` and rotates the folder's backups. Throws
// BackupError; the folder's older backups are untouched by a failure.
BackupResult MakeBackup(const std::string& dataFolder, const std::string& backupFolder,
                        const BackupOptions& options = {});

// The shared originals' folder of a backup folder.
std::string BackupOriginalsFolder(const std::string& backupFolder);
