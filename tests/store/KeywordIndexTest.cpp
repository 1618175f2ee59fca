#include "store/KeywordIndex.h"
#include "store/QueryTexts.h"
#include "tests/store/StoreTestSupport.h"

#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

using Texts = std::vector<std::string>;

// The IDs whose indexed text holds the word, as the program's own connections see the index.
Texts Found(const std::string& word) {
    Texts ids;
    for (const auto& row : QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '\"" +
                                     word + "\"' ORDER BY rowid"))
        ids.push_back(row[0]);
    return ids;
}

KeywordIndexHealth Inspect() {
    SqliteConnection bank;
    bank.Open(BankPath());
    return InspectKeywordIndex(bank);
}

bool Build(const ProgressReport& report = [](std::int64_t, std::int64_t) { return true; }) {
    SqliteConnection bank;
    bank.Open(BankPath());
    return BuildKeywordIndex(bank, report);
}

// Another program on the bank: the plain engine, without our word rules or triggers.
struct OtherProgram {
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Closer> db;

    OtherProgram() {
        sqlite3* raw = nullptr;
        sqlite3_open_v2(BankPath().c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
        db.reset(raw);
    }
    // The engine's error text, or "" when the statements ran.
    std::string Run(const std::string& sql) const {
        char* error = nullptr;
        if (sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
            return "";
        std::string text = error;
        sqlite3_free(error);
        return text;
    }
};

// Every row of the described tables, to show that index work never touches them.
Rows DescribedRows() {
    Rows all;
    for (const char* table : {"[Abstract Information]", "Qualifications", "Specializations", "Locations",
                              "Resume", "ComboData"}) {
        for (auto& row : QueryRows(std::string("SELECT * FROM ") + table + " ORDER BY rowid"))
            all.push_back(std::move(row));
    }
    return all;
}

TEST_F(StoreTest, KeywordIndexFollowsAppendRewriteAndDeleteInTheirTransactions) {
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    const std::string ann = Append("Ann", "B.E.,", "S,", "L,", "Java and Spring, José");
    const std::string bob = Append("Bob", "B.E.,", "S,", "L,", "C++ and Java");
    EXPECT_EQ(Found("java"), (Texts{ann, bob}));
    EXPECT_EQ(Found("jose"), (Texts{ann}));

    // A rewrite replaces the old words with the new ones.
    ResumeStore store;
    const RecordTexts rewritten{"Ann", "2-5", "", "", "Hold", "Kotlin lead"};
    Fill(store, rewritten, "B.E.,", "S,", "L,");
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.UpdateResume(ann), 1);
    EXPECT_EQ(Found("java"), (Texts{bob}));
    EXPECT_EQ(Found("kotlin"), (Texts{ann}));
    // A rewrite that fails writes nothing, the index included.
    EXPECT_EQ(store.UpdateResume("999"), 0);
    EXPECT_EQ(store.DeleteResume(bob), 1);
    store.Close();
    EXPECT_EQ(Found("java"), Texts{});
    EXPECT_EQ(Found("c++"), Texts{});

    // An append refused part way rolls the index back with its rows.
    {
        SqliteConnection bank;
        bank.Open(BankPath());
        SqliteTransaction transaction(bank);
        bank.Execute("INSERT INTO Resume VALUES (77, 'Haskell')");
        EXPECT_EQ(Found("haskell"), Texts{}); // not seen outside the transaction
    }
    EXPECT_EQ(Found("haskell"), Texts{});
    EXPECT_EQ(Count("ResumeKeywordsPending"), 0);
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
}

TEST_F(StoreTest, NameEmailAndOrganizationAreFoundByAnyPartAndFollowEveryWrite) {
    const RecordTexts jose{
        "José Müller",       "2-5", "Jose.Mueller@Posteo.de", "Nordlicht Logistik GmbH", "Active",
        "Warehouse planning"};
    const std::string id = AppendRecord(jose);
    const std::string other = Append("Ann", "B.E.,", "S,", "L,", "Java");
    for (const char* word : {"mueller", "jose", "muller", "posteo", "nordlicht", "jose.mueller", "warehouse"})
        EXPECT_EQ(Found(word), (Texts{id})) << word;
    EXPECT_EQ(Found("de"), (Texts{id})); // the address's parts are words of their own
    // The query syntax as for the texts: a phrase within the name, AND across the fields and the text.
    EXPECT_EQ(QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '\"jose muller\" AND "
                        "logistik AND planning'"),
              (Rows{{id}}));
    // No phrase runs from one field into the next.
    EXPECT_EQ(QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '\"muller jose\"'"),
              Rows{});

