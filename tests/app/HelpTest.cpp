#include "app/CMainFrame.h"
#include "app/CTalvanorApp.h"
#include "app/CommandIds.h"
#include "app/HelpFile.h"
#include "app/HelpKeys.h"
#include "platform/ControlId.h"
#include "platform/ShellOpen.h"
#include "search/FileViewDialog.h"
#include "search/SearchDialog.h"
#include "tests/util/Bank.h"
#include "tests/util/DialogScript.h"
#include "tests/util/ScriptedMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& content = "<html></html>") {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Scripts the desktop: what the registered browser and the opener are asked, and how they answer.
class ScriptedDesktop {
public:
    ScriptedDesktop() {
        m_previous = SetShellOpener({[this](const std::string& target) {
                                         opened.push_back(target);
                                         return openResult;
                                     },
                                     [this] { return browser; },
                                     [this](const std::string& commandLine) {
                                         started.push_back(commandLine);
                                         return startResult;
                                     }});
    }
    ~ScriptedDesktop() { SetShellOpener(m_previous); }

    std::optional<std::string> browser = "browser --new-tab %1";
    int startResult = kShellSuccess;
    int openResult = kShellSuccess;
    std::vector<std::string> started;
    std::vector<std::string> opened;

private:
    ShellOpener m_previous;
};

class HelpTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = SetHelpProgramFolder(FromFolder("bin"));
    }
    void TearDown() override { SetHelpProgramFolder(m_previousFolder); }

    std::string FromFolder(const char* name) const {
        return m_folder.filePath(QString::fromLatin1(name)).toStdString();
    }
    std::string Address(const char* folder, const char* page) const {
        return "file://" + FromFolder(folder) + "/" + page;
    }

    QTemporaryDir m_folder;
    std::string m_previousFolder;
};

} // namespace

TEST_F(HelpTest, GuideIsFoundBesideTheProgramOrInTheInstalledShareFolder) {
    const QString root = m_folder.path();
    EXPECT_EQ(FindGuideFolder(root.toStdString() + "/bin"), std::nullopt);
    // An installed program: bin/talvanor finds share/talvanor/guide.
    WriteFile(root + "/share/talvanor/guide/index.html");
    EXPECT_EQ(FindGuideFolder(root.toStdString() + "/bin"), root.toStdString() + "/share/talvanor/guide");
    // A folder named like the guide but without its start page is not the guide.
    ASSERT_TRUE(QDir().mkpath(root + "/bin/guide"));
    EXPECT_EQ(FindGuideFolder(root.toStdString() + "/bin"), root.toStdString() + "/share/talvanor/guide");
    // In the build tree the guide lies beside the program, and that one comes first.
    WriteFile(root + "/bin/guide/index.html");
    EXPECT_EQ(FindGuideFolder(root.toStdString() + "/bin"), root.toStdString() + "/bin/guide");

    // The real build tree holds it beside the program.
    EXPECT_EQ(FindGuideFolder(TALVANOR_PROGRAM_FOLDER), std::string(TALVANOR_PROGRAM_FOLDER) + "/guide");
}

TEST_F(HelpTest, PageAddressesAreFileUrlsWithTheirSection) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"/usr/share/talvanor/guide", "index.html", "file:///usr/share/talvanor/guide/index.html"},
        {"/usr/share/talvanor/guide", "results.html#copy",
         "file:///usr/share/talvanor/guide/results.html#copy"},
        {"/home/ana/My Guide", "entering.html#the-resume-input-form",
         "file:///home/ana/My%20Guide/entering.html#the-resume-input-form"},
        {"/opt/t#1/guide", "messages.html", "file:///opt/t%231/guide/messages.html"},
    };
    for (const auto& [folder, page, address] : cases)
        EXPECT_EQ(GuidePageAddress(folder, page), address) << page;
}

TEST_F(HelpTest, HelpTopicsOpensTheGuideInTheBrowserOrSaysItCannot) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ScriptedMessages messages;
    ScriptedDesktop desktop;

    // No guide anywhere: nothing is started.
    frame.TriggerCommand(kCommandHelpTopics);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Failed to launch help."});
    EXPECT_TRUE(desktop.started.empty() && desktop.opened.empty());

    WriteFile(m_folder.filePath("bin/guide/index.html"));
    const std::string start = Address("bin/guide", "index.html");
    struct Case {
        std::optional<std::string> browser;
        int startResult;
        int openResult;
        std::vector<std::string> started;
        std::vector<std::string> opened;
        bool failed;
    };
    const Case cases[] = {
        // The registered browser gets the address where its placeholder stood.
        {"browser --new-tab %1", kShellSuccess, kShellSuccess, {"browser --new-tab " + start}, {}, false},
        {"\"/opt/web browser/run\" \"%1\" --private",
         kShellSuccess,
         kShellSuccess,
         {"\"/opt/web browser/run\" " + start},
         {},
         false},
        // No browser registered, or it cannot start: the desktop's opener.
        {std::nullopt, kShellSuccess, kShellSuccess, {}, {start}, false},
        {"browser %1", 2, kShellSuccess, {"browser " + start}, {start}, false},
        // Neither opens it.
        {"browser %1", 2, 31, {"browser " + start}, {start}, true},
        {std::nullopt, 0, 3, {}, {start}, true},
    };
    for (const Case& test : cases) {
        messages.Clear();
        desktop.started.clear();
        desktop.opened.clear();
        desktop.browser = test.browser;
        desktop.startResult = test.startResult;
        desktop.openResult = test.openResult;
        EXPECT_TRUE(frame.TriggerCommand(kCommandHelpTopics));
        EXPECT_EQ(desktop.started, test.started);
        EXPECT_EQ(desktop.opened, test.opened);
        EXPECT_EQ(messages.Texts(), test.failed ? std::vector<std::string>{"Failed to launch help."}
                                                : std::vector<std::string>{});
    }
}

