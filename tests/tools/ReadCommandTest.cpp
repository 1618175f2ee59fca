#include "tools/BankSetup.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sqlite3.h>

#include <QDir>
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
ReadRun RunRead(const QStringList& arguments, const QString& dataHome = {}) {
    QProcess read;
    if (!dataHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        read.setProcessEnvironment(environment);
    }
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

// With --fields each file gives one JSON line, proposed against the bank's own pick lists (a new
// bank's when there is none); an open range runs to the day the file was written.
TEST_F(TalvanorRead, PrintsTheProposedFieldsOneJsonLineAFile) {
    const QString resume =
        Write("asha.txt", "Asha Rao\nasha.rao@mail.in | +91 98450 12345\nStockholm, Pune\n\n"
                          "Experience\nTest Engineer, Zen Labs   Jan 2016 - Present\n\n"
                          "Education\nB.E., Pune University, 2014\n");
    QFile file(resume);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2019, 6, 1), QTime(12, 0), Qt::UTC),
                                 QFileDevice::FileModificationTime));
    file.close();
    const QString empty = Write("empty.txt", "\n\n");
    const QString missing = m_folder.filePath("missing.pdf");
    const QString dataHome = m_folder.filePath("home");

    const auto lines = [](const std::string& out) {
        std::vector<QJsonObject> objects;
        for (const QByteArray& line : QByteArray::fromStdString(out).split('\n')) {
            if (line.isEmpty())
                continue;
            const QJsonDocument json = QJsonDocument::fromJson(line);
            EXPECT_TRUE(json.isObject()) << line.toStdString();
            objects.push_back(json.object());
        }
        return objects;
    };
    const ReadRun defaults = RunRead({QStringLiteral("--fields"), resume, missing, empty}, dataHome);
    EXPECT_EQ(defaults.status, 1);
    EXPECT_EQ(defaults.err,
              "Cannot read the file " + missing.toStdString() + ": No such file or directory.\n");
    const std::vector<QJsonObject> found = lines(defaults.out);
    ASSERT_EQ(found.size(), 2u) << defaults.out;
    EXPECT_EQ(found[0], (QJsonObject{{"file", resume},
                                     {"name", "Asha Rao"},
                                     {"email", "asha.rao@mail.in"},
                                     {"phone", "+91 98450 12345"},
                                     {"organization", "Zen Labs"},
                                     {"experience_band", "2-5"},
                                     {"qualifications", QJsonArray{"B.E."}},
                                     {"specializations", QJsonArray{"TESTING"}},
                                     {"locations", QJsonArray{"Pune"}}}))
        << defaults.out;
    EXPECT_EQ(found[1], (QJsonObject{{"file", empty},
                                     {"name", QJsonValue::Null},
                                     {"email", QJsonValue::Null},
                                     {"phone", QJsonValue::Null},
                                     {"organization", QJsonValue::Null},
                                     {"experience_band", QJsonValue::Null},
                                     {"qualifications", QJsonArray{}},
                                     {"specializations", QJsonArray{}},
                                     {"locations", QJsonArray{}}}));

    // The bank's own lists: Stockholm is one of its places, Pune is not.
    const QString bankFolder = dataHome + QStringLiteral("/talvanor");
    ASSERT_TRUE(QDir().mkpath(bankFolder));
    const std::string bank = (bankFolder + QStringLiteral("/TalvanorData.mdb")).toStdString();
    CreateBank(bank);
    sqlite3* db = nullptr;
    sqlite3_open(bank.c_str(), &db);
    sqlite3_exec(db, "UPDATE ComboData SET List = 'Stockholm ,Malmö' WHERE ID = 3", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
    const ReadRun own = RunRead({QStringLiteral("--fields"), resume}, dataHome);
    EXPECT_EQ(own.status, 0) << own.err;
    ASSERT_EQ(lines(own.out).size(), 1u);
    EXPECT_EQ(lines(own.out)[0]["locations"], (QJsonArray{"Stockholm"}));

    // A file that is no bank: the new bank's lists, and a word why.
    std::ofstream(bank, std::ios::trunc) << "not a database at all, but long enough to be read as one";
    const ReadRun broken = RunRead({QStringLiteral("--fields"), resume}, dataHome);
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err.rfind("talvanor-read: the bank's pick lists cannot be read (", 0), 0u) << broken.err;
    ASSERT_EQ(lines(broken.out).size(), 1u);
    EXPECT_EQ(lines(broken.out)[0]["locations"], (QJsonArray{"Pune"}));
}

TEST_F(TalvanorRead, AnswersHelpAndRefusesAWrongCommandLine) {
    const ReadRun help = RunRead({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: talvanor-read [OPTION]... FILE...\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("\"==> FILE <==\""), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("exit status is 1"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("  --fields    print the fields Talvanor proposes"), std::string::npos)
        << help.out;
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
