#include "tools/BankSetup.h"

#include "platform/EngineError.h"
#include "store/KeywordIndex.h"
#include "store/KeywordWords.h"
#include "store/OurTables.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"
#include "tools/BankSchema.h"
#include "tools/ClockClip.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

void WriteSchema(const std::string& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot create " + path + ": " +
                                 (db ? sqlite3_errmsg(db.get()) : "out of memory"));
    // The keyword index is created with the bank; it needs our word rules on this connection.
    RegisterKeywordTokenizer(db.get());
    char* error = nullptr;
    const std::string script = std::string("BEGIN;\n") + kBankSchema + "\n" + kKeywordIndexSchema + "\n" +
                               kOurTablesSchema + "\nCOMMIT;";
    if (sqlite3_exec(db.get(), script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error != nullptr ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("cannot create the tables in " + path + ": " + text);
    }
}

// Writes the clip the harvest plays, unless one is there already: a clip the user chose stays.
bool PlaceClip(const fs::path& folder) {
    const fs::path clip = folder / kClipFileName;
    if (fs::exists(clip))
        return false;
    const fs::path partial = clip.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(kClockClip), kClockClipSize);
        if (!out.flush()) {
            fs::remove(partial);
            throw std::runtime_error("cannot write " + clip.string());
        }
    }
    // Renamed into place whole, so the control never meets half a clip.
    fs::rename(partial, clip);
    return true;
}

// An older bank gets the tables of our own it lacks, and the kept originals lose what a crash left
// behind. A file the engine refuses is not ours to mend here: the store reports it when it is opened.
void AddMissingTablesAndSweep(const std::string& folder, const std::string& path, std::chrono::seconds age,
                              BankSetupResult& result) {
    try {
        SqliteConnection connection;
        connection.Open(path);
        result.addedOurTables = AddOurTables(connection);
        result.sweptOriginals =
            SweepOriginals(connection, folder.ends_with('/') ? folder : folder + "/", age);
    } catch (const EngineError&) {
    }
}

} // namespace

void CreateBank(const std::string& path) {
    // Built beside the target and renamed into place, so an interrupted run never leaves a
    // half-made bank that the program would then open.
    const std::string partial = path + ".partial";
    fs::remove(partial);
    try {
        WriteSchema(partial);
    } catch (...) {
        fs::remove(partial);
        throw;
    }
    // Linked into place, never renamed: a link fails on an existing name, so a bank that
    // appeared meanwhile is never replaced.
    std::error_code error;
    fs::create_hard_link(partial, path, error);
    fs::remove(partial);
    if (error == std::errc::file_exists)
        throw std::runtime_error(path + " appeared while it was being created; left as it is");
    if (error)
        throw std::runtime_error("cannot put the new bank in place as " + path + ": " + error.message());
}

BankSetupResult PrepareDataFolder(const std::string& folder, std::chrono::seconds leftoverAge) {
    BankSetupResult result;
    result.createdFolder = fs::create_directories(folder);

    const fs::path bank = fs::path(folder) / kDatabaseFileName;
    if (!fs::exists(bank)) {
        CreateBank(bank.string());
        result.createdDatabase = true;
    } else {
        AddMissingTablesAndSweep(folder, bank.string(), leftoverAge, result);
    }

    const fs::path numberFile = fs::path(folder) / kResumeNumberFileName;
    if (!fs::exists(numberFile)) {
        std::ofstream out(numberFile);
        out << "1";
        if (!out.flush())
            throw std::runtime_error("cannot write " + numberFile.string());
        result.createdNumberFile = true;
    }
    result.createdClip = PlaceClip(folder);
    return result;
}
