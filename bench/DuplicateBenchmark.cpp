// Times the duplicate checks on a large bank (duplicate_benchmark N [repetitions]): making every
// resume's match keys, the entry hint's check (a connection opened and the keys looked up, as the
// form does on each keystroke), Find Duplicates (the groups found, and the window's query stepped by
// the engine), and the keyword index's build and size with the name, e-mail and organization against
// the text alone, as before.
#include "bench/Timing.h"

#include "platform/DataFolder.h"
#include "search/FindDuplicates.h"
#include "store/DuplicateGroups.h"
#include "store/KeywordIndex.h"
#include "store/MatchKeyIndex.h"
#include "store/QueryTexts.h"
#include "store/SameResumes.h"
#include "store/Sqlite.h"
#include "tools/BankSetup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr const char* kFirst[] = {"José", "Anna", "Ravi", "Mei",   "Lars",
                                  "Asha", "Иван", "अनिल", "Sofia", "Omar"};
constexpr const char* kLast[] = {"Müller", "Rao",   "Chen",   "Berg", "Kumar",
                                 "Petrov", "Silva", "Haddad", "Novak"};
constexpr const char* kFiller[] = {"worked",   "on",      "the",   "project", "with",      "java",
                                   "and",      "spring",  "team",  "lead",    "delivered", "banking",
                                   "platform", "testing", "cloud", "data"};

std::string Path() {
    return DataFolder() + kDatabaseFileName;
}

// N resumes: one in 20 shares its e-mail with the one before, one in 50 its phone, one in 50 its
// name and organization; a text of about 600 bytes with a phone number.
void MakeBank(int count) {
    std::filesystem::remove_all(DataFolder());
    PrepareDataFolder(DataFolder());
    SqliteConnection bank;
    bank.Open(Path());
    bank.Execute(
        "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER ResumeKeywordsNoteInsert;"
        "DROP TRIGGER ResumeKeywordsNoteUpdate; DROP TRIGGER ResumeKeywordsNoteDelete;"
        "DROP TRIGGER ResumeKeywordsNoteFieldsInsert; DROP TRIGGER ResumeKeywordsNoteFieldsUpdate;"
        "DROP TRIGGER ResumeKeywordsNoteFieldsDelete");
    std::mt19937 random(7);
    SqliteTransaction transaction(bank);
    SqliteStatement abstract(
        bank, "INSERT INTO [Abstract Information] (Name, Experience, Email, Organization, Status) "
              "VALUES (?, '2-5', ?, ?, 'Active For Proccesing')");
    SqliteStatement text(bank, "INSERT INTO Resume VALUES (last_insert_rowid(), ?)");
    // One value a list, as the listing joins them.
    SqliteStatement lists(bank, "INSERT INTO Qualifications SELECT max(ID), 'B.E.' FROM Resume");
    SqliteStatement specialization(bank, "INSERT INTO Specializations SELECT max(ID), 'JAVA' FROM Resume");
    SqliteStatement location(bank, "INSERT INTO Locations SELECT max(ID), 'Pune' FROM Resume");
    for (int n = 1; n <= count; ++n) {
        const int person = n % 20 == 0 ? n - 1 : n;
        const std::string name = std::string(kFirst[random() % 10]) + " " + kLast[random() % 9] + " " +
                                 std::to_string(n % 50 == 0 ? n - 1 : n);
        const std::string email = "person" + std::to_string(person) + "@mail.example";
        const std::string phone = "+49 30 " + std::to_string(10000000 + (n % 50 == 25 ? n - 1 : n));
        std::string body = name + "\nTel. " + phone + "\n";
        while (body.size() < 600)
            body += std::string(kFiller[random() % 16]) + ' ';
        abstract.Bind(1, name).Bind(2, email).Bind(3, "Firm " + std::to_string(n % 997)).Step();
        abstract.Reset();
        text.Bind(1, body).Step();
        text.Reset();
        for (SqliteStatement* list : {&lists, &specialization, &location}) {
            list->Step();
            list->Reset();
        }
    }
    transaction.Commit();
}

