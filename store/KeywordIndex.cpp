#include "store/KeywordIndex.h"

#include "platform/EngineError.h"
#include "store/KeywordWords.h"
#include "store/Sqlite.h"

#include <set>
#include <sqlite3.h>
#include <string_view>
#include <vector>

// Only IDs that are integers are indexed: the index is keyed by them, and a resume is listed
// only through its integer ID anyway. A resume's row in the index holds the text of its first
// "Resume" row, the one its details show, and the name, e-mail and organization of its
// "Abstract Information" row; it exists while the resume has a text. The e-mail is indexed as
// written and once more with its dots and slashes as blanks, so that each part of the address is
// a word ("mueller" in jose.mueller@posteo.de) under the same word rules. The notes are skipped
// on a connection of ours that keeps the index in step itself; it says so by a module of that
// name (pragma_module_list: SQLite 3.30 on).
namespace {

constexpr const char* kFollowMarker = "talvanor_follows_keywords";

std::string EmailWords(const std::string& email) {
    const std::string written = "coalesce(" + email + ", '')";
    return written + " || ' ' || replace(replace(" + written + ", '.', ' '), '/', ' ')";
}

// The values of the three fields as the index holds them.
std::string FieldValues(const std::string& name, const std::string& email, const std::string& organization) {
    return "coalesce(" + name + ", ''), " + EmailWords(email) + ", coalesce(" + organization + ", '')";
}
std::string FieldsOf(const std::string& row) {
    return FieldValues(row + ".Name", row + ".Email", row + ".Organization");
}
const std::string kNoFields = FieldValues("NULL", "NULL", "NULL");

constexpr const char* kColumns = "Details, Name, Email, Organization";

// Writes one row of the index: `values` a SELECT list of rowid, text and the three fields.
std::string IndexInsert(const std::string& values, const std::string& from = "") {
    return std::string("INSERT INTO ResumeKeywords (rowid, ") + kColumns + ") SELECT " + values + " " + from +
           ";\n";
}
std::string IndexDelete(const std::string& values, const std::string& from = "") {
    return std::string("INSERT INTO ResumeKeywords (ResumeKeywords, rowid, ") + kColumns +
           ") SELECT 'delete', " + values + " " + from + ";\n";
}

// The first text of the resume `id`, as a FROM clause: no row when it has none.
std::string FirstText(const std::string& id) {
    return "FROM Resume t WHERE t.rowid = (SELECT min(rowid) FROM Resume WHERE ID = " + id +
           ") AND typeof(t.ID) = 'integer'";
}
// The fields of the resume `id`, empty without an "Abstract Information" row.
std::string FieldsFor(const std::string& id) {
    const std::string of = "(SELECT %1 FROM [Abstract Information] WHERE ID = " + id + ")";
    auto field = [&of](const char* column) {
        std::string text = of;
        text.replace(text.find("%1"), 2, column);
        return text;
    };
    return FieldValues(field("Name"), field("Email"), field("Organization"));
}

// What the index holds for `id`, noted before another program changes it.
std::string NoteSql(const std::string& id) {
    return "    INSERT OR IGNORE INTO ResumeKeywordsPending (ID, Indexed, IndexedName, IndexedEmail, "
           "IndexedOrganization)\n        SELECT " +
           id + ", (SELECT coalesce(Details, '') FROM Resume WHERE ID = " + id +
           " ORDER BY rowid LIMIT 1), (SELECT Name FROM [Abstract Information] WHERE ID = " + id +
           "), (SELECT Email FROM [Abstract Information] WHERE ID = " + id +
           "), (SELECT Organization FROM [Abstract Information] WHERE ID = " + id +
           ")\n        WHERE typeof(" + id + ") = 'integer';\n";
}

std::string NoteTrigger(const char* name, const char* when, const char* table,
                        std::initializer_list<const char*> ids) {
    std::string sql = std::string("CREATE TRIGGER ") + name + " BEFORE " + when + " ON " + table +
                      "\nWHEN NOT EXISTS (SELECT 1 FROM pragma_module_list WHERE name = '" + kFollowMarker +
                      "') BEGIN\n";
    for (const char* id : ids)
        sql += NoteSql(id);
    return sql + "END;\n";
}

std::string MakeSchema() {
    std::string sql =
        std::string("CREATE VIRTUAL TABLE ResumeKeywords USING fts5(") + kColumns +
        ", content='', tokenize='talvanor');\n"
        "CREATE TABLE ResumeKeywordsPending (ID INTEGER PRIMARY KEY, Indexed TEXT, IndexedName TEXT,\n"
        "    IndexedEmail TEXT, IndexedOrganization TEXT);\n";
    sql += NoteTrigger("ResumeKeywordsNoteInsert", "INSERT", "Resume", {"NEW.ID"});
    sql += NoteTrigger("ResumeKeywordsNoteUpdate", "UPDATE", "Resume", {"OLD.ID", "NEW.ID"});
    sql += NoteTrigger("ResumeKeywordsNoteDelete", "DELETE", "Resume", {"OLD.ID"});
    sql += NoteTrigger("ResumeKeywordsNoteFieldsInsert", "INSERT", "[Abstract Information]", {"NEW.ID"});
    sql += NoteTrigger("ResumeKeywordsNoteFieldsUpdate", "UPDATE", "[Abstract Information]",
                       {"OLD.ID", "NEW.ID"});
    sql += NoteTrigger("ResumeKeywordsNoteFieldsDelete", "DELETE", "[Abstract Information]", {"OLD.ID"});
    return sql;
}

// Brings the index up to date for the noted IDs: takes out what it holds for each, puts in the
// resume's first text and fields now there, and forgets the notes.
std::string MakeCatchUp() {
    return IndexDelete("ID, Indexed, " + FieldValues("IndexedName", "IndexedEmail", "IndexedOrganization"),
                       "FROM ResumeKeywordsPending WHERE Indexed IS NOT NULL ORDER BY ID") +
           IndexInsert(
               "r.ID, coalesce(r.Details, ''), " + FieldsOf("a"),
               "FROM ResumeKeywordsPending p JOIN Resume r ON r.rowid = (SELECT min(rowid) FROM "
               "Resume WHERE ID = p.ID) LEFT JOIN [Abstract Information] a ON a.ID = p.ID ORDER BY p.ID") +
           "DELETE FROM ResumeKeywordsPending;\n";
}

// A connection that follows the index writes it in the same statement as the row, straight from
// the rows written. A change of the fields rewrites the resume's row in the index, if it has one.
std::string MakeFollowTriggers() {
    const std::string newText = "NEW.ID, coalesce(NEW.Details, ''), ";
    const std::string oldText = "OLD.ID, coalesce(OLD.Details, ''), ";
    const std::string text = "t.ID, coalesce(t.Details, ''), ";
    return "CREATE TEMP TRIGGER ResumeKeywordsFollowInsert AFTER INSERT ON Resume WHEN typeof(NEW.ID) = "
           "'integer' BEGIN\n" +
           IndexInsert(newText + FieldsFor("NEW.ID")) +
           "END;\n"
           "CREATE TEMP TRIGGER ResumeKeywordsFollowUpdate AFTER UPDATE ON Resume BEGIN\n" +
           IndexDelete(oldText + FieldsFor("OLD.ID"), "WHERE typeof(OLD.ID) = 'integer'") +
           IndexInsert(newText + FieldsFor("NEW.ID"), "WHERE typeof(NEW.ID) = 'integer'") +
           "END;\n"
           "CREATE TEMP TRIGGER ResumeKeywordsFollowDelete AFTER DELETE ON Resume WHEN typeof(OLD.ID) = "
           "'integer' BEGIN\n" +
           IndexDelete(oldText + FieldsFor("OLD.ID")) +
           "END;\n"
           "CREATE TEMP TRIGGER ResumeKeywordsFollowFieldsInsert AFTER INSERT ON [Abstract Information] "
           "BEGIN\n" +
           IndexDelete(text + kNoFields, FirstText("NEW.ID")) +
           IndexInsert(text + FieldsOf("NEW"), FirstText("NEW.ID")) +
           "END;\n"
           "CREATE TEMP TRIGGER ResumeKeywordsFollowFieldsUpdate AFTER UPDATE ON [Abstract Information] "
           "BEGIN\n" +
           IndexDelete(text + FieldsOf("OLD"), FirstText("OLD.ID")) +
           IndexInsert(text + FieldsFor("OLD.ID"), FirstText("OLD.ID")) +
           IndexDelete(text + kNoFields, FirstText("NEW.ID") + " AND NEW.ID IS NOT OLD.ID") +
           IndexInsert(text + FieldsOf("NEW"), FirstText("NEW.ID") + " AND NEW.ID IS NOT OLD.ID") +
           "END;\n"
           "CREATE TEMP TRIGGER ResumeKeywordsFollowFieldsDelete AFTER DELETE ON [Abstract Information] "
           "BEGIN\n" +
           IndexDelete(text + FieldsOf("OLD"), FirstText("OLD.ID")) +
           IndexInsert(text + kNoFields, FirstText("OLD.ID")) + "END;\n";
}

} // namespace

