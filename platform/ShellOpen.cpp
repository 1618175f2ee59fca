#include "platform/ShellOpen.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <memory>

namespace {

ShellOpener g_opener;

// Registered values are read into buffers of this size; a longer one counts as unreadable.
constexpr std::size_t kValueBufferSize = 260;
constexpr int kStartWaitMs = 3000;
// An opener that is still running after this is taken to have handed the address over.
constexpr int kOpenerWaitMs = 2000;

constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kBadExe = 11;
constexpr int kBadAssociation = 27;
constexpr int kNoAssociation = 31;

int FromOpenerExit(int exitCode) {
    // xdg-open: 2 the file does not exist, 3 a required tool is missing, 4 the action failed.
    switch (exitCode) {
    case 0:
        return kShellSuccess;
    case 2:
        return kFileNotFound;
    case 3:
        return kNoAssociation;
    default:
        return kBadAssociation;
    }
}

// Lets a still-running opener finish on its own; the application owns it meanwhile.
void LetRun(std::unique_ptr<QProcess> process) {
    QProcess* running = process.release();
    running->setParent(QCoreApplication::instance());
    QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
}

int RealOpenDocument(const std::string& target) {
    // A leading '-' would be read as an option by the opener.
    if (target.empty() || target.front() == '-')
        return kFileNotFound;
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral("xdg-open"), {ToQt(target)});
    if (!process->waitForStarted(kStartWaitMs))
        return kNoAssociation;
    if (!process->waitForFinished(kOpenerWaitMs)) {
        LetRun(std::move(process));
        return kShellSuccess;
    }
    if (process->exitStatus() != QProcess::NormalExit)
        return kBadAssociation;
    return FromOpenerExit(process->exitCode());
}

std::optional<std::string> DefaultWebPageEntry() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(kOpenerWaitMs) || query.exitCode() != 0)
        return std::nullopt;
    const std::string entry = query.readAllStandardOutput().trimmed().toStdString();
    if (entry.empty() || entry.size() >= kValueBufferSize || entry.find('/') != std::string::npos)
        return std::nullopt;
    return entry;
}

std::optional<std::string> ExecOfEntry(const std::string& entry) {
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QString::fromStdString(entry));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            inMainGroup = line == "[Desktop Entry]";
        else if (inMainGroup && line.startsWith("Exec="))
            return line.mid(5).toStdString();
    }
    return std::nullopt;
}

std::optional<std::string> RealWebPageCommand() {
    const auto entry = DefaultWebPageEntry();
    if (!entry)
        return std::nullopt;
    const auto exec = ExecOfEntry(*entry);
    if (!exec)
        return std::nullopt;
    const std::string command = CommandLineFromExec(*exec);
    if (command.size() >= kValueBufferSize)
        return std::nullopt;
    return command;
}

int WhyNotStarted(const QString& program) {
    if (!program.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(program).isEmpty() ? kFileNotFound : kBadExe;
    const QFileInfo info(program);
    if (!info.absoluteDir().exists())
        return kPathNotFound;
    if (!info.exists())
        return kFileNotFound;
    return info.isExecutable() && info.isFile() ? kBadExe : kAccessDenied;
}

int RealStartProgram(const std::string& commandLine) {
    QStringList arguments = QProcess::splitCommand(ToQt(commandLine));
    if (arguments.isEmpty())
        return kFileNotFound;
    const QString program = arguments.takeFirst();
    if (QProcess::startDetached(program, arguments))
        return kShellSuccess;
    return WhyNotStarted(program);
}

char Unescaped(char escaped) {
    switch (escaped) {
    case 's':
        return ' ';
    case 't':
        return '\t';
    case 'n':
        return '\n';
    default:
        return escaped;
    }
}

} // namespace

int ShellOpenDocument(const std::string& target) {
    return g_opener.openDocument ? g_opener.openDocument(target) : RealOpenDocument(target);
}

std::optional<std::string> RegisteredWebPageCommand() {
    return g_opener.webPageCommand ? g_opener.webPageCommand() : RealWebPageCommand();
}

int StartProgram(const std::string& commandLine) {
    return g_opener.startProgram ? g_opener.startProgram(commandLine) : RealStartProgram(commandLine);
}

ShellOpener SetShellOpener(ShellOpener opener) {
    std::swap(g_opener, opener);
    return opener;
}

std::string CommandLineFromExec(const std::string& exec) {
    std::string command;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        const bool hasNext = i + 1 < exec.size();
        if (c == '\\' && hasNext) {
            command += Unescaped(exec[++i]);
        } else if (c == '%' && hasNext) {
            const char code = exec[++i];
            if (code == '%')
                command += '%';
            else if (code == 'u' || code == 'U' || code == 'f' || code == 'F')
                command += "%1";
        } else {
            command += c;
        }
    }
    return command;
}
