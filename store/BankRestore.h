#pragma once

#include "store/BackupFiles.h"
#include "store/KeywordIndex.h"

#include <stdexcept>
#include <string>

// Restoring a backup as the bank. The backup is checked first, copied beside the bank and synced;
// then the bank is moved aside (kept, named by the date: `TalvanorData-replaced-2026-12-09-103000.mdb`),
// so that a restore can itself be undone, and the copy renamed into its place. The originals its
// resumes name come back from the backup folder, and our tables and keyword index are made good.
class RestoreError : public std::runtime_error {
public:
    RestoreError(bool inUse, const std::string& reason) : std::runtime_error(reason), m_inUse(inUse) {}
    bool InUse() const { return m_inUse; } // refused: another Talvanor has the bank open

private:
    bool m_inUse;
};

struct RestoreResult {
    std::string movedAside; // where the bank it replaced is now; empty when there was none
    int originalsBack = 0;  // kept originals put back from the backup folder
    bool builtIndex = false;
};

// Takes the data folder's in-use lock alone for the whole restore, refusing while any Talvanor
// holds it; a program that holds it itself takes it alone first (BankSession::TakeAlone) and
// passes `alreadyAlone`. Throws RestoreError.
RestoreResult RestoreBackup(const BackupEntry& backup, const std::string& dataFolder,
                            bool alreadyAlone = false, const ProgressReport& indexProgress = {});

// A backup file named by its path: listed in its folder, or else read as it is (a copy brought from
// elsewhere). False when it is no bank backup.
bool BackupFromPath(const std::string& path, BackupEntry& backup);