const std::string kKeywordIndexSchema = MakeSchema();

namespace {

const std::string kCatchUpSql = MakeCatchUp();
const std::string kFollowTriggersSql = MakeFollowTriggers();

constexpr const char* kStoredTriggers[] = {
    "ResumeKeywordsNoteInsert",       "ResumeKeywordsNoteUpdate",       "ResumeKeywordsNoteDelete",
    "ResumeKeywordsNoteFieldsInsert", "ResumeKeywordsNoteFieldsUpdate", "ResumeKeywordsNoteFieldsDelete"};
constexpr const char* kFollowTriggers[] = {
    "ResumeKeywordsFollowInsert",       "ResumeKeywordsFollowUpdate",
    "ResumeKeywordsFollowDelete",       "ResumeKeywordsFollowFieldsInsert",
    "ResumeKeywordsFollowFieldsUpdate", "ResumeKeywordsFollowFieldsDelete"};

// The engine's own tables behind the index, with their layout, so that an index whose parts
// were removed by hand can still be dropped (the engine must open it to drop it).
constexpr std::pair<const char*, const char*> kShadowTables[] = {
    {"ResumeKeywords_data", "(id INTEGER PRIMARY KEY, block BLOB)"},
    {"ResumeKeywords_idx", "(segid, term, pgno, PRIMARY KEY(segid, term)) WITHOUT ROWID"},
    {"ResumeKeywords_docsize", "(id INTEGER PRIMARY KEY, sz BLOB)"},
    {"ResumeKeywords_config", "(k PRIMARY KEY, v) WITHOUT ROWID"},
};
constexpr int kIndexFormatVersion = 4;

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

// An index built before it held the fields has the text as its only column.
bool HasCurrentLayout(SqliteConnection& connection) {
    SqliteStatement layout(connection, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ? AND "
                                       "sql LIKE '%Details, Name, Email, Organization%'");
    return layout.Bind(1, std::string_view(kKeywordIndexTable)).Step();
}

} // namespace

