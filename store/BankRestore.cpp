#include "store/BankRestore.h"

#include "platform/EngineError.h"
#include "store/BankCheck.h"
#include "store/BankLock.h"
#include "store/DurableFiles.h"
#include "store/OriginalFiles.h"
#include "store/OurTables.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fails(const std::string& what, int error) {
    throw RestoreError(false, what + ": " + std::strerror(error));
}

std::string AsideName(const std::string& dataFolder) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string path = dataFolder + "TalvanorData-replaced-" + stamp + ".mdb";
    for (int sequence = 2; ::access(path.c_str(), F_OK) == 0; ++sequence)
        path = dataFolder + "TalvanorData-replaced-" + stamp + "_" + std::to_string(sequence) + ".mdb";
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

int PutOriginalsBack(SqliteConnection& bank, const std::string& dataFolder, const std::string& backupFolder) {
    if (!HasOriginalsTable(bank))
        return 0;
    int placed = 0;
    SqliteStatement named(bank, "SELECT DISTINCT Sha256, FileName FROM ResumeOriginals");
    while (named.Step()) {
        const OriginalFile original{named.ColumnText(0), named.ColumnText(1), 0};
        if (original.sha256.size() != 64)
            continue;
        const std::string to = OriginalPath(dataFolder, original);
        if (::access(to.c_str(), F_OK) == 0)
            continue;
        const std::string from = OriginalPath(backupFolder, original);
        if (::access(from.c_str(), F_OK) != 0)
            continue; // not in this folder either: Open Original says so for that resume
        if (const int error = MakeFolders(to.substr(0, to.rfind('/') + 1)))
            Fails("the kept originals could not be put back", error);
        const Placement placement = LinkOrCopy(from, to);
        if (placement.error != 0)
            Fails("the kept originals could not be put back", placement.error);
        ++placed;
    }
    return placed;
}

} // namespace

bool BackupFromPath(const std::string& path, BackupEntry& backup) {
    const std::string name = path.substr(path.rfind('/') + 1);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (ParseBackupFileName(name, backup)) {
        backup.path = path;
        backup.size = info.st_size;
        return true;
    }
    // Any other bank file: its resumes counted, its date the file's.
    try {
        SqliteConnection bank;
        bank.Open(path);
        SqliteStatement count(bank, "SELECT count(*) FROM [Abstract Information]");
        count.Step();
        backup = BackupEntry{path,
                             name,
                             static_cast<std::int64_t>(info.st_mtime),
                             1,
                             count.ColumnInt(0),
                             static_cast<std::int64_t>(info.st_size)};
        return true;
    } catch (const EngineError&) {
        return false;
    }
}

RestoreResult RestoreBackup(const BackupEntry& backup, const std::string& dataFolder, bool alreadyAlone,
                            const ProgressReport& indexProgress) {
    FileLock alone;
    if (!alreadyAlone && !alone.TryTake(BankInUsePath(dataFolder), FileLock::Kind::Exclusive)) {
        if (alone.Error() == EWOULDBLOCK)
            throw RestoreError(true, "Talvanor has the bank open; close it, then restore");
        Fails("the data folder " + dataFolder + " cannot be used", alone.Error());
    }
    if (const CheckResult check = CheckBackup(backup); !check.Whole())
        throw RestoreError(false,
                           "the backup " + backup.fileName + " is damaged: " +
                               (check.problems.empty() ? std::string("unreadable") : check.problems.front()));

    const std::string bank = dataFolder + kDatabaseFileName;
    const std::string incoming = dataFolder + ".TalvanorData.mdb.restoring";
    ::unlink(incoming.c_str());
    if (const int error = CopyFileSynced(backup.path, incoming)) {
        ::unlink(incoming.c_str());
        Fails("the backup could not be copied into " + dataFolder, error);
    }
    RestoreResult result;
    if (::access(bank.c_str(), F_OK) == 0) {
        result.movedAside = AsideName(dataFolder);
        if (::rename(bank.c_str(), result.movedAside.c_str()) != 0) {
            const int error = errno;
            ::unlink(incoming.c_str());
            Fails("the bank could not be moved aside", error);
        }
        // A journal a crash left belongs with the bank it was written for.
        const std::string journal = bank + "-journal";
        if (::access(journal.c_str(), F_OK) == 0)
            ::rename(journal.c_str(), (result.movedAside + "-journal").c_str());
    }
    if (::rename(incoming.c_str(), bank.c_str()) != 0) {
        const int error = errno;
        if (!result.movedAside.empty())
            ::rename(result.movedAside.c_str(), bank.c_str());
        ::unlink(incoming.c_str());
        Fails("the backup could not be put in the bank's place", error);
    }
    SyncFolder(dataFolder);

    try {
        SqliteConnection restored;
        restored.Open(bank);
        result.originalsBack = PutOriginalsBack(restored, dataFolder, FolderOf(backup.path));
        AddOurTables(restored);
        if (!HasKeywordIndex(restored))
            result.builtIndex = BuildKeywordIndex(
                restored, indexProgress ? indexProgress : [](std::int64_t, std::int64_t) { return true; });
    } catch (const EngineError& error) {
        throw RestoreError(false, std::string("the restored bank could not be made ready: ") + error.what());
    }
    return result;
}
