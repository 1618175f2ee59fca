// Times getting resumes back out of a large bank: the engine alone, the result window's fill,
// searches, memory, painting the end of the grid, opening Details and Edit on a 1 MB text, the
// window opening as a user sees it (first rows, repaints), and sorting, copying and exporting.
// Usage: search_benchmark N [repetitions]   (makes its bank in a temporary folder of its own)
//        search_benchmark --keywords N [repetitions]   (keyword search: bench/KeywordBenchmark.cpp)
#include "bench/KeywordBenchmark.h"
#include "bench/ResultRows.h"
#include "bench/Timing.h"
#include "entry/EditedResume.h"
#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "search/CMSFlexGrid.h"
#include "search/GridCsvExport.h"
#include "search/ResultDialog.h"
#include "search/ResultQuery.h"
#include "search/SearchQuery.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"
#include "tools/BankSetup.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr const char* kStatuses[] = {"Active For Proccesing", "Hold", "Selected", "Rejected"};
constexpr const char* kQualifications[] = {"B.E.", "M.Tech.", "M.C.A.", "MBA", "B.Sc.", "Ph.D."};
constexpr const char* kSpecializations[] = {"JAVA", "ERP", "VC++", "ORACLE DBA", "TESTING", "UNIX"};
constexpr const char* kLocations[] = {"Pune", "Delhi", "Mumbai", "Chennai", "Noida", "Overseas"};

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    }
    return -1;
}

std::string Name(long index) {
    return "Candidate " + std::to_string(index);
}

// Every resume has 2 x 2 x 2 list values and a text of about 3 KB; one transaction for speed.
void MakeBank(long count, const std::string& bigText) {
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
    std::string resumeText;
    for (int line = 0; line < 40; ++line)
        resumeText +=
            "Experienced engineer: projects, tools, teams and results, line " + std::to_string(line) + "\r\n";
    for (long index = 0; index < count; ++index) {
        const std::string name = Name(index);
        const std::string email = "candidate" + std::to_string(index) + "@example.com";
        abstract.Bind(1, name).Bind(2, email).Bind(3, kStatuses[index % 4]).Step();
        abstract.Reset();
        const std::int64_t id = bank.LastInsertRowId();
        for (int value = 0; value < 2; ++value) {
            qualification.Bind(1, id).Bind(2, kQualifications[(index + value) % 6]).Step();
            qualification.Reset();
            specialization.Bind(1, id).Bind(2, kSpecializations[(index + 2 * value) % 6]).Step();
            specialization.Reset();
            location.Bind(1, id).Bind(2, kLocations[(index + 3 * value) % 6]).Step();
            location.Reset();
        }
        text.Bind(1, id).Bind(2, index == count / 2 ? bigText : resumeText).Step();
        text.Reset();
    }
    bank.Execute("COMMIT");
}

void ExecuteOn(const std::string& path, const std::string& sql) {
    SqliteConnection bank;
    bank.Open(path);
    bank.Execute(sql);
}

// Time from pressing a button to its dialog being up, the dialog then closed at once.
double OpeningTime(QDialog& window, int buttonId, int repetitions) {
    QElapsedTimer clock;
    double shownAt = 0;
    SetModalHandler([&](QDialog& dialog) {
        shownAt = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dialog.reject();
    });
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
        clock.start();
        FindControl<QPushButton>(&window, buttonId)->click();
        times.push_back(shownAt);
    }
    SetModalHandler({});
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Every paint of a result grid's rows while the window opens: when, and how many rows it held.
class PaintClock : public QObject {
public:
    PaintClock() { m_clock.start(); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* grid = watched->parent() != nullptr ? qobject_cast<CMSFlexGrid*>(watched->parent()) : nullptr;
        if (event->type() == QEvent::Paint && grid != nullptr && grid->viewport() == watched)
            m_paints.emplace_back(static_cast<double>(m_clock.nsecsElapsed()) / 1e6,
                                  grid->model()->rowCount());
        return false;
    }
    double Now() const { return static_cast<double>(m_clock.nsecsElapsed()) / 1e6; }
    double FirstRowsAt() const {
        for (const auto& [at, rows] : m_paints) {
            if (rows > 0)
                return at;
        }
        return -1;
    }
    // The longest time without a paint, from the first paint to `end`.
    double LongestGap(double end) const {
        double longest = 0;
        for (std::size_t index = 1; index <= m_paints.size(); ++index) {
            const double next = index < m_paints.size() ? m_paints[index].first : end;
            longest = std::max(longest, next - m_paints[index - 1].first);
        }
        return longest;
    }

private:
    QElapsedTimer m_clock;
    std::vector<std::pair<double, int>> m_paints;
};

