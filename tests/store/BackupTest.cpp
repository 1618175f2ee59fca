#include "platform/DataFolder.h"
#include "store/BankBackup.h"
#include "store/BankCheck.h"
#include "store/BankLock.h"
#include "store/BankRestore.h"
#include "store/KeywordIndex.h"
#include "store/OriginalFiles.h"
#include "store/Sqlite.h"

#include "tests/store/StoreTestSupport.h"
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Folder() {
    return DataFolder() + "backups/";
}

Rows ReadBackup(const std::string& path, const std::string& sql) {
    SqliteConnection backup;
    backup.Open(path);
    SqliteStatement statement(backup, sql);
    Rows rows;
    while (statement.Step()) {
        std::vector<std::string> row;
        for (int column = 0; column < statement.ColumnCount(); ++column)
            row.push_back(statement.ColumnText(column));
        rows.push_back(row);
    }
    return rows;
}

// Every file in the folder, hidden ones included, but not the shared originals.
std::vector<std::string> FolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Garbage over one page in the middle of a file, as a failing disk leaves it.
void DamagePage(const std::string& path, int page) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(page) * 4096);
    const std::string garbage(4096, '\x5a');
    file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
}

class Backups : public StoreTest {
protected:
    std::string Import(const std::string& name, const std::string& bytes) {
        ResumeStore store;
        const RecordTexts texts{name, "2-5", "", "", "Active For Proccesing", "text of " + name};
        Fill(store, texts, "B.E.,", "", "");
        store.keptOriginal = KeepOriginal(DataFolder(), bytes, name + ".pdf");
        EXPECT_EQ(store.Open(), 1);
        EXPECT_EQ(store.AppendResume(), 1);
        store.Close();
        return QueryRows("SELECT max(ID) FROM [Abstract Information]")[0][0];
    }
    // Enough resumes that a backup takes several steps of a few pages.
    void AddResumes(int count) {
        for (int number = 0; number < count; ++number)
            Append("Candidate " + std::to_string(number), "B.E.,", "S,", "L,", std::string(3000, 'w'));
    }
};

TEST_F(Backups, ABackupIsACheckedCopyNamedByItsDateAndResumesWithItsOriginalsLinkedOnce) {
    Import("Asha Rao", "%PDF-1.4 Asha");
    Import("Ravi Kumar", "%PDF-1.4 Ravi");
    BackupOptions options;
    options.now = 1796800000; // a Thursday afternoon in December 2026
    const BackupResult first = MakeBackup(DataFolder(), Folder(), options);
    EXPECT_EQ(first.backup.resumes, 2);
    EXPECT_EQ(first.backup.fileName, BackupFileName(options.now, 1, 2));
    EXPECT_EQ(first.linkedOriginals, 2);
    EXPECT_EQ(ReadBackup(first.backup.path, "SELECT Name FROM [Abstract Information] ORDER BY ID"),
              (Rows{{"Asha Rao"}, {"Ravi Kumar"}}));
    EXPECT_EQ(ReadBackup(first.backup.path, "PRAGMA integrity_check"), (Rows{{"ok"}}));
    // The original is the same file, not a copy: two names of one inode.
    const OriginalFile asha = *[] {
        SqliteConnection bank;
        bank.Open(BankPath());
        return ReadOriginalRow(bank, 1);
    }();
    struct stat kept {
    }, backedUp{};
    ASSERT_EQ(stat(OriginalPath(DataFolder(), asha).c_str(), &kept), 0);
    ASSERT_EQ(stat(OriginalPath(Folder(), asha).c_str(), &backedUp), 0);
    EXPECT_EQ(kept.st_ino, backedUp.st_ino);

    // A second backup in the same second gets a name of its own and links nothing again.
    Import("Meena Iyer", "%PDF-1.4 Meena");
    const BackupResult second = MakeBackup(DataFolder(), Folder(), options);
    EXPECT_EQ(second.backup.fileName, BackupFileName(options.now, 2, 3));
    EXPECT_EQ(second.linkedOriginals, 1);
    const std::vector<BackupEntry> listed = ListBackups(Folder());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].fileName, second.backup.fileName) << "newest first";
    EXPECT_EQ(listed[0].resumes, 3);
    EXPECT_EQ(listed[0].size, static_cast<std::int64_t>(fs::file_size(BankPath())));
    EXPECT_EQ(listed[1].resumes, 2);
    // Nothing half-made is left beside them: only the two backups and the lock.
    EXPECT_EQ(FolderFiles(Folder()),
              (std::vector<std::string>{".backup-lock", first.backup.fileName, second.backup.fileName}));
}

