#pragma once

#include <cstdint>
#include <functional>
#include <string>

class SqliteConnection;

// The keyword index: a full-text index of the resume texts, names, e-mails and organizations inside the bank,
// of our own and beside the described tables, whose rows it never touches.
//
// Other programs open the bank too (the sqlite3 shell, copies, backups), and they lack our word
// rules. So the triggers stored in the bank are plain SQL that any connection can run: before a
// "Resume" row is written they note its ID, with the text the index holds for it, in
// ResumeKeywordsPending. The store's own connections instead add temporary triggers that write
// the index in the same statement, and so in the same transaction, as the text row. What another
// program wrote stays noted until our next keyword search or write catches up on it.
inline constexpr const char* kKeywordIndexTable = "ResumeKeywords";
inline constexpr const char* kKeywordPendingTable = "ResumeKeywordsPending";

// The index's tables and stored triggers for a new bank; run on a connection that has the word
// rules registered (RegisterKeywordTokenizer), inside the bank's creating transaction.
extern const std::string kKeywordIndexSchema;

// Before a store operation writes texts, outside any transaction: the connection keeps the index
// in step itself from then on, in the very statements that write the texts (temporary triggers),
// and marks itself so that the stored triggers do not note its writes. Does nothing where the
// bank has no sound index: its writes are then noted. Never throws.
void FollowKeywordIndex(SqliteConnection& connection);

// At the start of the writing transaction, on a following connection: catches up on what other
// programs wrote, so that the index holds the texts the rows being rewritten hold.
void CatchUpKeywordIndex(SqliteConnection& connection);

enum class KeywordIndexState {
    Ready,     // present and in step with the texts
    Missing,   // never built in this bank
    Damaged,   // present but unusable: parts gone, or the engine refuses it
    OutOfStep, // usable but holding another number of texts than "Resume"
    OldLayout, // built by an older version, without the names, e-mails and organizations
};

struct KeywordIndexHealth {
    KeywordIndexState state = KeywordIndexState::Missing;
    std::string detail; // the engine's text, or the two numbers that disagree
};

// Catches up on texts other programs wrote, then checks the index against "Resume". Writes only
// the index, and only when texts are noted as changed.
KeywordIndexHealth InspectKeywordIndex(SqliteConnection& connection);

// Told how far the work is; answers false to stop it.
using ProgressReport = std::function<bool(std::int64_t done, std::int64_t total)>;

// Builds the index afresh from "Resume" in one transaction, replacing whatever index there was.
// False when stopped through `report`: the bank is then exactly as it was. Throws EngineError.
bool BuildKeywordIndex(SqliteConnection& connection, const ProgressReport& report);

// True when the bank has an index of the current layout: an older one is built again.
bool HasKeywordIndex(SqliteConnection& connection);