    // A rewrite of the fields alone takes the old words out.
    const RecordTexts renamed{"Josefa Schmidt", "2-5", "js@example.org", "", "Hold", "Warehouse planning"};
    ResumeStore store;
    Fill(store, renamed, "B.E.,", "S,", "L,");
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.UpdateResume(id), 1);
    for (const char* gone : {"mueller", "muller", "posteo", "nordlicht", "jose"})
        EXPECT_EQ(Found(gone), Texts{}) << gone;
    EXPECT_EQ(Found("schmidt"), (Texts{id}));
    EXPECT_EQ(Found("example"), (Texts{id, other})); // Append's own someone@example.com
    ASSERT_EQ(store.DeleteResume(id), 1);
    store.Close();
    for (const char* gone : {"schmidt", "warehouse", "josefa"})
        EXPECT_EQ(Found(gone), Texts{}) << gone;
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);

    // Another program's change of a name, or of the text alone, is caught up with the fields as they are.
    const std::string bob = AppendRecord({"Bob Stone", "", "bob@stone.io", "Quarry", "Hold", "Granite"});
    {
        const OtherProgram program;
        EXPECT_EQ(program.Run("UPDATE [Abstract Information] SET Name='Robert Stone', Organization='Mason' "
                              "WHERE ID=" +
                              bob),
                  "");
        EXPECT_EQ(program.Run("UPDATE Resume SET Details='Marble' WHERE ID=" + bob), "");
        EXPECT_EQ(program.Run("INSERT INTO [Abstract Information] (ID, Name) VALUES (300, 'Cyrus')"), "");
        EXPECT_EQ(program.Run("INSERT INTO Resume VALUES (300, 'Slate')"), "");
    }
    EXPECT_EQ(QueryRows("SELECT ID, Indexed, IndexedName, IndexedOrganization FROM ResumeKeywordsPending"),
              (Rows{{bob, "Granite", "Bob Stone", "Quarry"}, {"300", "", "", ""}}));
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    for (const char* gone : {"quarry", "granite"})
        EXPECT_EQ(Found(gone), Texts{}) << gone;
    EXPECT_EQ(Found("robert"), (Texts{bob}));
    EXPECT_EQ(Found("bob"), (Texts{bob})); // still in the e-mail
    EXPECT_EQ(Found("marble"), (Texts{bob}));
    EXPECT_EQ(Found("cyrus"), (Texts{"300"}));
    // Deleted by another program, fields first as the store does: nothing of it stays.
    EXPECT_EQ(OtherProgram().Run("DELETE FROM [Abstract Information] WHERE ID=" + bob +
                                 "; DELETE FROM Resume WHERE ID=" + bob),
              "");
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    for (const char* gone : {"robert", "mason", "marble", "stone", "bob"})
        EXPECT_EQ(Found(gone), Texts{}) << gone;
}

TEST_F(StoreTest, AnotherProgramWithoutOurWordRulesStillReadsAndWritesTheBank) {
    const std::string ann = Append("Ann", "B.E.,", "S,", "L,", "Java and Spring");
    const std::string bob = Append("Bob", "B.E.,", "S,", "L,", "Cobol");
    {
        const OtherProgram other;
        // The described queries and writes work; only the index itself needs our word rules.
        EXPECT_EQ(other.Run(kAllRecordsQuery), "");
        EXPECT_EQ(other.Run("SELECT rowid FROM ResumeKeywords"), "no such tokenizer: talvanor");
        EXPECT_EQ(other.Run("UPDATE Resume SET Details='Fortran' WHERE ID=" + bob), "");
        EXPECT_EQ(
            other.Run("INSERT INTO Resume VALUES (50, 'Java on mainframes'), ('x', 'Java'), (NULL, 'Java')"),
            "");
        EXPECT_EQ(other.Run("DELETE FROM Resume WHERE ID=" + ann), "");
        EXPECT_EQ(other.Run("UPDATE Resume SET Details='Fortran again' WHERE ID=" + bob), "");
    }
    // Its writes are noted, with the text the index held, until our next keyword search catches up.
    EXPECT_EQ(QueryRows("SELECT ID, Indexed FROM ResumeKeywordsPending ORDER BY ID"),
              (Rows{{ann, "Java and Spring"}, {bob, "Cobol"}, {"50", ""}}));
    EXPECT_EQ(QueryRows("SELECT typeof(Indexed) FROM ResumeKeywordsPending WHERE ID=50"), (Rows{{"null"}}));
    EXPECT_EQ(Found("java"), (Texts{ann}));
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    EXPECT_EQ(Found("java"), (Texts{"50"}));
    EXPECT_EQ(Found("cobol"), Texts{});
    EXPECT_EQ(Found("fortran"), (Texts{bob}));
    EXPECT_EQ(Count("ResumeKeywordsPending"), 0);

    // Our own next write catches up first, so it takes out of the index what the index holds.
    EXPECT_EQ(OtherProgram().Run("UPDATE Resume SET Details='Ada' WHERE ID=" + bob), "");
    ResumeStore store;
    const RecordTexts pascal = {"Bob", "", "", "", "Hold", "Pascal"}; // the record borrows these texts
    Fill(store, pascal, "B.E.,", "S,", "L,");
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.UpdateResume(bob), 1);
    store.Close();
    EXPECT_EQ(Count("ResumeKeywordsPending"), 0);
    for (const char* gone : {"fortran", "ada"})
        EXPECT_EQ(Found(gone), Texts{}) << gone;
    EXPECT_EQ(Found("pascal"), (Texts{bob}));
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
}