TEST_F(Backups, OnAnotherFileSystemEachOriginalIsCopiedOnceAndStaysWhenItsResumeGoes) {
    const std::string elsewhere = "/dev/shm/talvanor-backups-" + std::to_string(getpid()) + "/";
    struct stat shm {
    }, data{};
    if (stat("/dev/shm", &shm) != 0 || stat(DataFolder().c_str(), &data) != 0 || shm.st_dev == data.st_dev)
        GTEST_SKIP() << "no second file system here";
    fs::remove_all(elsewhere);
    const std::string id = Import("Asha Rao", "%PDF-1.4 Asha");
    SqliteConnection bank;
    bank.Open(BankPath());
    const OriginalFile asha = *ReadOriginalRow(bank, std::stoll(id));
    bank.Close();
    const BackupResult first = MakeBackup(DataFolder(), elsewhere);
    EXPECT_EQ(first.copiedOriginals, 1);
    EXPECT_EQ(first.linkedOriginals, 0);
    EXPECT_EQ(MakeBackup(DataFolder(), elsewhere).copiedOriginals, 0) << "copied once, not each time";
    ResumeStore store;
    ASSERT_EQ(store.Open(), 1);
    store.DeleteResume(id);
    store.Close();
    EXPECT_FALSE(fs::exists(OriginalPath(DataFolder(), asha)));
    EXPECT_TRUE(fs::exists(OriginalPath(elsewhere, asha)))
        << "the backup still holds the deleted resume's original";
    fs::remove_all(elsewhere);
}

TEST_F(Backups, AWriteByAnotherConnectionDuringABackupIsInTheBackupAndWaitsForOneStepAtMost) {
    AddResumes(120);
    BackupOptions options;
    options.pagesPerStep = 8;
    int appendedAt = 0;
    options.afterStep = [&](int step) {
        if (step == 3) {
            Append("Written meanwhile", "M.E.,");
            appendedAt = step;
        }
    };
    const BackupResult result = MakeBackup(DataFolder(), Folder(), options);
    EXPECT_EQ(appendedAt, 3);
    EXPECT_EQ(result.restarts, 1);
    EXPECT_EQ(result.backup.resumes, 121);
    EXPECT_EQ(ReadBackup(result.backup.path,
                         "SELECT count(*) FROM [Abstract Information] WHERE Name='Written meanwhile'"),
              (Rows{{"1"}}));

    // Writes from another thread throughout: none fails, the backup holds a whole state between.
    std::atomic<bool> done{false};
    std::atomic<int> appended{0};
    std::chrono::steady_clock::duration longest{};
    std::thread writer([&] {
        while (!done) {
            const auto start = std::chrono::steady_clock::now();
            ResumeStore store;
            store.record.name = "Concurrent";
            store.record.qualifications = "B.E.,";
            if (store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1)
                ++appended;
            longest = std::max(longest, std::chrono::steady_clock::now() - start);
        }
    });
    BackupOptions slow;
    slow.pagesPerStep = 4;
    slow.restartsAllowed = 1000;
    const BackupResult during = MakeBackup(DataFolder(), Folder(), slow);
    done = true;
    writer.join();
    EXPECT_GE(during.backup.resumes, 121);
    EXPECT_LE(during.backup.resumes, 121 + appended.load());
    EXPECT_TRUE(CheckBackup(during.backup).Whole());
    EXPECT_LT(longest, std::chrono::seconds(1)) << "an append waited for the whole backup";
    EXPECT_EQ(Count("[Abstract Information]"), 121 + appended.load());
}

TEST_F(Backups, WrittenToThroughoutOrStoppedABackupLeavesNothingAndTheOlderOnesStay) {
    AddResumes(60);
    const BackupResult older = MakeBackup(DataFolder(), Folder());
    BackupOptions options;
    options.pagesPerStep = 2;
    options.restartsAllowed = 2;
    options.afterStep = [this](int) { Append("Busy recruiter", "B.E.,"); };
    try {
        MakeBackup(DataFolder(), Folder(), options);
        ADD_FAILURE() << "a backup written to after every step finished";
    } catch (const BackupError& error) {
        EXPECT_EQ(error.Problem(), BackupProblem::Busy);
        EXPECT_STREQ(error.what(), "the bank was written to throughout the backup");
    }
    BackupOptions stopping;
    stopping.pagesPerStep = 2;
    stopping.stop = [] { return true; };
    EXPECT_THROW(MakeBackup(DataFolder(), Folder(), stopping), BackupError);
    EXPECT_EQ(FolderFiles(Folder()), (std::vector<std::string>{".backup-lock", older.backup.fileName}));
}

