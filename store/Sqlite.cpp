#include "store/Sqlite.h"

#include "platform/EngineError.h"
#include "store/KeywordWords.h"

#include <sqlite3.h>
#include <utility>

namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void Raise(sqlite3* db) {
    throw EngineError(db != nullptr ? sqlite3_errmsg(db) : "out of memory");
}

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK)
        Raise(db);
}

} // namespace

void SqliteConnection::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

SqliteConnection::SqliteConnection() = default;
SqliteConnection::~SqliteConnection() = default;

void SqliteConnection::Open(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (rc != SQLITE_OK) {
        std::string text = db ? sqlite3_errmsg(db.get()) : "out of memory";
        throw EngineError(text + ": " + path);
    }
    // A double-quoted word is always a name, never a string literal.
    Check(db.get(), sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DML, 0, nullptr));
    Check(db.get(), sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DDL, 0, nullptr));
    Check(db.get(), sqlite3_busy_timeout(db.get(), kBusyTimeoutMs));
    // Every join column has an index of its own. Left on, the planner builds a throwaway index of a
    // whole list table before the first row of a listing (a second at a million resumes), and the
    // listing as a whole runs slower for it.
    Check(db.get(), sqlite3_exec(db.get(), "PRAGMA automatic_index = OFF", nullptr, nullptr, nullptr));
    // The engine reads the file lazily; reading the schema now turns a file that is not a
    // database into an error at open instead of in the middle of an operation.
    Check(db.get(), sqlite3_exec(db.get(), "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr));
    // Every connection of ours reads the keyword index; without the full-text engine it goes
    // on with the described tables alone.
    try {
        RegisterKeywordTokenizer(db.get());
    } catch (const EngineError&) {
    }
    m_db = std::move(db);
}

void SqliteConnection::Close() {
    m_db.reset();
}

void SqliteConnection::Execute(const std::string& sql) {
    if (!m_db)
        throw EngineError("database is not open");
    Check(m_db.get(), sqlite3_exec(m_db.get(), sql.c_str(), nullptr, nullptr, nullptr));
}

bool SqliteConnection::CanAppend() const {
    return sqlite3_db_readonly(m_db.get(), "main") == 0;
}

std::int64_t SqliteConnection::LastInsertRowId() const {
    return sqlite3_last_insert_rowid(m_db.get());
}

int SqliteConnection::Changes() const {
    return sqlite3_changes(m_db.get());
}

std::int64_t SqliteConnection::TotalChanges() const {
    return sqlite3_total_changes64(m_db.get());
}

SqliteStatement::SqliteStatement(const SqliteConnection& connection, std::string_view sql)
    : m_db(connection.Handle()), m_statement(nullptr) {
    if (m_db == nullptr)
        throw EngineError("database is not open");
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (rc != SQLITE_OK)
        Fail();
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(other.m_db), m_statement(std::exchange(other.m_statement, nullptr)) {}

void SqliteStatement::Fail() const {
    Raise(m_db);
}

SqliteStatement& SqliteStatement::Bind(int parameter, std::string_view text) {
    // The engine copies the bytes, so the caller's text need not outlive the statement.
    if (sqlite3_bind_text64(m_statement, parameter, text.data(), text.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK)
        Fail();
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int parameter, std::int64_t value) {
    if (sqlite3_bind_int64(m_statement, parameter, value) != SQLITE_OK)
        Fail();
    return *this;
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Leave the statement reusable after the error has been raised.
    sqlite3_reset(m_statement);
    Fail();
}

void SqliteStatement::Reset() {
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::ColumnCount() const {
    return sqlite3_column_count(m_statement);
}

std::string SqliteStatement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(m_statement, column);
    return name != nullptr ? name : std::string();
}

std::string SqliteStatement::ColumnText(int column) const {
    return std::string(ColumnTextView(column));
}

std::string_view SqliteStatement::ColumnTextView(int column) const {
    // Text may hold any byte, a zero included: take the length, not the terminator.
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    const int size = sqlite3_column_bytes(m_statement, column);
    return bytes != nullptr ? std::string_view(bytes, static_cast<std::size_t>(size)) : std::string_view();
}

std::int64_t SqliteStatement::ColumnInt(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

bool SqliteStatement::ColumnIsNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : m_connection(connection) {
    // Take the write lock at once, so a second writer waits here rather than failing midway.
    m_connection.Execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!m_done && m_connection.IsOpen())
        sqlite3_exec(m_connection.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
    m_connection.Execute("COMMIT");
    m_done = true;
}
