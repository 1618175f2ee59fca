#include "app/AboutDialog.h"
#include "app/CHyperLink.h"
#include "app/CMainFrame.h"
#include "app/CTalvanorApp.h"
#include "app/CTalvanorDoc.h"
#include "app/CTalvanorView.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "entry/TaggingEdit.h"
#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/FileChooser.h"
#include "platform/InstanceHandOff.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "tests/util/Bank.h"
#include "tests/util/DialogScript.h"
#include "tests/util/ScriptedMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

class AppTest : public testing::Test {
protected:
    void SetUp() override { QApplication::setQuitOnLastWindowClosed(false); }
    void TearDown() override {
        SetModalHandler({});
        SetOpenFileAnswerer({});
    }
};

QString WriteFile(const QTemporaryDir& folder, const char* name, const QByteArray& content) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
}

} // namespace

TEST_F(AppTest, MainWindowOpensMaximizedWhateverStateWasAskedFor) {
    for (Qt::WindowStates asked :
         {Qt::WindowStates(Qt::WindowMinimized), Qt::WindowStates(Qt::WindowNoState)}) {
        CTalvanorApp app;
        ASSERT_TRUE(app.InitInstance({}, asked));
        CMainFrame* frame = app.MainFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->windowState(), Qt::WindowMaximized);
        EXPECT_NE(frame->View(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        EXPECT_TRUE(QTest::qWaitFor([&] { return frame->windowTitle() == "Talvanor"; }));
        EXPECT_TRUE(app.Document()->PathName().empty());
        // Restored, it lies inside the screen with room to spare, title bar included.
        const QRect available = frame->screen()->availableGeometry();
        frame->showNormal();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return available.contains(frame->frameGeometry()) &&
                   frame->frameGeometry().height() < available.height() * 9 / 10;
        })) << "restored to the whole screen";
        EXPECT_GT(frame->geometry().top(), available.top());
    }
}

TEST_F(AppTest, AboutOpensTheAboutBoxOverTheMainWindow) {
    CTalvanorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    std::vector<std::string> seen;
    SetModalHandler([&](QDialog& dialog) {
        EXPECT_EQ(dialog.geometry().center(), app.MainFrame()->geometry().center())
            << "centred over its owner";
        auto* about = qobject_cast<AboutDialog*>(&dialog);
        seen.push_back(about ? "about" : dialog.metaObject()->className());
        if (about) {
            EXPECT_EQ(dialog.parentWidget(), app.MainFrame());
            EXPECT_TRUE(FindControl<QLabel>(&dialog, 1067)->text().startsWith("Talvanor Version 1.0"));
            EXPECT_FALSE(FindControl<QLabel>(&dialog, 1084)->text().isEmpty());
            EXPECT_NE(FindControl<CHyperLink>(&dialog, 1093), nullptr);
            auto* ok = FindControl<QPushButton>(&dialog, 1);
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), "&OK");
            EXPECT_TRUE(ok->isDefault());
            ok->click();
        } else {
            dialog.reject();
        }
    });
    EXPECT_TRUE(app.MainFrame()->TriggerCommand(kCommandAbout));
    EXPECT_EQ(seen, std::vector<std::string>{"about"});
}

TEST_F(AppTest, FilesNamedOnTheCommandLineOpenInTextResumeOneAfterAnother) {
    FreshBank();
    ScriptedMessages messages;
    QTemporaryDir folder;
    WriteFile(folder, "asha.txt", "Asha Raman\nJava developer");
    WriteFile(folder, "-dash.txt", "Dara Quinn");
    const QString missing = folder.filePath("gone.pdf");
    std::vector<std::string> shown;
    DialogScript script;
    for (int i = 0; i < 2; ++i) {
        script.Then([&](QDialog& dialog) {
            auto* text = FindControl<TaggingEdit>(&dialog, 1000);
            shown.push_back(text != nullptr ? FromQt(text->toPlainText()) : "not Text Resume");
            // Next with nothing tagged asks, and Yes goes on to the next file of the queue.
            FindControl<QPushButton>(&dialog, 1003)->click();
        });
    }
    int choosers = 0;
    SetOpenFilesAnswerer([&](const QString&) {
        ++choosers;
        return std::vector<std::string>{};
    });
    // A name is taken from where the program was started; options are not files, except after "--".
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    CTalvanorApp app;
    const bool initialized = app.InitInstance({"asha.txt", "--verbose", missing, "--", "-dash.txt"});
    QDir::setCurrent(started);
    ASSERT_TRUE(initialized);
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.Document()->PathName().empty()) << "resumes never become the empty document";
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.AllDone() && choosers == 1; }));
    SetOpenFilesAnswerer({});
    // A file that cannot be read gets the import's message and is passed over; after the last file
    // the chooser comes, as after files chosen in it.
    EXPECT_EQ(shown, (std::vector<std::string>{"Asha Raman\nJava developer", "Dara Quinn"}));
    const std::vector<std::string> texts = messages.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Are you sure you do not want to save this C.V.?"), 2);
    EXPECT_EQ(
        std::count(texts.begin(), texts.end(),
                   "Cannot read the file " + FromQt(missing) + ": No such file or directory. It is skipped."),
        1);
}

