#include "app/HelpFile.h"

#include "app/LinkOpening.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kLastErrorCode = 32;
constexpr const char* kStartPage = "index.html";

std::string g_programFolder;

std::string ProgramFolder() {
    return g_programFolder.empty() ? FromQt(QCoreApplication::applicationDirPath()) : g_programFolder;
}

int OpenInBrowser(const std::string& address) {
    // The desktop's opener drops a file address's section on many desktops, so the browser
    // itself is asked first.
    if (const auto command = RegisteredWebPageCommand()) {
        std::string browser = CutAtPlaceholder(*command);
        browser.erase(browser.find_last_not_of(' ') + 1);
        const int started = StartProgram(browser + " " + address);
        if (started > kLastErrorCode)
            return started;
    }
    return ShellOpenDocument(address);
}

} // namespace

std::vector<std::string> GuideFolderCandidates(const std::string& programFolder) {
    return {programFolder + "/guide", programFolder + "/../share/talvanor/guide"};
}

std::optional<std::string> FindGuideFolder(const std::string& programFolder) {
    for (const std::string& candidate : GuideFolderCandidates(programFolder)) {
        const QString folder = QDir::cleanPath(QDir(ToQt(candidate)).absolutePath());
        const QFileInfo start(QDir(folder).filePath(QLatin1String(kStartPage)));
        if (start.isFile() && start.isReadable())
            return FromQt(folder);
    }
    return std::nullopt;
}

std::string GuidePageAddress(const std::string& guideFolder, const std::string& page) {
    const QString text = ToQt(page);
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    QUrl address = QUrl::fromLocalFile(QDir(ToQt(guideFolder)).filePath(text.left(hash)));
    if (hash >= 0)
        address.setFragment(text.mid(hash + 1));
    return FromQt(address.toString(QUrl::FullyEncoded));
}

void LaunchHelp(const std::string& page) {
    const auto folder = FindGuideFolder(ProgramFolder());
    if (!folder || OpenInBrowser(GuidePageAddress(*folder, page)) <= kLastErrorCode)
        ShowMessage("Failed to launch help.", MessageButtons::Ok, MessageIcon::Exclamation);
}

std::string SetHelpProgramFolder(std::string programFolder) {
    std::swap(g_programFolder, programFolder);
    return programFolder;
}
