#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/ResumeIdFile.h"
#include "tests/harvest/HarvestFixture.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"
#include "tools/careers-site/CareersPage.h"
#include "tools/careers-site/CareersSiteServer.h"

#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using Answer = CareersSiteServer::Answer;
using Texts = std::vector<std::string>;
constexpr const char* kNoSession = "Unable to establish internet session. Please try later";

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

std::vector<std::string> SavedPages() {
    std::vector<std::string> names;
    std::error_code none;
    for (const auto& entry : std::filesystem::directory_iterator(WorkingFolder(), none))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A fresh bank, a local careers site reached as the proxy, and a worker run to its end.
class Worker : public CareersSiteTest {
protected:
    void Harvest(HarvestTimeouts timeouts = {}) {
        std::atomic<bool> done{false};
        DownloadWorker worker(timeouts, [&done] { done = true; });
        worker.Start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 60000));
    }
    void Answer(int number, CareersSiteServer::Answer answer, int status = 0, std::string location = {}) {
        site.SetBehaviour(number, {answer, status, std::move(location), 0});
    }
    static std::string PageAddress(int number) {
        return "http://careers.example.com/careers/resume/browseresume/resumedetail.asp?id=" +
               std::to_string(number);
    }
};

TEST_F(Worker, FetchesPageAfterPageFromTheNumberFileUntilAnErrorStatus) {
    Answer(3, Answer::Status, 404);
    Harvest();
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession}));
    EXPECT_EQ(SavedPages(), (Texts{"1.txt", "2.txt"}));
    EXPECT_EQ(FileText(SavedPagePath(2)), SavedForm(CareersResumePage(SampleResume(2))));
    const auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target, PageAddress(1));
    EXPECT_EQ(requests[2].target, PageAddress(3));
    EXPECT_EQ(requests[0].userAgent, "Talvanor");
    EXPECT_EQ(requests[0].accept, "text/*");
    EXPECT_EQ(HarvestStopFlag, 1);
    EXPECT_EQ(FileText(ResumeIdFilePath()), "1"); // the worker never writes the number
}

TEST_F(Worker, EndsOnEachKindOfBadAnswerWithItsMessage) {
    const struct {
        const char* what;
        CareersSiteServer::Answer answer;
        int status;
        std::string location;
        Texts said;
        Texts saved;
    } cases[] = {
        {"server error", Answer::Status, 500, "", {kNoSession}, {"1.txt"}},
        {"redirect without a Location", Answer::RedirectNowhere, 0, "", {kNoSession}, {"1.txt"}},
        {"redirect to itself", Answer::Redirect, 0, PageAddress(2), {kNoSession}, {"1.txt"}},
        {"redirect to a failing page", Answer::Redirect, 0, PageAddress(99), {kNoSession}, {"1.txt"}},
    };
    for (const auto& test : cases) {
        FreshBank();
        messages.Clear();
        HarvestStopFlag = 0;
        Answer(2, test.answer, test.status, test.location);
        Answer(99, Answer::Status, 404);
        Harvest();
        EXPECT_EQ(messages.Texts(), test.said) << test.what;
        EXPECT_EQ(SavedPages(), test.saved) << test.what;
    }
}

TEST_F(Worker, FollowsOneRedirectAndSavesTheTargetUnderTheAskedNumber) {
    Answer(1, Answer::Redirect, 0, "/careers/resume/browseresume/resumedetail.asp?id=7");
    Answer(2, Answer::Status, 404);
    Harvest();
    EXPECT_EQ(SavedPages(), (Texts{"1.txt"}));
    EXPECT_NE(FileText(SavedPagePath(1)).find("Mei Lin 7"), std::string::npos);
    EXPECT_EQ(site.Requests().at(1).target, PageAddress(7));
}

TEST_F(Worker, AStalledOrDroppedTransferEndsWithTheClientsOwnText) {
    for (auto answer : {Answer::Stall, Answer::Reset}) {
        FreshBank();
        messages.Clear();
        HarvestStopFlag = 0;
        Answer(2, answer);
        Harvest({5, 1});
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_NE(messages.Texts()[0], kNoSession);
        EXPECT_FALSE(messages.Texts()[0].empty());
        // What arrived of the broken page stays as far as it was written.
        EXPECT_EQ(SavedPages(), (Texts{"1.txt", "2.txt"}));
    }
}

TEST_F(Worker, StreamsAHugePageToDiskWithoutHoldingIt) {
    site.SetBehaviour(1, {Answer::Huge, 0, {}, 50u << 20});
    Answer(2, Answer::Binary);
    Answer(3, Answer::Status, 404);
    const long before = ResidentKiB();
    Harvest();
#ifndef __SANITIZE_ADDRESS__
    // The sanitizer keeps freed memory aside on purpose (the site's too, in this process).
    EXPECT_LT(ResidentKiB() - before, 20 * 1024);
#endif
    EXPECT_GT(std::filesystem::file_size(SavedPagePath(1)), 50u << 20);
    EXPECT_NE(FileText(SavedPagePath(2)).find(std::string("\0\x01\xff", 3)), std::string::npos);
}

TEST_F(Worker, StartsAtZeroWithoutANumberFileAndStopsAfterThePageInHandOnCancel) {
    std::filesystem::remove(ResumeIdFilePath());
    site.SetDelayMilliseconds(300);
    std::atomic<bool> done{false};
    DownloadWorker worker({}, [&done] { done = true; });
    worker.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !site.Requests().empty(); }, 10000));
    HarvestStopFlag = 1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
    EXPECT_EQ(site.Requests().at(0).target, PageAddress(0));
    EXPECT_EQ(SavedPages(), (Texts{"0.txt"}));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_FALSE(std::filesystem::exists(ResumeIdFilePath()));
}

} // namespace
