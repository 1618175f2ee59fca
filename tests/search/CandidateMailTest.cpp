#include "search/CandidateMail.h"
#include "search/ResultDialog.h"
#include "tests/search/SearchFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// A mail hand-off of our own on PATH that records each argument it is given, one per line in
// brackets, and exits with the given code.
class RecordingMailClient {
public:
    explicit RecordingMailClient(int exitCode = 0, bool install = true)
        : m_oldPath(qgetenv("PATH")), m_oldDisplay(qgetenv("DISPLAY")) {
        if (install) {
            std::ofstream script(Path("xdg-email"));
            script << "#!/bin/sh\n"
                   << "for argument in \"$@\"; do printf '[%s]\\n' \"$argument\" >> '" << Path("record")
                   << "'; done\n"
                   << "exit " << exitCode << "\n";
            script.close();
            QFile::setPermissions(QString::fromStdString(Path("xdg-email")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", m_folder.path().toLocal8Bit());
        qputenv("DISPLAY", ":99");
    }
    ~RecordingMailClient() {
        qputenv("PATH", m_oldPath);
        qputenv("DISPLAY", m_oldDisplay);
    }
    std::string Recorded() const {
        std::ifstream record(Path("record"));
        std::stringstream text;
        text << record.rdbuf();
        return text.str();
    }
    std::string Path(const char* name) const { return (m_folder.path() + '/' + name).toStdString(); }

private:
    QTemporaryDir m_folder;
    QByteArray m_oldPath;
    QByteArray m_oldDisplay;
};

using CandidateMail = SearchTest;

TEST_F(CandidateMail, HandsTheTrimmedAddressWholeAsOneArgument) {
    RecordingMailClient client;
    // "Session Established" is told before the mail client starts, "mail sent" once it ran.
    Texts moments;
    const MessageAnswerer recorder = SetMessageAnswerer([&](const MessageRequest& request) {
        moments.push_back(request.text + (client.Recorded().empty() ? " / not started" : " / started"));
        return MessageAnswer::Ok;
    });
    SendMailToCandidate("first@example.com");
    SetMessageAnswerer(recorder);
    EXPECT_EQ(moments, (Texts{"Session Established / not started", "mail sent / started"}));
    EXPECT_EQ(client.Recorded(), "[first@example.com]\n");
    std::remove(client.Path("record").c_str());

    SendMailToCandidate("  asha rao@example.com  ");
    EXPECT_EQ(messages.Texts(), (Texts{"Session Established", "mail sent"}));
    EXPECT_EQ(client.Recorded(), "[asha rao@example.com]\n");

    const std::string longAddress = std::string(150, 'x') + "@example.com";
    const std::string shellText = "$(touch pwned)`touch pwned`;x@y.z";
    SendMailToCandidate(longAddress);
    SendMailToCandidate(shellText);
    EXPECT_EQ(client.Recorded(), "[asha rao@example.com]\n[" + longAddress + "]\n[" + shellText + "]\n");
    EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/pwned"));
}

TEST_F(CandidateMail, SaysHowFarItGotWhenTheHandOffIsMissingOrFails) {
    {
        RecordingMailClient none(0, false);
        SendMailToCandidate("a@b.c");
        EXPECT_EQ(messages.Texts(), (Texts{"MAPI not initialized"}));
    }
    {
        messages.Clear();
        RecordingMailClient noDesktop;
        qunsetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        SendMailToCandidate("a@b.c");
        qputenv("WAYLAND_DISPLAY", wayland);
        EXPECT_EQ(messages.Texts(), (Texts{"Session Not Established"}));
        EXPECT_EQ(noDesktop.Recorded(), "");
    }
    {
        messages.Clear();
        RecordingMailClient noProgram(3);
        SendMailToCandidate("a@b.c");
        EXPECT_EQ(
            messages.Texts(),
            (Texts{"Session Established",
                   "No e-mail program is set up on this desktop. Choose one for e-mail in the desktop's "
                   "settings, under Default Applications, then press Send Mail again. (xdg-email ended "
                   "with code 3)."}));
        EXPECT_EQ(noProgram.Recorded(), "[a@b.c]\n");
    }
    {
        messages.Clear();
        RecordingMailClient failing(4);
        SendMailToCandidate("a@b.c");
        EXPECT_EQ(messages.Texts(),
                  (Texts{"Session Established",
                         "The mail client did not take the message (xdg-email ended with code 4)."}));
    }
}

TEST_F(CandidateMail, RefusesAnAddressTheHandOffWouldReadAsAnOptionOrALink) {
    RecordingMailClient client;
    for (const char* address : {"-x@y.z", " --attach=/etc/passwd@x", "mailto:a@b?attach=/etc/passwd"}) {
        messages.Clear();
        SendMailToCandidate(address);
        ASSERT_EQ(messages.Texts().size(), 1u) << address;
        EXPECT_EQ(messages.Texts()[0].rfind("This e-mail address can not be given to the mail client:", 0),
                  0u);
    }
    EXPECT_EQ(client.Recorded(), "");
}

TEST_F(CandidateMail, SendMailWritesToTheCandidateOfTheCurrentRow) {
    BankResume first;
    first.email = " first@example.com ";
    AddResume(first);
    BankResume second;
    second.email = "second@example.com";
    AddResume(second);
    g_resultQuery = kAllRecordsText;
    RecordingMailClient client;
    ResultDialog window(nullptr);
    window.show();
    Click(window, 1024);
    GridOf(window).setFocus();
    QTest::keyClick(&GridOf(window), Qt::Key_Down);
    Click(window, 1024);
    EXPECT_EQ(client.Recorded(), "[first@example.com]\n[second@example.com]\n");
    EXPECT_EQ(messages.Texts(),
              (Texts{"Session Established", "mail sent", "Session Established", "mail sent"}));
}

} // namespace
