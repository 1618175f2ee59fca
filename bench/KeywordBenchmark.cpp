// Times keyword search on a large bank, as part of search_benchmark (search_benchmark --keywords N
// [repetitions]): building the index on an existing bank against the engine's own rebuild of a
// plain table, the index's size, four searches filled into the grid against the engine stepping
// the same query, the check before each keyword search, and one append with and without the index.
#include "bench/KeywordBenchmark.h"
#include "bench/ResultRows.h"
#include "bench/Timing.h"

#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/ModalRun.h"
#include "search/CMSFlexGrid.h"
#include "search/KeywordHighlights.h"
#include "search/ResultDialog.h"
#include "search/ResultQuery.h"
#include "search/SearchQuery.h"
#include "store/KeywordIndex.h"
#include "store/KeywordQuery.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kSkills[] = {"Hibernate", "C++",        "C#",     ".NET",   "ASP.NET",    "Python",
                                   "Django",    "SQL",        "PL/SQL", "Oracle", "AS/400",     "Node.js",
                                   "React",     "Kotlin",     "Linux",  "Docker", "Kubernetes", "AWS",
                                   "SAP",       "Selenium",   "VC++",   "COBOL",  "Perl",       "PHP",
                                   "Angular",   "TypeScript", "Go",     "Scala"};
constexpr const char* kPlaces[] = {"Pune",      "Delhi",     "Mumbai",  "Chennai", "Bangalore",
                                   "Hyderabad", "Noida",     "Kolkata", "Gurgaon", "Ahmedabad",
                                   "London",    "Singapore", "Dubai",   "Zürich"};
constexpr const char* kFiller[] = {
    "worked",    "on",          "the",        "project",      "with",     "and",        "for",
    "developed", "managed",     "client",     "system",       "design",   "delivered",  "a",
    "of",        "in",          "to",         "built",        "services", "data",       "platform",
    "customers", "reports",     "migration",  "support",      "release",  "quality",    "process",
    "improved",  "performance", "years",      "experience",   "module",   "billing",    "banking",
    "retail",    "insurance",   "tools",      "testing",      "review",   "code",       "database",
    "interface", "users",       "business",   "requirements", "analysis", "deployment", "production",
    "issues",    "fixed",       "wrote",      "documents",    "training", "mentored",   "small",
    "large",     "global",      "local",      "office",       "remote",   "agile",      "scrum",
    "sprint",    "planning",    "estimates",  "budget",       "vendor",   "contracts",  "security",
    "network",   "servers",     "cloud",      "mobile",       "web",      "portal",     "batch",
    "jobs",      "schedules",   "monitoring", "alerts"};
constexpr const char* kStatuses[] = {"Active For Proccesing", "Hold", "Selected", "Rejected"};
constexpr const char* kLists[] = {"B.E.", "M.Tech.", "JAVA", "ERP", "Pune", "Delhi"};

// The words the searches look for are placed by rule, never drawn at random: "java" in half the
// resumes, "spring" in a third, "intern" in a fifth, the phrase "team lead" in a tenth, and the
// rare word "Reykjavík" in one resume in ten thousand.
std::string ResumeText(long index, std::mt19937& random) {
    std::string text;
    std::uniform_int_distribution<std::size_t> filler(0, std::size(kFiller) - 1);
    std::uniform_int_distribution<std::size_t> skill(0, std::size(kSkills) - 1);
    std::uniform_int_distribution<std::size_t> place(0, std::size(kPlaces) - 1);
    const auto add = [&text](const char* word) {
        text += word;
        text += ' ';
    };
    if (index % 2 == 0)
        add("Java");
    if (index % 3 == 0)
        add("Spring");
    if (index % 5 == 0)
        add("intern");
    if (index % 10 == 0)
        add("team lead");
    if (index % 10000 == 7)
        add("Reykjavík");
    while (text.size() < 3000) {
        for (int word = 0; word < 9; ++word)
            add(kFiller[filler(random)]);
        add(kSkills[skill(random)]);
        add(kPlaces[place(random)]);
        text.back() = '.';
        text += "\r\n";
    }
    return text;
}

std::string BankPath() {
    return DataFolder() + kDatabaseFileName;
}

void Execute(const std::string& sql, const std::string& path = BankPath()) {
    SqliteConnection bank;
    bank.Open(path);
    bank.Execute(sql);
}

