#include "platform/DataFolder.h"
#include "platform/InstanceHandOff.h"
#include "tests/util/Bank.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The real program, started as the desktop starts it; ended with the test.
class Program {
public:
    explicit Program(const QStringList& arguments) {
        m_process.start(QStringLiteral(TALVANOR_PATH), arguments);
    }
    ~Program() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
};

} // namespace

TEST(SecondStart, FilesGoToTheRunningProgramAndAStartWithoutFilesStartsAsAlways) {
    FreshBank();
    QTemporaryDir folder;
    QFile resume(folder.filePath("asha.txt"));
    ASSERT_TRUE(resume.open(QIODevice::WriteOnly));
    resume.write("Asha Raman");
    resume.close();

    Program first({});
    ASSERT_TRUE(first.Process().waitForStarted());
    const QString socket = QString::fromStdString(HandOffName(DataFolder()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socket); }, 20000)) << socket.toStdString();

    // Named files are handed over: the second start ends at once, and well.
    Program second({resume.fileName()});
    ASSERT_TRUE(second.Process().waitForFinished(20000));
    EXPECT_EQ(second.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_EQ(first.Process().state(), QProcess::Running);

    // Without files there is nothing to hand over: the third start is a program of its own.
    Program third({});
    ASSERT_TRUE(third.Process().waitForStarted());
    EXPECT_FALSE(third.Process().waitForFinished(1500)) << "ended with " << third.Process().exitCode();
    // The first still takes the files.
    EXPECT_TRUE(HandToRunningProgram(HandOffName(DataFolder()), {resume.fileName().toStdString()}));
}
