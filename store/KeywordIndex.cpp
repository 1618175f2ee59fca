#include "store/KeywordIndex.h"

#include "platform/EngineError.h"
#include "store/KeywordWords.h"
#include "store/Sqlite.h"

#include <set>
#include <sqlite3.h>
#include <string_view>
#include <vector>

// Only IDs that are integers are indexed: the index is keyed by them, and a resume is listed
// only through its integer ID anyway. A resume's text in the index is that of its first "Resume"
// row, the one its details show. The notes are skipped on a connection of ours that keeps the
// index in step itself; it says so by a module of that name (pragma_module_list: SQLite 3.30 on).
const char* const kKeywordIndexSchema = R"sql(
CREATE VIRTUAL TABLE ResumeKeywords USING fts5(Details, content='', tokenize='talvanor');
CREATE TABLE ResumeKeywordsPending (ID INTEGER PRIMARY KEY, Indexed TEXT);
CREATE TRIGGER ResumeKeywordsNoteInsert BEFORE INSERT ON Resume
WHEN NOT EXISTS (SELECT 1 FROM pragma_module_list WHERE name = 'talvanor_follows_keywords') BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT NEW.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = NEW.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(NEW.ID) = 'integer';
END;
CREATE TRIGGER ResumeKeywordsNoteUpdate BEFORE UPDATE ON Resume
WHEN NOT EXISTS (SELECT 1 FROM pragma_module_list WHERE name = 'talvanor_follows_keywords') BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT OLD.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = OLD.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(OLD.ID) = 'integer';
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT NEW.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = NEW.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(NEW.ID) = 'integer';
END;
CREATE TRIGGER ResumeKeywordsNoteDelete BEFORE DELETE ON Resume
WHEN NOT EXISTS (SELECT 1 FROM pragma_module_list WHERE name = 'talvanor_follows_keywords') BEGIN
    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed)
        SELECT OLD.ID, (SELECT coalesce(Details, '') FROM Resume WHERE ID = OLD.ID ORDER BY rowid LIMIT 1)
        WHERE typeof(OLD.ID) = 'integer';
END;
)sql";

namespace {

constexpr const char* kStoredTriggers[] = {"ResumeKeywordsNoteInsert", "ResumeKeywordsNoteUpdate",
                                           "ResumeKeywordsNoteDelete"};
constexpr const char* kFollowTriggers[] = {"ResumeKeywordsFollowInsert", "ResumeKeywordsFollowUpdate",
                                           "ResumeKeywordsFollowDelete"};

// The engine's own tables behind the index, with their layout, so that an index whose parts
// were removed by hand can still be dropped (the engine must open it to drop it).
constexpr std::pair<const char*, const char*> kShadowTables[] = {
    {"ResumeKeywords_data", "(id INTEGER PRIMARY KEY, block BLOB)"},
    {"ResumeKeywords_idx", "(segid, term, pgno, PRIMARY KEY(segid, term)) WITHOUT ROWID"},
    {"ResumeKeywords_docsize", "(id INTEGER PRIMARY KEY, sz BLOB)"},
    {"ResumeKeywords_config", "(k PRIMARY KEY, v) WITHOUT ROWID"},
};
constexpr int kIndexFormatVersion = 4;

// Brings the index up to date for the noted IDs: takes out the text it holds for each, puts in
// the first "Resume" text now there, and forgets the notes.
constexpr const char* kCatchUpSql = R"sql(
INSERT INTO ResumeKeywords (ResumeKeywords, rowid, Details)
    SELECT 'delete', ID, Indexed FROM ResumeKeywordsPending WHERE Indexed IS NOT NULL ORDER BY ID;
INSERT INTO ResumeKeywords (rowid, Details)
    SELECT r.ID, coalesce(r.Details, '') FROM ResumeKeywordsPending p
    JOIN Resume r ON r.rowid = (SELECT min(rowid) FROM Resume WHERE ID = p.ID) ORDER BY p.ID;
DELETE FROM ResumeKeywordsPending;
)sql";

