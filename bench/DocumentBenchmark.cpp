// Times the text import of documents the way a user meets it: from the chooser's OK until the
// Text Resume dialog has painted its text, for the two-page sample PDF and Word resumes and for
// a 200-page PDF (with its progress box); and the memory a 200-page PDF's reading takes at its
// peak beside the text it gives.
// Usage: document_benchmark [repetitions]   (run offscreen; makes its bank in a temporary folder)
#include "bench/Timing.h"
#include "documents/DocumentReader.h"
#include "entry/DocumentReading.h"
#include "entry/EntryCommands.h"
#include "platform/DataFolder.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "tools/BankSetup.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QApplication>
#include <QDialog>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    }
    return 0;
}

// Starts counting the peak resident memory afresh from now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct OpenTime {
    double milliseconds = 0;
    bool progressShown = false;
};

// One import of `path`: chooser OK, reading, the dialog painted; then Cancel.
OpenTime TimeOpening(const std::string& path) {
    OpenTime result;
    Clock::time_point chosen;
    bool answered = false;
    SetOpenFileAnswerer([&](const QString&) -> std::optional<std::string> {
        if (std::exchange(answered, true))
            return std::nullopt;
        chosen = Clock::now();
        return path;
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            result.progressShown = true;
    });
    watch.start(0);
    SetModalHandler([&](QDialog& dialog) {
        dialog.repaint();
        result.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - chosen).count();
        dialog.reject();
    });
    RunTextFileImport(nullptr);
    SetModalHandler({});
    SetOpenFileAnswerer({});
    return result;
}

std::string ResumePage(int number) {
    std::string page = "Page " + std::to_string(number + 1) + " of a long report\n";
    for (int line = 0; line < 45; ++line)
        page += "Built and ran billing, payroll and reporting systems for large clients, line " +
                std::to_string(line) + ".\n";
    return page;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // offscreen chatter
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    SetMessageAnswerer([](const MessageRequest&) { return MessageAnswer::Ok; });
    PrepareDataFolder(DataFolder());

    std::vector<std::string> pages;
    for (int number = 0; number < 200; ++number)
        pages.push_back(ResumePage(number));
    const std::string longPdf = home.filePath("report.pdf").toStdString();
    const std::string pdfBytes = TextPdf(pages);
    std::ofstream(longPdf, std::ios::binary) << pdfBytes;
    const std::string samples = TALVANOR_SOURCE_DIR "/tests/data/documents/";

    // The reading's peak memory above what the process held before it. Measured first, while the
    // heap holds nothing freed that the reading could reuse; a short PDF first brings in the
    // library's fonts and tables.
    ReadDocument(samples + "resume.pdf");
    const long before = StatusKiB("VmRSS:");
    ResetPeak();
    const auto started = Clock::now();
    const DocumentText text = ReadDocument(longPdf);
    const double reading = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    const long peak = StatusKiB("VmHWM:");
    const double textMiB = static_cast<double>(text.text.size()) / (1024 * 1024);
    const double fileMiB = static_cast<double>(pdfBytes.size()) / (1024 * 1024);
    const double growthMiB = static_cast<double>(peak - before) / 1024;
    const double bufferMiB = static_cast<double>(text.text.capacity()) / (1024 * 1024);
    std::printf(
        "200-page PDF of %.2f MiB: read in %.0f ms to %.2f MiB of text; peak memory %.2f MiB above the "
        "start = %.1fx the text: the text's buffer %.2f MiB, the file's bytes %.2f MiB, the rest (the "
        "library's own) %.2f MiB\n",
        fileMiB, reading, textMiB, growthMiB, growthMiB / textMiB, bufferMiB, fileMiB,
        growthMiB - bufferMiB - fileMiB);

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
        bool progress = false;
        for (int run = 0; run < repetitions; ++run) {
            const OpenTime time = TimeOpening(file.path);
            times.push_back(time.milliseconds);
            progress = progress || time.progressShown;
        }
        std::printf(
            "%-30s chooser OK to painted dialog: median %7.1f ms, worst %7.1f ms (target < %.0f ms)%s\n",
            file.what, Median(times), *std::max_element(times.begin(), times.end()), file.target,
            progress ? ", progress shown" : "");
    }
    return 0;
}
