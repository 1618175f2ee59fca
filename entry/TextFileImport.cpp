#include "entry/EntryCommands.h"
#include "entry/TextResumeDialog.h"
#include "platform/FileChooser.h"
#include "platform/ModalRun.h"

#include <QString>

void RunTextFileImport(QWidget* parent) {
    // The user picks every file; the import only reads them.
    while (const std::optional<std::string> path =
               ChooseOpenFile(parent, QStringLiteral(".txt (*.txt)"), QStringLiteral("txt"))) {
        TextResumeDialog dialog(parent, *path);
        RunModal(dialog);
        if (dialog.End() != TextResumeEnd::NextFile)
            return;
    }
}
