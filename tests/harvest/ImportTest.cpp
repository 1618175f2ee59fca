#include "harvest/DownloadWorker.h"
#include "harvest/HarvestStop.h"
#include "harvest/PageImport.h"
#include "harvest/ResumeIdFile.h"
#include "tests/harvest/HarvestFixture.h"
#include "tests/util/Bank.h"
#include "tests/util/ScriptedMessages.h"
#include "tools/careers-site/CareersPage.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;
constexpr const char* kAdded = "successfully another record added to the database";
constexpr const char* kEnded = "Downloading terminated on user request";

class Import : public testing::Test {
protected:
    void SetUp() override {
        FreshBank();
        HarvestStopFlag = 1; // as a Cancel during the run leaves it
    }
    void Run() { ImportDownloadedPages(LoadHarvestPickLists()); }
    static int LeftPages() {
        int count = 0;
        std::error_code none;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(WorkingFolder(), none))
            ++count;
        return count;
    }
    ScriptedMessages messages;
};

TEST_F(Import, StoresEachRecordPageWithItsValuesMappedOntoTheVocabularies) {
    CareersResume resume;
    resume.name = "Asha Rao";
    resume.qualification = "Bachelor of Engineering, master of technology";
    resume.specialization = "Visual C++ and Oracle DBA";
    resume.experience = "12";
    resume.location = "Pune or Delhi";
    resume.email = "asha@example.com";
    resume.text = "Asha's text";
    SaveServedPage(5, CareersResumePage(resume));
    WriteFileText(ResumeIdFilePath(), "40");

    Run();
    EXPECT_EQ(messages.Texts(), (Texts{kAdded, kEnded}));
    EXPECT_EQ(
        QueryRows("SELECT Name, Experience, Email, Organization, Status FROM [Abstract Information]"),
        (Rows{{"Asha Rao", "10-15", "\"asha@example.com\"", "Not Specified", "Active For Processing"}}));
    EXPECT_EQ(QueryRows("SELECT Qualification FROM Qualifications ORDER BY 1"),
              (Rows{{"B.E."}, {"M.TECH."}}));
    EXPECT_EQ(QueryRows("SELECT Specialization FROM Specializations ORDER BY 1"),
              (Rows{{"C/C++"}, {"ORACLE DBA"}, {"VC++"}}));
    EXPECT_EQ(QueryRows("SELECT Location FROM Locations ORDER BY 1"), (Rows{{"DELHI"}, {"PUNE"}}));
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume"), (Rows{{"Asha's text"}}));
    // Indexed for keyword search as it was stored.
    EXPECT_EQ(QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH 'asha'"),
              QueryRows("SELECT ID FROM Resume"));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "41");
    EXPECT_FALSE(std::filesystem::exists(WorkingFolder()));
    EXPECT_EQ(HarvestStopFlag, 0);
}

TEST_F(Import, FallsBackToOthersAndNotSpecifiedWhenNothingMatches) {
    CareersResume odd = SampleResume(1);
    odd.qualification = "Certificate in knitting";
    odd.specialization = "knitting";
    odd.location = "Mars";
    odd.experience = "five";
    SaveServedPage(1, CareersResumePage(odd));
    Run();
    EXPECT_EQ(QueryRows("SELECT Experience FROM [Abstract Information]"), (Rows{{"Not Specified"}}));
    EXPECT_EQ(QueryRows("SELECT Qualification FROM Qualifications"), (Rows{{"Others"}}));
    EXPECT_EQ(QueryRows("SELECT Specialization FROM Specializations"), (Rows{{"Not Specified"}}));
    EXPECT_EQ(QueryRows("SELECT Location FROM Locations"), (Rows{{"Not Specified"}}));
}

TEST_F(Import, SkipsPagesWithoutRecordOrEmailAndKeepsTheNumberOfStoredPages) {
    SaveServedPage(1, CareersNoRecordPage());
    CareersResume noEmail = SampleResume(2);
    noEmail.email.clear();
    std::string page = CareersResumePage(noEmail);
    page.replace(page.find("<input type=\"hidden\""), 6, "<inpux"); // no hidden input at all
    SaveServedPage(2, page);
    SaveServedPage(3, CareersResumePage(SampleResume(3)));
    Run();
    EXPECT_EQ(messages.Texts(), (Texts{kAdded, kEnded}));
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Karan Shah 3"}}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "2"); // from 1, one stored page
    EXPECT_EQ(LeftPages(), 0);
}

TEST_F(Import, StopsAtThe51stPageWithoutRecordAndRewindsTheNumber) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {{"100", "49"}, {"-2147483600", "-2147483648"}}; // never past the bottom of the range
    for (const auto& test : cases) {
        FreshBank();
        messages.Clear();
        for (int number = 100; number < 160; ++number)
            SaveServedPage(number, CareersNoRecordPage());
        WriteFileText(ResumeIdFilePath(), test.before);
        Run();
        EXPECT_EQ(messages.Texts(), (Texts{kEnded}));
        EXPECT_EQ(FileText(ResumeIdFilePath()), test.after);
        EXPECT_EQ(LeftPages(), 9); // the pages not taken stay for the next import
        EXPECT_TRUE(std::filesystem::exists(WorkingFolder()));
    }
}

