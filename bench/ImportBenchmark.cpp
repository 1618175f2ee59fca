// Times the text import with its proposals the way a recruiter meets it: from the chooser's OK until
// the Text Resume dialog has painted the text and the panel of proposed fields, for the two-page
// sample resumes (PDF, Word, OpenDocument) and a 200-page PDF; and the proposing alone.
// With --sweep N it times instead the first-start sweep of the kept originals over N resumes, each
// with a file of its own, as every start of the program runs it.
// Usage: import_benchmark [repetitions] | --sweep N   (run offscreen; makes its bank in a temporary folder)
#include "bench/Timing.h"
#include "documents/DocumentReader.h"
#include "entry/EntryCommands.h"
#include "entry/ResumeProposals.h"
#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "store/OriginalFiles.h"
#include "store/OriginalsSweep.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"
#include "store/Sqlite.h"
#include "tools/BankSetup.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kNameValue = 2021; // the panel's name field

struct Opening {
    double milliseconds = 0;
    std::string name; // the name the panel proposes
};

// One import of `path`: chooser OK, reading, proposing, the dialog painted; then Cancel.
Opening TimeOpening(const std::string& path) {
    Opening result;
    Clock::time_point chosen;
    bool answered = false;
    SetOpenFileAnswerer([&](const QString&) -> std::optional<std::string> {
        if (std::exchange(answered, true))
            return std::nullopt;
        chosen = Clock::now();
        return path;
    });
    SetModalHandler([&](QDialog& dialog) {
        dialog.repaint();
        result.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - chosen).count();
        if (auto* name = FindControl<QLineEdit>(&dialog, kNameValue))
            result.name = name->text().toStdString();
        dialog.reject();
    });
    RunTextFileImport(nullptr);
    SetModalHandler({});
    SetOpenFileAnswerer({});
    return result;
}

std::string ReportPage(int number) {
    std::string page = "Page " + std::to_string(number + 1) + " of a long report\n";
    for (int line = 0; line < 45; ++line)
        page += "Built and ran billing, payroll and reporting systems for large clients, line " +
                std::to_string(line) + ".\n";
    return page;
}

// N resumes in one transaction, each with a kept file of a few bytes (the sweep's cost is per file).
void FillBank(int resumes) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    SqliteTransaction transaction(bank);
    for (int number = 0; number < resumes; ++number) {
        bank.Execute("INSERT INTO [Abstract Information] (Name) VALUES ('Candidate')");
        const OriginalFile kept = KeepOriginal(DataFolder(), "resume " + std::to_string(number), "cv.pdf");
        WriteOriginalRow(bank, bank.LastInsertRowId(), kept);
    }
    transaction.Commit();
}

int TimeSweep(int resumes) {
    FillBank(resumes);
    for (int run = 0; run < 3; ++run) {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        OriginalsSweepResult result;
        const double milliseconds =
            Milliseconds([&] { result = SweepOriginals(bank, DataFolder(), kLeftoverOriginalAge); });
        std::printf("sweep over %d kept files: %.0f ms (%d files and %d rows removed)\n", resumes,
                    milliseconds, result.files, result.rows);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // offscreen chatter
    SetMessageAnswerer([](const MessageRequest&) { return MessageAnswer::Ok; });
    PrepareDataFolder(DataFolder());
    if (argc > 2 && std::string(argv[1]) == "--sweep")
        return TimeSweep(std::max(1, std::atoi(argv[2])));
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    std::vector<std::string> pages;
    for (int number = 0; number < 200; ++number)
        pages.push_back(ReportPage(number));
    const std::string longPdf = home.filePath("report.pdf").toStdString();
    std::ofstream(longPdf, std::ios::binary) << TextPdf(pages);
    const std::string samples = TALVANOR_SOURCE_DIR "/tests/data/documents/";

    const struct {
        const char* what;
        std::string path;
        double target;
    } files[] = {{"two-page PDF resume", samples + "resume.pdf", 200},
                 {"two-page Word resume", samples + "resume.docx", 200},
                 {"two-page OpenDocument resume", samples + "resume.odt", 200},
                 {"200-page PDF", longPdf, 5000}};
    for (const auto& file : files) {
        TimeOpening(file.path); // the dialog's first use: fonts and caches
        std::vector<double> times;
        std::string name;
        for (int run = 0; run < repetitions; ++run) {
            const Opening opening = TimeOpening(file.path);
            times.push_back(opening.milliseconds);
            name = opening.name;
        }
        const std::string text = ReadDocument(file.path).text;
        const double proposing = Median(repetitions, [&] { ProposeForTheDialog(text); });
        std::printf(
            "%-30s chooser OK to text and proposals painted: median %7.1f ms, worst %7.1f ms (target < "
            "%.0f ms); proposing alone %.1f ms; name proposed: \"%s\"\n",
            file.what, Median(times), *std::max_element(times.begin(), times.end()), file.target, proposing,
            name.c_str());
    }
    return 0;
}