TEST_F(AppTest, FilesHandedOverByALaterStartOpenOnceTheCommandAtWorkHasEnded) {
    FreshBank();
    QTemporaryDir folder;
    const QString resume = WriteFile(folder, "meera.txt", "Meera Iyer");
    CTalvanorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    std::vector<std::string> seen;
    std::atomic<int> taken{-1};
    std::thread laterStart;
    DialogScript script;
    script.Then([&](QDialog& search) {
        seen.push_back(search.windowTitle().toStdString());
        // Handed over while the query form is open: taken at once, opened after the form.
        laterStart =
            std::thread([&] { taken = HandToRunningProgram(HandOffName(DataFolder()), {FromQt(resume)}); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return taken != -1; }));
        search.reject();
    });
    script.Then([&](QDialog& text) {
        seen.push_back(text.windowTitle().toStdString());
        EXPECT_EQ(FindControl<TaggingEdit>(&text, 1000)->toPlainText(), "Meera Iyer");
        text.reject();
    });
    EXPECT_TRUE(app.MainFrame()->TriggerCommand(kCommandQueryForm));
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.AllDone(); }));
    laterStart.join();
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Search The Resume", "Text Resume"}));

    // Nobody listens for another data folder.
    EXPECT_FALSE(HandToRunningProgram(HandOffName("/nowhere/talvanor/"), {FromQt(resume)}));
    // A second program on the same data folder leaves the listening to the first.
    HandOffServer second;
    EXPECT_FALSE(second.Listen(HandOffName(DataFolder())));
}

TEST(CommandLine, FileArgumentsAreTheNonOptionsMadeAbsolute) {
    const QString here = QDir::currentPath();
    const std::vector<std::pair<QStringList, std::vector<std::string>>> cases = {
        {{}, {}},
        {{"-style", "--verbose"}, {}},
        {{"/tmp/cv one.pdf"}, {"/tmp/cv one.pdf"}},
        {{"cv.docx", "../x/cv.odt"},
         {FromQt(here + "/cv.docx"), FromQt(QDir::cleanPath(here + "/../x/cv.odt"))}},
        {{"--", "-cv.txt", "--"}, {FromQt(here + "/-cv.txt"), FromQt(here + "/--")}},
        {{""}, {}},
    };
    for (const auto& [arguments, files] : cases)
        EXPECT_EQ(FileArguments(arguments), files) << arguments.join(' ').toStdString();
}

TEST_F(AppTest, DocumentKeysNeverLoseAFile) {
    ScriptedMessages messages;
    QTemporaryDir folder;
    const QString chosen = WriteFile(folder, "letter.txt", "Dear candidate");
    SetOpenFileAnswerer([&](const QString&) { return std::optional<std::string>(FromQt(chosen)); });
    CTalvanorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame& frame = *app.MainFrame();

    EXPECT_TRUE(frame.TriggerCommand(kCommandFileOpen));
    EXPECT_EQ(app.Document()->PathName(), FromQt(chosen));
    EXPECT_TRUE(frame.TriggerCommand(kCommandFileSave));
    EXPECT_TRUE(frame.TriggerCommand(kCommandFileNew));
    EXPECT_TRUE(app.Document()->PathName().empty());

    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Dear candidate");
    EXPECT_TRUE(messages.Requests().empty());
}