void DropIndex(const std::string& path = BankPath()) {
    Execute(
        "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER ResumeKeywordsNoteInsert;"
        "DROP TRIGGER ResumeKeywordsNoteUpdate; DROP TRIGGER ResumeKeywordsNoteDelete;"
        " DROP TRIGGER ResumeKeywordsNoteFieldsInsert; DROP TRIGGER ResumeKeywordsNoteFieldsUpdate; DROP "
        "TRIGGER ResumeKeywordsNoteFieldsDelete;",
        path);
}

// A bank as it stood before keyword search: N resumes, 2 x 2 x 2 list values each, no index.
std::int64_t MakeBank(long count) {
    DropIndex();
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    bank.Execute("BEGIN");
    SqliteStatement abstract(bank,
                             "INSERT INTO [Abstract Information] (Name, Experience, Email, Organization, "
                             "Status) VALUES (?, '2-5', ?, 'Acme Systems', ?)");
    SqliteStatement qualification(bank, "INSERT INTO Qualifications VALUES (?, ?)");
    SqliteStatement specialization(bank, "INSERT INTO Specializations VALUES (?, ?)");
    SqliteStatement location(bank, "INSERT INTO Locations VALUES (?, ?)");
    SqliteStatement text(bank, "INSERT INTO Resume VALUES (?, ?)");
    std::mt19937 random(2026);
    std::int64_t bytes = 0;
    for (long index = 0; index < count; ++index) {
        const std::string name = "Candidate " + std::to_string(index);
        const std::string email = "candidate" + std::to_string(index) + "@example.com";
        abstract.Bind(1, name).Bind(2, email).Bind(3, kStatuses[index % 4]).Step();
        abstract.Reset();
        const std::int64_t id = bank.LastInsertRowId();
        for (int value = 0; value < 2; ++value) {
            qualification.Bind(1, id).Bind(2, kLists[value]).Step();
            qualification.Reset();
            specialization.Bind(1, id).Bind(2, kLists[2 + value]).Step();
            specialization.Reset();
            location.Bind(1, id).Bind(2, kLists[4 + value]).Step();
            location.Reset();
        }
        const std::string details = ResumeText(index, random);
        bytes += static_cast<std::int64_t>(details.size());
        text.Bind(1, id).Bind(2, details).Step();
        text.Reset();
    }
    bank.Execute("COMMIT");
    return bytes;
}

std::int64_t Bytes(const std::string& tablesLike) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    SqliteStatement size(bank, "SELECT coalesce(sum(pgsize), 0) FROM dbstat WHERE name LIKE ?");
    size.Bind(1, tablesLike).Step();
    return size.ColumnInt(0);
}

void BuildOurs() {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    BuildKeywordIndex(bank, [](std::int64_t, std::int64_t) { return true; });
}

// The engine's own rebuild of a plain table over the same texts, for comparison.
void BuildPlain() {
    Execute("DROP TABLE IF EXISTS PlainWords;"
            "CREATE VIRTUAL TABLE PlainWords USING fts5(Details, content='Resume', content_rowid='ID', "
            "tokenize='unicode61 remove_diacritics 2');"
            "INSERT INTO PlainWords (PlainWords) VALUES ('rebuild')");
}

void AppendOne(const std::string& text) {
    ResumeStore store;
    store.record.name = "Appended";
    store.record.resumeText = text;
    store.record.qualifications = "B.E.,M.Tech.,";
    store.record.specializations = "JAVA,ERP,";
    store.record.locations = "Pune,Delhi,";
    store.Open();
    store.AppendResume();
    store.Close();
}

// Medians of one append on the bank with the index and on a copy without it, taken in turns so
// that the disk's changing speed falls on both alike.
std::pair<double, double> AppendWithAndWithoutIndex(int repetitions) {
    const std::string other = BankPath() + ".other";
    const std::string parked = BankPath() + ".parked";
    std::filesystem::copy_file(BankPath(), other);
    DropIndex(other);
    std::mt19937 random(7);
    const std::string text = ResumeText(1, random);
    std::vector<double> times[2];
    for (int run = 0; run < 2 * repetitions; ++run) {
        times[run % 2].push_back(Milliseconds([&text] { AppendOne(text); }));
        std::filesystem::rename(BankPath(), parked);
        std::filesystem::rename(other, BankPath());
        std::filesystem::rename(parked, other);
    }
    std::filesystem::remove(other);
    for (auto& series : times)
        std::sort(series.begin(), series.end());
    return {times[0][times[0].size() / 2], times[1][times[1].size() / 2]};
}

