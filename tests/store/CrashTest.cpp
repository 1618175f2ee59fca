#include "platform/DataFolder.h"
#include "store/BankBackup.h"
#include "store/BankCheck.h"
#include "store/OriginalFiles.h"
#include "store/OriginalsSweep.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"
#include "tests/util/Bank.h"

#include <filesystem>

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Starts a writing loop, waits until it has stored at least one resume, lets it run on for a
// random moment and kills it without warning.
void KillWriterAtRandom(std::mt19937& random, const char* path) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);

    char first = 0;
    ASSERT_EQ(read(output[0], &first, 1), 1) << "the appender died before storing anything";
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(output[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the appender stopped by itself";
}

TEST(Crash, KilledWriterLeavesASoundBankOfWholeResumesAndAnIndexInStep) {
    FreshBank();
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 8; ++round)
        KillWriterAtRandom(random, APPEND_LOOP_PATH);

    EXPECT_EQ(QueryRows("PRAGMA integrity_check"), (Rows{{"ok"}}));
    const long listed = std::stol(QueryRows("SELECT count(*) FROM [Abstract Information]")[0][0]);
    EXPECT_GE(listed, 8);
    // Every resume has all of its rows ...
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information] a WHERE "
                        "(SELECT count(*) FROM Resume r WHERE r.ID=a.ID) <> 1 OR "
                        "(SELECT count(*) FROM Qualifications q WHERE q.ID=a.ID) <> 3 OR "
                        "(SELECT count(*) FROM Specializations s WHERE s.ID=a.ID) <> 2 OR "
                        "(SELECT count(*) FROM Locations l WHERE l.ID=a.ID) <> 2"),
              (Rows{{"0"}}));
    // ... and no row belongs to a resume that was never stored.
    for (const char* table : {"Resume", "Qualifications", "Specializations", "Locations"})
        EXPECT_EQ(QueryRows(std::string("SELECT count(*) FROM ") + table +
                            " WHERE ID NOT IN (SELECT ID FROM [Abstract Information])"),
                  (Rows{{"0"}}))
            << table;

    // Every stored text is found by its own first word, under its own ID ...
    const Rows texts =
        QueryRows("SELECT ID, substr(Details, 1, instr(Details, ' ') - 1) FROM Resume ORDER BY ID");
    ASSERT_EQ(static_cast<long>(texts.size()), listed);
    for (const auto& text : texts)
        EXPECT_EQ(
            QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '\"" + text[1] + "\"'"),
            (Rows{{text[0]}}))
            << text[1];
    // ... and the index holds nothing else: no entry without its resume, nothing left to catch up on.
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeKeywords_docsize"), (Rows{{std::to_string(listed)}}));
    EXPECT_EQ(
        QueryRows("SELECT count(*) FROM ResumeKeywords_docsize WHERE id NOT IN (SELECT ID FROM Resume)"),
        (Rows{{"0"}}));
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeKeywordsPending"), (Rows{{"0"}}));
    EXPECT_EQ(QueryRows("INSERT INTO ResumeKeywords (ResumeKeywords) VALUES ('integrity-check')"), Rows{});
}

TEST(Crash, KilledImportsLeaveNoOriginalWithoutItsResumeAfterTheSweep) {
    FreshBank();
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 8; ++round)
        KillWriterAtRandom(random, IMPORT_LOOP_PATH);
    {
        SqliteConnection bank;
        bank.Open(BankPath());
        SweepOriginals(bank, DataFolder(), std::chrono::seconds(0)); // as the next start does
    }
    // Every resume came with its file, and names one that is there ...
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information] WHERE ID NOT IN (SELECT ID FROM "
                        "ResumeOriginals)"),
              (Rows{{"0"}}));
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeOriginals WHERE ID NOT IN (SELECT ID FROM [Abstract "
                        "Information])"),
              (Rows{{"0"}}));
    std::set<std::string> named;
    for (const auto& row : QueryRows("SELECT Sha256, FileName FROM ResumeOriginals")) {
        const std::string path = OriginalPath(DataFolder(), OriginalFile{row[0], row[1], 0});
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
        named.insert(path);
    }
    EXPECT_GE(named.size(), 4u);
    // ... and no kept file is left that no resume names, half-written ones included.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(OriginalsFolder(DataFolder())))
        if (entry.is_regular_file())
            EXPECT_EQ(named.count(entry.path().string()), 1u) << entry.path();
}

TEST(Crash, KilledBackupsNeverLeaveAPartialBackupListedNorTheBankDamaged) {
    FreshBank();
    const std::string text(3000, 'w');
    for (int number = 0; number < 150; ++number) {                      // about 150 pages: ten steps a backup
        const std::string name = "Candidate " + std::to_string(number); // the record borrows it
        ResumeStore store;
        store.record.name = name;
        store.record.qualifications = "B.E.,";
        store.record.resumeText = text;
        ASSERT_TRUE(store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1);
    }
    const std::string folder = DataFolder() + "backups/";
    std::mt19937 random(std::random_device{}());
    std::set<std::string> checked;
    int kills = 0;
    for (; kills < 210; ++kills) {
        KillWriterAtRandom(random, BACKUP_LOOP_PATH);
        ASSERT_TRUE(CheckBankFile(BankPath(), CheckDepth::Quick).Whole()) << "after kill " << kills;
        // Every backup listed is whole, checked, and has each original it names.
        const std::vector<BackupEntry> listed = ListBackups(folder);
        for (const BackupEntry& backup : listed) {
            if (!checked.insert(backup.fileName).second)
                continue;
            const CheckResult check = CheckBackup(backup);
            ASSERT_TRUE(check.Whole())
                << backup.fileName << ": " << (check.problems.empty() ? "stopped" : check.problems.front());
            SqliteConnection copy;
            copy.Open(backup.path);
            SqliteStatement named(copy, "SELECT Sha256, FileName FROM ResumeOriginals");
            while (named.Step())
                ASSERT_TRUE(std::filesystem::exists(
                    OriginalPath(folder, OriginalFile{named.ColumnText(0), named.ColumnText(1), 0})))
                    << backup.fileName;
        }
        // At most the one copy a kill cut short is left, hidden; the next backup removes it.
        int partial = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            partial += entry.path().filename().string().ends_with(".partial") ? 1 : 0;
        ASSERT_LE(partial, 1);
        // Kept small: the trial is about the last backups, not about rotation.
        for (std::size_t index = 2; index < listed.size(); ++index)
            std::filesystem::remove(listed[index].path);
    }
    EXPECT_EQ(kills, 210);
    std::printf("%d kills during backups, %zu backups finished and checked\n", kills, checked.size());
    EXPECT_GE(checked.size(), 20u) << "too few backups finished between kills to say much";
    EXPECT_EQ(QueryRows("PRAGMA integrity_check"), (Rows{{"ok"}}));
}

} // namespace
