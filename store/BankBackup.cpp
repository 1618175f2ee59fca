#include "store/BankBackup.h"

#include "platform/EngineError.h"
#include "store/BankLock.h"
#include "store/DurableFiles.h"
#include "store/OriginalFiles.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kPartialPrefix = ".TalvanorData-";
constexpr const char* kPartialSuffix = ".partial";
constexpr auto kLockedPause = std::chrono::milliseconds(5);
constexpr auto kLongestLockedWait = std::chrono::seconds(30);

std::string SystemText(int error) {
    if (error == ENOSPC || error == EFBIG || error == EDQUOT)
        return "the disk is full";
    if (error == ENOENT)
        return "the folder is gone";
    return std::strerror(error);
}

[[noreturn]] void FolderFails(const std::string& folder, int error) {
    throw BackupError(BackupProblem::Folder,
                      "the backup folder " + folder + " cannot be written: " + SystemText(error));
}

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

// The copy being made: closed and removed on every way out but the one that renames it into place.
class PartialCopy {
public:
    explicit PartialCopy(std::string path) : m_path(std::move(path)) { ::unlink(m_path.c_str()); }
    ~PartialCopy() {
        db.reset();
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    PartialCopy(const PartialCopy&) = delete;
    PartialCopy& operator=(const PartialCopy&) = delete;
    const std::string& Path() const { return m_path; }
    void Kept() { m_kept = true; }
    Db db;

private:
    std::string m_path;
    bool m_kept = false;
};

// A failure writing the copy, in plain words: the engine's errno says which.
[[noreturn]] void CopyFails(const std::string& folder, sqlite3* destination, int rc, int lastErrno = 0) {
    int error = destination != nullptr ? sqlite3_system_errno(destination) : 0;
    if (error == 0 && (rc & 0xff) == SQLITE_IOERR)
        error = lastErrno; // the backup's own writes do not always record it with the engine
    if (error != 0 || (rc & 0xff) == SQLITE_FULL)
        FolderFails(folder, error != 0 ? error : ENOSPC);
    throw BackupError(BackupProblem::Folder,
                      "the backup folder " + folder + " cannot be written: " + sqlite3_errstr(rc));
}

std::int64_t DataVersion(SqliteConnection& source) {
    SqliteStatement version(source, "PRAGMA data_version");
    version.Step();
    return version.ColumnInt(0);
}

std::vector<std::string> QuickCheck(sqlite3* db) {
    std::vector<std::string> problems;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &statement, nullptr) != SQLITE_OK)
        return {sqlite3_errmsg(db)};
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        if (text != nullptr && std::strcmp(text, "ok") != 0)
            problems.emplace_back(text);
    }
    if (rc != SQLITE_DONE)
        problems.emplace_back(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    return problems;
}

// -1 when the query fails.
std::int64_t CountOne(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    std::int64_t count = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        count = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return count;
}

constexpr const char* kCountResumes = "SELECT count(*) FROM [Abstract Information]";

std::vector<OriginalFile> OriginalsNamedIn(sqlite3* db) {
    std::vector<OriginalFile> originals;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT DISTINCT Sha256, FileName FROM ResumeOriginals", -1, &statement,
                           nullptr) != SQLITE_OK)
        return originals; // a bank from before kept originals
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* sha = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        if (sha != nullptr && std::strlen(sha) == 64)
            originals.push_back(OriginalFile{sha, name != nullptr ? name : "", 0});
    }
    sqlite3_finalize(statement);
    return originals;
}

void PlaceOriginals(sqlite3* copy, const std::string& dataFolder, const std::string& folder,
                    BackupResult& result) {
    // A backup folder is a data folder of its own as far as the originals' paths go.
    std::set<std::string> syncedFolders;
    for (const OriginalFile& original : OriginalsNamedIn(copy)) {
        const std::string from = OriginalPath(dataFolder, original);
        const std::string to = OriginalPath(folder, original);
        const std::string subfolder = to.substr(0, to.rfind('/') + 1);
        if (const int error = MakeFolders(subfolder))
            FolderFails(folder, error);
        const Placement placed = LinkOrCopy(from, to);
        if (placed.error == ENOENT && ::access(from.c_str(), F_OK) != 0) {
            ++result.missingOriginals; // its resume was deleted since the copy was taken
            continue;
        }
        if (placed.error != 0)
            FolderFails(folder, placed.error);
        if (placed.by == PlacedBy::AlreadyThere)
            continue;
        (placed.by == PlacedBy::Link ? result.linkedOriginals : result.copiedOriginals)++;
        syncedFolders.insert(subfolder);
    }
    for (const std::string& subfolder : syncedFolders)
        if (const int error = SyncFolder(subfolder))
            FolderFails(folder, error);
}