TEST_F(StoreTest, KeywordIndexIsAddedToABankWithoutItInOneTransactionThatCanBeStopped) {
    Append("Ann", "B.E.,", "S,", "L,", "Java and Spring");
    Append("Bob", "B.E.,", "S,", "L,", "Cobol");
    // A bank as older versions made it.
    ExecuteSql(
        "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER ResumeKeywordsNoteInsert; "
        "DROP TRIGGER ResumeKeywordsNoteUpdate; DROP TRIGGER ResumeKeywordsNoteDelete; DROP TRIGGER "
        "ResumeKeywordsNoteFieldsInsert; DROP TRIGGER ResumeKeywordsNoteFieldsUpdate; DROP TRIGGER "
        "ResumeKeywordsNoteFieldsDelete");
    EXPECT_EQ(Inspect().state, KeywordIndexState::Missing);
    const std::string otherwise = Append("Cy", "B.E.,", "S,", "L,", "Java"); // writes go on without it
    const Rows described = DescribedRows();
    const Rows schema = QueryRows("SELECT * FROM sqlite_schema ORDER BY name");

    std::vector<std::int64_t> told;
    EXPECT_FALSE(Build([&told](std::int64_t done, std::int64_t total) {
        told.push_back(done);
        return total == 3 && done == 0 ? false : true;
    }));
    EXPECT_EQ(told, (std::vector<std::int64_t>{0}));
    EXPECT_EQ(QueryRows("SELECT * FROM sqlite_schema ORDER BY name"), schema);
    EXPECT_EQ(Inspect().state, KeywordIndexState::Missing);

    told.clear();
    SqliteConnection bank; // opened while the bank had no index
    bank.Open(BankPath());
    EXPECT_TRUE(BuildKeywordIndex(bank, [&told](std::int64_t done, std::int64_t total) {
        told.push_back(done * 10 + total);
        return true;
    }));
    // From nothing to all three, then all three while the index is merged into one piece.
    ASSERT_GE(told.size(), 2u);
    EXPECT_EQ(told.front(), 3);
    EXPECT_EQ(std::count(told.begin() + 1, told.end(), 33), static_cast<long>(told.size()) - 1);
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    EXPECT_EQ(Found("java"), (Texts{"1", otherwise}));
    EXPECT_EQ(DescribedRows(), described);
    // The building connection keeps the new index in step with what it writes next, and rebuilds on it.
    bank.Execute("INSERT INTO Resume VALUES (9, 'Java as well')");
    EXPECT_EQ(Found("java"), (Texts{"1", otherwise, "9"}));
    EXPECT_TRUE(BuildKeywordIndex(bank, [](std::int64_t, std::int64_t) { return true; }));
    bank.Execute("DELETE FROM Resume WHERE ID=9");
    EXPECT_EQ(Found("java"), (Texts{"1", otherwise}));
    // A stopped rebuild leaves it following the index as before.
    EXPECT_FALSE(BuildKeywordIndex(bank, [](std::int64_t done, std::int64_t) { return done == 0; }));
    bank.Execute("UPDATE Resume SET Details='Cobol' WHERE ID=1");
    EXPECT_EQ(Found("java"), (Texts{otherwise}));
    EXPECT_EQ(Count("ResumeKeywordsPending"), 0);
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    // Another program put a second "Resume" row under one ID: the build takes the first, the text
    // Details shows.
    ASSERT_EQ(OtherProgram().Run("INSERT INTO Resume VALUES (" + otherwise + ", 'Kotlin, only here')"), "");
    EXPECT_TRUE(Build());
    EXPECT_EQ(Found("java"), (Texts{otherwise}));
    EXPECT_EQ(Found("kotlin"), Texts{});
}