// A connection that follows the index writes it in the same statement as the text, straight
// from the rows written.
constexpr const char* kFollowTriggersSql = R"sql(
CREATE TEMP TRIGGER ResumeKeywordsFollowInsert AFTER INSERT ON Resume WHEN typeof(NEW.ID) = 'integer' BEGIN
    INSERT INTO ResumeKeywords (rowid, Details) VALUES (NEW.ID, coalesce(NEW.Details, ''));
END;
CREATE TEMP TRIGGER ResumeKeywordsFollowUpdate AFTER UPDATE ON Resume BEGIN
    INSERT INTO ResumeKeywords (ResumeKeywords, rowid, Details)
        SELECT 'delete', OLD.ID, coalesce(OLD.Details, '') WHERE typeof(OLD.ID) = 'integer';
    INSERT INTO ResumeKeywords (rowid, Details)
        SELECT NEW.ID, coalesce(NEW.Details, '') WHERE typeof(NEW.ID) = 'integer';
END;
CREATE TEMP TRIGGER ResumeKeywordsFollowDelete AFTER DELETE ON Resume WHEN typeof(OLD.ID) = 'integer' BEGIN
    INSERT INTO ResumeKeywords (ResumeKeywords, rowid, Details) VALUES ('delete', OLD.ID, coalesce(OLD.Details, ''));
END;
)sql";

constexpr const char* kFollowMarker = "talvanor_follows_keywords";

// The marker is a module only by name: a table made with it is refused.
int RefuseTable(sqlite3*, void*, int, const char* const*, sqlite3_vtab**, char** error) {
    *error = sqlite3_mprintf("%s only marks a connection", kFollowMarker);
    return SQLITE_ERROR;
}
sqlite3_module MarkerModule() {
    sqlite3_module module{};
    module.xCreate = RefuseTable;
    module.xConnect = RefuseTable;
    return module;
}
const sqlite3_module kFollowMarkerModule = MarkerModule();

bool IsFollowing(SqliteConnection& connection) {
    SqliteStatement marker(connection, "SELECT 1 FROM pragma_module_list WHERE name = ?");
    return marker.Bind(1, std::string_view(kFollowMarker)).Step();
}

bool SchemaHas(SqliteConnection& connection, std::string_view type, std::string_view name) {
    SqliteStatement find(connection, "SELECT 1 FROM sqlite_schema WHERE type = ? AND name = ?");
    return find.Bind(1, type).Bind(2, name).Step();
}

// The names of the index's parts that the bank holds, read in one look at its schema.
std::set<std::string> PresentParts(SqliteConnection& connection) {
    SqliteStatement names(connection, "SELECT name FROM sqlite_schema WHERE name LIKE 'ResumeKeywords%'");
    std::set<std::string> present;
    while (names.Step())
        present.insert(names.ColumnText(0));
    return present;
}

