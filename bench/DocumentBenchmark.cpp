// Times the text import of documents the way a user meets it: from the chooser's OK until the
// Text Resume dialog has painted its text, for the two-page sample PDF and Word resumes and for
// a 200-page PDF (with its progress box); the memory a 200-page PDF's reading takes at its peak
// beside the text it gives; the reading order's cost beside the page's physical layout alone, on
// a one-column and a two-column two-page PDF; and the recognition of a scanned two-page resume,
// its time and its peak memory.
// Usage: document_benchmark [repetitions]   (run offscreen; makes its bank in a temporary folder)
#include "bench/Timing.h"
#include "documents/DocumentReader.h"
#include "documents/PdfText.h"
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
#include <memory>
#include <poppler-document.h>
#include <poppler-page.h>
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

// The reading as it was before the reading order: every page in its physical layout.
std::size_t PhysicalLayoutOnly(const std::string& pdf) {
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(pdf.data(), static_cast<int>(pdf.size())));
    std::size_t size = 0;
    for (int index = 0; index < document->pages(); ++index) {
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        size += page->text(poppler::rectf(), poppler::page::physical_layout).to_utf8().size();
    }
    return size;
}

template <typename Work> double MedianMilliseconds(int repetitions, Work work) {
    std::vector<double> times;
    for (int run = 0; run < repetitions; ++run) {
        const auto started = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started).count());
    }
    return Median(times);
}

const char* const kSidebar =
    "Jose Muller\nSoftware Engineer\n\nContact\njose@mail.example\n\nSkills\nC++ and "
    "Qt\nEmbedded Linux\nTemplate design\n\nLanguages\nGerman, English";
const char* const kMainColumn =
    "Experience\n03/2018 - today  Senior Engineer, Acme GmbH\nLed the team that wrote the "
    "embedded\nsoftware for brake controllers and its\nunit tests; introduced "
    "template\nmetaprogramming where it paid off.\n\nEducation\nM.Sc. Computer Science";

void TimeReadingOrder(const std::string& samples, int repetitions) {
    std::ifstream file(samples + "resume.pdf", std::ios::binary);
    const std::string oneColumn((std::istreambuf_iterator<char>(file)), {});
    const std::vector<PlacedText> page = {{40, 60, kSidebar}, {230, 60, kMainColumn}};
    const std::string twoColumns = LaidOutPdf({page, page});
    const struct {
        const char* what;
        const std::string& pdf;
    } pdfs[] = {{"one-column two-page PDF", oneColumn}, {"two-column two-page PDF", twoColumns}};
    for (const auto& pdf : pdfs) {
        const double before = MedianMilliseconds(repetitions * 4, [&] { PhysicalLayoutOnly(pdf.pdf); });
        const double now = MedianMilliseconds(repetitions * 4, [&] { ReadPdfText(pdf.pdf); });
        std::printf(
            "%-30s physical layout alone %6.2f ms, in reading order %6.2f ms: %.2fx (target <= 1.5x)\n",
            pdf.what, before, now, now / before);
    }
}

void TimeRecognition(int repetitions) {
    const std::string scan = ScannedPdf(
        {"Asha Rao\nSenior Quality Engineer, Pune\nasha.rao@mail.example\n\nExperience\nAcme Tools, "
         "Test Lead, 2018 to today\nBuilt a test rig for brake controllers.\nHired and trained a team "
         "of nine engineers.\nWrote the audit plan and passed the customer's audit.",
         "Education\nMaster of Technology in Embedded Systems, 2012\nBachelor of Engineering, 2010\n\n"
         "Languages\nEnglish, Hindi, Marathi and German\n\nInterests\nCycling, music, robots"});
    ReadPdfText(scan); // the engine's data into the page cache
    const long before = StatusKiB("VmRSS:");
    ResetPeak();
    bool progressed = false;
    const double time = MedianMilliseconds(repetitions, [&] {
        ReadPdfText(scan, [&](std::size_t done, std::size_t total) {
            progressed = progressed || (done > 0 && done < total);
            return true;
        });
    });
    const long peak = StatusKiB("VmHWM:");
    std::printf(
        "scanned two-page resume: recognised in %.0f ms median (target < 5000 ms)%s; peak memory %.1f MiB "
        "above the start, %.1f MiB in all (target < 300 MiB)\n",
        time, progressed ? ", progress between the pages" : "", static_cast<double>(peak - before) / 1024,
        static_cast<double>(peak) / 1024);
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

    TimeReadingOrder(samples, repetitions);
    TimeRecognition(repetitions);

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
