#include "entry/DocumentReading.h"

#include "documents/DocumentReader.h"
#include "documents/FileBytes.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "platform/WaitCursor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

namespace {

// Short readings, a resume of a few pages, never flash a box.
std::chrono::milliseconds g_progressDelay{300};

// The bar counts thousandths, whatever a reader counts in.
constexpr int kProgressSteps = 1000;

std::unique_ptr<QProgressDialog> ProgressBox(QWidget* parent, const std::string& path) {
    auto box = std::make_unique<QProgressDialog>(parent);
    box->setWindowTitle(QString::fromLatin1(kApplicationTitle));
    box->setLabelText(QStringLiteral("Reading %1 ...").arg(QFileInfo(ToQt(path)).fileName()));
    // The box's own button, renamed: a button of our own would bring a second Escape shortcut,
    // and two make Escape do nothing.
    box->setCancelButtonText(QStringLiteral("&Stop"));
    SetControlId(box->findChild<QPushButton*>(), kProgressStopButton);
    box->setRange(0, kProgressSteps);
    box->setMinimumDuration(0);
    box->setAutoClose(false);
    box->setAutoReset(false);
    box->setWindowModality(Qt::ApplicationModal);
    // Escape rejects the box; it stops the reading as the button does.
    QObject::connect(box.get(), &QDialog::rejected, box.get(), &QProgressDialog::cancel);
    return box;
}

std::optional<std::chrono::sys_days> ModificationDay(const std::string& path) {
    const QDateTime written = QFileInfo(ToQt(path)).lastModified().toUTC();
    if (!written.isValid())
        return std::nullopt;
    const QDate day = written.date();
    return std::chrono::sys_days(std::chrono::year(day.year()) / day.month() / day.day());
}

} // namespace

ImportedFile ReadImportedFile(const std::string& path, const ReadProgress& progress) {
    FileBytes file = ReadFileBytes(path);
    if (!file.bytes)
        return {Problem(DocumentKind::Unknown, ReadProblem::FileUnreadable, file.error), {}};
    // The text is read from the very bytes that are kept, so the two always agree.
    DocumentText content = ReadDocumentBytes(*file.bytes, path, progress);
    return {std::move(content), std::move(*file.bytes), ModificationDay(path)};
}

std::optional<ImportedFile> ReadForImport(QWidget* parent, const std::string& path) {
    QElapsedTimer clock;
    clock.start();
    auto wait = std::make_unique<WaitCursor>();
    std::unique_ptr<QProgressDialog> box;
    const auto progress = [&](std::size_t done, std::size_t total) {
        if (!box) {
            if (clock.elapsed() < g_progressDelay.count())
                return true;
            wait.reset();
            box = ProgressBox(parent, path);
            box->show();
            // Shown from outside an event loop, it is given the keyboard only when asked: Escape
            // must reach it.
            box->raise();
            box->activateWindow();
        }
        box->setValue(total == 0 ? 0 : static_cast<int>(done * kProgressSteps / total));
        QCoreApplication::processEvents();
        return !box->wasCanceled();
    };
    ImportedFile file = ReadImportedFile(path, progress);
    if (file.content.problem == ReadProblem::Stopped)
        return std::nullopt;
    return file;
}

MessageIcon ProblemIcon(const DocumentText& content) {
    return content.problem == ReadProblem::FileUnreadable ? MessageIcon::Critical : MessageIcon::Exclamation;
}

std::chrono::milliseconds SetProgressDelay(std::chrono::milliseconds delay) {
    std::swap(g_progressDelay, delay);
    return delay;
}
