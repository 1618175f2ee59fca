#include "tools/BankSetup.h"
#include "platform/DataFolder.h"
#include "store/OriginalFiles.h"
#include "store/ResumeStore.h"
#include "store/ValueList.h"
#include "tests/util/Bank.h"

#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the real talvanor-init and returns what it printed.
std::pair<int, std::string> RunInit() {
    QProcess init;
    init.start(QStringLiteral(TALVANOR_INIT_PATH), {});
    init.waitForFinished(30000);
    return {init.exitCode(), init.readAllStandardOutput().toStdString()};
}

std::vector<std::string> Trimmed(const std::string& pickList) {
    std::vector<std::string> items;
    for (std::string item : CutValueList(pickList, false)) {
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        items.push_back(item);
    }
    return items;
}

TEST(TalvanorInit, PreparesAnEmptyFolderAndASecondRunChangesNothing) {
    fs::remove_all(DataFolder());
    auto [code, said] = RunInit();
    EXPECT_EQ(code, 0);
    EXPECT_NE(said.find("Created an empty bank"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(DataFolder() + kResumeNumberFileName), "1");

    const std::string bankBefore = ReadFile(BankPath());
    const auto stampBefore = fs::last_write_time(BankPath());
    std::tie(code, said) = RunInit();
    EXPECT_EQ(code, 0);
    EXPECT_NE(said.find("nothing changed"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(BankPath()), bankBefore);
    EXPECT_EQ(fs::last_write_time(BankPath()), stampBefore);

    // A kept file no resume names, as a crash during an import leaves it, goes once it is old.
    const std::string old = OriginalPath(DataFolder(), KeepOriginal(DataFolder(), "old bytes", "a.pdf"));
    const std::string young = OriginalPath(DataFolder(), KeepOriginal(DataFolder(), "new bytes", "b.pdf"));
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::minutes(2));
    std::tie(code, said) = RunInit();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(said, "Removed 1 kept original file(s) that no resume names\n");
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(young)) << "an import in another Talvanor may be about to name it";
}

// A bank as made before keyword search, holding two resumes.
void MakeBankWithoutKeywordIndex() {
    FreshBank();
    ExecuteSql(
        "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER ResumeKeywordsNoteInsert; "
        "DROP TRIGGER ResumeKeywordsNoteUpdate; DROP TRIGGER ResumeKeywordsNoteDelete; "
        " DROP TRIGGER ResumeKeywordsNoteFieldsInsert; DROP TRIGGER ResumeKeywordsNoteFieldsUpdate; DROP "
        "TRIGGER ResumeKeywordsNoteFieldsDelete; "
        "DROP TABLE TalvanorSettings; DROP TABLE ResumeOriginals");
    ExecuteSql("INSERT INTO [Abstract Information] (Name) VALUES ('Ann'), ('Bob');"
               "INSERT INTO Resume VALUES (1, 'Java and Spring'), (2, 'Cobol')");
}

Rows FoundByJava() {
    return QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH 'java'");
}

TEST(TalvanorInit, AddsTheKeywordIndexToAnOlderBankShowingProgress) {
    MakeBankWithoutKeywordIndex();
    const Rows before = QueryRows("SELECT * FROM [Abstract Information], Resume");
    auto [code, said] = RunInit();
    EXPECT_EQ(code, 0);
    EXPECT_NE(said.find("\rAdding the keyword index: 2 of 2 resumes (100%), putting it in order\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Added the keyword index to "), std::string::npos) << said;
    EXPECT_NE(said.find("Added Talvanor's own tables to "), std::string::npos) << said;
    EXPECT_EQ(
        QueryRows("SELECT name FROM sqlite_schema WHERE name IN ('TalvanorSettings', 'ResumeOriginals') "
                  "ORDER BY name"),
        (Rows{{"ResumeOriginals"}, {"TalvanorSettings"}}));
    EXPECT_EQ(FoundByJava(), (Rows{{"1"}}));
    EXPECT_EQ(QueryRows("SELECT * FROM [Abstract Information], Resume"), before);
    std::tie(code, said) = RunInit();
    EXPECT_NE(said.find("nothing changed"), std::string::npos) << said;
}

TEST(TalvanorInit, TheProgramAddsTheKeywordIndexToAnOlderBankOnStart) {
    MakeBankWithoutKeywordIndex();
    QProcess program;
    program.start(QStringLiteral(TALVANOR_PATH), {});
    ASSERT_TRUE(program.waitForStarted());
    const bool added = QTest::qWaitFor(
        [] { return QueryRows("SELECT 1 FROM sqlite_schema WHERE name='ResumeKeywords'").size() == 1; },
        20000);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(added);
    EXPECT_EQ(FoundByJava(), (Rows{{"1"}}));
}

