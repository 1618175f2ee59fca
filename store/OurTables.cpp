#include "store/OurTables.h"

#include "store/Sqlite.h"

#include <string>

namespace {

// Any program's write of a resume notes its ID, so that its match keys are made again from what
// it now holds (MatchKeyIndex.h). Plain SQL: every program runs it.
std::string NoteTrigger(const char* name, const char* when, const char* table, const char* id) {
    return std::string("CREATE TRIGGER IF NOT EXISTS ") + name + " AFTER " + when + " ON " + table +
           " WHEN typeof(" + id +
           ") = 'integer' BEGIN\n    INSERT OR IGNORE INTO ResumeMatchKeysPending (ID) VALUES (" + id +
           ");\nEND;\n";
}

std::string MakeSchema() {
    std::string sql =
        "CREATE TABLE IF NOT EXISTS TalvanorSettings (Name TEXT PRIMARY KEY, Value TEXT);\n"
        "CREATE TABLE IF NOT EXISTS ResumeOriginals (ID INTEGER PRIMARY KEY, Sha256 TEXT NOT NULL,\n"
        "    FileName TEXT NOT NULL, Size INTEGER NOT NULL);\n"
        "CREATE INDEX IF NOT EXISTS [ResumeOriginals Sha256] ON ResumeOriginals (Sha256);\n"
        "CREATE TABLE IF NOT EXISTS ResumeMatchKeys (ID INTEGER PRIMARY KEY, Email TEXT, Name TEXT,\n"
        "    Organization TEXT);\n"
        "CREATE INDEX IF NOT EXISTS [ResumeMatchKeys Email] ON ResumeMatchKeys (Email);\n"
        "CREATE INDEX IF NOT EXISTS [ResumeMatchKeys Name] ON ResumeMatchKeys (Name, Organization);\n"
        "CREATE TABLE IF NOT EXISTS ResumePhoneKeys (Phone TEXT NOT NULL, ID INTEGER NOT NULL,\n"
        "    PRIMARY KEY (Phone, ID)) WITHOUT ROWID;\n"
        "CREATE INDEX IF NOT EXISTS [ResumePhoneKeys ID] ON ResumePhoneKeys (ID);\n"
        "CREATE TABLE IF NOT EXISTS ResumeMatchKeysPending (ID INTEGER PRIMARY KEY);\n";
    const char* table[] = {"[Abstract Information]", "Resume"};
    const char* prefix[] = {"ResumeMatchKeysNoteFields", "ResumeMatchKeysNoteText"};
    for (int i = 0; i < 2; ++i) {
        sql += NoteTrigger((std::string(prefix[i]) + "Insert").c_str(), "INSERT", table[i], "NEW.ID");
        sql += NoteTrigger((std::string(prefix[i]) + "Update").c_str(), "UPDATE", table[i], "OLD.ID");
        sql += NoteTrigger((std::string(prefix[i]) + "Moved").c_str(), "UPDATE", table[i], "NEW.ID");
        sql += NoteTrigger((std::string(prefix[i]) + "Delete").c_str(), "DELETE", table[i], "OLD.ID");
    }
    return sql;
}

constexpr const char* kOurParts[] = {kSettingsTable,
                                     kOriginalsTable,
                                     kMatchKeysTable,
                                     kPhoneKeysTable,
                                     kMatchKeysPendingTable,
                                     "ResumeMatchKeysNoteFieldsInsert",
                                     "ResumeMatchKeysNoteFieldsUpdate",
                                     "ResumeMatchKeysNoteFieldsMoved",
                                     "ResumeMatchKeysNoteFieldsDelete",
                                     "ResumeMatchKeysNoteTextInsert",
                                     "ResumeMatchKeysNoteTextUpdate",
                                     "ResumeMatchKeysNoteTextMoved",
                                     "ResumeMatchKeysNoteTextDelete"};

bool Has(SqliteConnection& connection, const char* name) {
    SqliteStatement find(connection,
                         "SELECT 1 FROM sqlite_schema WHERE name = ? AND type IN ('table', 'trigger')");
    return find.Bind(1, std::string_view(name)).Step();
}

} // namespace

const std::string kOurTablesSchema = MakeSchema();

bool HasOurTables(SqliteConnection& connection) {
    for (const char* part : kOurParts) {
        if (!Has(connection, part))
            return false;
    }
    return true;
}

bool AddOurTables(SqliteConnection& connection) {
    // Checked first, so that a prepared bank is never written to, not even its change counter.
    if (HasOurTables(connection))
        return false;
    SqliteTransaction transaction(connection);
    const bool newKeys = !Has(connection, kMatchKeysTable);
    connection.Execute(kOurTablesSchema);
    // The resumes already there get their keys made at the next start's preparation.
    if (newKeys)
        connection.Execute(
            "INSERT OR IGNORE INTO ResumeMatchKeysPending (ID) SELECT ID FROM [Abstract Information] "
            "WHERE typeof(ID) = 'integer'");
    transaction.Commit();
    return true;
}
