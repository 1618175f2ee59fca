#include "platform/EngineError.h"
#include "store/Settings.h"

#include "tests/store/StoreTestSupport.h"
#include <filesystem>

namespace {

using Texts = std::vector<std::string>;

TEST_F(StoreTest, LifecycleMessagesAndResults) {
    ResumeStore store;
    EXPECT_EQ(store.Close(), 1); // closing a closed store
    EXPECT_EQ(store.Open(), 1);
    EXPECT_EQ(store.Open(), 1); // re-opening an open store
    EXPECT_EQ(store.Close(), 1);
    EXPECT_EQ(messages.Texts(), (Texts{"database already close", "database already open"}));
    for (const auto& request : messages.Requests())
        EXPECT_EQ(request.icon, MessageIcon::Exclamation);
}

TEST_F(StoreTest, ReopenedStoreStaysUsable) {
    ResumeStore store;
    store.record.name = "Ann";
    store.record.qualifications = "B.E.,";
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(store.AppendResume(), 1);
    EXPECT_EQ(Count("[Abstract Information]"), 1);
}

TEST_F(StoreTest, EveryOperationOnAClosedStoreSaysNotOpenAndWritesNothing) {
    ResumeStore store;
    store.record.name = "Ann";
    store.record.qualifications = "B.E.,";
    std::string a, b, c;
    EXPECT_EQ(store.AppendResume(), 0);
    EXPECT_EQ(store.UpdateResume("1"), 0);
    EXPECT_EQ(store.DeleteResume("1"), 0);
    EXPECT_EQ(store.LoadPickList(a, b, c), 0);
    EXPECT_EQ(store.SavePickList(PickListKind::Qualifications, "X"), 0);
    EXPECT_EQ(messages.Texts(), Texts(5, "database is not open"));
    EXPECT_EQ(Count("[Abstract Information]"), 0);
    EXPECT_EQ(QueryRows("SELECT List FROM ComboData ORDER BY rowid")[0][0].substr(0, 4), "B.A.");
}

TEST_F(StoreTest, AppendWritesEveryRowWithTheNewIdInOrder) {
    ResumeStore store;
    const std::string name = "Ann", experience = "5-7", email = "ann@example.com", org = "Acme",
                      status = "Active For Proccesing", text = "Full text";
    store.record = {name, experience, email, text, org, status, "A,B,", "", "C"};
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.AppendResume(), 1);
    store.Close();

    const Rows abstract = QueryRows("SELECT * FROM [Abstract Information]");
    ASSERT_EQ(abstract.size(), 1u);
    const std::string id = abstract[0][0];
    EXPECT_EQ(abstract[0], (std::vector<std::string>{id, name, experience, email, org, status}));
    EXPECT_EQ(ListRows("Qualifications", id), (Rows{{id, "B"}, {id, "A"}}));
    EXPECT_EQ(ListRows("Specializations", id), (Rows{{id, ""}}));
    EXPECT_EQ(ListRows("Locations", id), (Rows{{id, "C"}}));
    EXPECT_EQ(ListRows("Resume", id), (Rows{{id, text}}));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(StoreTest, AppendRefusesAnEmptyNameOrQualificationBeforeWriting) {
    for (const auto& [name, qualifications] : {std::pair{"", "B.E.,"}, std::pair{"Ann", ""}}) {
        ResumeStore store;
        store.record.name = name;
        store.record.qualifications = qualifications;
        store.record.specializations = "S,";
        ASSERT_EQ(store.Open(), 1);
        EXPECT_EQ(store.AppendResume(), 0);
    }
    EXPECT_EQ(messages.Texts(), Texts(2, "Name or Qualification having zero length Unable to write "));
    for (const char* table :
         {"[Abstract Information]", "Qualifications", "Specializations", "Locations", "Resume"})
        EXPECT_EQ(Count(table), 0) << table;
}

TEST_F(StoreTest, IdsAreNeverReusedAfterADeleteNorGivenPastTheirRange) {
    const std::string first = Append("One", "Q,");
    const std::string second = Append("Two", "Q,");
    ResumeStore store;
    store.Open();
    store.DeleteResume(second);
    store.Close();
    const std::string third = Append("Three", "Q,");
    EXPECT_GT(std::stol(third), std::stol(second));
    EXPECT_NE(first, second);

    // The last 32-bit ID is given; an append that would go past it writes nothing.
    ExecuteSql("UPDATE sqlite_sequence SET seq=2147483646 WHERE name='Abstract Information'");
    EXPECT_EQ(Append("Last", "Q,"), "2147483647");
    const long resumes = Count("Resume"), qualifications = Count("Qualifications");
    messages.Clear();
    const RecordTexts texts{"Beyond", "", "", "", "Hold", "text"};
    Fill(store, texts, "Q,", "S,", "L,");
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(store.AppendResume(), 0);
    EXPECT_EQ(messages.Texts(), Texts{"can not append"});
    EXPECT_EQ(QueryRows("SELECT max(ID), count(*) FROM [Abstract Information]"), (Rows{{"2147483647", "3"}}));
    EXPECT_EQ(Count("Resume"), resumes);
    EXPECT_EQ(Count("Qualifications"), qualifications);
}

TEST_F(StoreTest, AwkwardTextsRoundTripByteForByte) {
    const std::string name = "O'Brien, \"Jack\" Ü測";
    std::string text(10 * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < text.size(); i += 997)
        text[i] = static_cast<char>(i % 256); // every byte value, a zero included
    const std::string id = Append(name, "B.E.,M'S \"Q\",", "C/C++,", "Zürich,", text);
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information] WHERE ID=" + id)[0][0], name);
    EXPECT_EQ(ListRows("Qualifications", id), (Rows{{id, "M'S \"Q\""}, {id, "B.E."}}));
    EXPECT_EQ(ListRows("Locations", id), (Rows{{id, "Zürich"}}));
    const Rows details = ListRows("Resume", id);
    ASSERT_EQ(details.size(), 1u);
    EXPECT_TRUE(details[0][1] == text);
}

