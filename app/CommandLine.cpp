#include "app/CommandLine.h"

#include "platform/Text.h"

#include <QFileInfo>

std::vector<std::string> FileArguments(const QStringList& arguments) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (argument.isEmpty() || (!optionsEnded && argument.startsWith(QLatin1Char('-'))))
            continue;
        files.push_back(FromQt(QFileInfo(argument).absoluteFilePath()));
    }
    return files;
}
