#include "tools/sample-documents/SampleDocuments.h"

#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace {

struct ReadRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real talvanor-read.
ReadRun RunRead(const QStringList& arguments) {
    QProcess read;
    read.start(QStringLiteral(TALVANOR_READ_PATH), arguments);
    EXPECT_TRUE(read.waitForFinished(60000));
    return {read.exitCode(), read.readAllStandardOutput().toStdString(),
            read.readAllStandardError().toStdString()};
}

class TalvanorRead : public testing::Test {
protected:
    QString Write(const QString& name, const std::string& bytes) {
        const QString path = m_folder.filePath(name);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
        return path;
    }
    QTemporaryDir m_folder;
};

TEST_F(TalvanorRead, PrintsEachFormatsTextInUtf8) {
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        // A PDF's text as the import lays out its pages; its lines in their order.
        {"asha.pdf", TextPdf({"Asha Rao", "Jos\xC3\xA9 M\xC3\xBCller"}),
         "Asha Rao\n\nJos\xC3\xA9 M\xC3\xBCller\n"},
        {"asha.docx",
         WordPackage("<w:p><w:r><w:t>Asha Rao</w:t></w:r></w:p><w:p><w:r><w:t>Pune</w:t></w:r></w:p>"),
         "Asha Rao\nPune\n"},
        {"asha.odt", OpenDocumentPackage("<text:p>Asha Rao</text:p><text:h>Pune</text:h>"),
         "Asha Rao\nPune\n"},
        {"asha.html", "<html><body><h1>Asha Rao</h1><p>Pune</p></body></html>", "Asha Rao\n\nPune\n"},
        // A text file in Latin-1 is shown as the dialog shows it, its text as it stands.
        {"asha.txt", "Jos\xE9 M\xFCller\r\n\n  Pune  ", "Jos\xC3\xA9 M\xC3\xBCller\r\n\n  Pune  \n"},
        {"named-as.pdf", "<p>A web page whatever its name</p>", "A web page whatever its name\n"},
    };
    for (const auto& test : cases) {
        const ReadRun run = RunRead({Write(test.name, test.bytes)});
        EXPECT_EQ(run.status, 0) << test.name << ": " << run.err;
        std::string out = run.out;
        while (out.size() > 1 && out.substr(out.size() - 2) == "\n\n")
            out.pop_back(); // a PDF's pages end in blank lines
        EXPECT_EQ(out, test.text) << test.name;
        EXPECT_EQ(run.err, "") << test.name;
    }
}

// Each text follows its file's name; a file that cannot be read is named on standard error and
// the files after it are still read.
TEST_F(TalvanorRead, ReadsSeveralFilesAndGoesOnPastOneItCannotRead) {
    const QString first = Write("first.html", "<p>First resume</p>");
    const QString scanned = Write("scanned.pdf", ScannedPdf({""}));
    const QString missing = m_folder.filePath("missing.docx");
    const QString last = Write("last.txt", "Last resume");
    const ReadRun run = RunRead({first, scanned, missing, last});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "==> " + first.toStdString() + " <==\nFirst resume\n\n==> " + last.toStdString() +
                           " <==\nLast resume\n");
    EXPECT_EQ(run.err, "The file " + scanned.toStdString() + " holds no text; it may be a scanned image.\n" +
                           "Cannot read the file " + missing.toStdString() +
                           ": No such file or directory.\n");
    // One file alone has no heading; a file whose name looks like an option is read after "--".
    Write("-dashed.txt", "Dashed");
    QProcess inFolder;
    inFolder.setWorkingDirectory(m_folder.path());
    inFolder.start(QStringLiteral(TALVANOR_READ_PATH), {QStringLiteral("--"), QStringLiteral("-dashed.txt")});
    ASSERT_TRUE(inFolder.waitForFinished(60000));
    EXPECT_EQ(inFolder.exitCode(), 0);
    EXPECT_EQ(inFolder.readAllStandardOutput().toStdString(), "Dashed\n");
}

TEST_F(TalvanorRead, AnswersHelpAndRefusesAWrongCommandLine) {
    const ReadRun help = RunRead({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: talvanor-read [OPTION]... FILE...\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("\"==> FILE <==\""), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("exit status is 1"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");
    for (const QStringList& wrong :
         {QStringList{}, QStringList{QStringLiteral("--frobnicate"), QStringLiteral("a.pdf")}}) {
        const ReadRun run = RunRead(wrong);
        EXPECT_EQ(run.status, 2) << wrong.join(u' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("usage: talvanor-read"), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunRead({QStringLiteral("--frobnicate")})
                  .err.rfind("talvanor-read: unknown option --frobnicate\n", 0),
              0u);
}

} // namespace
