#include "store/OurTables.h"

#include "store/Sqlite.h"

#include <string>

const char* const kOurTablesSchema =
    "CREATE TABLE IF NOT EXISTS TalvanorSettings (Name TEXT PRIMARY KEY, Value TEXT);\n"
    "CREATE TABLE IF NOT EXISTS ResumeOriginals (ID INTEGER PRIMARY KEY, Sha256 TEXT NOT NULL,\n"
    "    FileName TEXT NOT NULL, Size INTEGER NOT NULL);\n"
    "CREATE INDEX IF NOT EXISTS [ResumeOriginals Sha256] ON ResumeOriginals (Sha256);\n";

bool HasOurTables(SqliteConnection& connection) {
    SqliteStatement count(connection,
                          "SELECT count(*) FROM sqlite_schema WHERE type='table' AND name IN (?,?)");
    count.Bind(1, kSettingsTable).Bind(2, kOriginalsTable);
    count.Step();
    return count.ColumnInt(0) == 2;
}

bool AddOurTables(SqliteConnection& connection) {
    // Checked first, so that a prepared bank is never written to, not even its change counter.
    if (HasOurTables(connection))
        return false;
    SqliteTransaction transaction(connection);
    connection.Execute(kOurTablesSchema);
    transaction.Commit();
    return true;
}
