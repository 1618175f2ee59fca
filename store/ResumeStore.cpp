#include "store/ResumeStore.h"

#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "store/KeywordIndex.h"
#include "store/MatchKeyIndex.h"
#include "store/QueryTexts.h"
#include "store/ValueList.h"

#include <charconv>
#include <iterator>
#include <limits>

namespace {

constexpr const char* kNoCurrentRecord = "No current record.";

void Tell(const char* text) {
    ShowMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
}

// The filter "ID=" followed by the ID text. Only a plain decimal number is a valid filter; the
// text is never pasted into SQL.
std::int64_t FilterId(const std::string& idText) {
    const auto first = idText.find_first_not_of(' ');
    const auto last = idText.find_last_not_of(' ');
    std::int64_t id = 0;
    if (first != std::string::npos) {
        const char* begin = idText.data() + first;
        const char* end = idText.data() + last + 1;
        if (*begin == '+')
            ++begin;
        const auto [stop, error] = std::from_chars(begin, end, id);
        if (error == std::errc() && stop == end && begin != end)
            return id;
    }
    throw EngineError("Syntax error in filter expression 'ID=" + idText + "'.");
}

constexpr ResumeStore::ListTarget kListTargets[] = {{kQualificationsQuery, kQualificationsTable},
                                                    {kSpecializationsQuery, kSpecializationsTable},
                                                    {kLocationsQuery, kLocationsTable}};

// A connection that writes texts keeps the keyword index in step in the same transaction.
SqliteConnection& FollowingKeywords(SqliteConnection& connection) {
    FollowKeywordIndex(connection);
    return connection;
}

std::string Bracketed(const std::string& name) {
    return "[" + name + "]";
}

} // namespace

ResumeStore::~ResumeStore() = default;

int ResumeStore::Open() {
    if (IsOpen()) {
        Tell(kDatabaseAlreadyOpen);
        return 1;
    }
    m_connection.Open(DataFolder() + kDatabaseFileName);
    return IsOpen() ? 1 : 0;
}

int ResumeStore::Close() {
    if (!IsOpen()) {
        Tell(kDatabaseAlreadyClose);
        return 1;
    }
    m_connection.Close();
    return IsOpen() ? 0 : 1;
}

std::string ResumeStore::ColumnName(const char* query, int position) {
    const SqliteStatement statement(m_connection, query);
    if (position >= statement.ColumnCount())
        throw EngineError(std::string("Item not found in this collection: column ") +
                          std::to_string(position) + " of '" + query + "'.");
    return Bracketed(statement.ColumnName(position));
}

void ResumeStore::InsertListRow(const char* query, const char* table, std::int64_t id,
                                const std::string& value) {
    SqliteStatement insert(m_connection, "INSERT INTO " + Bracketed(table) + " (" + ColumnName(query, 0) +
                                             "," + ColumnName(query, 1) + ") VALUES (?,?)");
    insert.Bind(1, id).Bind(2, value).Step();
}

int ResumeStore::AppendResume() {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    if (record.name.empty() || record.qualifications.empty()) {
        Tell(kZeroLengthNameOrQualification);
        return 0;
    }
    if (!m_connection.CanAppend()) {
        Tell(kCanNotAppend);
        return 0;
    }
    // All rows of the resume or none: a failure part way leaves no half resume behind.
    SqliteTransaction transaction(FollowingKeywords(m_connection));
    CatchUpKeywordIndex(m_connection);
    const std::int64_t id = AppendAbstract();
    // IDs are 32-bit: a resume numbered beyond them would share its list rows with another.
    if (id > std::numeric_limits<std::int32_t>::max()) {
        Tell(kCanNotAppend);
        return 0;
    }
    const std::string* lists[] = {&record.qualifications, &record.specializations, &record.locations};
    for (std::size_t i = 0; i < std::size(kListTargets); ++i) {
        for (const std::string& piece : CutValueList(*lists[i], true)) {
            if (!m_connection.CanAppend()) {
                Tell(kCanNotAppendSomeField);
                return 0;
            }
            InsertListRow(kListTargets[i].query, kListTargets[i].table, id, piece);
        }
    }
    if (!m_connection.CanAppend()) {
        Tell(kCanNotAppendDetailsField);
        return 0;
    }
    InsertListRow(kResumeQuery, kResumeTable, id, std::string(record.resumeText));
    if (keptOriginal)
        WriteOriginalRow(m_connection, id, *keptOriginal);
    RefreshMatchKeysOf(m_connection, id);
    transaction.Commit();
    return 1;
}

