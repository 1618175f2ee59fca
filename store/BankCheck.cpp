#include "store/BankCheck.h"

#include <memory>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

constexpr int kStepsBetweenReports = 20000;
constexpr std::size_t kMostProblems = 20;

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

int OnProgress(void* context) {
    const auto* progress = static_cast<const CheckProgress*>(context);
    return (*progress)() ? 0 : 1;
}

} // namespace

CheckResult CheckBankFile(const std::string& path, CheckDepth depth, const CheckProgress& progress) {
    CheckResult result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        result.problems.push_back("the file " + path + " is missing");
        return result;
    }
    // Read-write where allowed (never created), so that a write a crash cut short is rolled back
    // from its journal before the pages are checked.
    sqlite3* raw = nullptr;
    int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, DbCloser> db(raw);
    if (opened == SQLITE_CANTOPEN || opened == SQLITE_READONLY || opened == SQLITE_PERM) {
        db.reset();
        raw = nullptr;
        opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        db.reset(raw);
    }
    if (opened != SQLITE_OK) {
        result.problems.emplace_back(db ? sqlite3_errmsg(db.get()) : "out of memory");
        return result;
    }
    sqlite3_busy_timeout(db.get(), 5000);
    if (progress)
        sqlite3_progress_handler(db.get(), kStepsBetweenReports, OnProgress,
                                 const_cast<CheckProgress*>(&progress));
    sqlite3_stmt* statement = nullptr;
    const char* sql = depth == CheckDepth::Quick ? "PRAGMA quick_check(20)" : "PRAGMA integrity_check(20)";
    if (sqlite3_prepare_v2(db.get(), sql, -1, &statement, nullptr) != SQLITE_OK) {
        result.problems.emplace_back(sqlite3_errmsg(db.get()));
        return result;
    }
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        std::string line = text != nullptr ? text : "";
        // The engine heads its findings with the schema's name; the bank has only "main".
        if (const std::string head = "*** in database main ***\n"; line.rfind(head, 0) == 0)
            line.erase(0, head.size());
        if (line != "ok" && result.problems.size() < kMostProblems)
            result.problems.push_back(line);
    }
    if (rc == SQLITE_INTERRUPT)
        result.stopped = true;
    else if (rc != SQLITE_DONE)
        result.problems.emplace_back(sqlite3_errmsg(db.get()));
    sqlite3_finalize(statement);
    return result;
}

CheckResult CheckBackup(const BackupEntry& backup, CheckDepth depth, const CheckProgress& progress) {
    CheckResult result = CheckBankFile(backup.path, depth, progress);
    if (!result.Whole())
        return result;
    sqlite3* raw = nullptr;
    sqlite3_open_v2(backup.path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<sqlite3, DbCloser> db(raw);
    sqlite3_stmt* statement = nullptr;
    sqlite3_int64 resumes = -1;
    if (sqlite3_prepare_v2(db.get(), "SELECT count(*) FROM [Abstract Information]", -1, &statement,
                           nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        resumes = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    if (resumes != backup.resumes)
        result.problems.push_back("it holds " +
                                  (resumes < 0 ? std::string("no readable") : std::to_string(resumes)) +
                                  " resumes instead of " + std::to_string(backup.resumes));
    return result;
}

std::optional<BackupEntry> NewestGoodBackup(const std::string& folder) {
    for (const BackupEntry& backup : ListBackups(folder))
        if (CheckBackup(backup).Whole())
            return backup;
    return std::nullopt;
}
