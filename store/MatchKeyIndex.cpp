#include "store/MatchKeyIndex.h"

#include "store/MatchKeys.h"
#include "store/OurTables.h"
#include "store/Sqlite.h"

#include <string>
#include <vector>

namespace {

// The statements that make one resume's keys, prepared once for a whole catch-up.
class KeyWriter {
public:
    explicit KeyWriter(SqliteConnection& connection)
        : m_fields(connection, "SELECT Name, Email, Organization FROM [Abstract Information] WHERE ID = ?"),
          m_text(connection, "SELECT Details FROM Resume WHERE ID = ? ORDER BY rowid LIMIT 1"),
          m_dropKeys(connection, "DELETE FROM ResumeMatchKeys WHERE ID = ?"),
          m_dropPhones(connection, "DELETE FROM ResumePhoneKeys WHERE ID = ?"),
          m_putKeys(connection, "INSERT INTO ResumeMatchKeys (ID, Email, Name, Organization) "
                                "VALUES (?, nullif(?, ''), nullif(?, ''), nullif(?, ''))"),
          m_putPhone(connection, "INSERT OR IGNORE INTO ResumePhoneKeys (Phone, ID) VALUES (?, ?)"),
          m_forget(connection, "DELETE FROM ResumeMatchKeysPending WHERE ID = ?") {}

    void Write(std::int64_t id) {
        Run(m_dropKeys.Bind(1, id));
        Run(m_dropPhones.Bind(1, id));
        // A resume without its main row is never listed, so it has no keys.
        if (m_fields.Bind(1, id).Step()) {
            m_putKeys.Bind(1, id)
                .Bind(2, EmailKey(m_fields.ColumnTextView(1)))
                .Bind(3, NameKey(m_fields.ColumnTextView(0)))
                .Bind(4, WordsKey(m_fields.ColumnTextView(2)));
            Run(m_putKeys);
            if (m_text.Bind(1, id).Step()) {
                for (const std::string& phone : PhoneKeysInText(m_text.ColumnTextView(0)))
                    Run(m_putPhone.Bind(1, phone).Bind(2, id));
            }
            m_text.Reset();
        }
        m_fields.Reset();
        Run(m_forget.Bind(1, id));
    }

private:
    static void Run(SqliteStatement& statement) {
        statement.Step();
        statement.Reset();
    }

    SqliteStatement m_fields, m_text, m_dropKeys, m_dropPhones, m_putKeys, m_putPhone, m_forget;
};

} // namespace

bool HasMatchKeys(SqliteConnection& connection) {
    SqliteStatement find(connection,
                         "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN (?, ?, ?)");
    find.Bind(1, std::string_view(kMatchKeysTable))
        .Bind(2, std::string_view(kPhoneKeysTable))
        .Bind(3, std::string_view(kMatchKeysPendingTable))
        .Step();
    return find.ColumnInt(0) == 3;
}

std::int64_t PendingMatchKeys(SqliteConnection& connection) {
    if (!HasMatchKeys(connection))
        return 0;
    SqliteStatement count(connection, "SELECT count(*) FROM ResumeMatchKeysPending");
    count.Step();
    return count.ColumnInt(0);
}

void RefreshMatchKeysOf(SqliteConnection& connection, std::int64_t id) {
    if (!HasMatchKeys(connection))
        return;
    KeyWriter(connection).Write(id);
}

bool RefreshMatchKeys(SqliteConnection& connection, const ProgressReport& report) {
    const std::int64_t total = PendingMatchKeys(connection);
    if (total == 0)
        return true;
    if (!connection.CanAppend())
        return false;
    SqliteTransaction transaction(connection);
    KeyWriter writer(connection);
    SqliteStatement noted(connection, "SELECT ID FROM ResumeMatchKeysPending ORDER BY ID");
    std::vector<std::int64_t> ids;
    while (noted.Step())
        ids.push_back(noted.ColumnInt(0));
    if (!report(0, total))
        return false;
    std::int64_t done = 0;
    for (const std::int64_t id : ids) {
        writer.Write(id);
        if (++done % 256 == 0 && !report(done, total))
            return false;
    }
    transaction.Commit();
    report(total, total);
    return true;
}