std::int64_t ResumeStore::AppendAbstract() {
    std::string columns;
    for (int position = 1; position <= 5; ++position) {
        if (position > 1)
            columns += ',';
        columns += ColumnName(kAbstractInformationQuery, position);
    }
    SqliteStatement insert(m_connection, "INSERT INTO " + Bracketed(kAbstractInformationTable) + " (" +
                                             columns + ") VALUES (?,?,?,?,?)");
    insert.Bind(1, record.name)
        .Bind(2, record.experience)
        .Bind(3, record.email)
        .Bind(4, record.organization)
        .Bind(5, record.status)
        .Step();
    return m_connection.LastInsertRowId();
}

int ResumeStore::UpdateResume(const std::string& idText) {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    const std::int64_t filterId = FilterId(idText);
    SqliteTransaction transaction(FollowingKeywords(m_connection));
    CatchUpKeywordIndex(m_connection);
    if (!RewriteAbstract(filterId)) {
        // Without its main row the resume cannot be listed: rewriting the rest would only
        // leave orphans behind, so nothing is written and the caller hears of the failure.
        Tell(kRecordNotFound);
        return 0;
    }
    if (!RewriteFirstMatch(kResumeQuery, kResumeTable, filterId, record.resumeText))
        Tell(kRecordNotFound);
    const int rowId = IdTextToInteger(idText);
    const std::string* lists[] = {&record.qualifications, &record.specializations, &record.locations};
    for (std::size_t i = 0; i < std::size(kListTargets); ++i) {
        if (!RewriteListRows(kListTargets[i], *lists[i], filterId, rowId))
            return 0;
    }
    RefreshMatchKeysOf(m_connection, filterId);
    transaction.Commit();
    return 1;
}

bool ResumeStore::RewriteAbstract(std::int64_t filterId) {
    std::string assignments;
    for (int position = 1; position <= 5; ++position) {
        if (position > 1)
            assignments += ',';
        assignments += ColumnName(kAbstractInformationQuery, position) + "=?";
    }
    SqliteStatement update(m_connection, "UPDATE " + Bracketed(kAbstractInformationTable) + " SET " +
                                             assignments + " WHERE " +
                                             ColumnName(kAbstractInformationQuery, 0) + "=?");
    update.Bind(1, record.name)
        .Bind(2, record.experience)
        .Bind(3, record.email)
        .Bind(4, record.organization)
        .Bind(5, record.status)
        .Bind(6, filterId)
        .Step();
    return m_connection.Changes() > 0;
}

std::optional<std::int64_t> ResumeStore::FirstMatch(const char* query, const char* table,
                                                    std::int64_t filterId) {
    SqliteStatement find(m_connection, "SELECT rowid FROM " + Bracketed(table) + " WHERE " +
                                           ColumnName(query, 0) + "=? ORDER BY rowid LIMIT 1");
    if (!find.Bind(1, filterId).Step())
        return std::nullopt;
    return find.ColumnInt(0);
}

std::optional<std::int64_t> ResumeStore::RewriteFirstMatch(const char* query, const char* table,
                                                           std::int64_t filterId, std::string_view value) {
    const auto row = FirstMatch(query, table, filterId);
    if (!row)
        return std::nullopt;
    SqliteStatement update(m_connection, "UPDATE " + Bracketed(table) + " SET " + ColumnName(query, 1) +
                                             "=? WHERE rowid=?");
    update.Bind(1, value).Bind(2, *row).Step();
    return row;
}

bool ResumeStore::RewriteListRows(const ListTarget& target, const std::string& list, std::int64_t filterId,
                                  int rowId) {
    const std::vector<std::string> pieces = CutValueList(list, false);
    for (std::size_t count = 0; count < pieces.size(); ++count) {
        if (count == 0) {
            // The first piece takes the place of the resume's old rows.
            if (const auto kept = RewriteFirstMatch(target.query, target.table, filterId, pieces[0])) {
                DeleteOtherMatches(target, filterId, *kept);
                continue;
            }
            // No old row to take it: say so, but keep the value.
            Tell(kRecordNotFound);
        } else if (!m_connection.CanAppend()) {
            Tell(kCanNotAppendSomeField);
            return false;
        }
        InsertListRow(target.query, target.table, rowId, pieces[count]);
    }
    return true;
}

