#include "harvest/DownloadDialog.h"
#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/ResumeIdFile.h"
#include "platform/AnimationControl.h"
#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "tests/harvest/HarvestFixture.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"
#include "tools/careers-site/CareersSiteServer.h"

#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;
using Answer = CareersSiteServer::Answer;
constexpr const char* kAdded = "successfully another record added to the database";
constexpr const char* kEnded = "Downloading terminated on user request";
constexpr const char* kNoSession = "Unable to establish internet session. Please try later";

QPushButton* Button(QDialog& dialog, int id) {
    return FindControl<QPushButton>(&dialog, id);
}

class Downloading : public CareersSiteTest {
protected:
    void SetUp() override {
        CareersSiteTest::SetUp();
        site.SetBehaviour(4, {.answer = Answer::Status, .status = 404});
    }
    // Starts the harvest in a shown dialog and waits until the dialog has closed itself.
    static bool WaitClosed(QDialog& dialog) {
        return QTest::qWaitFor([&] { return !dialog.isVisible(); }, 30000);
    }
};

TEST_F(Downloading, HasItsTemplatesControlsAndPlacesAndCancelBeforeStartTouchesNothing) {
    DownloadDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Downloading");
    EXPECT_EQ(Button(dialog, 1001)->text(), "&Start");
    EXPECT_EQ(Button(dialog, 2)->text(), "&Cancel");
    ASSERT_NE(FindControl<AnimationControl>(&dialog, 1017), nullptr);
    EXPECT_LT(Button(dialog, 1001)->y(), Button(dialog, 2)->y());
    EXPECT_GT(Button(dialog, 1001)->x(), FindControl<QWidget>(&dialog, 1017)->geometry().right());
    EXPECT_EQ(dialog.m_notStarted, 1);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(site.Requests().empty());
    EXPECT_FALSE(std::filesystem::exists(WorkingFolder()));
}

TEST_F(Downloading, FetchesUntilTheSiteFailsThenImportsEveryPageAndCloses) {
    DownloadDialog dialog(nullptr);
    EXPECT_EQ(dialog.m_animationOpen, 1);
    dialog.show();
    Button(dialog, 1001)->click();
    EXPECT_TRUE(dialog.m_animation->IsPlaying());
    EXPECT_FALSE(Button(dialog, 1001)->isEnabled());
    EXPECT_EQ(dialog.m_notStarted, 0);
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession, kAdded, kAdded, kAdded, kEnded}));
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information]"), (Rows{{"3"}}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "4");
    EXPECT_FALSE(std::filesystem::exists(WorkingFolder()));
    EXPECT_FALSE(dialog.m_qualificationList.empty());
    EXPECT_EQ(HarvestStopFlag, 0);
    EXPECT_FALSE(dialog.m_animation->IsOpen());
}

TEST_F(Downloading, CancelDuringTheRunFinishesThePageInHandAndImportsIt) {
    site.SetDelayMilliseconds(200);
    std::filesystem::remove(DataFolder() + "clock.avi"); // no clip: no animation, the harvest runs
    DownloadDialog dialog(nullptr);
    EXPECT_EQ(dialog.m_animationOpen, 0);
    dialog.show();
    Button(dialog, 1001)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !site.Requests().empty(); }, 10000));
    QTest::keyClick(&dialog, Qt::Key_Escape); // the same as Cancel
    EXPECT_FALSE(Button(dialog, 2)->isEnabled());
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_EQ(messages.Texts(), (Texts{kAdded, kEnded}));
    EXPECT_EQ(site.Requests().size(), 1u);
    EXPECT_EQ(FileText(ResumeIdFilePath()), "2");
}

TEST_F(Downloading, CancelDuringTheImportIsForgottenWhenItEnds) {
    DownloadDialog dialog(nullptr);
    bool cancelled = false;
    MessageAnswerer recorder;
    recorder = SetMessageAnswerer([&](const MessageRequest& request) {
        if (request.text == kAdded && Button(dialog, 2)->isEnabled()) {
            Button(dialog, 2)->click();
            cancelled = !Button(dialog, 2)->isEnabled() && HarvestStopFlag == 1;
        }
        return recorder(request);
    });
    dialog.show();
    Button(dialog, 1001)->click();
    ASSERT_TRUE(WaitClosed(dialog));
    SetMessageAnswerer(recorder);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession, kAdded, kAdded, kAdded, kEnded}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information]"), (Rows{{"3"}}));
    EXPECT_EQ(HarvestStopFlag, 0);
}

TEST_F(Downloading, AnImportEndedByAnEngineErrorKeepsThePagesAndCanBeClosed) {
    site.SetDelayMilliseconds(100);
    DownloadDialog dialog(nullptr);
    dialog.show();
    Button(dialog, 1001)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return site.Requests().size() >= 2; }, 10000));
    std::filesystem::remove(BankPath());
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.Texts().size() >= 2; }, 30000));
    EXPECT_EQ(messages.Texts()[0], kNoSession);
    EXPECT_EQ(messages.Requests()[1].icon, MessageIcon::Critical);
    EXPECT_NE(messages.Texts()[1].find("pages not yet imported are kept"), std::string::npos);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(WorkingFolder()), {}), 3);
    ASSERT_TRUE(Button(dialog, 2)->isEnabled());
    Button(dialog, 2)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(HarvestStopFlag, 0);
}

} // namespace