class UpdateTest : public StoreTest {
protected:
    // Rewrites `id` with the given lists and texts; returns the operation's result.
    int Update(const std::string& id, const std::string& qualifications, const std::string& specializations,
               const std::string& locations, const std::string& name = "New name") {
        const RecordTexts texts{name, "7-10", "new@example.com", "New org", "Selected", "new text"};
        ResumeStore store;
        Fill(store, texts, qualifications, specializations, locations);
        EXPECT_EQ(store.Open(), 1);
        const int result = store.UpdateResume(id);
        EXPECT_EQ(store.Close(), 1);
        return result;
    }
};

TEST_F(UpdateTest, RewritesScalarsTextAndReplacesListRows) {
    const std::string id = Append("Ann", "X,Y,Z,", "S,", "L1,L2,");
    const std::string other = Append("Bob", "K,");
    const std::string firstOld = QueryRows("SELECT min(rowid) FROM Qualifications WHERE ID=" + id)[0][0];
    EXPECT_EQ(Update(id, "A,B,", "T", ""), 1);

    EXPECT_EQ(QueryRows("SELECT * FROM [Abstract Information] WHERE ID=" + id)[0],
              (std::vector<std::string>{id, "New name", "7-10", "new@example.com", "New org", "Selected"}));
    EXPECT_EQ(ListRows("Resume", id), (Rows{{id, "new text"}}));
    // The first old row now holds B, A is new; the other old rows are gone.
    EXPECT_EQ(QueryRows("SELECT rowid, Qualification FROM Qualifications WHERE ID=" + id + " ORDER BY rowid"),
              (Rows{{firstOld, "B"}, {QueryRows("SELECT max(rowid) FROM Qualifications")[0][0], "A"}}));
    EXPECT_EQ(ListRows("Specializations", id), (Rows{{id, "T"}}));
    // An empty list leaves its table as it was.
    EXPECT_EQ(ListRows("Locations", id), (Rows{{id, "L2"}, {id, "L1"}}));
    EXPECT_EQ(ListRows("Qualifications", other), (Rows{{other, "K"}}));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(UpdateTest, MissingMainRowSaysNotFoundWritesNothingAndFails) {
    const std::string id = Append("Ann", "X,");
    ExecuteSql("DELETE FROM [Abstract Information] WHERE ID=" + id);
    EXPECT_EQ(Update(id, "A,B,", "T,", "M,"), 0);
    EXPECT_EQ(messages.Texts(), Texts{"record not found"});
    EXPECT_EQ(ListRows("Qualifications", id), (Rows{{id, "X"}}));
    EXPECT_EQ(ListRows("Resume", id), (Rows{{id, "resume text"}}));
}

TEST_F(UpdateTest, ListWithoutOldRowsKeepsEveryPieceAndStillSaysNotFound) {
    const std::string id = Append("Ann", "X,");
    ExecuteSql("DELETE FROM Qualifications WHERE ID=" + id);
    EXPECT_EQ(Update(id, "A,B,", "", ""), 1);
    EXPECT_EQ(messages.Texts(), Texts{"record not found"});
    EXPECT_EQ(ListRows("Qualifications", id), (Rows{{id, "B"}, {id, "A"}}));
}

TEST_F(UpdateTest, MissingDetailsRowIsReportedAndTheRestIsRewritten) {
    const std::string id = Append("Ann", "X,");
    ExecuteSql("DELETE FROM Resume WHERE ID=" + id);
    EXPECT_EQ(Update(id, "A,", "", ""), 1);
    EXPECT_EQ(messages.Texts(), Texts{"record not found"});
    EXPECT_EQ(ListRows("Qualifications", id), (Rows{{id, "A"}}));
    EXPECT_EQ(Count("Resume"), 0);
}

TEST_F(UpdateTest, AnIdTextThatIsNotANumberIsAnEngineErrorNotAFilter) {
    Append("Ann", "X,");
    EXPECT_THROW(Update("1 OR 1=1", "A,", "", ""), EngineError);
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]")[0][0], "Ann");
    EXPECT_EQ(Update(" 1 ", "A,", "", ""), 1); // blanks around a number are fine
}

