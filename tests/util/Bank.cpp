#include "tests/util/Bank.h"

#include "platform/DataFolder.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"
#include "tools/BankSetup.h"

#include <filesystem>

void FreshBank() {
    std::filesystem::remove_all(DataFolder());
    PrepareDataFolder(DataFolder());
}

std::string BankPath() {
    return DataFolder() + kDatabaseFileName;
}

Rows QueryRows(const std::string& sql) {
    SqliteConnection connection;
    connection.Open(BankPath());
    SqliteStatement statement(connection, sql);
    Rows rows;
    while (statement.Step()) {
        std::vector<std::string> row;
        for (int column = 0; column < statement.ColumnCount(); ++column)
            row.push_back(statement.ColumnText(column));
        rows.push_back(std::move(row));
    }
    return rows;
}

void ExecuteSql(const std::string& sql) {
    SqliteConnection connection;
    connection.Open(BankPath());
    connection.Execute(sql);
}
