#include "harvest/PageExtraction.h"
#include "tests/harvest/HarvestFixture.h"
#include "tools/careers-site/CareersPage.h"

#include <gtest/gtest.h>

namespace {

ResumePageFields Extract(const std::string& page, bool expectRecord = true) {
    ResumePageFields fields;
    EXPECT_EQ(ExtractResumePage(page, fields), expectRecord);
    return fields;
}

CareersResume Sample() {
    CareersResume resume;
    resume.name = "Asha <b>Rao</b>";
    resume.qualification = "Bachelor of Engineering";
    resume.specialization = "Java, Oracle developer";
    resume.experience = "7";
    resume.location = "Pune";
    resume.email = "asha@example.com";
    resume.text = "Asha Rao\nTen years &amp; more.\n";
    return resume;
}

TEST(PageExtraction, CutsEveryFieldOfASavedPageAsItStands) {
    const ResumePageFields fields = Extract(SavedForm(CareersResumePage(Sample())));
    EXPECT_EQ(fields.name, "Asha <b>Rao"); // an opening tag is kept, the first "</" ends the value
    EXPECT_EQ(fields.qualification, "Bachelor of Engineering");
    EXPECT_EQ(fields.specialization, "Java, Oracle developer");
    EXPECT_EQ(fields.experience, "7");
    EXPECT_EQ(fields.location, "Pune");
    EXPECT_EQ(fields.email, "\"asha@example.com\""); // the quotes belong to it
    EXPECT_EQ(fields.resumeText, "Asha Rao\r\n\r\nTen years &amp; more.\r\n\r\n");
}

TEST(PageExtraction, TakesNothingBeforeCharacter7000AndNeverTrims) {
    const std::string key = "Of Experience</font></b></font></td>";
    const std::string opening(105, '.');
    const std::string value = " 12 years </font>";
    // The key starting at character 6999 is not seen; at 7000 it is.
    for (std::size_t start : {6999u, 7000u}) {
        const std::string page = std::string(start, '-') + key + opening + value;
        std::string experience;
        CutCellValue(page, key, key.size() + 105, experience);
        EXPECT_EQ(experience, start == 7000 ? " 12 years " : "") << start;
    }
    // A page whose fields all stand before character 7000 yields none, whatever its length,
    // but is still a record.
    const std::string saved = SavedForm(CareersResumePage(Sample()));
    const std::string fieldsOnly = saved.substr(saved.find("<table"));
    ASSERT_LT(fieldsOnly.size(), 7000u);
    for (const std::string& early :
         {fieldsOnly + std::string(7000 - fieldsOnly.size(), ' '), fieldsOnly + std::string(9000, ' ')}) {
        const ResumePageFields none = Extract(early);
        EXPECT_EQ(none.name + none.qualification + none.specialization + none.experience + none.location +
                      none.email + none.resumeText,
                  "")
            << early.size();
    }
    // A page whose lines were saved another way puts the value start elsewhere: no resynchronising.
    std::string single = CareersResumePage(Sample());
    EXPECT_NE(Extract(single).name, "Asha <b>Rao");
}

TEST(PageExtraction, AKeyWithoutTerminatorRunsToTheEndOfThePage) {
    const std::string page = std::string(7100, ' ') +
                             R"(<input type="hidden" name="candidateemail" VALUE="open@example.com" id=x)";
    std::string email;
    CutHiddenEmail(page, email);
    EXPECT_EQ(email, "\"open@example.com\" id=x");
    const std::string text =
        std::string(7100, ' ') + R"(<textarea name="cv" rows="40" cols="55">no end <b>here)";
    ResumePageFields fields;
    ExtractResumePage(text, fields);
    EXPECT_EQ(fields.resumeText, "no end <b>here");
}

TEST(PageExtraction, TheNoRecordPageYieldsNothingEvenWithFieldMarkers) {
    EXPECT_FALSE(IsRecordPage(SavedForm(CareersNoRecordPage())));
    // The marker counts wherever it stands, even before character 7000 where no field is sought.
    const std::string marker = R"(<font face="Arial" size=2>No current record.</font>)";
    EXPECT_FALSE(IsRecordPage(marker));
    EXPECT_FALSE(IsRecordPage(std::string(6999 - marker.size(), ' ') + marker));
    EXPECT_TRUE(IsRecordPage(marker.substr(0, marker.size() - 1)));
    const std::string early = marker + SavedForm(CareersResumePage(Sample()));
    ResumePageFields untouched;
    EXPECT_FALSE(ExtractResumePage(early, untouched));
    EXPECT_EQ(untouched.name, "");
    const std::string both = SavedForm(CareersResumePage(Sample())) + SavedForm(CareersNoRecordPage());
    ResumePageFields fields;
    fields.name = "kept";
    EXPECT_FALSE(ExtractResumePage(both, fields));
    EXPECT_EQ(fields.name, "kept");
    EXPECT_EQ(fields.email, "");
}

} // namespace

namespace {

// A page of the site as the worker saved it, kept as a file so a change of layout shows.
TEST(PageExtraction, ReadsTheRecordedPage) {
    const std::string page = FileText(std::string(TALVANOR_TEST_DATA) + "/resume-page-7.txt");
    ASSERT_GT(page.size(), 7000u);
    const ResumePageFields fields = Extract(page);
    EXPECT_EQ(fields.name, "Mei Lin 7");
    EXPECT_EQ(fields.qualification, "B.Tech, M.Tech");
    EXPECT_EQ(fields.specialization, "Unix & C");
    EXPECT_EQ(fields.experience, "7");
    EXPECT_EQ(fields.location, "Chennai");
    EXPECT_EQ(fields.email, "\"candidate7@example.com\"");
    EXPECT_EQ(
        fields.resumeText,
        "Mei Lin 7\r\n\r\nObjective: a role in software.\r\n\r\nExperience: 7 years &amp; counting.\r\n\r\n");
}

} // namespace
