#include "tools/BankLists.h"

#include "tools/BankSchema.h"

#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// The rows of "ComboData" by their kind; false when the query cannot run.
bool ReadLists(sqlite3* db, PickListTexts& lists) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT ID, List FROM ComboData", -1, &raw, nullptr) != SQLITE_OK)
        return false;
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        const int kind = sqlite3_column_int(statement.get(), 0);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 1));
        if (kind >= 1 && kind <= 3 && text != nullptr)
            lists[static_cast<std::size_t>(kind - 1)] = text;
    }
    return rc == SQLITE_DONE;
}

} // namespace

PickListTexts DefaultPickLists() {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    PickListTexts lists;
    if (!db || sqlite3_exec(db.get(), kBankSchema, nullptr, nullptr, nullptr) != SQLITE_OK ||
        !ReadLists(db.get(), lists))
        throw std::runtime_error("cannot read the default pick lists");
    return lists;
}

std::optional<PickListTexts> BankPickLists(const std::string& path, std::string& problem) {
    problem.clear();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return std::nullopt;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    PickListTexts lists;
    if (rc != SQLITE_OK || !ReadLists(db.get(), lists)) {
        problem = db ? sqlite3_errmsg(db.get()) : "out of memory";
        return std::nullopt;
    }
    return lists;
}