bool HasKeywordIndex(SqliteConnection& connection) {
    return SchemaHas(connection, "table", kKeywordIndexTable) && HasCurrentLayout(connection);
}

void FollowKeywordIndex(SqliteConnection& connection) {
    // Inside a transaction the triggers could be rolled back while the marker stays.
    if (!connection.IsOpen() || sqlite3_get_autocommit(connection.Handle()) == 0)
        return;
    try {
        if (IsFollowing(connection))
            return;
        const std::set<std::string> present = PresentParts(connection);
        if (present.count(kKeywordIndexTable) == 0 || !MissingParts(present).empty() ||
            !HasCurrentLayout(connection))
            return;
        // Preparing a statement opens the index: one that cannot be opened would make every
        // write of a text fail, so it is left to the next keyword search to offer a rebuild.
        SqliteStatement open(connection, "SELECT rowid FROM ResumeKeywords LIMIT 0");
        connection.Execute(kFollowTriggersSql);
        if (sqlite3_create_module_v2(connection.Handle(), kFollowMarker, &kFollowMarkerModule, nullptr,
                                     nullptr) != SQLITE_OK)
            for (const char* trigger : kFollowTriggers)
                connection.Execute(std::string("DROP TRIGGER temp.") + trigger);
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
    if (!HasCurrentLayout(connection))
        return {KeywordIndexState::OldLayout, "it was built before it held names, e-mails and organizations"};
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
    SqliteStatement texts(connection, "SELECT r.ID, coalesce(r.Details, ''), " + FieldsOf("a") +
                                          " FROM Resume r LEFT JOIN [Abstract Information] a ON a.ID = r.ID "
                                          "WHERE typeof(r.ID) = 'integer' AND r.rowid = "
                                          "(SELECT min(rowid) FROM Resume WHERE ID = r.ID) ORDER BY r.ID");
    SqliteStatement insert(connection, std::string("INSERT INTO ResumeKeywords (rowid, ") + kColumns +
                                           ") VALUES (?, ?, ?, ?, ?)");
    std::int64_t done = 0;
    while (texts.Step()) {
        insert.Bind(1, texts.ColumnInt(0)).Bind(2, texts.ColumnTextView(1));
        for (int field = 2; field <= 4; ++field)
            insert.Bind(field + 1, texts.ColumnTextView(field));
        insert.Step();
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
