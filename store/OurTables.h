#pragma once

class SqliteConnection;

// Tables of our own beside the described ones, whose rows they never touch: our settings, and
// which file each imported resume came from. A new bank gets them with its schema; an older bank
// gets them at the first start, in one transaction.
inline constexpr const char* kSettingsTable = "TalvanorSettings";
inline constexpr const char* kOriginalsTable = "ResumeOriginals";

// Plain SQL for a new bank's creating transaction.
extern const char* const kOurTablesSchema;

// True when every table of ours is there.
bool HasOurTables(SqliteConnection& connection);

// Adds whichever of our tables is missing, in one transaction; writes nothing when all are there.
// True when it added any. Throws EngineError.
bool AddOurTables(SqliteConnection& connection);