TEST_F(HelpTest, F1OpensTheGuideAtTheSectionOfTheDialogItIsPressedIn) {
    FreshBank();
    WriteFile(m_folder.filePath("bin/guide/index.html"));
    ScriptedMessages messages;
    ScriptedDesktop desktop;
    desktop.browser = "browser %1";
    CTalvanorApp app;
    ASSERT_TRUE(app.InitInstance({}));
    CMainFrame& frame = *app.MainFrame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    const auto pressF1 = [](QDialog& dialog) {
        QWidget* focus = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
        QTest::keyClick(focus, Qt::Key_F1);
    };
    const auto pressF1AndClose = [&](QDialog& dialog) {
        pressF1(dialog);
        dialog.reject();
    };
    const std::vector<std::pair<int, std::vector<std::string>>> cases = {
        {kCommandQueryForm, {"searching.html#the-query-form"}},
        {kCommandChangeQualification, {"entering.html#changing-the-pick-lists"}},
        {kCommandAbout, {"index.html#about-talvanor"}},
        // The input form, then the list it opens to choose qualifications from.
        {kCommandManually, {"entering.html#the-resume-input-form", "entering.html#choosing-list-values"}},
    };
    for (const auto& [command, pages] : cases) {
        desktop.started.clear();
        DialogScript script;
        if (command == kCommandManually) {
            script.Then([&](QDialog& form) {
                pressF1(form);
                script.Nested(pressF1AndClose);
                FindControl<QPushButton>(&form, 1060)->click();
                form.reject();
            });
        } else {
            script.Then(pressF1AndClose);
        }
        EXPECT_TRUE(frame.TriggerCommand(command)) << command;
        EXPECT_TRUE(script.AllDone()) << command;
        std::vector<std::string> expected;
        for (const std::string& page : pages)
            expected.push_back("browser " + Address("bin/guide", page.c_str()));
        EXPECT_EQ(desktop.started, expected) << command;
    }

    // In the main window, the guide's start; a held key opens it once.
    desktop.started.clear();
    QTest::keyClick(&frame, Qt::Key_F1);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&frame, &repeated);
    // Shift+F1 is not help.
    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(desktop.started, std::vector<std::string>{"browser " + Address("bin/guide", "index.html")});
    EXPECT_TRUE(messages.Texts().empty());

    // Without the guide, F1 in a dialog says so there, and the dialog stays open.
    ASSERT_TRUE(QFile::remove(m_folder.filePath("bin/guide/index.html")));
    DialogScript script;
    bool stillOpen = false;
    script.Then([&](QDialog& dialog) {
        pressF1(dialog);
        stillOpen = dialog.isVisible();
        dialog.reject();
    });
    frame.TriggerCommand(kCommandQueryForm);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Failed to launch help."});
}

TEST_F(HelpTest, ToolkitWindowsTakeTheirOwnersSectionAndMessageBoxesTheMessagesChapter) {
    FreshBank();
    QWidget main;
    SearchDialog search(&main);
    FileViewDialog details(&main);
    QFileDialog chooser(&search);
    QProgressDialog progress(&details);
    QMessageBox box(QMessageBox::Warning, "Talvanor", "Unable to open  the database", QMessageBox::Ok,
                    &search);
    QWidget plain;
    QDialog restore(&main);
    restore.setProperty("talvanorHelpPage", "backups.html#restoring-a-backup");
    QMessageBox restoreQuestion(QMessageBox::Question, "Talvanor", "Restore?", QMessageBox::Yes, &restore);
    EXPECT_EQ(HelpPageFor(&restore), "backups.html#restoring-a-backup");
    EXPECT_EQ(HelpPageFor(&restoreQuestion), "messages.html");
    EXPECT_EQ(HelpPageFor(&search), "searching.html#the-query-form");
    EXPECT_EQ(HelpPageFor(&chooser), "searching.html#the-query-form");
    EXPECT_EQ(HelpPageFor(&progress), "results.html#reading-a-resume");
    EXPECT_EQ(HelpPageFor(&box), "messages.html");
    EXPECT_EQ(HelpPageFor(&main), "index.html");
    EXPECT_EQ(HelpPageFor(&plain), "index.html");
    EXPECT_EQ(HelpPageFor(nullptr), "index.html");
}

TEST_F(HelpTest, EverySectionF1OpensIsInTheBuiltGuide) {
    const char* sections[] = {
        "index.html",
        "index.html#about-talvanor",
        "entering.html#the-resume-input-form",
        "entering.html#choosing-list-values",
        "entering.html#changing-the-pick-lists",
        "importing.html#the-text-resume-dialog",
        "searching.html#the-query-form",
        "results.html#the-result-window",
        "results.html#reading-a-resume",
        "messages.html",
    };
    const QDir guide(QStringLiteral(TALVANOR_PROGRAM_FOLDER "/guide"));
    for (const char* section : sections) {
        const QStringList parts = QString::fromLatin1(section).split(QLatin1Char('#'));
        QFile page(guide.filePath(parts.front()));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << section;
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QLatin1String("<title>"))) << section;
        if (parts.size() > 1) {
            EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(parts.back()))) << section;
        }
    }
}
