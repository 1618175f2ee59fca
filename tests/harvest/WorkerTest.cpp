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
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using Answer = CareersSiteServer::Answer;
using Texts = std::vector<std::string>;
constexpr const char* kNoSession = "Unable to establish internet session. Please try later";

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
        const bool ended = QTest::qWaitFor([&] { return done.load(); }, 60000);
        if (!ended) {
            // End a harvest that would never end, so the worker can be joined.
            HarvestStopFlag = 1;
            site.Stop();
            static_cast<void>(QTest::qWaitFor([&] { return done.load(); }, 60000));
        }
        ASSERT_TRUE(ended);
    }
    void Answer(int number, CareersSiteServer::Answer answer, int status = 0, std::string location = {}) {
        site.SetBehaviour(number, {.answer = answer, .status = status, .location = std::move(location)});
    }
    static std::string PageAddress(int number) {
        return "http://careers.example.com/careers/resume/browseresume/resumedetail.asp?id=" +
               std::to_string(number);
    }
};

TEST_F(Worker, FetchesPageAfterPageFromTheNumberFileUntilAnErrorStatus) {
    WriteFileText(ResumeIdFilePath(), "7");
    site.SetBehaviour(8, {.answer = Answer::Text, .body = "one\r\ntwo\nlone\rcr\n\nlast"});
    Answer(9, Answer::Status, 404);
    Harvest();
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession}));
    EXPECT_EQ(SavedPages(), (Texts{"7.txt", "8.txt"}));
    // Every line break doubled as "\r\n\r\n", a lone carriage return dropped, the open last line ended.
    EXPECT_EQ(FileText(SavedPagePath(8)), "one\r\n\r\ntwo\r\n\r\nlonecr\r\n\r\n\r\n\r\nlast\r\n");
    EXPECT_EQ(FileText(SavedPagePath(7)), FileText(std::string(TALVANOR_TEST_DATA) + "/resume-page-7.txt"));
    const auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target, PageAddress(7));
    EXPECT_EQ(requests[2].target, PageAddress(9));
    EXPECT_EQ(requests[0].userAgent, "Talvanor");
    EXPECT_EQ(requests[0].accept, "text/*");
    EXPECT_EQ(HarvestStopFlag, 1);
    EXPECT_EQ(FileText(ResumeIdFilePath()), "7"); // the worker never writes the number
}

TEST_F(Worker, StopsAtTheTopNumberWithoutAskingPastIt) {
    WriteFileText(ResumeIdFilePath(), "2147483646");
    Harvest();
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession}));
    EXPECT_EQ(SavedPages(), (Texts{"2147483646.txt"}));
    ASSERT_EQ(site.Requests().size(), 1u);
    EXPECT_EQ(site.Requests()[0].target, PageAddress(2147483646));

    // A number file at the top, or beyond it, asks for nothing.
    for (const char* top : {"2147483647", "99999999999"}) {
        std::filesystem::remove_all(WorkingFolder());
        messages.Clear();
        HarvestStopFlag = 0;
        WriteFileText(ResumeIdFilePath(), top);
        Harvest();
        EXPECT_EQ(messages.Texts(), (Texts{kNoSession})) << top;
        EXPECT_EQ(SavedPages(), Texts{}) << top;
        EXPECT_EQ(site.Requests().size(), 1u) << top;
        EXPECT_EQ(FileText(ResumeIdFilePath()), top);
    }
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
    using Headers = std::vector<std::pair<std::string, std::string>>;
    const std::string right = "/careers/resume/browseresume/resumedetail.asp?id=7";
    const struct {
        const char* what;
        CareersSiteServer::Behaviour behaviour;
    } cases[] = {
        {"302", {.answer = Answer::Redirect, .status = 302, .location = right}},
        {"301", {.answer = Answer::Redirect, .status = 301, .location = right}},
        {"303", {.answer = Answer::Redirect, .status = 303, .location = right}},
        // The server sends headers ordered by name: these come before "Location".
        {"a header whose name ends in Location",
         {.answer = Answer::Redirect,
          .location = right,
          .headers =
              Headers{{"Content-Location", PageAddress(99)}, {"Link", "<x>; Location: " + PageAddress(99)}}}},
        {"a header name in small letters",
         {.answer = Answer::RedirectNowhere, .headers = Headers{{"location", PageAddress(7)}}}},
    };
    for (const auto& test : cases) {
        FreshBank();
        messages.Clear();
        HarvestStopFlag = 0;
        const std::size_t before = site.Requests().size();
        site.SetBehaviour(1, test.behaviour);
        Answer(2, Answer::Status, 404);
        Answer(99, Answer::Status, 404);
        Harvest();
        EXPECT_EQ(messages.Texts(), (Texts{kNoSession})) << test.what;
        EXPECT_EQ(SavedPages(), (Texts{"1.txt"})) << test.what;
        EXPECT_NE(FileText(SavedPagePath(1)).find("Mei Lin 7"), std::string::npos) << test.what;
        ASSERT_EQ(site.Requests().size(), before + 3) << test.what;
        EXPECT_EQ(site.Requests().at(before + 1).target, PageAddress(7)) << test.what;
    }
    // Only 301, 302 and 303 are followed: any other status ends the harvest.
    FreshBank();
    messages.Clear();
    HarvestStopFlag = 0;
    site.SetBehaviour(1, {.answer = Answer::Redirect, .status = 307, .location = right});
    Harvest();
    EXPECT_EQ(messages.Texts(), (Texts{kNoSession}));
    EXPECT_EQ(SavedPages(), Texts{});
}

