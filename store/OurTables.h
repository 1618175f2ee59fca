#pragma once

#include <string>

class SqliteConnection;

// Tables of our own beside the described ones, whose rows they never touch: our settings, which
// file each imported resume came from, and the keys that find the same person twice. A new bank gets them
// with its schema; an older bank gets them at the first start, in one transaction.
inline constexpr const char* kSettingsTable = "TalvanorSettings";
inline constexpr const char* kOriginalsTable = "ResumeOriginals";
// The keys that tell the same person in two resumes (MatchKeyIndex.h), and the IDs whose keys
// are to be made again.
inline constexpr const char* kMatchKeysTable = "ResumeMatchKeys";
inline constexpr const char* kPhoneKeysTable = "ResumePhoneKeys";
inline constexpr const char* kMatchKeysPendingTable = "ResumeMatchKeysPending";

// Plain SQL for a new bank's creating transaction.
extern const std::string kOurTablesSchema;

// True when every table of ours is there.
bool HasOurTables(SqliteConnection& connection);

// Adds whichever of our tables is missing, in one transaction; writes nothing when all are there.
// True when it added any. Throws EngineError.
bool AddOurTables(SqliteConnection& connection);