TEST_F(Backups, AFullDiskOrAVanishedFolderIsSaidInPlainWordsAndTheOlderBackupsStay) {
    AddResumes(100); // about 400 KB
    const BackupResult older = MakeBackup(DataFolder(), Folder());
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // an error from the system, not death
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string reason;
    try {
        MakeBackup(DataFolder(), Folder());
    } catch (const BackupError& error) {
        reason = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(reason, "the backup folder " + Folder() + " cannot be written: the disk is full");
    EXPECT_EQ(FolderFiles(Folder()), (std::vector<std::string>{".backup-lock", older.backup.fileName}));

    // A chosen folder on a disk that is gone is not made again elsewhere.
    const std::string gone = DataFolder() + "usb-stick/backups/";
    try {
        MakeBackup(DataFolder(), gone);
        ADD_FAILURE() << "backed up into a folder that is gone";
    } catch (const BackupError& error) {
        EXPECT_EQ(error.Problem(), BackupProblem::Folder);
        EXPECT_STREQ(error.what(),
                     ("the backup folder " + gone + " cannot be written: the folder is gone").c_str());
    }
    EXPECT_FALSE(fs::exists(DataFolder() + "usb-stick"));
    // The folder vanishing in the middle of a backup: reported, the bank untouched.
    BackupOptions options;
    options.pagesPerStep = 8;
    options.afterStep = [](int step) {
        if (step == 2)
            fs::remove_all(Folder());
    };
    EXPECT_THROW(MakeBackup(DataFolder(), Folder(), options), BackupError);
    EXPECT_EQ(QueryRows("PRAGMA integrity_check"), (Rows{{"ok"}}));
    EXPECT_EQ(Count("[Abstract Information]"), 100);
}

TEST_F(Backups, TheCheckNamesWhatIsWrongAndADamagedBackupIsNeverTheGoodOne) {
    AddResumes(100);
    EXPECT_TRUE(CheckBankFile(BankPath(), CheckDepth::Full).Whole());
    BackupOptions options;
    options.now = 1796800000;
    const BackupResult good = MakeBackup(DataFolder(), Folder(), options);
    Append("Later", "B.E.,");
    options.now += 3600;
    const BackupResult newest = MakeBackup(DataFolder(), Folder(), options);
    options.now += 3600;
    Append("Latest", "B.E.,");
    const BackupResult truncated = MakeBackup(DataFolder(), Folder(), options);
    EXPECT_EQ(NewestGoodBackup(Folder())->fileName, truncated.backup.fileName);

    DamagePage(newest.backup.path, 20);
    fs::resize_file(truncated.backup.path, 8192);
    const CheckResult damaged = CheckBackup(newest.backup);
    EXPECT_FALSE(damaged.Whole());
    EXPECT_FALSE(damaged.problems.empty());
    EXPECT_FALSE(CheckBackup(truncated.backup).Whole());
    EXPECT_EQ(NewestGoodBackup(Folder())->fileName, good.backup.fileName);

    // A bank with a damaged page, a missing one, a file that is no bank.
    DamagePage(BankPath(), 20);
    const CheckResult bank = CheckBankFile(BankPath(), CheckDepth::Full);
    ASSERT_FALSE(bank.problems.empty());
    EXPECT_FALSE(CheckBankFile(BankPath(), CheckDepth::Quick).Whole());
    EXPECT_EQ(CheckBankFile(DataFolder() + "none.mdb", CheckDepth::Quick).problems,
              std::vector<std::string>{"the file " + DataFolder() + "none.mdb is missing"});
    std::ofstream(DataFolder() + "notes.mdb") << std::string(5000, 'n');
    EXPECT_EQ(CheckBankFile(DataFolder() + "notes.mdb", CheckDepth::Quick).problems,
              std::vector<std::string>{"file is not a database"});
    // A damaged bank gives no backup to take the place of the good ones.
    try {
        MakeBackup(DataFolder(), Folder());
        ADD_FAILURE() << "a damaged bank was backed up";
    } catch (const BackupError& error) {
        EXPECT_EQ(error.Problem(), BackupProblem::Damaged);
    }
    EXPECT_EQ(ListBackups(Folder()).size(), 3u);
}

TEST_F(Backups, RestoreMovesTheBankAsideBringsBackItsOriginalsAndBuildsAMissingIndex) {
    const std::string id = Import("Asha Rao", "%PDF-1.4 Asha");
    const BackupResult backup = MakeBackup(DataFolder(), Folder());
    Import("Ravi Kumar", "%PDF-1.4 Ravi");
    {
        ResumeStore store;
        ASSERT_EQ(store.Open(), 1);
        store.DeleteResume(id); // Asha's original goes with her
        store.Close();
    }
    const RestoreResult restored = RestoreBackup(backup.backup, DataFolder());
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Asha Rao"}}));
    EXPECT_EQ(restored.originalsBack, 1);
    SqliteConnection bank;
    bank.Open(BankPath());
    EXPECT_TRUE(fs::exists(OriginalPath(DataFolder(), *ReadOriginalRow(bank, 1))));
    bank.Close();
    // The bank it replaced is kept, whole, under a dated name: the restore can be undone.
    ASSERT_FALSE(restored.movedAside.empty());
    EXPECT_EQ(fs::path(restored.movedAside).parent_path(), fs::path(DataFolder()).parent_path());
    EXPECT_EQ(fs::path(restored.movedAside).filename().string().rfind("TalvanorData-replaced-", 0), 0u);
    EXPECT_EQ(ReadBackup(restored.movedAside, "SELECT Name FROM [Abstract Information]"),
              (Rows{{"Ravi Kumar"}}));

    // A backup of a bank from before keyword search gets its index after the restore.
    ExecuteSql("DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending");
    const BackupResult withoutIndex = MakeBackup(DataFolder(), Folder());
    const RestoreResult again = RestoreBackup(withoutIndex.backup, DataFolder());
    EXPECT_TRUE(again.builtIndex);
    bank.Open(BankPath());
    EXPECT_EQ(InspectKeywordIndex(bank).state, KeywordIndexState::Ready);
}

TEST_F(Backups, RestoreIsRefusedWhileAnotherTalvanorHasTheBankOpenAndADamagedBackupIsRefused) {
    Append("Asha Rao", "B.E.,");
    const BackupResult backup = MakeBackup(DataFolder(), Folder());
    Append("Ravi Kumar", "B.E.,");
    {
        BankSession running(DataFolder());
        running.Begin();
        try {
            RestoreBackup(backup.backup, DataFolder());
            ADD_FAILURE() << "restored under a running Talvanor";
        } catch (const RestoreError& error) {
            EXPECT_TRUE(error.InUse());
            EXPECT_STREQ(error.what(), "Talvanor has the bank open; close it, then restore");
        }
        // The program restoring for itself takes the bank alone, which a second one prevents.
        BankSession second(DataFolder());
        second.Begin();
        EXPECT_FALSE(running.TakeAlone());
        second.End();
        EXPECT_TRUE(running.TakeAlone());
        RestoreBackup(backup.backup, DataFolder(), true);
        running.ShareAgain();
    }
    EXPECT_EQ(Count("[Abstract Information]"), 1);

    Append("Meena Iyer", "B.E.,");
    DamagePage(backup.backup.path, 1);
    EXPECT_THROW(RestoreBackup(backup.backup, DataFolder()), RestoreError);
    EXPECT_EQ(Count("[Abstract Information]"), 2) << "the bank stays as it was";
}

TEST_F(Backups, ADamagedBankIsFoundAtStartAndTheNewestGoodBackupGivesItBack) {
    AddResumes(100);
    const BackupResult backup = MakeBackup(DataFolder(), Folder());
    DamagePage(BankPath(), 30);
    EXPECT_FALSE(CheckBankFile(BankPath(), CheckDepth::Full).Whole());
    const std::optional<BackupEntry> newest = NewestGoodBackup(Folder());
    ASSERT_TRUE(newest.has_value());
    EXPECT_EQ(newest->resumes, 100);
    RestoreBackup(*newest, DataFolder());
    EXPECT_TRUE(CheckBankFile(BankPath(), CheckDepth::Full).Whole());
    EXPECT_EQ(Count("[Abstract Information]"), 100);
    // A missing bank is restored the same way, with nothing to move aside.
    fs::remove(BankPath());
    EXPECT_EQ(RestoreBackup(backup.backup, DataFolder()).movedAside, "");
    EXPECT_EQ(Count("[Abstract Information]"), 100);
}

TEST(BankSessions, AMarkLeftByARunThatDidNotEndNormallyIsSeenOnceByTheNextStart) {
    FreshBank();
    {
        BankSession first(DataFolder());
        EXPECT_FALSE(first.Begin());
        BankSession second(DataFolder()); // a second window on the same data folder
        EXPECT_FALSE(second.Begin());
        first.End();
        EXPECT_TRUE(fs::exists(RunningMarkPath(DataFolder()))) << "the second still runs";
    }
    EXPECT_FALSE(fs::exists(RunningMarkPath(DataFolder())));
    // A run killed: its lock goes with it, its mark stays.
    const pid_t child = fork();
    if (child == 0) {
        BankSession killed(DataFolder());
        killed.Begin();
        ::raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    BankSession next(DataFolder());
    EXPECT_TRUE(next.Begin());
    next.End();
    BankSession after(DataFolder());
    EXPECT_FALSE(after.Begin());
}

} // namespace