TEST_F(StoreTest, DeleteResultsAndMessages) {
    const std::string first = Append("One", "Q,");
    const std::string second = Append("Two", "Q,");
    ResumeStore store;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(store.DeleteResume(first), 1);
    EXPECT_EQ(store.DeleteResume("99999"), 1); // missing: both messages, still 1
    EXPECT_EQ(messages.Texts(), (Texts{"record not found", " Details record not found"}));
    EXPECT_EQ(store.DeleteResume(second), 0); // the last one empties the tables
    store.Close();
    EXPECT_EQ(Count("[Abstract Information]"), 0);
    EXPECT_EQ(Count("Resume"), 0);
    // List rows stay where no listing reaches them.
    EXPECT_EQ(Count("Qualifications"), 2);
}

TEST_F(StoreTest, PickListsRoundTripAndSaveTouchesOnlyItsRow) {
    ResumeStore store;
    std::string q, s, l;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(store.LoadPickList(q, s, l), 1);
    store.Close();
    EXPECT_NE(q.find("M.C.A."), std::string::npos);
    EXPECT_NE(s.find("SYBASE DBA"), std::string::npos);
    EXPECT_FALSE(l.empty());

    const std::string changed = "Alpha ,Béta ,O'Hare ,\"Quoted\"";
    ASSERT_EQ(store.Open(), 1);
    EXPECT_EQ(store.SavePickList(PickListKind::Specializations, changed), 1);
    store.Close();

    std::string q2, s2, l2;
    store.Open();
    store.LoadPickList(q2, s2, l2);
    store.Close();
    EXPECT_EQ(q2, q);
    EXPECT_EQ(s2, changed);
    EXPECT_EQ(l2, l);
}

TEST_F(StoreTest, PickListRowsBeyondTheTableAreEngineErrors) {
    ExecuteSql("DELETE FROM ComboData WHERE rowid=(SELECT max(rowid) FROM ComboData)");
    ResumeStore store;
    std::string q, s, l;
    ASSERT_EQ(store.Open(), 1);
    EXPECT_THROW(store.LoadPickList(q, s, l), EngineError);
    EXPECT_THROW(store.SavePickList(PickListKind::Locations, "X"), EngineError);
    EXPECT_THROW(store.SavePickList(static_cast<PickListKind>(0), "X"), EngineError);
    EXPECT_EQ(store.SavePickList(PickListKind::Specializations, "X"), 1);
}

TEST_F(StoreTest, SettingsRoundTripInTheBankAndNeverBreakACommand) {
    EXPECT_EQ(ReadBankSetting("chooser.folder"), std::nullopt);
    EXPECT_TRUE(WriteBankSetting("chooser.folder", "/home/ann/Résumés"));
    EXPECT_TRUE(WriteBankSetting("chooser.folder", "/srv/cv's"));
    EXPECT_TRUE(WriteBankSetting("backup.folder", ""));
    EXPECT_EQ(ReadBankSetting("chooser.folder"), "/srv/cv's");
    EXPECT_EQ(ReadBankSetting("backup.folder"), "");
    EXPECT_EQ(QueryRows("SELECT count(*) FROM TalvanorSettings"), (Rows{{"2"}}));
    // A bank without our table, or no bank at all: no setting, nothing written, nothing shown.
    ExecuteSql("DROP TABLE TalvanorSettings");
    EXPECT_EQ(ReadBankSetting("chooser.folder"), std::nullopt);
    EXPECT_FALSE(WriteBankSetting("chooser.folder", "/tmp"));
    std::filesystem::remove(BankPath());
    EXPECT_EQ(ReadBankSetting("chooser.folder"), std::nullopt);
    EXPECT_FALSE(WriteBankSetting("chooser.folder", "/tmp"));
    EXPECT_FALSE(std::filesystem::exists(BankPath()));
    EXPECT_TRUE(messages.Texts().empty());
}

} // namespace
