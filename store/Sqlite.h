#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin layer over the SQLite engine. Every failure raises EngineError with the engine's own
// text. All members are to be called from one thread at a time (the UI thread in the program).
class SqliteConnection {
public:
    SqliteConnection();
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens an existing database file read-write (never creates one) and checks that it is one.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one or more statements that return no rows.
    void Execute(const std::string& sql);
    // False when the file could only be opened for reading: rows cannot be added.
    bool CanAppend() const;
    std::int64_t LastInsertRowId() const;
    int Changes() const;
    std::int64_t TotalChanges() const; // rows changed since the connection opened
    sqlite3* Handle() const { return m_db.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> m_db;
};

// One prepared statement; columns and parameters are addressed by position
// (columns from 0, parameters from 1, as the engine numbers them).
class SqliteStatement {
public:
    SqliteStatement(const SqliteConnection& connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int parameter, std::string_view text);
    SqliteStatement& Bind(int parameter, std::int64_t value);

    // Advances to the next row; false when there are no more rows (or the statement wrote).
    bool Step();
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int column) const;
    std::string ColumnText(int column) const; // NULL reads as the empty text
    // The same text without a copy; valid until the next Step or Reset.
    std::string_view ColumnTextView(int column) const;
    std::int64_t ColumnInt(int column) const;
    bool ColumnIsNull(int column) const;

private:
    [[noreturn]] void Fail() const;
    sqlite3* m_db;
    sqlite3_stmt* m_statement;
};

// Rolls back unless committed: an operation either writes all of its rows or none.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void Commit();

private:
    SqliteConnection& m_connection;
    bool m_done = false;
};
