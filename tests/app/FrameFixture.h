#pragma once

#include "app/CMainFrame.h"
#include "app/CTalvanorView.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A main window whose command handlers only note that they were reached.
class RecordingFrame : public CMainFrame {
public:
    std::vector<std::string> reached;
    std::string queryWhenResultsOpened;
    void OnFromWebsite() override { reached.push_back("FromWebsite"); }

protected:
    void OnManually() override { reached.push_back("Manually"); }
    void OnFromTextFile() override { reached.push_back("FromTextFile"); }
    void OnQueryForm() override { reached.push_back("QueryForm"); }
    void OnAllRecords() override {
        reached.push_back("AllRecords");
        CMainFrame::OnAllRecords();
    }
    void OpenResultWindow() override;
    void OnExit() override { reached.push_back("Exit"); }
    void OnChangeQualification() override { reached.push_back("ChangeQualification"); }
    void OnChangeSpecialization() override { reached.push_back("ChangeSpecialization"); }
    void OnChangeLocation() override { reached.push_back("ChangeLocation"); }
    void OnHelpFinder() override { reached.push_back("HelpFinder"); }
};

// Windows come and go in these tests; closing the last must not end the test's event loops.
template <typename Frame = CMainFrame> class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        m_frame = std::make_unique<Frame>();
        ASSERT_TRUE(m_frame->OnCreate());
        m_frame->setCentralWidget(new CTalvanorView(m_frame.get()));
    }
    std::unique_ptr<Frame> m_frame;
};