void ResumeStore::DeleteOtherMatches(const ListTarget& target, std::int64_t filterId, std::int64_t keptRow) {
    SqliteStatement drop(m_connection, "DELETE FROM " + Bracketed(target.table) + " WHERE " +
                                           ColumnName(target.query, 0) + "=? AND rowid<>?");
    drop.Bind(1, filterId).Bind(2, keptRow).Step();
}

int ResumeStore::DeleteResume(const std::string& idText) {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    const std::int64_t filterId = FilterId(idText);
    int result = 1;
    SqliteTransaction transaction(FollowingKeywords(m_connection));
    CatchUpKeywordIndex(m_connection);
    const struct {
        const char* query;
        const char* table;
        const char* missing;
    } targets[] = {{kAbstractInformationQuery, kAbstractInformationTable, kRecordNotFound},
                   {kResumeQuery, kResumeTable, kDetailsRecordNotFound}};
    for (const auto& target : targets) {
        const auto row = FirstMatch(target.query, target.table, filterId);
        if (!row) {
            Tell(target.missing);
            continue;
        }
        SqliteStatement drop(m_connection, "DELETE FROM " + Bracketed(target.table) + " WHERE rowid=?");
        drop.Bind(1, *row).Step();
        if (TableIsEmpty(target.table))
            result = 0;
    }
    const std::optional<OriginalFile> original = ReadOriginalRow(m_connection, filterId);
    DeleteOriginalRow(m_connection, filterId);
    RefreshMatchKeysOf(m_connection, filterId);
    transaction.Commit();
    // Only once the row is gone for good: a file is never missing while a row names it.
    if (original)
        RemoveUnnamedOriginal(m_connection, DataFolder(), *original);
    return result;
}

bool ResumeStore::TableIsEmpty(const char* table) {
    SqliteStatement any(m_connection, "SELECT 1 FROM " + Bracketed(table) + " LIMIT 1");
    return !any.Step();
}

int ResumeStore::LoadPickList(std::string& qualifications, std::string& specializations,
                              std::string& locations) {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    SqliteStatement rows(m_connection, kComboDataQuery);
    for (std::string* list : {&qualifications, &specializations, &locations}) {
        if (!rows.Step())
            throw EngineError(kNoCurrentRecord);
        *list = rows.ColumnText(1);
    }
    return 1;
}

int ResumeStore::LoadValueLists(const std::string& idText, std::string& qualifications,
                                std::string& specializations, std::string& locations) {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    const std::int64_t filterId = FilterId(idText);
    std::string* lists[] = {&qualifications, &specializations, &locations};
    for (std::size_t i = 0; i < std::size(kListTargets); ++i) {
        const ListTarget& target = kListTargets[i];
        SqliteStatement rows(m_connection, "SELECT " + ColumnName(target.query, 1) + " FROM " +
                                               Bracketed(target.table) + " WHERE " +
                                               ColumnName(target.query, 0) + "=? ORDER BY rowid DESC");
        rows.Bind(1, filterId);
        // Last row first: a list is written from its right end, so this text writes the rows
        // back in the order they are stored.
        lists[i]->clear();
        while (rows.Step()) {
            if (!lists[i]->empty())
                *lists[i] += ',';
            lists[i]->append(rows.ColumnTextView(0));
        }
    }
    return 1;
}

int ResumeStore::SavePickList(PickListKind kind, const std::string& pickList) {
    if (!IsOpen()) {
        Tell(kDatabaseNotOpen);
        return 0;
    }
    const int place = static_cast<int>(kind);
    if (place < 1)
        throw EngineError(kNoCurrentRecord);
    // The write lock first: asked for while reading, the engine would refuse it without waiting.
    SqliteTransaction transaction(m_connection);
    SqliteStatement find(m_connection, "SELECT rowid FROM " + Bracketed(kComboDataTable) +
                                           " ORDER BY rowid LIMIT 1 OFFSET ?");
    if (!find.Bind(1, std::int64_t{place - 1}).Step())
        throw EngineError(kNoCurrentRecord);
    SqliteStatement update(m_connection, "UPDATE " + Bracketed(kComboDataTable) + " SET " +
                                             ColumnName(kComboDataQuery, 1) + "=? WHERE rowid=?");
    update.Bind(1, pickList).Bind(2, find.ColumnInt(0)).Step();
    transaction.Commit();
    return 1;
}

SqliteStatement ResumeStore::OpenSnapshot(std::string_view query) {
    return SqliteStatement(m_connection, query);
}
