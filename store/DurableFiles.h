#pragma once

#include <string>

// File steps a backup and a restore are built of, each durable before it reports success. Each
// returns 0 or the errno value of its failure.

// Syncs a folder, so that the names made or changed in it survive a power cut.
int SyncFolder(const std::string& folder);
// Syncs a file's bytes.
int SyncFile(const std::string& path);
// Makes `folder` and the folders above it that are missing.
int MakeFolders(const std::string& folder);
// Copies a file whole into a new file `to` (which must not exist) and syncs it.
int CopyFileSynced(const std::string& from, const std::string& to);

// Puts a file that never changes at `to`: a hard link where the file system allows one, else one
// copy (written beside it, synced, renamed into place). A file already at `to` is left as it is.
enum class PlacedBy { Link, Copy, AlreadyThere };
struct Placement {
    int error = 0;
    PlacedBy by = PlacedBy::AlreadyThere;
};
Placement LinkOrCopy(const std::string& from, const std::string& to);
