#include "entry/DocumentReading.h"
#include "entry/EntryCommands.h"
#include "entry/TextResumeDialog.h"
#include "platform/FileChooser.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace {

const QString kTextFilter = QStringLiteral(".txt (*.txt)");

// The chooser lists text files, as it always has; the other filters offer the documents read.
const QString kResumeFilters = QStringList{kTextFilter,
                                           QStringLiteral("Resumes (*.txt *.pdf *.docx *.odt *.htm *.html)"),
                                           QStringLiteral("PDF documents (*.pdf)"),
                                           QStringLiteral("Word documents (*.docx)"),
                                           QStringLiteral("OpenDocument texts (*.odt)"),
                                           QStringLiteral("Web pages (*.htm *.html)"),
                                           QStringLiteral("Word 97-2003 documents (*.doc)"),
                                           QStringLiteral("RTF documents (*.rtf)"),
                                           QStringLiteral("All files (*)")}
                                   .join(QStringLiteral(";;"));

// The filter last used, for as long as the program runs.
QString g_resumeFilter = kTextFilter;

std::optional<std::string> ChooseResumeFile(QWidget* parent, const QString& folder) {
    return ChooseOpenFile(parent, kResumeFilters, QStringLiteral("txt"), QStringLiteral("*.txt"), folder,
                          &g_resumeFilter);
}

// Tags one file after another. The user picks every file, or drops it; the import only reads
// them. After Next the chooser opens where the last file lay, so a folder of resumes is worked
// through without navigating back.
void ImportFiles(QWidget* parent, std::optional<std::string> next) {
    QString folder;
    for (;;) {
        const bool chosen = !next;
        if (chosen)
            next = ChooseResumeFile(parent, folder);
        if (!next)
            return;
        const std::string path = *std::exchange(next, std::nullopt);
        folder = QFileInfo(ToQt(path)).absolutePath();
        const std::optional<DocumentText> content = ReadForImport(parent, path);
        if (!content) {
            // Stopped: a chosen file gives way to another choice; a dropped one ends the import.
            if (chosen)
                continue;
            return;
        }
        TextResumeDialog dialog(parent, path, *content);
        RunModal(dialog);
        if (dialog.End() == TextResumeEnd::FileDropped)
            next = dialog.DroppedFile();
        else if (dialog.End() != TextResumeEnd::NextFile)
            return;
    }
}

} // namespace

void RunTextFileImport(QWidget* parent) {
    ImportFiles(parent, std::nullopt);
}

void RunDroppedFileImport(QWidget* parent, const std::string& path) {
    ImportFiles(parent, path);
}
