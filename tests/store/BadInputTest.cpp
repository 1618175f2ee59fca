#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "store/Sqlite.h"
#include "tests/store/StoreTestSupport.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Texts = std::vector<std::string>;

// Every table a resume touches, to prove nothing half-written is left.
long ResumeRowCount() {
    long total = 0;
    for (const char* table :
         {"[Abstract Information]", "Qualifications", "Specializations", "Locations", "Resume"})
        total += std::stol(QueryRows(std::string("SELECT count(*) FROM ") + table)[0][0]);
    return total;
}

int AppendOne(ResumeStore& store) {
    store.record.name = "Ann";
    store.record.qualifications = "B.E.,M.E.,";
    store.record.specializations = "ERP,";
    store.record.locations = "Pune,";
    store.record.resumeText = "text";
    return store.AppendResume();
}

std::string EngineText(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const EngineError& error) {
        return error.what();
    }
    return "(no engine error)";
}

TEST_F(StoreTest, AppendIsAtomicUnderAnInjectedFailure) {
    Append("Kept", "Q,");
    ExecuteSql(
        "CREATE TRIGGER fail BEFORE INSERT ON Resume BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    const long before = ResumeRowCount();
    ResumeStore store;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(EngineText([&] { AppendOne(store); }), "injected failure");
    EXPECT_EQ(ResumeRowCount(), before);
    // The store is still usable once the fault is gone.
    ExecuteSql("DROP TRIGGER fail");
    EXPECT_EQ(AppendOne(store), 1);
    EXPECT_EQ(ResumeRowCount(), before + 6);
}

TEST_F(StoreTest, RewriteIsAtomicUnderAnInjectedFailure) {
    const std::string id = Append("Kept", "X,Y,", "S,", "L,");
    ExecuteSql(
        "CREATE TRIGGER fail BEFORE INSERT ON Locations BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    const Rows before = QueryRows("SELECT * FROM [Abstract Information], Qualifications, Resume");
    ResumeStore store;
    store.record.name = "Changed";
    store.record.qualifications = "A,B,C,";
    store.record.locations = "M,N,";
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(EngineText([&] { store.UpdateResume(id); }), "injected failure");
    EXPECT_EQ(QueryRows("SELECT * FROM [Abstract Information], Qualifications, Resume"), before);
}

TEST_F(StoreTest, MissingBankFileIsAnEngineErrorNamingTheFile) {
    std::filesystem::remove(BankPath());
    ResumeStore store;
    const std::string text = EngineText([&] { store.Open(); });
    EXPECT_NE(text.find("TalvanorData.mdb"), std::string::npos) << text;
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(BankPath())); // never created by the program
}

TEST_F(StoreTest, FileThatIsNotADatabaseFailsAtOpen) {
    std::ofstream(BankPath(), std::ios::trunc) << std::string(4096, 'Z');
    ResumeStore store;
    EXPECT_EQ(EngineText([&] { store.Open(); }), "file is not a database");
    EXPECT_FALSE(store.IsOpen());
    EXPECT_EQ(EngineText([&] { store.Open(); }), "file is not a database"); // and again, no crash
}

TEST_F(StoreTest, MissingTableEndsTheOperationWithNothingHalfWritten) {
    ExecuteSql("DROP TABLE Locations");
    ResumeStore store;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(EngineText([&] { AppendOne(store); }), "no such table: Locations");
    EXPECT_EQ(std::stol(QueryRows("SELECT count(*) FROM [Abstract Information]")[0][0]), 0);
    EXPECT_EQ(std::stol(QueryRows("SELECT count(*) FROM Qualifications")[0][0]), 0);
}

TEST_F(StoreTest, MissingPickListRowIsAnEngineError) {
    ExecuteSql("DELETE FROM ComboData");
    ResumeStore store;
    std::string q, s, l;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(EngineText([&] { store.LoadPickList(q, s, l); }), "No current record.");
}

TEST_F(StoreTest, FileLockedByAnotherWriterEndsTheAppendCleanly) {
    ResumeStore store;
    ASSERT_EQ(store.Open(), 1);
    SqliteConnection other;
    other.Open(BankPath());
    other.Execute("BEGIN EXCLUSIVE");
    EXPECT_EQ(EngineText([&] { AppendOne(store); }), "database is locked");
    other.Execute("ROLLBACK");
    EXPECT_EQ(ResumeRowCount(), 0);
    EXPECT_EQ(AppendOne(store), 1); // and it works once the other writer is gone
}

// Another process takes a write on the bank and lets it go after a moment: every writing
// operation waits for it instead of failing at once.
TEST_F(StoreTest, EveryWriteWaitsForAnotherProcessHoldingAWrite) {
    const std::string id = Append("Ann", "Q,");
    const std::function<int(ResumeStore&)> operations[] = {
        [](ResumeStore& store) { return store.SavePickList(PickListKind::Locations, "Pune ,Goa"); },
        [](ResumeStore& store) { return AppendOne(store); },
        [&](ResumeStore& store) { return store.UpdateResume(id); },
        [&](ResumeStore& store) { return store.DeleteResume(id); },
    };
    for (const auto& operation : operations) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            SqliteConnection holder;
            holder.Open(BankPath());
            holder.Execute("BEGIN IMMEDIATE; UPDATE ComboData SET List=List;");
            (void)!write(ready[1], "1", 1);
            usleep(300 * 1000);
            holder.Execute("COMMIT");
            _exit(0);
        }
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        ResumeStore store;
        ASSERT_EQ(store.Open(), 1);
        EXPECT_EQ(EngineText([&] { EXPECT_EQ(operation(store), 1); }), "(no engine error)");
        waitpid(child, nullptr, 0);
        close(ready[0]);
        close(ready[1]);
    }
    EXPECT_EQ(QueryRows("SELECT List FROM ComboData WHERE rowid=3"), (Rows{{"Pune ,Goa"}}));
}

// Root writes any file, so a read-only bank is tried from a child without privileges.
template <typename Check> int RunUnprivileged(Check check) {
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

TEST_F(StoreTest, ReadOnlyBankRefusesAppendAndRaisesForRewrite) {
    const std::string id = Append("Ann", "Q,");
    chmod(BankPath().c_str(), 0444);
    // Let the unprivileged child into the test's own folders; nothing above them is touched.
    namespace fs = std::filesystem;
    for (const fs::path& folder : {fs::path(std::getenv("XDG_DATA_HOME")), fs::path(DataFolder())})
        fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    const int outcome = RunUnprivileged([&] {
        ScriptedMessages childMessages;
        ResumeStore store;
        if (store.Open() != 1)
            return 1;
        if (AppendOne(store) != 0 || childMessages.Texts() != Texts{"can not append"})
            return 2;
        store.record.name = "Changed";
        if (EngineText([&] { store.UpdateResume(id); }).find("readonly") == std::string::npos)
            return 3;
        return 0;
    });
    chmod(BankPath().c_str(), 0644);
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Ann"}}));
    EXPECT_EQ(ResumeRowCount(), 5);
}

} // namespace
