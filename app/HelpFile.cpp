#include "app/HelpFile.h"

#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"

#include <QCoreApplication>

std::string HelpFilePath(const std::string& programPath) {
    const auto nameStart = programPath.find_last_of('/') + 1;
    const auto dot = programPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return programPath.substr(0, hasExtension ? dot : programPath.size()) + ".HLP";
}

void LaunchHelp() {
    const std::string path = HelpFilePath(FromQt(QCoreApplication::applicationFilePath()));
    if (ShellOpenDocument(path) <= 32)
        ShowMessage("Failed to launch help.", MessageButtons::Ok, MessageIcon::Exclamation);
}
