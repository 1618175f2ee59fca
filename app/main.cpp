#include "app/BankGuard.h"
#include "app/CMainFrame.h"
#include "app/CTalvanorApp.h"
#include "app/CommandLine.h"
#include "entry/DuplicateHint.h"
#include "platform/DataFolder.h"
#include "platform/InstanceHandOff.h"
#include "search/FindDuplicates.h"
#include "search/KeywordIndexWork.h"
#include "tools/BankSetup.h"

#include <QApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("talvanor"));
    QApplication::setDesktopFileName(QStringLiteral("talvanor"));
    // The menus are text only; the pictures belong to the toolbar.
    QApplication::setAttribute(Qt::AA_DontShowIconsInMenus);
    // Files opened from the file manager go to the Talvanor already running on this data folder.
    const std::vector<std::string> files = FileArguments(QApplication::arguments().mid(1));
    if (!files.empty() && HandToRunningProgram(HandOffName(DataFolder()), files))
        return 0;
    // Before anything opens the bank: a damaged or missing bank is found and may be restored.
    BankGuard guard(DataFolder());
    guard.CheckAtStart(nullptr);
    // Installed and started from the menu, it may find no data folder yet: prepare it as
    // talvanor-init does, never changing what is there. A failure leaves the store to say so.
    try {
        PrepareDataFolder(DataFolder());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvanor: %s\n", error.what());
    }
    // An existing bank from before keyword search gets its index, with progress; cancelled,
    // the bank stays as it was and is offered the index again at the next keyword search.
    AddMissingKeywordIndex(nullptr);
    MakeMatchKeysReady(nullptr);
    g_showOtherResume = ShowOtherResume;
    CTalvanorApp talvanor;
    talvanor.SetBankGuard(&guard);
    if (!talvanor.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    guard.Watch(talvanor.MainFrame());
    return QApplication::exec();
}