struct Opening {
    double firstRows = 0, whole = 0, longestGap = 0;
};

// The window opening on All Records as the user sees it, until it has painted its complete grid:
// shown as it fills (progressive), or shown once the fill is complete, as before.
Opening OpenWindow(bool progressive) {
    const FillPacing pacing = g_fillPacing;
    if (!progressive)
        g_fillPacing.firstShow = std::numeric_limits<int>::max();
    PaintClock paints;
    qApp->installEventFilter(&paints);
    Opening opening;
    {
        ResultDialog window(nullptr);
        window.show();
        QApplication::processEvents(); // the complete grid paints
        opening.whole = paints.Now();
        qApp->removeEventFilter(&paints);
        opening.firstRows = paints.FirstRowsAt();
        opening.longestGap = paints.LongestGap(opening.whole);
    }
    g_fillPacing = pacing;
    QApplication::processEvents();
    return opening;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication application(argc, argv);
    const long count = argc > 1 ? std::atol(argv[1]) : 10000;
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return MessageAnswer::Yes;
    });

    PrepareDataFolder(DataFolder());
    if (argc > 1 && std::string(argv[1]) == "--keywords")
        return RunKeywordBenchmark(argc > 2 ? std::atol(argv[2]) : 100000,
                                   argc > 3 ? std::max(1, std::atoi(argv[3])) : 3);
    // A long resume as people write them: lines of words, about 1 MB.
    std::string bigText;
    while (bigText.size() < (1u << 20))
        bigText += "Led the migration of the billing platform; wrote tools, tests and reports. Line " +
                   std::to_string(bigText.size()) + "\r\n";
    const double makeMs = Milliseconds([&] { MakeBank(count, bigText); });
    std::printf("bank of %ld resumes made in %.1f s (%s)\n", count, makeMs / 1000, DataFolder().c_str());

    // (a) and (b): All Records.
    long joined = 0;
    const double engineAll = Median(repetitions, [&] { joined = StepQuery(kAllRecordsQuery); });
    g_resultQuery = kAllRecordsQuery;

    // (g) The window opening as the user sees it; its fill shows rows as it goes. Runs alternate
    // with openings that show the grid only once it is complete, as before.
    std::vector<Opening> openings, asBefore;
    for (int run = 0; run < repetitions; ++run) {
        asBefore.push_back(OpenWindow(false));
        openings.push_back(OpenWindow(true));
    }
    const auto median = [](const std::vector<Opening>& runs, double Opening::*field) {
        std::vector<double> values;
        for (const Opening& opening : runs)
            values.push_back(opening.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const long openedPeakKiB = StatusKiB("VmHWM:");

    // (b) The fill as it was before rows showed as they came: the window stays hidden until the end.
    // So do all fills from here on, comparable with the engine and with earlier figures.
    g_fillPacing.firstShow = std::numeric_limits<int>::max();
    ResultDialog window(nullptr);
    const double fillAll = Median(repetitions, [&] { window.FillGrid(); });
    const long peakKiB = StatusKiB("VmHWM:");
    CMSFlexGrid& grid = *FindControl<CMSFlexGrid>(&window, 1022);

    std::printf("\n%ld joined rows, %ld grid rows; medians of %d runs\n", joined, grid.Rows() - 1,
                repetitions);
    Row("(a) engine: step All Records, read shown columns", engineAll);
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "%.2fx (a)  target <= 1.5x", fillAll / engineAll);
    Row("(b) FillGrid, All Records, window hidden", fillAll, ratio);
    const double before = median(asBefore, &Opening::whole);
    Row("(g) window opening, grid shown once complete (before)", before, "first rows painted then too");
    std::snprintf(ratio, sizeof ratio, "%.2fx before  target <= 1.2x",
                  median(openings, &Opening::whole) / before);
    Row("(g) window opening, rows shown as they come: complete", median(openings, &Opening::whole), ratio);
    Row("(g) ... its first rows painted", median(openings, &Opening::firstRows), "target < 300 ms");
    Row("(g) ... longest time between two paints", median(openings, &Opening::longestGap), "target < 100 ms");

    // (h) Sorting, copying and exporting the full grid.
    window.show();
    QApplication::processEvents();
    // Each run sorts the whole grid again, also when the column and order stay the same.
    Row("(h) sort by Name", Median(repetitions, [&] { grid.SortByColumn(1, Qt::AscendingOrder); }),
        "target < 300 ms at 100,000");
    Row("(h) sort by Location Preference(s)",
        Median(repetitions, [&] { grid.SortByColumn(8, Qt::AscendingOrder); }), "target < 300 ms at 100,000");
    Row("(h) sort by Status, descending",
        Median(repetitions, [&] { grid.SortByColumn(5, Qt::DescendingOrder); }));
    grid.SetRow(grid.Rows() / 2);
    Row("(h) Ctrl+C, the current row", Median(std::max(repetitions, 11), [&] { grid.CopySelectedRows(); }),
        "target < 10 ms");
    grid.selectionModel()->select(QItemSelection(grid.model()->index(0, 1), grid.model()->index(999, 8)),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Row("(h) Ctrl+C, 1,000 selected rows",
        Median(std::max(repetitions, 11), [&] { grid.CopySelectedRows(); }));
    const std::string csvPath = home.path().toStdString() + "/all.csv";
    Row("(h) export every row to CSV",
        Median(repetitions,
               [&] {
                   if (auto failure = WriteGridCsv(grid, csvPath))
                       std::fprintf(stderr, "export failed: %s\n", failure->c_str());
               }),
        "target < 2 s at 100,000");
    std::printf("  %-52s %10.1f MB\n", "(h) ... the file",
                static_cast<double>(QFileInfo(QString::fromStdString(csvPath)).size()) / 1e6);
    window.hide();
    grid.SortByColumn(-1, Qt::AscendingOrder);

    // (c) Searches.
    SearchCriteria byName;
    byName.name = Name(count / 3);
    SearchCriteria byQualificationAndLocation;
    byQualificationAndLocation.qualification = kQualifications[1];
    byQualificationAndLocation.location = kLocations[0];
    SearchCriteria byStatus;
    byStatus.status = kStatuses[1];
    const std::pair<const char*, SearchCriteria> searches[] = {
        {"(c) search: one name", byName},
        {"(c) search: qualification + location", byQualificationAndLocation},
        {"(c) search: one status (a quarter)", byStatus}};
    for (const auto& [what, criteria] : searches) {
        const std::string query = BuildSearchQuery(criteria);
        const int runs = std::max(repetitions, 11); // short runs need more of them for a steady median
        const double engine = Median(runs, [&] { StepQuery(query); });
        g_resultQuery = query;
        const double fill = Median(runs, [&] { window.FillGrid(); });
        std::snprintf(ratio, sizeof ratio, "engine %.1f ms, %.2fx, %ld rows", engine, fill / engine,
                      grid.Rows() - 1);
        Row(what, fill, ratio);
    }

    std::printf("  %-52s %10.1f MB  (after (b): %.1f MB)  target < 250 MB\n",
                "(d) peak resident memory after (g)", static_cast<double>(openedPeakKiB) / 1024,
                static_cast<double>(peakKiB) / 1024);

    // (e) Painting one screen of rows at the end of a full grid.
    g_resultQuery = kAllRecordsQuery;
    window.FillGrid();
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    grid.scrollToBottom();
    QApplication::processEvents();
    const double paint = Median(std::max(repetitions, 5), [&] { grid.viewport()->repaint(); });
    Row("(e) paint one screen at the end of the grid", paint, "target < 16 ms");

    // (f) Details and Edit on the resume with the 1 MB text.
    g_resultQuery = "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
                    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID "
                    "AND [Abstract Information].ID=Qualifications.ID AND [Abstract Information].ID=" +
                    std::to_string(count / 2 + 1) + " ORDER BY [Abstract Information].ID;";
    window.FillGrid();
    Row("(f) Details opening on a 1 MB text", OpeningTime(window, 1, repetitions), "target < 200 ms");
    Row("(f) Edit opening on a 1 MB text", OpeningTime(window, 1028, repetitions), "target < 200 ms");

    // The worst case: the same size as one line without a blank (a file with no line breaks).
    ExecuteOn(DataFolder() + kDatabaseFileName, "UPDATE Resume SET Details=replace(replace(replace(Details, "
                                                "char(13), ''), char(10), ''), ' ', '') WHERE ID=" +
                                                    std::to_string(count / 2 + 1));
    Row("(f) Details opening on a 1 MB text with no line break", OpeningTime(window, 1, repetitions));
    Row("(f) Edit opening on a 1 MB text with no line break", OpeningTime(window, 1028, repetitions));
    return 0;
}
