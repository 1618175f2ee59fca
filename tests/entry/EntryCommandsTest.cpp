#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "platform/FileChooser.h"
#include "tests/entry/EntryFixture.h"
#include "tests/util/DialogScript.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

namespace {

using EntryCommands = EntryTest;

// Each entry command of the main window reaches its dialog in the right mode.
TEST_F(EntryCommands, MainWindowCommandsOpenTheirDialogs) {
    QApplication::setQuitOnLastWindowClosed(false);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    std::vector<std::string> seen;
    DialogScript script;
    const auto note = [&](QDialog& dialog) {
        std::string text = dialog.windowTitle().toStdString();
        if (const auto* label = FindControl<QLabel>(&dialog, 1064))
            text += " " + label->text().toStdString();
        seen.push_back(text);
        dialog.reject();
    };
    for (int i = 0; i < 4; ++i)
        script.Then(note);
    EditedResume.editing = true; // a stale flag must not turn "Manually" into an edit
    ASSERT_TRUE(frame.TriggerCommand(kCommandManually));
    ASSERT_TRUE(frame.TriggerCommand(kCommandChangeQualification));
    ASSERT_TRUE(frame.TriggerCommand(kCommandChangeSpecialization));
    ASSERT_TRUE(frame.TriggerCommand(kCommandChangeLocation));

    int chooserRuns = 0;
    const OpenFileAnswerer previous = SetOpenFileAnswerer([&](const QString&) {
        ++chooserRuns;
        return std::optional<std::string>();
    });
    ASSERT_TRUE(frame.TriggerCommand(kCommandFromTextFile));
    SetOpenFileAnswerer(previous);

    EXPECT_EQ(seen, (Texts{"Resume Input Form", "Change Qualifications:", "Change Specializations:",
                           "Change Location Preferences:"}));
    EXPECT_EQ(chooserRuns, 1);
    EXPECT_TRUE(script.AllDone());
}

// A file dropped on the main window starts the import with it, as if chosen.
TEST_F(EntryCommands, AFileDroppedOnTheMainWindowIsImported) {
    QApplication::setQuitOnLastWindowClosed(false);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    bool shown = false;
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), "Text Resume");
        EXPECT_TRUE(FindControl<QPlainTextEdit>(&dialog, 1000)->toPlainText().startsWith("Asha Rao"));
        dialog.reject();
    });
    int chooserRuns = 0;
    const OpenFileAnswerer previous = SetOpenFileAnswerer([&](const QString&) {
        ++chooserRuns;
        return std::optional<std::string>();
    });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral(TALVANOR_TEST_DATA "/documents/resume.odt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_FALSE(shown) << "the import waits until the drop has finished";
    QTRY_VERIFY(shown);
    SetOpenFileAnswerer(previous);
    EXPECT_EQ(chooserRuns, 0) << "Cancel ends the import";
    EXPECT_TRUE(script.AllDone());
}

} // namespace