void RemoveLeftovers(const std::string& folder) {
    std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
    if (!directory)
        return;
    const std::string prefix = kPartialPrefix;
    const std::string suffix = kPartialSuffix;
    while (const dirent* item = ::readdir(directory.get())) {
        const std::string name = item->d_name;
        if (name.size() > prefix.size() + suffix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            ::unlink((folder + name).c_str());
    }
}

// Removes the shared originals no kept backup names any more; where a backup cannot be read,
// nothing is removed.
void PruneOriginals(const std::string& folder) {
    std::set<std::string> named;
    for (const BackupEntry& backup : ListBackups(folder)) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(backup.path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
        Db db(raw);
        if (rc != SQLITE_OK)
            return;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db.get(), "SELECT Sha256 FROM ResumeOriginals", -1, &statement, nullptr) ==
            SQLITE_OK) {
            int step = SQLITE_OK;
            while ((step = sqlite3_step(statement)) == SQLITE_ROW)
                if (const auto* sha = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)))
                    named.insert(sha);
            sqlite3_finalize(statement);
            if (step != SQLITE_DONE)
                return;
        } else if (CountOne(db.get(), "SELECT count(*) FROM sqlite_schema") < 0) {
            return; // unreadable, not merely older than kept originals
        }
    }
    std::error_code error;
    const std::filesystem::path originals = BackupOriginalsFolder(folder);
    for (auto item = std::filesystem::recursive_directory_iterator(originals, error);
         !error && item != std::filesystem::recursive_directory_iterator(); item.increment(error)) {
        if (!item->is_regular_file())
            continue;
        const std::string name = item->path().filename().string();
        const std::string sha = name.substr(0, name.find('.'));
        if (named.count(sha) == 0 || name.ends_with(kPartialSuffix))
            ::unlink(item->path().c_str());
    }
}

} // namespace

std::string BackupOriginalsFolder(const std::string& backupFolder) {
    return OriginalsFolder(FolderWithSlash(backupFolder));
}