std::int64_t SizeOf(SqliteConnection& bank, const char* prefix) {
    SqliteStatement size(bank, "SELECT sum(pgsize) FROM dbstat WHERE name LIKE ?");
    size.Bind(1, std::string(prefix) + "%").Step();
    return size.ColumnInt(0);
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 3;
    std::printf("duplicate_benchmark: %d resumes, %d repetitions (medians)\n", count, repetitions);
    std::fflush(stdout);
    MakeBank(count);
    SqliteConnection bank;
    bank.Open(Path());
    const double keys =
        Milliseconds([&] { RefreshMatchKeys(bank, [](std::int64_t, std::int64_t) { return true; }); });
    std::printf("match keys of every resume made: %.0f ms (%.1f us a resume)\n", keys, keys * 1000 / count);

    std::mt19937 random(11);
    std::vector<double> hints;
    std::vector<double> lookups;
    for (int look = 0; look < 400; ++look) {
        const int n = 1 + static_cast<int>(random() % count);
        const std::string email =
            look % 2 ? "person" + std::to_string(n) + "@mail.example" : "nobody@x.example";
        const std::string name = look % 4 == 0 ? "Nobody Anywhere" : "José Müller " + std::to_string(n);
        const std::string phone = "+49 30 " + std::to_string(10000000 + n);
        const EntryValues entry{name, email, "Firm 1", phone, 0};
        hints.push_back(Milliseconds([&] {
            SqliteConnection form;
            form.Open(Path());
            FindSameResume(form, entry);
        }));
        lookups.push_back(Milliseconds([&] { FindSameResume(bank, entry); }));
    }
    std::printf(
        "hint check, connection opened each time: median %.2f ms, worst %.2f ms; lookup alone: median %.3f "
        "ms, worst %.2f ms\n",
        Median(hints), *std::max_element(hints.begin(), hints.end()), Median(lookups),
        *std::max_element(lookups.begin(), lookups.end()));

    std::vector<DuplicateRow> rows;
    const double groups = Median(repetitions, [&] { rows = FindDuplicateGroups(bank); });
    std::size_t stepped = 0;
    const double listing = Median(repetitions, [&] {
        SqliteStatement query(bank, DuplicatesQueryText(rows));
        stepped = 0;
        while (query.Step())
            ++stepped;
    });
    std::printf(
        "Find Duplicates: groups %.0f ms (%zu resumes in %d groups); the window's query stepped %.0f ms (%zu "
        "rows)\n",
        groups, rows.size(), rows.empty() ? 0 : rows.back().group, listing, stepped);

    const double withFields =
        Milliseconds([&] { BuildKeywordIndex(bank, [](std::int64_t, std::int64_t) { return true; }); });
    const std::int64_t fieldsSize = SizeOf(bank, "ResumeKeywords");
    // The index as it was: the text its only column, built the same way.
    const double textOnly = Milliseconds([&] {
        SqliteTransaction transaction(bank);
        bank.Execute("CREATE VIRTUAL TABLE OldKeywords USING fts5(Details, content='', tokenize='talvanor');"
                     "INSERT INTO OldKeywords (rowid, Details) SELECT ID, Details FROM Resume ORDER BY ID;"
                     "INSERT INTO OldKeywords (OldKeywords, rank) VALUES ('merge', -1000);");
        transaction.Commit();
    });
    const std::int64_t textSize = SizeOf(bank, "OldKeywords");
    std::printf(
        "keyword index: with name, e-mail, organization %.0f ms, %.1f MB; text alone %.0f ms, %.1f MB\n",
        withFields, fieldsSize / 1e6, textOnly, textSize / 1e6);
    std::filesystem::remove_all(DataFolder());
    return 0;
}
