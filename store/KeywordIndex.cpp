#include "store/KeywordIndex.h"

#include "platform/EngineError.h"
#include "store/KeywordWords.h"
#include "store/Sqlite.h"

#include <string_view>

// Only IDs that are integers are indexed: the index is keyed by them, and a resume is listed
// only through its integer ID anyway. A resume's text in the index is that of its first "Resume"
// row, the one its details show.
const char* const kKeywordIndexSchema = R"sql(
CREATE VIRTUAL TABLE ResumeKeywords USING fts5(Details, content='', tokenize='talvanor');
CREATE TABLE ResumeKeywordsPending (ID INTEGER PRIMARY KEY, Indexed TEXT);
CREATE TRIGGER ResumeKeywordsNoteInsert BEFORE INSERT ON Resume BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT NEW.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = NEW.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(NEW.ID) = 'integer';
END;
CREATE TRIGGER ResumeKeywordsNoteUpdate BEFORE UPDATE ON Resume BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT OLD.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = OLD.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(OLD.ID) = 'integer';
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT NEW.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = NEW.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(NEW.ID) = 'integer';
END;
CREATE TRIGGER ResumeKeywordsNoteDelete BEFORE DELETE ON Resume BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT OLD.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = OLD.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(OLD.ID) = 'integer';
END;
)sql";

namespace {

constexpr const char* kStoredTriggers[] = {"ResumeKeywordsNoteInsert", "ResumeKeywordsNoteUpdate",
                                           "ResumeKeywordsNoteDelete"};

// The engine's own tables behind the index, with their layout, so that an index whose parts
// were removed by hand can still be dropped (the engine must open it to drop it).
constexpr std::pair<const char*, const char*> kShadowTables[] = {
    {"ResumeKeywords_data", "(id INTEGER PRIMARY KEY, block BLOB)"},
    {"ResumeKeywords_idx", "(segid, term, pgno, PRIMARY KEY(segid, term)) WITHOUT ROWID"},
    {"ResumeKeywords_docsize", "(id INTEGER PRIMARY KEY, sz BLOB)"},
    {"ResumeKeywords_config", "(k PRIMARY KEY, v) WITHOUT ROWID"},
};
constexpr int kIndexFormatVersion = 4;

// Brings the index up to date for the noted IDs `which` selects from ResumeKeywordsPending (p):
// takes out the text it holds, puts in the first "Resume" text now there, forgets the note.
std::string CatchUpSql(const std::string& which) {
    return "INSERT INTO ResumeKeywords (ResumeKeywords, rowid, Details) SELECT 'delete', ID, Indexed "
           "FROM ResumeKeywordsPending p WHERE " +
           which +
           " AND Indexed IS NOT NULL ORDER BY ID;\n"
           "INSERT INTO ResumeKeywords (rowid, Details) SELECT r.ID, coalesce(r.Details, '') "
           "FROM ResumeKeywordsPending p JOIN Resume r ON r.rowid = "
           "(SELECT min(rowid) FROM Resume WHERE ID = p.ID) WHERE " +
           which +
           " ORDER BY p.ID;\n"
           "DELETE FROM ResumeKeywordsPending WHERE ID IN (SELECT ID FROM ResumeKeywordsPending p WHERE " +
           which + ");\n";
}

std::string FollowTriggersSql() {
    const auto trigger = [](const char* name, const char* event, std::initializer_list<const char*> ids) {
        std::string sql =
            std::string("CREATE TEMP TRIGGER ") + name + " AFTER " + event + " ON Resume BEGIN\n";
        for (const char* id : ids)
            sql += CatchUpSql(std::string("p.ID = ") + id);
        return sql + "END;\n";
    };
    return trigger("ResumeKeywordsFollowInsert", "INSERT", {"NEW.ID"}) +
           trigger("ResumeKeywordsFollowUpdate", "UPDATE", {"OLD.ID", "NEW.ID"}) +
           trigger("ResumeKeywordsFollowDelete", "DELETE", {"OLD.ID"});
}

bool SchemaHas(SqliteConnection& connection, std::string_view type, std::string_view name) {
    SqliteStatement find(connection, "SELECT 1 FROM sqlite_schema WHERE type = ? AND name = ?");
    return find.Bind(1, type).Bind(2, name).Step();
}

// The parts of the index that are gone, by name; empty when it is whole.
std::string MissingParts(SqliteConnection& connection) {
    std::string missing;
    const auto note = [&missing](std::string_view name) {
        missing += (missing.empty() ? "" : ", ") + std::string(name);
    };
    if (!SchemaHas(connection, "table", kKeywordPendingTable))
        note(kKeywordPendingTable);
    for (const char* trigger : kStoredTriggers) {
        if (!SchemaHas(connection, "trigger", trigger))
            note(trigger);
    }
    for (const auto& [table, layout] : kShadowTables) {
        if (!SchemaHas(connection, "table", table))
            note(table);
    }
    return missing;
}

std::int64_t CountOf(SqliteConnection& connection, const char* sql) {
    SqliteStatement count(connection, sql);
    count.Step();
    return count.ColumnInt(0);
}

void CatchUpOnNotedTexts(SqliteConnection& connection) {
    if (CountOf(connection, "SELECT EXISTS (SELECT 1 FROM ResumeKeywordsPending)") == 0)
        return;
    // A bank opened for reading only is searched as its index stands.
    if (!connection.CanAppend())
        return;
    SqliteTransaction transaction(connection);
    connection.Execute(CatchUpSql("1"));
    transaction.Commit();
}

void DropKeywordIndex(SqliteConnection& connection) {
    if (SchemaHas(connection, "table", kKeywordIndexTable)) {
        for (const auto& [table, layout] : kShadowTables)
            connection.Execute(std::string("CREATE TABLE IF NOT EXISTS ") + table + layout);
        // Its settings go with it anyway; a sound record of them lets the engine open it.
        connection.Execute("DELETE FROM ResumeKeywords_config");
        connection.Execute("INSERT INTO ResumeKeywords_config (k, v) VALUES ('version', " +
                           std::to_string(kIndexFormatVersion) + ")");
        connection.Execute("DROP TABLE ResumeKeywords");
    }
    for (const auto& [table, layout] : kShadowTables)
        connection.Execute(std::string("DROP TABLE IF EXISTS ") + table);
    connection.Execute(std::string("DROP TABLE IF EXISTS ") + kKeywordPendingTable);
    for (const char* trigger : kStoredTriggers)
        connection.Execute(std::string("DROP TRIGGER IF EXISTS ") + trigger);
}

} // namespace