BackupResult MakeBackup(const std::string& dataFolder, const std::string& backupFolder,
                        const BackupOptions& options) {
    const std::string folder = FolderWithSlash(backupFolder);
    // The folder itself is made when missing, never the ones above it: a chosen folder whose disk
    // is gone is reported, not made afresh on another disk.
    if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
        FolderFails(folder, errno);
    if (struct stat info{}; ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        FolderFails(folder, ENOTDIR);
    // One backup into a folder at a time (the program's and one run from cron, say).
    FileLock folderLock;
    if (!folderLock.TryTake(folder + ".backup-lock", FileLock::Kind::Exclusive)) {
        if (folderLock.Error() == EWOULDBLOCK)
            throw BackupError(BackupProblem::Busy, "another backup is being made into " + folder);
        FolderFails(folder, folderLock.Error());
    }
    RemoveLeftovers(folder);

    SqliteConnection source;
    try {
        source.Open(dataFolder + kDatabaseFileName);
    } catch (const EngineError& error) {
        throw BackupError(BackupProblem::Bank, std::string("the bank cannot be read: ") + error.what());
    }

    static int counter = 0;
    PartialCopy copy(folder + kPartialPrefix + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
                     ".mdb" + kPartialSuffix);
    {
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(copy.Path().c_str(), &raw,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        copy.db.reset(raw);
        if (rc != SQLITE_OK)
            CopyFails(folder, copy.db.get(), rc);
    }
    // The copy is written once and synced as a whole below: a journal of its own would only double
    // the writing.
    sqlite3_exec(copy.db.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);

    BackupResult result;
    std::int64_t sourceResumes = -1;
    {
        sqlite3_backup* backup = sqlite3_backup_init(copy.db.get(), "main", source.Handle(), "main");
        if (backup == nullptr)
            CopyFails(folder, copy.db.get(), sqlite3_errcode(copy.db.get()));
        std::unique_ptr<sqlite3_backup, int (*)(sqlite3_backup*)> running(backup, sqlite3_backup_finish);
        std::int64_t version = DataVersion(source);
        auto lockedSince = std::chrono::steady_clock::now();
        for (int step = 1;; ++step) {
            errno = 0;
            const int rc = sqlite3_backup_step(backup, options.pagesPerStep);
            const int stepErrno = errno;
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                // The user's write holds the bank this moment: wait for it, never in its way.
                if (std::chrono::steady_clock::now() - lockedSince > kLongestLockedWait)
                    throw BackupError(BackupProblem::Busy, "the bank stayed locked by another program");
                std::this_thread::sleep_for(kLockedPause);
                continue;
            }
            lockedSince = std::chrono::steady_clock::now();
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_OK) {
                if ((rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB)
                    throw BackupError(BackupProblem::Damaged,
                                      std::string("the bank is damaged: ") + sqlite3_errstr(rc));
                CopyFails(folder, copy.db.get(), rc, stepErrno);
            }
            if (options.afterStep)
                options.afterStep(step);
            if (options.stop && options.stop())
                throw BackupError(BackupProblem::Stopped, "the backup was stopped");
            // Another connection wrote since: the engine starts the copy again at its next step.
            if (const std::int64_t now = DataVersion(source); now != version) {
                version = now;
                if (++result.restarts > options.restartsAllowed)
                    throw BackupError(BackupProblem::Busy, "the bank was written to throughout the backup");
            }
        }
        const int rc = sqlite3_backup_finish(running.release());
        if (rc != SQLITE_OK)
            CopyFails(folder, copy.db.get(), rc);
        // Counted at once: when no write came between, the copy must hold as many.
        SqliteStatement count(source, kCountResumes);
        count.Step();
        if (DataVersion(source) == version)
            sourceResumes = count.ColumnInt(0);
    }
    source.Close();

    if (const std::vector<std::string> problems = QuickCheck(copy.db.get()); !problems.empty())
        throw BackupError(BackupProblem::Damaged, "the bank is damaged: " + problems.front());
    const std::int64_t resumes = CountOne(copy.db.get(), kCountResumes);
    if (resumes < 0 || (sourceResumes >= 0 && resumes != sourceResumes))
        throw BackupError(BackupProblem::Damaged, "the backup's resumes could not be read back whole");
    PlaceOriginals(copy.db.get(), dataFolder, folder, result);
    copy.db.reset();
    if (const int error = SyncFile(copy.Path()))
        FolderFails(folder, error);

    const std::int64_t now = options.now != 0 ? options.now : static_cast<std::int64_t>(std::time(nullptr));
    int sequence = 1; // after any other backup of the same second
    for (const BackupEntry& other : ListBackups(folder))
        if (other.made == now)
            sequence = std::max(sequence, other.sequence + 1);
    result.backup.fileName = BackupFileName(now, sequence, resumes);
    result.backup.path = folder + result.backup.fileName;
    result.backup.made = now;
    result.backup.sequence = sequence;
    result.backup.resumes = resumes;
    result.backup.size = static_cast<std::int64_t>(std::filesystem::file_size(copy.Path()));
    if (::rename(copy.Path().c_str(), result.backup.path.c_str()) != 0)
        FolderFails(folder, errno);
    copy.Kept();
    if (const int error = SyncFolder(folder))
        FolderFails(folder, error);

    for (const BackupEntry& old : BackupsToRemove(ListBackups(folder), now)) {
        if (old.path == result.backup.path)
            continue;
        if (::unlink(old.path.c_str()) == 0)
            result.removed.push_back(old);
    }
    if (!result.removed.empty()) {
        SyncFolder(folder);
        PruneOriginals(folder);
    }
    return result;
}
