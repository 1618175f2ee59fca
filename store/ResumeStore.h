#pragma once

#include "store/OriginalFiles.h"
#include "store/ResumeRecord.h"
#include "store/Sqlite.h"
#include "store/Vocabulary.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one object through which resumes are written and pick lists read and written. A caller
// opens it, performs one operation and closes it. Operations answer 1 for done and 0 for not
// done, show their own messages, and let engine errors (EngineError) end the command.
// All members are to be called from the UI thread only.
class ResumeStore {
public:
    ResumeStore() = default;
    virtual ~ResumeStore();
    ResumeStore(const ResumeStore&) = delete;
    ResumeStore& operator=(const ResumeStore&) = delete;

    int Open();
    int Close();
    bool IsOpen() const { return m_connection.IsOpen(); }

    // Stores `record` as a new resume: every row or none.
    int AppendResume();
    // Rewrites the resume with the given ID text from `record`.
    int UpdateResume(const std::string& idText);
    // Also drops the resume's kept original, once no other resume names its content.
    int DeleteResume(const std::string& idText);
    int LoadPickList(std::string& qualifications, std::string& specializations, std::string& locations);
    // The resume's stored list values, each list joined by "," from its last row to its first: the
    // text that UpdateResume, writing from the right end, stores again in the same order.
    int LoadValueLists(const std::string& idText, std::string& qualifications, std::string& specializations,
                       std::string& locations);
    int SavePickList(PickListKind kind, const std::string& pickList);

    // For the result window's own read-only queries between Open and Close.
    SqliteStatement OpenSnapshot(std::string_view query);

    ResumeRecord record;
    // The file the resume was imported from, already kept (KeepOriginal): AppendResume names it in
    // the resume's own transaction. Empty for a resume typed in or harvested.
    std::optional<OriginalFile> keptOriginal;

    // A list table, with the query that names its columns by position.
    struct ListTarget {
        const char* query;
        const char* table;
    };

private:
    std::string ColumnName(const char* query, int position);
    std::int64_t AppendAbstract();
    void InsertListRow(const char* query, const char* table, std::int64_t id, const std::string& value);
    bool RewriteAbstract(std::int64_t filterId);
    std::optional<std::int64_t> FirstMatch(const char* query, const char* table, std::int64_t filterId);
    std::optional<std::int64_t> RewriteFirstMatch(const char* query, const char* table, std::int64_t filterId,
                                                  std::string_view value);
    bool RewriteListRows(const ListTarget& target, const std::string& list, std::int64_t filterId, int rowId);
    void DeleteOtherMatches(const ListTarget& target, std::int64_t filterId, std::int64_t keptRow);
    bool TableIsEmpty(const char* table);

    SqliteConnection m_connection;
};

// The messages the store shows, exactly.
inline constexpr const char* kDatabaseAlreadyOpen = "database already open";
inline constexpr const char* kDatabaseAlreadyClose = "database already close";
inline constexpr const char* kDatabaseNotOpen = "database is not open";
inline constexpr const char* kZeroLengthNameOrQualification =
    "Name or Qualification having zero length Unable to write ";
inline constexpr const char* kCanNotAppend = "can not append";
inline constexpr const char* kCanNotAppendSomeField = "can not append some field";
inline constexpr const char* kCanNotAppendDetailsField = "can not append details field";
inline constexpr const char* kRecordNotFound = "record not found";
inline constexpr const char* kDetailsRecordNotFound = " Details record not found";

// What the store's callers say when a store cannot be opened or closed (two blanks each).
inline constexpr const char* kUnableToOpenDatabase = "Unable to open  the database";
inline constexpr const char* kUnableToCloseDatabase = "Unable to close  the database";
inline constexpr const char* kUnableToWriteDatabase = "Unable to write in  the database";
