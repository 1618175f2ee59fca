#include "app/CommandIds.h"
#include "platform/ModalRun.h"
#include "search/ResultQuery.h"
#include "store/QueryTexts.h"
#include "tests/app/FrameFixture.h"
#include "tests/util/ScriptedMessages.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

namespace {

using RoutingTest = FrameTest<RecordingFrame>;
using FrameCommandTest = FrameTest<>;

void ExpectFromWebsiteGreyed(CMainFrame& frame) {
    QAction* action = frame.CommandAction(kCommandFromWebsite);
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->isEnabled());
    const QToolBar* toolBar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    EXPECT_FALSE(toolBar->widgetForAction(action)->isEnabled());
}

} // namespace

TEST_F(RoutingTest, EachCommandReachesItsOwnHandler) {
    const std::vector<std::pair<int, std::string>> routes = {
        {32772, "Manually"},
        {32773, "FromTextFile"},
        {32775, "QueryForm"},
        {32776, "AllRecords"},
        {32777, "Exit"},
        {32830, "ChangeQualification"},
        {32831, "ChangeSpecialization"},
        {32832, "ChangeLocation"},
        {57667, "HelpFinder"},
    };
    QSignalSpy appCommands(m_frame.get(), &CMainFrame::AppCommand);
    for (const auto& [id, handler] : routes) {
        m_frame->reached.clear();
        EXPECT_TRUE(m_frame->TriggerCommand(id)) << id;
        EXPECT_EQ(m_frame->reached, std::vector<std::string>{handler}) << id;
    }
    EXPECT_EQ(appCommands.count(), 0);

    // About and the document commands belong to the application object.
    for (int id : {57664, 57600, 57601, 57603, 57606}) {
        m_frame->reached.clear();
        appCommands.clear();
        EXPECT_TRUE(m_frame->TriggerCommand(id));
        ASSERT_EQ(appCommands.count(), 1) << id;
        EXPECT_EQ(appCommands.front().front().toInt(), id);
        EXPECT_TRUE(m_frame->reached.empty());
    }
    EXPECT_FALSE(m_frame->TriggerCommand(12345));
}

TEST_F(RoutingTest, FromWebsiteStaysGreyedFromStartUpAndAfterEveryCommand) {
    ExpectFromWebsiteGreyed(*m_frame);
    EXPECT_FALSE(m_frame->TriggerCommand(kCommandFromWebsite));
    EXPECT_TRUE(m_frame->reached.empty());

    for (QAction* popup : m_frame->menuBar()->actions()) {
        emit popup->menu()->aboutToShow();
        ExpectFromWebsiteGreyed(*m_frame);
    }
    for (int id : {kCommandManually, kCommandFromTextFile, kCommandQueryForm, kCommandAllRecords,
                   kCommandChangeQualification, kCommandChangeSpecialization, kCommandChangeLocation,
                   kCommandHelpTopics, kCommandExit}) {
        m_frame->TriggerCommand(id);
        ExpectFromWebsiteGreyed(*m_frame);
    }
    // Even if something enabled it, the next update greys it again.
    m_frame->CommandAction(kCommandFromWebsite)->setEnabled(true);
    m_frame->TriggerCommand(kCommandManually);
    ExpectFromWebsiteGreyed(*m_frame);

    // The greyed item can be pointed at for its prompt, but neither a click nor its key chooses it.
    m_frame->reached.clear();
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    QAction* fromWebsite = m_frame->CommandAction(kCommandFromWebsite);
    QMenu* addResume = m_frame->menuBar()->actions().front()->menu();
    addResume->popup(m_frame->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(addResume));
    QTest::mouseClick(addResume, Qt::LeftButton, {}, addResume->actionGeometry(fromWebsite).center());
    QTest::keyClick(addResume, Qt::Key_W);
    addResume->hide();
    EXPECT_TRUE(m_frame->reached.empty());

    // The command is routed to its handler for the day it is offered.
    fromWebsite->setEnabled(true);
    fromWebsite->trigger();
    EXPECT_EQ(m_frame->reached, std::vector<std::string>{"FromWebsite"});
    EXPECT_EQ(fromWebsite->data().toInt(), 32774);
}

TEST_F(RoutingTest, AllRecordsReplacesAnEarlierSearchBeforeTheResultWindowOpens) {
    g_resultQuery = "SELECT * FROM [Abstract Information] WHERE Name='Bob'";
    m_frame->TriggerCommand(kCommandAllRecords);
    const std::string listing =
        "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
        "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
        "[Abstract Information].ID=Qualifications.ID ORDER BY [Abstract Information].ID;";
    EXPECT_EQ(m_frame->queryWhenResultsOpened, listing);
    EXPECT_EQ(g_resultQuery, listing);
}

TEST_F(FrameCommandTest, ExitClosesTheWindowWithoutAsking) {
    ScriptedMessages messages;
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    EXPECT_TRUE(m_frame->TriggerCommand(kCommandExit));
    EXPECT_FALSE(m_frame->isVisible());
    EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(FrameCommandTest, RepaintingTheFrameSetsTheCaption) {
    m_frame->setWindowTitle("Talvan - Talvanor");
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->repaint();
    EXPECT_EQ(m_frame->windowTitle(), "Talvanor");
}

TEST_F(FrameCommandTest, PrintAndPreviewGoThroughTheirDialogs) {
    std::vector<std::string> shown;
    bool choosePreview = false;
    SetModalHandler([&](QDialog& dialog) {
        if (qobject_cast<QPrintDialog*>(&dialog)) {
            shown.push_back("print");
            // Ctrl+P is the only way to paper, so the preview is offered from the print dialog.
            auto* preview = dialog.findChild<QPushButton*>("previewButton");
            EXPECT_NE(preview, nullptr);
            if (preview != nullptr && choosePreview) {
                preview->click();
                return;
            }
        } else if (qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            shown.push_back("preview");
        }
        dialog.reject();
    });
    m_frame->TriggerCommand(kCommandPrint);
    m_frame->TriggerCommand(kCommandPrintPreview);
    choosePreview = true;
    m_frame->TriggerCommand(kCommandPrint);
    SetModalHandler({});
    EXPECT_EQ(shown, (std::vector<std::string>{"print", "preview", "print", "preview"}));
}
