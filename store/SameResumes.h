#pragma once

#include "store/DuplicateGroups.h" // SameBy

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class SqliteConnection;

// What a resume being entered says of its person: typed, tagged or proposed.
struct EntryValues {
    std::string_view name;
    std::string_view email;
    std::string_view organization;
    std::string_view phone; // as written; only an import proposes one
    std::int64_t ownId = 0; // the resume being edited, never its own duplicate; 0 for a new one
};

// The resume the bank already holds for that person, by the strongest tie found.
struct SameResume {
    SameBy why = SameBy::Email;
    std::int64_t id = 0; // the first of them
    std::string name;
    std::string status;
    std::int64_t count = 0; // how many resumes share that tie
};

// Looks through the match keys only, never the texts. Catches up first on a few resumes other
// programs wrote; a bank with many waiting is read as its keys stand. Throws EngineError.
std::optional<SameResume> FindSameResume(SqliteConnection& connection, const EntryValues& entry);
