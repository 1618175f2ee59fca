#include "documents/DocumentReader.h"
#include "entry/DocumentReading.h"
#include "entry/EntryCommands.h"
#include "entry/TextResumeDialog.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "store/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <deque>

namespace {

const QString kTextFilter = QStringLiteral(".txt (*.txt)");

// The chooser lists text files, as it always has; the other filters offer the documents read.
const QStringList kResumeFilterList{
    kTextFilter,
    QStringLiteral(
        "Resumes (*.txt *.pdf *.docx *.odt *.doc *.rtf *.htm *.html *.png *.jpg *.jpeg *.tif *.tiff)"),
    QStringLiteral("PDF documents (*.pdf)"),
    QStringLiteral("Word documents (*.docx)"),
    QStringLiteral("OpenDocument texts (*.odt)"),
    QStringLiteral("Web pages (*.htm *.html)"),
    QStringLiteral("Word 97-2003 documents (*.doc)"),
    QStringLiteral("RTF documents (*.rtf)"),
    QStringLiteral("Scanned pages (*.png *.jpg *.jpeg *.tif *.tiff)"),
    QStringLiteral("All files (*)")};
const QString kResumeFilters = kResumeFilterList.join(QStringLiteral(";;"));

// The filter last used, kept in the bank for the next run; the text files until one was chosen.
QString StoredFilter() {
    const std::optional<std::string> stored = ReadBankSetting(kChooserFilterSetting);
    if (stored && kResumeFilterList.contains(ToQt(*stored)))
        return ToQt(*stored);
    return kTextFilter;
}

// The folder the last files were chosen in, while it is there; else the chooser's own choice.
QString StoredFolder() {
    const std::optional<std::string> stored = ReadBankSetting(kChooserFolderSetting);
    if (!stored || !QFileInfo(ToQt(*stored)).isDir())
        return {};
    return ToQt(*stored);
}

void Remember(const char* setting, const std::string& value) {
    if (ReadBankSetting(setting) != value)
        WriteBankSetting(setting, value);
}

// After Next the chooser opens where the last file lay, so a folder of resumes is worked through
// without navigating back; at the first choice, where files were last chosen, also in an earlier run.
std::vector<std::string> ChooseResumeFiles(QWidget* parent, const QString& lastFolder) {
    QString filter = StoredFilter();
    const QString folder = lastFolder.isEmpty() ? StoredFolder() : lastFolder;
    std::vector<std::string> files = ChooseOpenFiles(parent, kResumeFilters, QStringLiteral("txt"),
                                                     QStringLiteral("*.txt"), folder, &filter);
    if (!files.empty()) {
        Remember(kChooserFilterSetting, FromQt(filter));
        Remember(kChooserFolderSetting, FromQt(QFileInfo(ToQt(files.front())).absolutePath()));
    }
    return files;
}

// The files still to be shown, and how many the recruiter has in hand this round.
struct FileQueue {
    std::deque<std::string> files;
    int shown = 0;       // files taken from it so far
    bool chosen = false; // chosen in the chooser, rather than dropped
    int Total() const { return shown + static_cast<int>(files.size()); }
    void Start(std::vector<std::string> paths, bool fromChooser) {
        files.assign(paths.begin(), paths.end());
        shown = 0;
        chosen = fromChooser;
    }
};

// Tags one file after another. The user picks every file, or drops it; the import only reads
// them. Several files chosen or dropped together are shown one after the other, Next going
// straight on to the next, and the chooser comes back when they are done.
void ImportFiles(QWidget* parent, std::vector<std::string> dropped) {
    QString folder;
    FileQueue queue;
    queue.Start(std::move(dropped), false);
    for (;;) {
        if (queue.files.empty()) {
            std::vector<std::string> chosen = ChooseResumeFiles(parent, folder);
            if (chosen.empty())
                return;
            queue.Start(std::move(chosen), true);
        }
        const std::string path = queue.files.front();
        queue.files.pop_front();
        ++queue.shown;
        const bool several = queue.Total() > 1;
        folder = QFileInfo(ToQt(path)).absolutePath();
        std::optional<ImportedFile> file = ReadForImport(parent, path);
        if (!file) {
            // Stopped: the next file, if any; else a chosen file gives way to another choice and a
            // dropped one ends the import.
            if (queue.files.empty() && !queue.chosen)
                return;
            continue;
        }
        if (several && !file->content.Ok()) {
            // One of several that gives no text (gone since it was chosen, say) is passed over.
            ShowMessage(ProblemMessage(path, file->content) + " It is skipped.", MessageButtons::Ok,
                        ProblemIcon(file->content));
            continue;
        }
        const std::optional<QueuePlace> place =
            several ? std::optional<QueuePlace>(QueuePlace{queue.shown, queue.Total()}) : std::nullopt;
        TextResumeDialog dialog(parent, path, std::move(*file), place);
        RunModal(dialog);
        if (dialog.End() == TextResumeEnd::FileDropped) {
            // The dropped files take this one's place; the files after it still follow.
            const std::vector<std::string>& files = dialog.DroppedFiles();
            queue.files.insert(queue.files.begin(), files.begin(), files.end());
            --queue.shown;
            queue.chosen = false;
        } else if (dialog.End() != TextResumeEnd::NextFile) {
            return;
        }
    }
}

} // namespace

void RunTextFileImport(QWidget* parent) {
    ImportFiles(parent, {});
}

void RunDroppedFileImport(QWidget* parent, const std::vector<std::string>& paths) {
    ImportFiles(parent, paths);
}
