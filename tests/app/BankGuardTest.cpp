#include "app/BankGuard.h"
#include "app/CommandIds.h"
#include "platform/DataFolder.h"
#include "store/BankBackup.h"
#include "store/BankLock.h"
#include "store/ResumeStore.h"
#include "store/Settings.h"
#include "tests/app/FrameFixture.h"
#include "tests/util/Bank.h"
#include "tests/util/DialogScript.h"
#include "tests/util/ScriptedMessages.h"

#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void AddResume(const std::string& name) {
    ResumeStore store;
    store.record.name = name;
    store.record.qualifications = "B.E.,";
    ASSERT_TRUE(store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1);
}

void DamagePage(int page) {
    std::fstream file(BankPath(), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(page) * 4096);
    const std::string garbage(4096, '\x5a');
    file.write(garbage.data(), 4096);
}

long Resumes() {
    return std::stol(QueryRows("SELECT count(*) FROM [Abstract Information]")[0][0]);
}

class BankGuardTest : public FrameTest<> {
protected:
    void SetUp() override {
        FrameTest<>::SetUp();
        FreshBank();
        AddResume("Asha Rao");
    }
    std::string Folder() const { return DataFolder() + "backups/"; }
    ScriptedMessages messages;
};

TEST_F(BankGuardTest, BackUpNowRunsBesideTheWindowAndSaysWhereTheBackupIs) {
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    guard.Watch(m_frame.get());
    guard.OnBackUpNow();
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Backing up the bank...");
    QTRY_VERIFY_WITH_TIMEOUT(!messages.Texts().empty(), 20000);
    const std::vector<BackupEntry> backups = ListBackups(Folder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"The bank is backed up in " + backups[0].path + " (1 resumes)."});
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "Backed up the bank: 1 resumes");
    // Unchanged since, the close backs up nothing; changed, it does, and waits for it.
    guard.BackUpAtClose(BankGuard::kCloseWait);
    EXPECT_EQ(ListBackups(Folder()).size(), 1u);
    AddResume("Ravi Kumar");
    guard.BackUpAtClose(BankGuard::kCloseWait);
    ASSERT_EQ(ListBackups(Folder()).size(), 2u);
    EXPECT_EQ(ListBackups(Folder())[0].resumes, 2);
    EXPECT_EQ(messages.Texts().size(), 1u) << "the close's backup is silent";
}

TEST_F(BankGuardTest, AFolderThatCannotBeWrittenIsReportedOnceASession) {
    ASSERT_TRUE(WriteBankSetting(kBackupFolderSetting, "/nonexistent-disk/backups/"));
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    guard.Watch(m_frame.get());
    guard.BackUpAtClose(BankGuard::kCloseWait);
    AddResume("Ravi Kumar");
    guard.BackUpAtClose(BankGuard::kCloseWait);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{
                  "Talvanor could not back up the bank: the backup folder /nonexistent-disk/backups/ "
                  "cannot be written: the folder is gone.\n\nThe older backups are kept. AddResume > "
                  "Backup Folder... chooses another folder."});
    // Asked for, it is said every time.
    guard.OnBackUpNow();
    QTRY_VERIFY_WITH_TIMEOUT(messages.Texts().size() == 2, 20000);
}

TEST_F(BankGuardTest, ADamagedBankAtStartOffersTheNewestGoodBackupAndRestoresIt) {
    const BackupResult backup = MakeBackup(DataFolder(), Folder());
    for (int number = 0; number < 40; ++number)
        AddResume("Candidate " + std::to_string(number));
    std::ofstream(DataFolder() + ".bank-checked").flush(); // checked a moment ago
    DamagePage(3);
    {
        // Checked today and ended normally: not checked again at this start.
        BankGuard guard(DataFolder());
        guard.CheckAtStart(nullptr);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
    }
    std::ofstream(RunningMarkPath(DataFolder())).flush(); // the last run did not end normally
    messages.AnswerNext(MessageAnswer::Yes);
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    const std::vector<std::string> texts = messages.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("Talvanor found that the bank is damaged: ", 0), 0u) << texts[0];
    EXPECT_NE(
        texts[0].find("\n\nRestore the newest good backup, made " + BackupDateText(backup.backup.made) +
                      " with 1 resumes?\n\nThe bank as it is now is kept beside it. No goes on with the bank "
                      "as it is."),
        std::string::npos)
        << texts[0];
    EXPECT_EQ(texts[1].rfind("Restored the backup made " + BackupDateText(backup.backup.made) +
                                 " with 1 resumes.\n\nThe bank it replaced is kept as " + DataFolder() +
                                 "TalvanorData-replaced-",
                             0),
              0u)
        << texts[1];
    EXPECT_EQ(Resumes(), 1);
    EXPECT_EQ(QueryRows("PRAGMA integrity_check"), (Rows{{"ok"}}));
}

TEST_F(BankGuardTest, AMissingBankWhoseBackupsExistOffersThemAndNoLeavesItMissing) {
    MakeBackup(DataFolder(), Folder());
    fs::remove(BankPath());
    messages.AnswerNext(MessageAnswer::No);
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind(
                  "Talvanor found that the bank " + BankPath() + " is missing.\n\nRestore", 0),
              0u);
    EXPECT_FALSE(fs::exists(BankPath()));
}

TEST_F(BankGuardTest, TheRestoreListShowsEveryBackupAndRestoresTheChosenOneUnlessAnotherTalvanorRuns) {
    BackupOptions options;
    options.now = 1796800000;
    MakeBackup(DataFolder(), Folder(), options);
    AddResume("Ravi Kumar");
    options.now += 3600;
    MakeBackup(DataFolder(), Folder(), options);
    AddResume("Meena Iyer");
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    guard.Watch(m_frame.get());

    std::vector<std::vector<QString>> shown;
    DialogScript script;
    const auto chooseOldest = [&](QDialog& dialog) {
        auto* list = FindControl<QTreeWidget>(&dialog, kRestoreListControl);
        ASSERT_NE(list, nullptr);
        shown.clear();
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            shown.push_back({list->topLevelItem(row)->text(0), list->topLevelItem(row)->text(1)});
        list->setCurrentItem(list->topLevelItem(1));
        Click(dialog, kRestoreButtonControl);
    };
    // A second window on the bank: refused, nothing changed.
    BankSession second(DataFolder());
    second.Begin();
    script.Then(chooseOldest);
    guard.OnRestoreFromBackup();
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Another Talvanor has the bank open. Close it, then restore."});
    EXPECT_EQ(Resumes(), 3);
    second.End();

    script.Then(chooseOldest);
    guard.OnRestoreFromBackup();
    EXPECT_EQ(shown, (std::vector<std::vector<QString>>{
                         {QString::fromStdString(BackupDateText(options.now)), "2"},
                         {QString::fromStdString(BackupDateText(options.now - 3600)), "1"}}));
    EXPECT_EQ(Resumes(), 1);
    // Cancel restores nothing.
    script.Then([](QDialog& dialog) { Click(dialog, kRestoreCancelControl); });
    guard.OnRestoreFromBackup();
    EXPECT_EQ(Resumes(), 1);
    EXPECT_TRUE(script.AllDone());
}

} // namespace
