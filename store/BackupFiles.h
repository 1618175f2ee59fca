#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The backups in a backup folder. A backup is one file, named by when it was made (local time)
// and how many resumes it holds, so that a listing opens none of them:
// `TalvanorData-2026-12-09-103000-1234-resumes.mdb` (a second one in the same second gets `_2`
// after the time). Only a backup that was whole and checked ever gets such a name; one being made
// is a hidden `.partial` file beside it, never listed. The originals its resumes came from are in
// the folder's `originals/`, shared by every backup (each content one file).
struct BackupEntry {
    std::string path;      // the folder followed by the file name
    std::string fileName;  // without its folder
    std::int64_t made = 0; // seconds since the epoch
    int sequence = 1;      // 2 and up for later backups of the same second
    std::int64_t resumes = 0;
    std::int64_t size = 0; // bytes
};

// The data folder's `backups/`; `dataFolder` ends with "/".
std::string DefaultBackupFolder(const std::string& dataFolder);
// With a trailing "/".
std::string FolderWithSlash(std::string folder);

std::string BackupFileName(std::int64_t made, int sequence, std::int64_t resumes);
// False for any other name, partial backups included.
bool ParseBackupFileName(const std::string& fileName, BackupEntry& entry);

// Newest first (a folder that cannot be read has none).
std::vector<BackupEntry> ListBackups(const std::string& folder);

// "2026-12-09 10:30:00", local time, as the window and the command show it.
std::string BackupDateText(std::int64_t made);

// Which backups rotation removes, given the folder's backups newest first and the time now:
// every backup of the last 2 days stays, then the newest of each day up to 14 days old, of each
// week up to 8 weeks, of each month up to 12 months; older ones go. The newest backup always
// stays, and so does any dated after `now` (the clock was set back): those are the newest made.
std::vector<BackupEntry> BackupsToRemove(const std::vector<BackupEntry>& newestFirst, std::int64_t now);