TEST_F(Import, TheNumberStaysAtTheTopOfTheRange) {
    for (const char* start : {"2147483646", "2147483647"}) {
        FreshBank();
        SaveServedPage(1, CareersResumePage(SampleResume(1)));
        SaveServedPage(2, CareersResumePage(SampleResume(2)));
        WriteFileText(ResumeIdFilePath(), start);
        Run();
        EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information]"), (Rows{{"2"}}));
        EXPECT_EQ(FileText(ResumeIdFilePath()), "2147483647") << start;
    }
}

TEST_F(Import, APageWithoutNameIsRefusedButAdvancesTheNumberAndLeavesTheStoreOpen) {
    CareersResume nameless = SampleResume(1);
    nameless.name.clear();
    SaveServedPage(1, CareersResumePage(nameless));
    SaveServedPage(2, CareersResumePage(SampleResume(2)));
    Run();
    const Texts said = messages.Texts();
    const Texts refused = {"Name or Qualification having zero length Unable to write ",
                           "Unable to write in  the database"};
    const auto at = std::search(said.begin(), said.end(), refused.begin(), refused.end());
    ASSERT_NE(at, said.end()) << "the store's refusal, then the import's";
    // When the refused page came first, the next page's Open met the store still open.
    if (at == said.begin())
        EXPECT_EQ(said, (Texts{refused[0], refused[1], "database already open", kAdded, kEnded}));
    else
        EXPECT_EQ(said, (Texts{kAdded, refused[0], refused[1], kEnded}));
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Mei Lin 2"}}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "3");
}

TEST_F(Import, AnEmptyFolderOrAMissingNumberFileChangesNothingButSaysItEnded) {
    Run();
    EXPECT_EQ(messages.Texts(), (Texts{kEnded}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "1");

    std::filesystem::remove(ResumeIdFilePath());
    SaveServedPage(7, CareersResumePage(SampleResume(7)));
    Run();
    EXPECT_FALSE(std::filesystem::exists(ResumeIdFilePath())); // never created
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information]"), (Rows{{"1"}}));

    WriteFileText(ResumeIdFilePath(), "no number");
    SaveServedPage(8, CareersResumePage(SampleResume(8)));
    Run();
    EXPECT_EQ(FileText(ResumeIdFilePath()), "1"); // text that is no number counts as 0
}

TEST_F(Import, AnImportAbandonedAtItsThirdPageKeepsTheNumberAfterTheSecond) {
    for (int number = 1; number <= 4; ++number)
        SaveServedPage(number, CareersResumePage(SampleResume(number)));
    WriteFileText(ResumeIdFilePath(), "10");
    int added = 0;
    MessageAnswerer recorder;
    recorder = SetMessageAnswerer([&](const MessageRequest& request) {
        if (request.text == kAdded && ++added == 2)
            std::filesystem::remove(BankPath()); // the third page's store cannot open the bank
        return recorder(request);
    });
    EXPECT_THROW(Run(), std::exception);
    SetMessageAnswerer(recorder);
    EXPECT_EQ(messages.Texts(), (Texts{kAdded, kAdded}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "12");
    EXPECT_EQ(LeftPages(), 1);
}

TEST_F(Import, AFileTooLargeForAPageIsRemovedUnread) {
    SaveServedPage(5, CareersResumePage(SampleResume(5)));
    const std::string huge = WorkingFolder() + "6.txt";
    WriteFileText(huge, "");
    std::filesystem::resize_file(huge, 67'108'865); // one byte over 64 MB, the most a 16 MB page saves as
    const long before = ResidentKiB();
    Run();
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(ResidentKiB() - before, 32 * 1024);
#endif
    Texts said = messages.Texts();
    std::sort(said.begin(), said.end() - 1); // the pages come in the folder's order
    EXPECT_EQ(said, (Texts{"The downloaded page " + huge +
                               " is too large to be a resume page; it was removed unread.",
                           kAdded, kEnded}));
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information]"), (Rows{{"Asha Rao 5"}}));
    EXPECT_EQ(FileText(ResumeIdFilePath()), "2");
    EXPECT_FALSE(std::filesystem::exists(WorkingFolder()));

    // Any page the worker may save is read, one larger than 16 MB included: a served line feed
    // alone saves as four bytes.
    SaveServedPage(7, CareersResumePage(SampleResume(7)) + std::string(4'250'000, '\n'));
    ASSERT_GT(std::filesystem::file_size(SavedPagePath(7)), 17'000'000u);
    messages.Clear();
    Run();
    EXPECT_EQ(messages.Texts(), (Texts{kAdded, kEnded}));
    EXPECT_EQ(QueryRows("SELECT Name FROM [Abstract Information] ORDER BY ID"),
              (Rows{{"Asha Rao 5"}, {"Mei Lin 7"}}));
}

TEST_F(Import, AnEngineErrorEndsItAndLeavesTheUntakenPages) {
    for (int number = 1; number <= 3; ++number)
        SaveServedPage(number, CareersResumePage(SampleResume(number)));
    const HarvestPickLists lists = LoadHarvestPickLists();
    std::filesystem::remove(BankPath());
    EXPECT_THROW(ImportDownloadedPages(lists), std::exception);
    EXPECT_EQ(LeftPages(), 2); // the page in hand was read and removed
    EXPECT_EQ(FileText(ResumeIdFilePath()), "1");
}

} // namespace
