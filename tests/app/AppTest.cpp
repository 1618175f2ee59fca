#include "app/AboutDialog.h"
#include "app/CHyperLink.h"
#include "app/CMainFrame.h"
#include "app/CTalvanorApp.h"
#include "app/CTalvanorDoc.h"
#include "app/CTalvanorView.h"
#include "app/CommandIds.h"
#include "platform/ControlId.h"
#include "platform/FileChooser.h"
#include "platform/ModalRun.h"
#include "platform/Text.h"
#include "tests/util/ScriptedMessages.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

TEST_F(AppTest, ADocumentArgumentThatCannotBeReadEndsStartUp) {
    ScriptedMessages messages;
    QTemporaryDir folder;
    CTalvanorApp failing;
    EXPECT_FALSE(failing.InitInstance({folder.filePath("missing.tlv")}));
    EXPECT_EQ(failing.MainFrame(), nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Failed to open document."});

    const QString readable = WriteFile(folder, "notes.tlv", "kept");
    CTalvanorApp opening;
    EXPECT_TRUE(opening.InitInstance({"--verbose", readable}));
    EXPECT_EQ(opening.Document()->PathName(), FromQt(readable));
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