TEST(RedirectHeader, IsTheLocationHeaderNamedAtTheStartOfALineInAnyCase) {
    const std::string base = "http://careers.example.com/careers/resume/browseresume/resumedetail.asp?id=1";
    const struct {
        const char* headers;
        const char* target;
    } cases[] = {
        {"HTTP/1.1 302 Found\r\nX-Relocation: http://host/wrong\r\nLocation: http://host/right\r\n\r\n",
         "http://host/right"},
        {"HTTP/1.1 301 Moved\r\nContent-Location: /wrong\r\nlocation: /right\r\n\r\n",
         "http://careers.example.com/right"},
        {"HTTP/1.1 303 See Other\r\nLOCATION:\thttp://host/right?id=2 \r\n\r\n", "http://host/right?id=2"},
        {"HTTP/1.1 302 Found\nLocation: http://host/right\n", "http://host/right"},
        // A header whose value quotes the name, or a name that only ends in it, is no redirect.
        {"HTTP/1.1 302 Found\r\nLink: <a>; Location: http://host/wrong\r\n\r\n", ""},
        {"HTTP/1.1 302 Found\r\nContent-Location: http://host/wrong\r\n\r\n", ""},
        {"HTTP/1.1 302 Found\r\nLocation: \r\n\r\n", ""},
        {"HTTP/1.1 302 Found\r\nLocation http://host/wrong\r\n\r\n", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(RedirectTarget(test.headers, base), test.target) << test.headers;
}

TEST_F(Worker, AStalledDroppedOrEndlessTransferEndsWithTheClientsOwnText) {
    EXPECT_EQ(HarvestTimeouts{}.roundSeconds, 120);
    for (auto answer : {Answer::Stall, Answer::Reset, Answer::Trickle}) {
        FreshBank();
        messages.Clear();
        HarvestStopFlag = 0;
        Answer(2, answer);
        const auto start = std::chrono::steady_clock::now();
        // A trickle never stalls: only the round's whole time ends it.
        Harvest({.connectSeconds = 5, .stalledSeconds = answer == Answer::Stall ? 1 : 60, .roundSeconds = 3});
        const auto took = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_NE(messages.Texts()[0], kNoSession);
        EXPECT_FALSE(messages.Texts()[0].empty());
        if (answer == Answer::Trickle) {
            EXPECT_GE(took, std::chrono::seconds(3));
            EXPECT_LT(took, std::chrono::seconds(30));
        }
        // What arrived of the broken page stays as far as it was written.
        EXPECT_EQ(SavedPages(), (Texts{"1.txt", "2.txt"}));
    }
    // A request made once the round's time is spent still gets a limit, not none at all.
    FreshBank();
    messages.Clear();
    HarvestStopFlag = 0;
    Answer(1, Answer::Trickle);
    const auto start = std::chrono::steady_clock::now();
    Harvest({.connectSeconds = 5, .stalledSeconds = 60, .roundSeconds = 0});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0], kNoSession);
}

TEST_F(Worker, StreamsABigPageToDiskWithoutHoldingItAndEndsAtOneOver16MB) {
    site.SetBehaviour(1, {.answer = Answer::Huge, .size = 16'000'000});
    Answer(2, Answer::Binary);
    site.SetBehaviour(3, {.answer = Answer::Huge, .size = 17'000'000});
    const long before = ResidentKiB();
    Harvest();
#ifndef __SANITIZE_ADDRESS__
    // The sanitizer keeps freed memory aside on purpose (the site's too, in this process).
    EXPECT_LT(ResidentKiB() - before, 20 * 1024);
#endif
    EXPECT_EQ(messages.Texts(),
              (Texts{"The page for resume number 3 is larger than 16 MB, so the harvest stops here."}));
    EXPECT_EQ(SavedPages(), (Texts{"1.txt", "2.txt"})); // what arrived of page 3 is removed
    EXPECT_GT(std::filesystem::file_size(SavedPagePath(1)), 16'000'000u);
    EXPECT_NE(FileText(SavedPagePath(2)).find(std::string("\0\x01\xff", 3)), std::string::npos);
    EXPECT_EQ(site.Requests().size(), 3u);
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
