#include "store/OriginalsSweep.h"

#include "store/OriginalFiles.h"
#include "store/Sqlite.h"

#include <cctype>
#include <exception>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHexDigits = 64;

bool IsLowerHex(std::string_view text) {
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'a' || c > 'f'))
            return false;
    }
    return true;
}

bool IsOlderThan(const fs::path& path, std::chrono::seconds age) {
    std::error_code error;
    const fs::file_time_type changed = fs::last_write_time(path, error);
    return !error && fs::file_time_type::clock::now() - changed > age;
}

bool Remove(const fs::path& path) {
    std::error_code error;
    return fs::remove(path, error);
}

int RemoveOrphanRows(SqliteConnection& bank) {
    constexpr const char* kOrphans =
        " FROM ResumeOriginals WHERE ID NOT IN (SELECT ID FROM [Abstract Information])";
    // Looked for first, so that a bank with nothing to remove is never written to.
    SqliteStatement any(bank, std::string("SELECT 1") + kOrphans + " LIMIT 1");
    if (!any.Step())
        return 0;
    SqliteTransaction transaction(bank);
    bank.Execute(std::string("DELETE") + kOrphans);
    const int removed = bank.Changes();
    transaction.Commit();
    return removed;
}

// One read transaction over the whole walk: outside one the engine locks and unlocks the bank and
// looks for a journal around every single lookup, which costs far more than the lookup itself.
class ReadTransaction {
public:
    explicit ReadTransaction(SqliteConnection& bank) : m_bank(bank) { m_bank.Execute("BEGIN"); }
    ~ReadTransaction() {
        try {
            m_bank.Execute("COMMIT");
        } catch (const std::exception&) {
        }
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    SqliteConnection& m_bank;
};

// Whether a row names the file `name` (its content and its extension).
bool Named(SqliteStatement& rows, const std::string& name) {
    rows.Reset();
    rows.Bind(1, std::string_view(name).substr(0, kHexDigits));
    const std::string extension = name.substr(kHexDigits);
    while (rows.Step()) {
        if (OriginalExtension(rows.ColumnTextView(0)) == extension)
            return true;
    }
    return false;
}

// The kept files of one subfolder that no row names.
int RemoveUnnamedFiles(SqliteStatement& rows, const fs::path& subfolder, std::chrono::seconds age) {
    int removed = 0;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(subfolder, error)) {
        const std::string name = entry.path().filename().string();
        // Only names of our own making: anything else put here is not ours to remove.
        if (name.size() < kHexDigits || !IsLowerHex(std::string_view(name).substr(0, kHexDigits)) ||
            name.compare(0, 2, subfolder.filename().string()) != 0)
            continue;
        if (OriginalExtension(name) != name.substr(kHexDigits) || Named(rows, name))
            continue;
        if (entry.is_regular_file(error) && IsOlderThan(entry.path(), age) && Remove(entry.path()))
            ++removed;
    }
    return removed;
}

} // namespace

OriginalsSweepResult SweepOriginals(SqliteConnection& bank, const std::string& dataFolder,
                                    std::chrono::seconds minimumAge) {
    OriginalsSweepResult result;
    if (!HasOriginalsTable(bank))
        return result;
    result.rows = RemoveOrphanRows(bank);
    const fs::path folder = OriginalsFolder(dataFolder);
    std::error_code error;
    const ReadTransaction reading(bank);
    SqliteStatement rows(bank, "SELECT FileName FROM ResumeOriginals WHERE Sha256=?");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory(error)) {
            if (name.size() == 2 && IsLowerHex(name))
                result.files += RemoveUnnamedFiles(rows, entry.path(), minimumAge);
        } else if (name.rfind("incoming-", 0) == 0 && name.ends_with(".partial") &&
                   IsOlderThan(entry.path(), minimumAge) && Remove(entry.path())) {
            ++result.files;
        }
    }
    return result;
}