// From pressing Details to File View being up, on a 1 MB resume that a keyword search found, with
// a match on every line to mark.
double DetailsWithMatches(ResultDialog& window, int repetitions) {
    std::string text = "Zanzibar\r\n";
    while (text.size() < (1u << 20))
        text += "Wrote Java services and reports for the billing platform, line " +
                std::to_string(text.size()) + "\r\n";
    ResumeStore store;
    store.record.name = "Long Resume";
    store.record.resumeText = text;
    store.record.qualifications = "B.E.,";
    store.Open();
    store.AppendResume();
    store.Close();
    const KeywordSearch search = *TranslateKeywords("zanzibar java").search;
    g_resultQuery = BuildSearchQuery({}, search.match);
    g_resultKeywords = search.shown;
    window.FillGrid();
    QElapsedTimer clock;
    double shownAt = 0;
    SetModalHandler([&](QDialog& dialog) {
        shownAt = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dialog.reject();
    });
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
        clock.start();
        FindControl<QPushButton>(&window, 1)->click();
        times.push_back(shownAt);
    }
    SetModalHandler({});
    g_resultKeywords.clear();
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int RunKeywordBenchmark(long count, int repetitions) {
    std::printf("making a bank of %ld resumes in %s ...\n", count, DataFolder().c_str());
    std::int64_t textBytes = 0;
    const double makeMs = Milliseconds([&] { textBytes = MakeBank(count); });
    std::printf("made in %.1f s: %.0f MB of resume text; medians of %d runs\n\n", makeMs / 1000,
                static_cast<double>(textBytes) / 1e6, repetitions);

    const double plain = Median(repetitions, BuildPlain);
    const std::int64_t plainBytes = Bytes("PlainWords%");
    Execute("DROP TABLE PlainWords");
    const double ours = Median(repetitions, BuildOurs);
    const std::int64_t ourBytes = Bytes("ResumeKeywords%");
    char note[160];
    std::snprintf(note, sizeof note, "%.2fx the engine's rebuild of a plain table (%.1f s)", ours / plain,
                  plain / 1000);
    Row("build the keyword index on an existing bank", ours, note);
    std::printf("  %-52s %10.0f MB  %.0f%% of the texts; a plain table %.0f%%\n", "size of the keyword index",
                static_cast<double>(ourBytes) / 1e6, 100.0 * static_cast<double>(ourBytes) / textBytes,
                100.0 * static_cast<double>(plainBytes) / textBytes);

    // The check the search form makes before each keyword search.
    const double check = Median(std::max(repetitions, 11), [] {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        InspectKeywordIndex(bank);
    });
    Row("check before a keyword search (index in step?)", check);

    // The window opens on a small result; each search is filled once before it is timed, so that
    // no timing pays for clearing the rows of the search before it.
    g_resultQuery = BuildSearchQuery({}, TranslateKeywords("reykjavik").search->match);
    ResultDialog window(nullptr);
    CMSFlexGrid& grid = *FindControl<CMSFlexGrid>(&window, 1022);
    const std::pair<const char*, const char*> searches[] = {
        {"keywords: a rare word (reykjavik)", "reykjavik"},
        {"keywords: a word in half the bank (java)", "java"},
        {"keywords: a phrase (\"team lead\")", "\"team lead\""},
        {"keywords: java AND spring NOT intern", "java AND spring NOT intern"}};
    double rareWordFill = -1;
    for (const auto& [what, typed] : searches) {
        const std::string query = BuildSearchQuery({}, TranslateKeywords(typed).search->match);
        // Short runs need more of them for a steady median; a million resumes take long enough.
        const int runs = count >= 500000 ? repetitions : std::max(repetitions, 11);
        long joined = StepQuery(query);
        const double engine = Median(runs, [&] { joined = StepQuery(query); });
        g_resultQuery = query;
        window.FillGrid();
        const double fill = Median(runs, [&] { window.FillGrid(); });
        std::snprintf(note, sizeof note, "engine %.1f ms, %.2fx, %ld resumes (%ld rows)", engine,
                      fill / engine, grid.Rows() - 1, joined);
        Row(what, fill, note);
        if (rareWordFill < 0)
            rareWordFill = fill;
    }
    Row("a rare word as the user waits for it: check + fill", check + rareWordFill, "target < 20 ms");
    Row("Details with the matches marked, 1 MB text", DetailsWithMatches(window, repetitions),
        "\"java\" on each of its 12,000 lines");

    const int appends = std::max(repetitions, 41);
    const auto [withIndex, withoutIndex] = AppendWithAndWithoutIndex(appends);
    std::snprintf(note, sizeof note, "without the index %.2f ms: %+.0f%%", withoutIndex,
                  100.0 * (withIndex / withoutIndex - 1));
    Row("append one resume with the index", withIndex, note);
    return 0;
}
