#include "platform/DataFolder.h"
#include "store/BankLock.h"
#include "store/ResumeStore.h"
#include "store/Settings.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"

#include <QProcess>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

Ran Bank(const QStringList& arguments) {
    QProcess bank;
    bank.start(QStringLiteral(TALVANOR_BANK_PATH), arguments);
    EXPECT_TRUE(bank.waitForFinished(60000));
    return {bank.exitStatus() == QProcess::NormalExit ? bank.exitCode() : -1,
            bank.readAllStandardOutput().toStdString(), bank.readAllStandardError().toStdString()};
}

std::vector<std::vector<std::string>> Lines(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (!line.empty() && line.back() == '\t')
            fields.emplace_back(); // an empty last field
        lines.push_back(fields);
    }
    return lines;
}

void AddResume(const std::string& name, const std::string& email = {}, const std::string& text = {}) {
    ScriptedMessages messages;
    ResumeStore store;
    store.record.name = name;
    store.record.email = email;
    store.record.resumeText = text;
    store.record.qualifications = "B.E.,";
    ASSERT_TRUE(store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1);
}

TEST(TalvanorBank, BacksUpListsAndRestoresWithTheBankItReplacedKept) {
    FreshBank();
    AddResume("Asha Rao");
    Ran run = Bank({"backup"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto made = Lines(run.out);
    ASSERT_EQ(made.size(), 1u);
    ASSERT_EQ(made[0].size(), 3u);
    EXPECT_EQ(fs::path(made[0][0]).parent_path(), fs::path(DataFolder() + "backups"));
    EXPECT_EQ(made[0][2], "1");
    AddResume("Ravi Kumar");
    ASSERT_EQ(Bank({"backup"}).status, 0);

    run = Bank({"list"});
    EXPECT_EQ(run.status, 0);
    const auto listed = Lines(run.out);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0][2], "2") << "newest first";
    EXPECT_EQ(listed[1], made[0]);

    AddResume("Meena Iyer");
    run = Bank(QStringList{"restore", QString::fromStdString(fs::path(made[0][0]).filename().string())});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Restored " + made[0][0] + " (" + made[0][1] +
                                ", 1 resumes)\nThe bank it replaced is kept as " + DataFolder() +
                                "TalvanorData-replaced-",
                            0),
              0u)
        << run.out;
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Asha Rao"}}));

    // Into a folder of the command line's, and into the one chosen in the program.
    const std::string elsewhere = DataFolder() + "second disk/";
    fs::create_directories(elsewhere);
    ASSERT_EQ(Bank({"backup", QString::fromStdString(elsewhere)}).status, 0);
    EXPECT_EQ(Lines(Bank({"list", QString::fromStdString(elsewhere)}).out).size(), 1u);
    const std::string chosen = DataFolder() + "chosen";
    fs::create_directories(chosen);
    ASSERT_TRUE(WriteBankSetting(kBackupFolderSetting, chosen));
    ASSERT_EQ(Bank({"backup"}).status, 0);
    EXPECT_EQ(Lines(Bank({"list"}).out).size(), 1u);
}

TEST(TalvanorBank, ChecksSaysWhatIsWrongAndRefusesWhatItCannotDo) {
    FreshBank();
    AddResume("Asha Rao");
    Ran run = Bank({"check"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ok\n");
    EXPECT_EQ(Bank({"check", "--quick"}).out, "ok\n");
    ASSERT_EQ(Bank({"backup"}).status, 0);
    const std::string backup = Lines(Bank({"list"}).out)[0][0];

    // Restore under a running Talvanor: refused, the bank as it was.
    {
        BankSession running(DataFolder());
        running.Begin();
        AddResume("Ravi Kumar");
        run = Bank({"restore", QString::fromStdString(backup)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err,
                  "talvanor-bank: not restored: Talvanor has the bank open; close it, then restore\n");
        EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information]"), (Rows{{"2"}}));
    }
    run = Bank({"restore", QString::fromStdString(DataFolder() + "clock.avi")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "talvanor-bank: " + DataFolder() + "clock.avi is no backup of a bank\n");
    run = Bank({"backup", "/nonexistent-disk/backups"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "talvanor-bank: no backup was made: the backup folder /nonexistent-disk/backups/ cannot be "
              "written: the folder is gone\n");

    // A damaged page: named, exit status 1.
    {
        std::fstream file(BankPath(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(3 * 4096);
        const std::string garbage(4096, '\x33');
        file.write(garbage.data(), 4096);
    }
    run = Bank({"check"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out, "ok\n");
    EXPECT_FALSE(run.out.empty());
}

// The groups for a clean-up by script: one resume a line, the strongest tie first; a resume of
// its own is not listed.
TEST(TalvanorBank, ListsTheResumesThatSeemToBeOnePerson) {
    fs::remove(DataFolder() + "TalvanorData.mdb");
    Ran run = Bank({"duplicates"});
    EXPECT_EQ(run.status, 1) << "no bank yet";
    EXPECT_NE(run.err.find("there is no bank at "), std::string::npos) << run.err;
    FreshBank();
    AddResume("Asha Rao", "asha.rao@mail.in", "Asha Rao, +91 98450 12345");
    AddResume("José Müller", "jose@posteo.de", "Call 0151 2345 6789");
    AddResume("ASHA RAO", "Asha.Rao@Mail.in");
    AddResume("Müller José", "", "mobile +49 151 2345 6789");
    AddResume("Lina Haddad", "lina@mail.in");
    run = Bank({"duplicates"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::vector<std::string>>{{"1", "e-mail", "1", "Asha Rao", "asha.rao@mail.in"},
                                                     {"1", "e-mail", "3", "ASHA RAO", "Asha.Rao@Mail.in"},
                                                     {"2", "phone", "2", "José Müller", "jose@posteo.de"},
                                                     {"2", "phone", "4", "Müller José", ""}}))
        << run.out;
    EXPECT_EQ(Bank({"duplicates", "extra"}).status, 2);
}

TEST(TalvanorBank, AnswersHelpAndAWrongCommandLineWithStatusTwo) {
    Ran run = Bank({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* command : {"backup", "check", "list", "restore", "duplicates"})
        EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
    run = Bank({"restore", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: talvanor-bank restore FILE\n", 0), 0u);
    EXPECT_EQ(Bank({}).status, 2);
    EXPECT_EQ(Bank({"restore"}).status, 2);
    EXPECT_EQ(Bank({"list", "a", "b"}).status, 2);
    EXPECT_EQ(Bank({"check", "--deep"}).status, 2);
    run = Bank({"vacuum"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("talvanor-bank: no command \"vacuum\"\n", 0), 0u);
}

} // namespace
