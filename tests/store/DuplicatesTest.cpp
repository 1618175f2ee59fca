#include "store/DuplicateGroups.h"
#include "store/MatchKeyIndex.h"
#include "store/MatchKeys.h"
#include "store/OurTables.h"
#include "store/SameResumes.h"
#include "tests/store/StoreTestSupport.h"

#include <chrono>
#include <sqlite3.h>
#include <sstream>

namespace {

using Texts = std::vector<std::string>;

TEST(MatchKeys, FoldEachWayOfWritingOneValueToOneKey) {
    const struct {
        std::string a, b;
    } sameEmail[] = {{" Jose.Mueller @Posteo.DE ", "jose.mueller@posteo.de"},
                     {"ИВАН@ПРИМЕР.РФ", "иван@пример.рф"},
                     {std::string(243, 'A') + "@example.com", std::string(243, 'a') + "@example.com"}};
    for (const auto& [a, b] : sameEmail)
        EXPECT_EQ(EmailKey(a), b) << a;
    EXPECT_EQ(EmailKey(sameEmail[2].a).size(), 255u);
    EXPECT_EQ(EmailKey(" \t "), "");

    const struct {
        const char* a;
        const char* b;
    } sameName[] = {{"Müller, José", "JOSE MULLER"},
                    {"François DUBOIS", "dubois françois"},
                    {"ЁЛКИН Иван", "иван елкин"},
                    {"अनिल कुमार", "कुमार  अनिल"},
                    {"Straße", "STRASSE"}};
    for (const auto& [a, b] : sameName)
        EXPECT_EQ(NameKey(a), NameKey(b)) << a;
    EXPECT_EQ(NameKey("Müller, José"), "jose muller");
    // A Devanagari vowel sign is spelling, not an accent: अनिल is not अनल.
    EXPECT_NE(NameKey("अनिल कुमार"), NameKey("अनल कुमार"));
    EXPECT_EQ(NameKey("अनिल"), "अनिल");
    EXPECT_NE(NameKey("Иван Петров"), NameKey("Иван Петрова"));
    for (const char* nothing : {"", "-- . ,!?", "()", "\xff\xfe"})
        EXPECT_EQ(NameKey(nothing), "") << nothing;
    EXPECT_EQ(WordsKey("Nordlicht Logistik GmbH"), WordsKey("NORDLICHT  logistik, GmbH"));
    EXPECT_NE(WordsKey("Logistik Nordlicht"), WordsKey("Nordlicht Logistik"));

    EXPECT_EQ(PhoneKey("+49 (0)30 1234-5678"), "3012345678");
    EXPECT_EQ(PhoneKey("030 1234 5678"), "3012345678");
    EXPECT_EQ(PhoneKey("12 34 56"), "");
    const std::string text = "Tel.: +49 (0)30 1234-5678 | mobile 0171/7654321\n"
                             "03/2016 - 11/2020 Sales, 2015 - 2019 2020\n"
                             "Employee ID4711223344, order 123-456\n"
                             "Call 030 1234 5678 again, fax 98765432101234567890.";
    EXPECT_EQ(PhoneKeysInText(text), (Texts{"3012345678", "1717654321"}));
    EXPECT_EQ(PhoneKeysInText(std::string(300000, '5')), Texts{});
}

// Another program on the bank: the plain engine, without our functions or triggers.
std::string RunElsewhere(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(BankPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* error = nullptr;
    std::string text;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        text = error;
        sqlite3_free(error);
    }
    sqlite3_close_v2(db);
    return text;
}

std::optional<SameResume> Same(const EntryValues& entry) {
    SqliteConnection bank;
    bank.Open(BankPath());
    return FindSameResume(bank, entry);
}

std::vector<DuplicateRow> Groups() {
    SqliteConnection bank;
    bank.Open(BankPath());
    RefreshMatchKeys(bank, [](std::int64_t, std::int64_t) { return true; });
    return FindDuplicateGroups(bank);
}

std::string Lines(const std::vector<DuplicateRow>& rows) {
    std::ostringstream out;
    WriteDuplicateLines(out, rows);
    return out.str();
}

TEST_F(StoreTest, MatchKeysFollowEveryWriteOfOursAndOfOtherPrograms) {
    const std::string bystander = AppendRecord({"Bystander", "", "", "", "Hold", "text"});
    const std::string jose = AppendRecord({"José Müller", "2-5", "Jose.Mueller@Posteo.de", "Nordlicht GmbH",
                                           "Active", "JOSÉ MÜLLER\nTel. +49 30 1234 5678"});
    EXPECT_EQ(QueryRows("SELECT ID, Email, Name, Organization FROM ResumeMatchKeys WHERE ID=" + jose),
              (Rows{{jose, "jose.mueller@posteo.de", "jose muller", "nordlicht gmbh"}}));
    EXPECT_EQ(QueryRows("SELECT Phone, ID FROM ResumePhoneKeys"), (Rows{{"3012345678", jose}}));
    EXPECT_EQ(Count("ResumeMatchKeysPending"), 0);

    // Each signal on its own, strongest first; the resume being edited is never its own duplicate.
    const struct {
        EntryValues entry;
        std::optional<SameBy> why;
    } looks[] = {
        {{"Someone Else", "JOSE.MUELLER@posteo.de", "", "", 0}, SameBy::Email},
        {{"", "", "", "030/1234 5678", 0}, SameBy::Phone},
        {{"MÜLLER José", "", "nordlicht  GMBH", "", 0}, SameBy::NameAndOrganization},
        {{"Jose Muller", "", "Other AG", "", 0}, SameBy::Name},
        {{"Jose Muller", "jose.mueller@posteo.de", "", "", std::stoll(jose)}, std::nullopt},
        {{"-- . !", "", "", "12", 0}, std::nullopt},
        {{"", std::string(243, 'x') + "@example.com", "", "", 0}, std::nullopt},
    };
    for (const auto& [entry, why] : looks) {
        const auto same = Same(entry);
        ASSERT_EQ(same.has_value(), why.has_value()) << entry.name << entry.email;
        if (!same)
            continue;
        EXPECT_EQ(same->why, *why) << entry.name;
        EXPECT_EQ(std::to_string(same->id), jose);
        EXPECT_EQ(same->name, "José Müller");
        EXPECT_EQ(same->status, "Active");
        EXPECT_EQ(same->count, 1);
    }

    // A rewrite makes the keys again; a delete takes them away.
    ResumeStore store;
    const RecordTexts renamed{"Ana Silva", "2-5", "ana@silva.pt", "", "Hold", "No number here"};
    Fill(store, renamed, "B.E.,", "S,", "L,");
    ASSERT_EQ(store.Open(), 1);
    ASSERT_EQ(store.UpdateResume(jose), 1);
    EXPECT_EQ(QueryRows("SELECT ID, Email, Name, quote(Organization) FROM ResumeMatchKeys WHERE ID=" + jose),
              (Rows{{jose, "ana@silva.pt", "ana silva", "NULL"}}));
    EXPECT_EQ(Count("ResumePhoneKeys"), 0);
    ASSERT_EQ(store.DeleteResume(jose), 1);
    store.Close();
    EXPECT_EQ(QueryRows("SELECT ID FROM ResumeMatchKeys"), (Rows{{bystander}}));
    EXPECT_EQ(Count("ResumeMatchKeysPending"), 0);

    // Another program writes a duplicate while the input form is open: its write is noted, and the
    // next look catches up on it.
    const std::string ana = AppendRecord({"Ana Silva", "", "ana@silva.pt", "", "Hold", "text"});
    EXPECT_FALSE(Same({"", "ANA@silva.pt", "", "", std::stoll(ana)}));
    EXPECT_EQ(
        RunElsewhere("INSERT INTO [Abstract Information] (ID, Name, Email, Status) VALUES (900, "
                     "'Ana  Silva', 'Ana@Silva.PT ', 'Selected'); INSERT INTO Resume VALUES (900, 'x')"),
        "");
    EXPECT_EQ(Count("ResumeMatchKeysPending"), 1);
    const auto other = Same({"", "ANA@silva.pt", "", "", std::stoll(ana)});
    ASSERT_TRUE(other);
    EXPECT_EQ(other->id, 900);
    EXPECT_EQ(other->status, "Selected");
    EXPECT_EQ(Count("ResumeMatchKeysPending"), 0);
    // And deletes it again: the key goes at the next look.
    EXPECT_EQ(RunElsewhere("DELETE FROM [Abstract Information] WHERE ID=900"), "");
    EXPECT_FALSE(Same({"", "ANA@silva.pt", "", "", std::stoll(ana)}));
}

TEST_F(StoreTest, DuplicateGroupsStandTogetherStrongestFirstWithEachResumesTie) {
    const std::string longEmail = std::string(243, 'q') + "@example.com";
    const std::string a = AppendRecord({"Ann Lee", "", "Ann@Lee.io", "Acme", "Hold", "+1 415 555 0100"});
    const std::string b = AppendRecord({"Annie Lee", "", "ann@lee.IO", "", "Hold", "text"});
    const std::string c = AppendRecord({"Someone", "", "", "", "Hold", "call (415) 555-0100"});
    const std::string d = AppendRecord({"Иван Петров", "", "", "Бета", "Hold", "text"});
    const std::string e = AppendRecord({"ПЕТРОВ иван", "", "", "БЕТА", "Hold", "text"});
    const std::string f = AppendRecord({"Tab\tName", "", "", "One", "Hold", "text"});
    const std::string g = AppendRecord({"tab name", "", "", "Two", "Hold", "text"});
    AppendRecord({"Alone", "", "alone@example.com", "", "Hold", "text"});
    const std::string h = AppendRecord({"Long", "", longEmail, "", "Hold", "text"});
    const std::string i = AppendRecord({"Longer", "", longEmail, "", "Hold", "text"});
    AppendRecord({"!!!", "", "", "", "Hold", "text"});
    AppendRecord({"...", "", "", "", "Hold", "text"});
    const std::string expected = "1\te-mail\t" + a + "\tAnn Lee\tAnn@Lee.io\n" +   //
                                 "1\te-mail\t" + b + "\tAnnie Lee\tann@lee.IO\n" + //
                                 "1\tphone\t" + c + "\tSomeone\t\n" +              //
                                 "2\te-mail\t" + h + "\tLong\t" + longEmail + "\n" + "2\te-mail\t" + i +
                                 "\tLonger\t" + longEmail + "\n" + "3\tname+organization\t" + d +
                                 "\tИван Петров\t\n" + "3\tname+organization\t" + e + "\tПЕТРОВ иван\t\n" +
                                 "4\tname\t" + f + "\tTab Name\t\n" + "4\tname\t" + g + "\ttab name\t\n";
    EXPECT_EQ(Lines(Groups()), expected);
    SqliteConnection bank;
    bank.Open(BankPath());
    std::ostringstream printed;
    PrintDuplicates(bank, printed);
    EXPECT_EQ(printed.str(), expected);
}

TEST_F(StoreTest, TenThousandResumesOfOneEmailMakeOneGroupAndTheHintCountsThem) {
    {
        SqliteConnection bank;
        bank.Open(BankPath());
        SqliteTransaction transaction(bank);
        SqliteStatement add(bank,
                            "INSERT INTO [Abstract Information] (Name, Email, Status) VALUES (?, ?, 'Hold')");
        SqliteStatement text(bank, "INSERT INTO Resume VALUES (last_insert_rowid(), 'text')");
        for (int n = 0; n < 10000; ++n) {
            add.Bind(1, "Person " + std::to_string(n))
                .Bind(2, n % 2 ? "Shared@Example.com" : "shared@example.COM");
            add.Step();
            add.Reset();
            text.Step();
            text.Reset();
        }
        transaction.Commit();
        std::vector<std::int64_t> told;
        EXPECT_FALSE(RefreshMatchKeys(bank, [&told](std::int64_t done, std::int64_t total) {
            told.push_back(total);
            return done < 5000;
        }));
        EXPECT_EQ(told.front(), 10000);
        EXPECT_EQ(PendingMatchKeys(bank), 10000); // stopped: as it was
        EXPECT_TRUE(RefreshMatchKeys(bank, [](std::int64_t, std::int64_t) { return true; }));
    }
    const auto same = Same({"Nobody", "shared@example.com", "", "", 0});
    ASSERT_TRUE(same);
    EXPECT_EQ(same->id, 1);
    EXPECT_EQ(same->count, 10000);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<DuplicateRow> rows = Groups();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)); // no quadratic work
    ASSERT_EQ(rows.size(), 10000u);
    for (std::size_t n = 0; n < rows.size(); ++n) {
        EXPECT_EQ(rows[n].group, 1);
        EXPECT_EQ(rows[n].id, static_cast<std::int64_t>(n + 1));
    }
}

