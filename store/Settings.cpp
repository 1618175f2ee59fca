#include "store/Settings.h"

#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

std::optional<std::string> ReadSetting(SqliteConnection& connection, std::string_view name) {
    SqliteStatement read(connection, "SELECT Value FROM TalvanorSettings WHERE Name=?");
    read.Bind(1, name);
    if (!read.Step())
        return std::nullopt;
    return read.ColumnText(0);
}

void WriteSetting(SqliteConnection& connection, std::string_view name, std::string_view value) {
    SqliteStatement write(connection, "INSERT INTO TalvanorSettings (Name, Value) VALUES (?,?) "
                                      "ON CONFLICT (Name) DO UPDATE SET Value=excluded.Value");
    write.Bind(1, name).Bind(2, value).Step();
}

std::optional<std::string> ReadBankSetting(std::string_view name) {
    try {
        SqliteConnection connection;
        connection.Open(DataFolder() + kDatabaseFileName);
        return ReadSetting(connection, name);
    } catch (const EngineError&) {
        return std::nullopt;
    }
}

bool WriteBankSetting(std::string_view name, std::string_view value) {
    try {
        SqliteConnection connection;
        connection.Open(DataFolder() + kDatabaseFileName);
        WriteSetting(connection, name, value);
        return true;
    } catch (const EngineError&) {
        return false;
    }
}