TEST(TalvanorInit, NeverOverwritesExistingFiles) {
    fs::remove_all(DataFolder());
    fs::create_directories(DataFolder());
    std::ofstream(BankPath()) << "not a bank, but the user's file";
    std::ofstream(DataFolder() + kResumeNumberFileName) << "4711";
    std::ofstream(DataFolder() + kClipFileName) << "the user's own clip";
    const BankSetupResult result = PrepareDataFolder(DataFolder());
    EXPECT_FALSE(result.Changed());
    EXPECT_EQ(ReadFile(BankPath()), "not a bank, but the user's file");
    EXPECT_EQ(ReadFile(DataFolder() + kResumeNumberFileName), "4711");
    EXPECT_EQ(ReadFile(DataFolder() + kClipFileName), "the user's own clip");
    EXPECT_FALSE(fs::exists(BankPath() + ".partial"));
    // A bank that appears while a new one is made is kept, and the new one goes.
    EXPECT_THROW(CreateBank(BankPath()), std::runtime_error);
    EXPECT_EQ(ReadFile(BankPath()), "not a bank, but the user's file");
    EXPECT_FALSE(fs::exists(BankPath() + ".partial"));
}

TEST(TalvanorInit, TheProgramPreparesAMissingDataFolderOnFirstStart) {
    fs::remove_all(DataFolder());
    QProcess program;
    program.start(QStringLiteral(TALVANOR_PATH), {});
    ASSERT_TRUE(program.waitForStarted());
    // The number file comes last, after the bank; it exists a moment before its number is in it.
    const bool prepared =
        QTest::qWaitFor([] { return ReadFile(DataFolder() + kResumeNumberFileName) == "1"; }, 20000);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(prepared);
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ComboData"), (Rows{{"3"}}));
}

TEST(BankSchema, TablesColumnsAndTypesStandWhereTheStoreExpectsThem) {
    FreshBank();
    const std::vector<std::pair<std::string, Rows>> expected = {
        {"Abstract Information",
         {{"0", "ID", "INTEGER"},
          {"1", "Name", "TEXT"},
          {"2", "Experience", "TEXT"},
          {"3", "Email", "TEXT"},
          {"4", "Organization", "TEXT"},
          {"5", "Status", "TEXT"}}},
        {"Qualifications", {{"0", "ID", "INTEGER"}, {"1", "Qualification", "TEXT"}}},
        {"Specializations", {{"0", "ID", "INTEGER"}, {"1", "Specialization", "TEXT"}}},
        {"Locations", {{"0", "ID", "INTEGER"}, {"1", "Location", "TEXT"}}},
        {"Resume", {{"0", "ID", "INTEGER"}, {"1", "Details", "TEXT"}}},
        {"ComboData", {{"0", "ID", "INTEGER"}, {"1", "List", "TEXT"}}},
    };
    for (const auto& [table, columns] : expected)
        EXPECT_EQ(QueryRows("SELECT cid, name, type FROM pragma_table_info('" + table + "')"), columns)
            << table;
    EXPECT_EQ(QueryRows("SELECT count(*) FROM sqlite_schema WHERE name='Abstract Information' AND sql LIKE "
                        "'%AUTOINCREMENT%'"),
              (Rows{{"1"}}));
}

TEST(BankSchema, SearchedColumnsIgnoreCaseAndListJoinsUseIndexes) {
    FreshBank();
    ExecuteSql("INSERT INTO [Abstract Information] (Name, Status) VALUES ('Ann', 'Hold')");
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information] WHERE Name='ANN' AND Status='hold'"),
              (Rows{{"Ann"}}));
    for (const char* table : {"Qualifications", "Specializations", "Locations", "Resume", "ComboData"}) {
        const Rows plan = QueryRows(std::string("EXPLAIN QUERY PLAN SELECT * FROM ") + table + " WHERE ID=1");
        ASSERT_FALSE(plan.empty());
        EXPECT_NE(plan[0].back().find("USING INDEX"), std::string::npos) << table << ": " << plan[0].back();
    }
    for (const char* column : {"Name", "Experience", "Email", "Organization", "Status"}) {
        const Rows plan = QueryRows(
            std::string("EXPLAIN QUERY PLAN SELECT * FROM [Abstract Information] WHERE ") + column + "='x'");
        EXPECT_NE(plan[0].back().find("USING INDEX"), std::string::npos) << column;
    }
}

TEST(BankSchema, PickListsComeInOrderWithTheHarvestsCanonicalValues) {
    FreshBank();
    ResumeStore store;
    std::string qualifications, specializations, locations;
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.LoadPickList(qualifications, specializations, locations), 1);
    store.Close();
    const auto has = [](const std::string& list, const std::string& value) {
        const auto items = Trimmed(list);
        return std::find(items.begin(), items.end(), value) != items.end();
    };
    for (const char* value : {"B.E.", "B.Tech.", "M.C.A.", "M.Tech."})
        EXPECT_TRUE(has(qualifications, value)) << value;
    for (const char* value :
         {"SYBASE DBA", "POWER BUILDER", "ORACLE DEV/DES", "ORACLE DBA", "VISUAL BASIC", "VC++", "C/C++",
          "CGI/ISAPI/PERL", "EDP", "UNIX ADMINISTRATORS", "ERP", "AS/400"})
        EXPECT_TRUE(has(specializations, value)) << value;
    EXPECT_GE(Trimmed(locations).size(), 12u);
    // The list editor's format: items joined by " ," and nothing after the last one.
    for (const std::string* list : {&qualifications, &specializations, &locations}) {
        EXPECT_EQ(list->find(", "), std::string::npos);
        EXPECT_NE(list->back(), ',');
    }
}

} // namespace
