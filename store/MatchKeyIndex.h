#pragma once

#include "store/KeywordIndex.h" // ProgressReport

#include <cstdint>

class SqliteConnection;

// The match keys (MatchKeys.h) of every resume, in tables of our own (OurTables.h): its e-mail,
// name and organization in ResumeMatchKeys, the telephone numbers its text holds in
// ResumePhoneKeys. The triggers stored in the bank note the ID of every resume any program
// writes; the store makes the keys of what it writes again in the same transaction, and the
// checks for duplicates catch up on what other programs wrote first.

bool HasMatchKeys(SqliteConnection& connection);

// How many resumes wait for their keys to be made again.
std::int64_t PendingMatchKeys(SqliteConnection& connection);

// Inside the store's writing transaction: makes the keys of resume `id` from its rows now.
// Does nothing on a bank without the key tables.
void RefreshMatchKeysOf(SqliteConnection& connection, std::int64_t id);

// Makes the keys of every noted resume, in one transaction, telling `report` how far it is.
// False when stopped (the bank then as it was) or when the bank can only be read. Throws EngineError.
bool RefreshMatchKeys(SqliteConnection& connection, const ProgressReport& report);