// The parts of an existing index that are gone, by name; empty when it is whole.
std::string MissingParts(const std::set<std::string>& present) {
    std::vector<const char*> wanted = {kKeywordPendingTable};
    wanted.insert(wanted.end(), std::begin(kStoredTriggers), std::end(kStoredTriggers));
    for (const auto& [table, layout] : kShadowTables)
        wanted.push_back(table);
    std::string missing;
    for (const char* name : wanted) {
        if (present.count(name) == 0)
            missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
    return missing;
}

std::int64_t CountOf(SqliteConnection& connection, const char* sql) {
    SqliteStatement count(connection, sql);
    count.Step();
    return count.ColumnInt(0);
}

bool HasNotes(SqliteConnection& connection) {
    return CountOf(connection, "SELECT EXISTS (SELECT 1 FROM ResumeKeywordsPending)") != 0;
}

void CatchUpOnNotedTexts(SqliteConnection& connection) {
    if (!HasNotes(connection))
        return;
    // A bank opened for reading only is searched as its index stands.
    if (!connection.CanAppend())
        return;
    SqliteTransaction transaction(connection);
    connection.Execute(kCatchUpSql);
    transaction.Commit();
}

// The number of texts the index should hold: one per integer ID. Counting rows is quick; the
// distinct IDs are counted only when the rows say something may be amiss.
std::int64_t IndexableTexts(SqliteConnection& connection, std::int64_t indexed) {
    const std::int64_t rows = CountOf(connection, "SELECT count(*) FROM Resume");
    if (rows == indexed)
        return rows;
    return CountOf(connection, "SELECT count(DISTINCT ID) FROM Resume WHERE typeof(ID) = 'integer'");
}

// Also the connection's own triggers: left behind, they would make its next text write fail.
void DropKeywordIndex(SqliteConnection& connection) {
    for (const char* trigger : kFollowTriggers)
        connection.Execute(std::string("DROP TRIGGER IF EXISTS temp.") + trigger);
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

void FollowKeywordIndex(SqliteConnection& connection) {
    // Inside a transaction the triggers could be rolled back while the marker stays.
    if (!connection.IsOpen() || sqlite3_get_autocommit(connection.Handle()) == 0)
        return;
    try {
        if (IsFollowing(connection))
            return;
        const std::set<std::string> present = PresentParts(connection);
        if (present.count(kKeywordIndexTable) == 0 || !MissingParts(present).empty())
            return;
        // Preparing a statement opens the index: one that cannot be opened would make every
        // write of a text fail, so it is left to the next keyword search to offer a rebuild.
        SqliteStatement open(connection, "SELECT rowid FROM ResumeKeywords LIMIT 0");
        connection.Execute(kFollowTriggersSql);
        if (sqlite3_create_module_v2(connection.Handle(), kFollowMarker, &kFollowMarkerModule, nullptr,
                                     nullptr) != SQLITE_OK)
            connection.Execute(
                "DROP TRIGGER temp.ResumeKeywordsFollowInsert; DROP TRIGGER "
                "temp.ResumeKeywordsFollowUpdate; DROP TRIGGER temp.ResumeKeywordsFollowDelete");
    } catch (const EngineError&) {
    }
}

void CatchUpKeywordIndex(SqliteConnection& connection) {
    if (IsFollowing(connection) && HasNotes(connection))
        connection.Execute(kCatchUpSql);
}

KeywordIndexHealth InspectKeywordIndex(SqliteConnection& connection) {
    const std::set<std::string> present = PresentParts(connection);
    if (present.count(kKeywordIndexTable) == 0)
        return {KeywordIndexState::Missing, {}};
    const std::string missing = MissingParts(present);
    if (!missing.empty())
        return {KeywordIndexState::Damaged, "missing " + missing};
    std::int64_t indexed = 0;
    std::int64_t texts = 0;
    try {
        SqliteStatement open(connection, "SELECT rowid FROM ResumeKeywords LIMIT 0");
        CatchUpOnNotedTexts(connection);
        indexed = CountOf(connection, "SELECT count(*) FROM ResumeKeywords_docsize");
        texts = IndexableTexts(connection, indexed);
    } catch (const EngineError& error) {
        return {KeywordIndexState::Damaged, error.what()};
    }
    if (indexed != texts)
        return {KeywordIndexState::OutOfStep, std::to_string(texts) + " resume texts, " +
                                                  std::to_string(indexed) + " in the keyword index"};
    return {KeywordIndexState::Ready, {}};
}

bool BuildKeywordIndex(SqliteConnection& connection, const ProgressReport& report) {
    const bool following = IsFollowing(connection);
    SqliteTransaction transaction(connection);
    DropKeywordIndex(connection);
    connection.Execute(kKeywordIndexSchema);
    // Dropped with the old index and made again in this transaction, so that a connection marked
    // as following has its triggers whether the build ends or is stopped.
    if (following)
        connection.Execute(kFollowTriggersSql);
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
    // The index ends as one piece, merged a step at a time so that the work can be watched and
    // stopped. Appends then merge only their own small pieces, never the whole index at once.
    for (;;) {
        const std::int64_t before = connection.TotalChanges();
        connection.Execute("INSERT INTO ResumeKeywords (ResumeKeywords, rank) VALUES ('merge', -1000)");
        if (!report(total, total))
            return false;
        if (connection.TotalChanges() - before < 2) // nothing was left to merge
            break;
    }
    transaction.Commit();
    FollowKeywordIndex(connection);
    return true;
}