TEST_F(StoreTest, AnIndexOfTheOlderLayoutIsBuiltAgainWithTheFields) {
    const std::string ann = Append("Ann Older", "B.E.,", "S,", "L,", "Java");
    // The index as the version before the fields made it: the text its only column.
    {
        SqliteConnection bank;
        bank.Open(BankPath());
        bank.Execute(
            "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER "
            "ResumeKeywordsNoteFieldsInsert;"
            "DROP TRIGGER ResumeKeywordsNoteFieldsUpdate; DROP TRIGGER ResumeKeywordsNoteFieldsDelete;"
            "CREATE VIRTUAL TABLE ResumeKeywords USING fts5(Details, content='', tokenize='talvanor');"
            "CREATE TABLE ResumeKeywordsPending (ID INTEGER PRIMARY KEY, Indexed TEXT);"
            "INSERT INTO ResumeKeywords (rowid, Details) SELECT ID, Details FROM Resume;");
        EXPECT_FALSE(HasKeywordIndex(bank));
    }
    const KeywordIndexHealth health = Inspect();
    EXPECT_EQ(health.state, KeywordIndexState::OldLayout);
    EXPECT_EQ(health.detail, "it was built before it held names, e-mails and organizations");
    EXPECT_EQ(Found("java"), (Texts{ann}));
    EXPECT_EQ(Found("older"), Texts{});
    EXPECT_TRUE(Build());
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    EXPECT_EQ(Found("older"), (Texts{ann}));
    SqliteConnection bank;
    bank.Open(BankPath());
    EXPECT_TRUE(HasKeywordIndex(bank));
}

TEST_F(StoreTest, DamagedOrOutOfStepIndexIsFoundAndRebuiltWhileTextsStayWritable) {
    const std::string ann = Append("Ann", "B.E.,", "S,", "L,", "Java");
    // Rows deleted behind the index's back.
    ExecuteSql("INSERT INTO ResumeKeywords (ResumeKeywords) VALUES ('delete-all')");
    KeywordIndexHealth health = Inspect();
    EXPECT_EQ(health.state, KeywordIndexState::OutOfStep);
    EXPECT_EQ(health.detail, "1 resume texts, 0 in the keyword index");
    EXPECT_TRUE(Build());
    EXPECT_EQ(Found("java"), (Texts{ann}));

    // A text removed where no trigger saw it.
    ExecuteSql("DROP TRIGGER ResumeKeywordsNoteDelete");
    health = Inspect();
    EXPECT_EQ(health.state, KeywordIndexState::Damaged);
    EXPECT_EQ(health.detail, "missing ResumeKeywordsNoteDelete");
    EXPECT_TRUE(Build());
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);

    // Parts of the engine's own index removed by hand: our writes still work, the index is rebuilt.
    OtherProgram().Run("DROP TABLE ResumeKeywords_config; DROP TABLE ResumeKeywords_idx");
    health = Inspect();
    EXPECT_EQ(health.state, KeywordIndexState::Damaged);
    EXPECT_EQ(health.detail, "missing ResumeKeywords_idx, ResumeKeywords_config");
    const std::string bob = Append("Bob", "B.E.,", "S,", "L,", "Java too");
    EXPECT_TRUE(Build());
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    EXPECT_EQ(Found("java"), (Texts{ann, bob}));

    // Only the index's own record of itself broken: the engine refuses to open it.
    OtherProgram().Run("UPDATE ResumeKeywords_config SET v=99 WHERE k='version'");
    health = Inspect();
    EXPECT_EQ(health.state, KeywordIndexState::Damaged);
    EXPECT_NE(health.detail.find("invalid fts5 file format"), std::string::npos) << health.detail;
    const std::string cy = Append("Cy", "B.E.,", "S,", "L,", "Java as well");
    EXPECT_TRUE(Build());
    EXPECT_EQ(Inspect().state, KeywordIndexState::Ready);
    EXPECT_EQ(Found("java"), (Texts{ann, bob, cy}));
}

} // namespace