bool HasKeywordIndex(SqliteConnection& connection) {
    return SchemaHas(connection, "table", kKeywordIndexTable);
}

void AttachKeywordIndex(SqliteConnection& connection) {
    try {
        RegisterKeywordTokenizer(connection.Handle());
        if (!HasKeywordIndex(connection) || !MissingParts(connection).empty())
            return;
        // Preparing a statement opens the index: one that cannot be opened would make every
        // write of a text fail, so it is left to the next keyword search to offer a rebuild.
        SqliteStatement open(connection, "SELECT rowid FROM ResumeKeywords LIMIT 0");
        connection.Execute(FollowTriggersSql());
    } catch (const EngineError&) {
    }
}

KeywordIndexHealth InspectKeywordIndex(SqliteConnection& connection) {
    if (!HasKeywordIndex(connection))
        return {KeywordIndexState::Missing, {}};
    const std::string missing = MissingParts(connection);
    if (!missing.empty())
        return {KeywordIndexState::Damaged, "missing " + missing};
    std::int64_t indexed = 0;
    std::int64_t texts = 0;
    try {
        SqliteStatement open(connection, "SELECT rowid FROM ResumeKeywords LIMIT 0");
        CatchUpOnNotedTexts(connection);
        indexed = CountOf(connection, "SELECT count(*) FROM ResumeKeywords_docsize");
        texts = CountOf(connection, "SELECT count(DISTINCT ID) FROM Resume WHERE typeof(ID) = 'integer'");
    } catch (const EngineError& error) {
        return {KeywordIndexState::Damaged, error.what()};
    }
    if (indexed != texts)
        return {KeywordIndexState::OutOfStep, std::to_string(texts) + " resume texts, " +
                                                  std::to_string(indexed) + " in the keyword index"};
    return {KeywordIndexState::Ready, {}};
}

bool BuildKeywordIndex(SqliteConnection& connection, const ProgressReport& report) {
    SqliteTransaction transaction(connection);
    DropKeywordIndex(connection);
    connection.Execute(kKeywordIndexSchema);
    const std::int64_t total = CountOf(connection, "SELECT count(*) FROM Resume");
    if (!report(0, total))
        return false;
    // In ID order: the engine writes ascending keys into its index without extra merging.
    SqliteStatement texts(connection, "SELECT ID, coalesce(Details, '') FROM Resume r "
                                      "WHERE typeof(ID) = 'integer' AND rowid = "
                                      "(SELECT min(rowid) FROM Resume WHERE ID = r.ID) ORDER BY ID");
    SqliteStatement insert(connection, "INSERT INTO ResumeKeywords (rowid, Details) VALUES (?, ?)");
    std::int64_t done = 0;
    while (texts.Step()) {
        insert.Bind(1, texts.ColumnInt(0)).Bind(2, texts.ColumnTextView(1)).Step();
        insert.Reset();
        if (++done % 64 == 0 && !report(done, total))
            return false;
    }
    if (!report(total, total))
        return false;
    transaction.Commit();
    return true;
}
