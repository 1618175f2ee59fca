#include "documents/ConvertedText.h"

#include "documents/HtmlText.h"
#include "documents/ZipParts.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace {

// A converter that runs longer than this has met a file it cannot handle.
constexpr int kConverterSeconds = 30;

struct Conversion {
    ReadProblem problem = ReadProblem::None;
    std::string output;
    std::string detail;
};

std::string FirstLine(const QByteArray& text) {
    const QByteArray line = text.trimmed().split('\n').value(0).trimmed();
    return line.toStdString();
}

Conversion Convert(const char* program, const QStringList& arguments) {
    const QString executable = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (executable.isEmpty())
        return {ReadProblem::NoConverter, {}, program};
    QTemporaryDir scratch; // the converter's working folder, for anything it leaves behind
    QProcess process;
    process.setWorkingDirectory(scratch.path());
    process.start(executable, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted())
        return {ReadProblem::ConverterFailed, {}, process.errorString().toStdString()};
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    // Read as it comes, so a converter that writes without end is stopped at the limit.
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning)
            break;
        output += process.readAllStandardOutput();
        if (output.size() > static_cast<qsizetype>(kUnpackLimit) ||
            clock.elapsed() > kConverterSeconds * 1000) {
            process.kill();
            process.waitForFinished();
            if (output.size() > static_cast<qsizetype>(kUnpackLimit))
                return {ReadProblem::TooLarge, {}, {}};
            return {ReadProblem::ConverterFailed, {}, std::string(program) + " did not finish"};
        }
    }
    output += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::string detail = FirstLine(process.readAllStandardError());
        return {ReadProblem::ConverterFailed, {}, detail.empty() ? std::string(program) + " failed" : detail};
    }
    return {ReadProblem::None, output.toStdString(), {}};
}

// Absolute, so no file name is ever taken for one of the converter's options.
QString FileArgument(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

} // namespace

DocumentText ReadOldWordText(const std::string& path) {
    // UTF-8 out, and no wrapping: a paragraph stays one line.
    Conversion conversion =
        Convert(kOldWordConverter, {QStringLiteral("-m"), QStringLiteral("UTF-8.txt"), QStringLiteral("-w"),
                                    QStringLiteral("0"), FileArgument(path)});
    if (conversion.problem != ReadProblem::None)
        return Problem(DocumentKind::OldWord, conversion.problem, conversion.detail);
    return TextOrNoText(DocumentKind::OldWord, std::move(conversion.output));
}

DocumentText ReadRichText(const std::string& path) {
    const Conversion conversion = Convert(
        kRichTextConverter, {QStringLiteral("--html"), QStringLiteral("--nopict"), FileArgument(path)});
    if (conversion.problem != ReadProblem::None)
        return Problem(DocumentKind::RichText, conversion.problem, conversion.detail);
    DocumentText page = ReadHtmlText(conversion.output);
    page.kind = DocumentKind::RichText;
    return page;
}