TEST_F(StoreTest, AnOlderBankGetsItsKeysMadeForTheResumesItHolds) {
    Append("Ann Lee", "B.E.,");
    Append("Ann Lee", "B.E.,");
    ExecuteSql("DROP TABLE ResumeMatchKeys; DROP TABLE ResumePhoneKeys; DROP TABLE ResumeMatchKeysPending;"
               "DROP TRIGGER ResumeMatchKeysNoteFieldsInsert; DROP TRIGGER ResumeMatchKeysNoteFieldsUpdate;"
               "DROP TRIGGER ResumeMatchKeysNoteFieldsMoved; DROP TRIGGER ResumeMatchKeysNoteFieldsDelete;"
               "DROP TRIGGER ResumeMatchKeysNoteTextInsert; DROP TRIGGER ResumeMatchKeysNoteTextUpdate;"
               "DROP TRIGGER ResumeMatchKeysNoteTextMoved; DROP TRIGGER ResumeMatchKeysNoteTextDelete");
    SqliteConnection bank;
    bank.Open(BankPath());
    EXPECT_FALSE(HasOurTables(bank));
    EXPECT_TRUE(Groups().empty());                        // without the tables: nothing, and no failure
    const std::string third = Append("Ann Lee", "B.E.,"); // writes go on without them
    EXPECT_TRUE(AddOurTables(bank));
    EXPECT_FALSE(AddOurTables(bank));
    EXPECT_EQ(PendingMatchKeys(bank), 3);
    EXPECT_EQ(Groups().size(), 3u); // the same name and e-mail
    EXPECT_EQ(PendingMatchKeys(bank), 0);
}

} // namespace
