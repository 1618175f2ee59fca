#include "entry/EntryCommands.h"
#include "entry/TextResumeDialog.h"
#include "platform/FileChooser.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QFileInfo>
#include <QString>

void RunTextFileImport(QWidget* parent) {
    // The user picks every file; the import only reads them. After Next the chooser opens where
    // the last file lay, so a folder of resumes is worked through without navigating back.
    QString folder;
    while (const std::optional<std::string> path =
               ChooseOpenFile(parent, QStringLiteral(".txt (*.txt)"), QStringLiteral("txt"),
                              QStringLiteral("*.txt"), folder)) {
        folder = QFileInfo(ToQt(*path)).absolutePath();
        TextResumeDialog dialog(parent, *path);
        RunModal(dialog);
        if (dialog.End() != TextResumeEnd::NextFile)
            return;
    }
}
