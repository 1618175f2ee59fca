#include "documents/PdfText.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(PdfText, ReadsEveryPageInOrderAndCountsThemAsProgress) {
    const std::string pdf = TextPdf({"Asha Rao\nasha@mail.in", "Second page", "Jos\xC3\xA9 M\xC3\xBCller"});
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    const DocumentText result = ReadPdfText(pdf, [&](std::size_t done, std::size_t total) {
        seen.emplace_back(done, total);
        return true;
    });
    ASSERT_EQ(result.problem, ReadProblem::None);
    EXPECT_EQ(result.kind, DocumentKind::Pdf);
    const std::size_t name = result.text.find("Asha Rao");
    const std::size_t second = result.text.find("Second page");
    const std::size_t last = result.text.find("Jos\xC3\xA9 M\xC3\xBCller");
    EXPECT_TRUE(name != std::string::npos && name < second && second < last && last != std::string::npos)
        << result.text;
    EXPECT_EQ(result.text.find('\f'), std::string::npos) << "no page ends show as boxes";
    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

const std::string kSidebar =
    "Jos\xC3\xA9 M\xC3\xBCller\nSoftware Engineer\n\nContact\njose@mail.example\n+49 170 "
    "1234567\n\nSkills\nC++ and Qt\nEmbedded Linux\nTemplate design\n\nLanguages\nGerman, English";
const std::string kMainColumn =
    "Experience\n03/2018 \xE2\x80\x93 today  Senior Engineer, Acme GmbH\nLed the team that wrote the "
    "embedded\n"
    "software for brake controllers and its\nunit tests; introduced template\nmetaprogramming where it paid "
    "off.\n\n2012 \xE2\x80\x93 2018  Engineer, Vega AG\nWrote drivers for sensors and the\nbootloader of a "
    "telematics unit.\n\nEducation\nM.Sc. Computer Science, TU Munich";

// A page is read as a person reads it: a sidebar, then the main column beside it; but a table row
// by row, and a one-column page line by line with its bullets.
TEST(PdfText, ReadsColumnsOneAfterTheOtherAndTablesRowByRow) {
    const DocumentText columns = ReadPdfText(LaidOutPdf({{{40, 60, kSidebar}, {230, 60, kMainColumn}}}));
    ASSERT_TRUE(columns.Ok());
    for (const char* together : {"Contact\njose@mail.example\n+49 170 1234567\nSkills\nC++ and Qt",
                                 "Led the team that wrote the embedded\n"
                                 "software for brake controllers and its\n"
                                 "unit tests; introduced template\n"
                                 "metaprogramming where"})
        EXPECT_NE(columns.text.find(together), std::string::npos) << columns.text;
    EXPECT_LT(columns.text.find("German, English"), columns.text.find("Experience")) << columns.text;

    const DocumentText table = ReadPdfText(LaidOutPdf(
        {{{50, 60, "Skills\nArea\nTesting\nLanguages\nQuality"},
          {180, 76, "Tools and methods\nHardware rigs, GoogleTest\nC, C++, Python\nISO 26262, audits"},
          {400, 76, "Years\n11\n9\n6"}}}));
    for (const char* row :
         {"Area        Tools and methods           Years", "Testing     Hardware rigs, GoogleTest   11",
          "Languages   C, C++, Python              9"})
        EXPECT_NE(table.text.find(row), std::string::npos) << table.text;

    const DocumentText oneColumn = ReadPdfText(LaidOutPdf(
        {{{50, 60,
           "Asha Rao\nSummary\nQuality engineer with eleven years in embedded and automotive "
           "software.\nLeads test teams of up to nine."},
          {60, 140, "\xE2\x80\xA2\n\n\xE2\x80\xA2\n\xE2\x80\xA2"},
          {80, 140,
           "Built a hardware-in-the-loop rig for brake controllers\nthat cut the test time.\nHired "
           "a team of nine.\nWrote the audit plan."},
          {400, 60, "2018 \xE2\x80\x93 today"}}}));
    EXPECT_EQ(oneColumn.text.rfind("Asha Rao    ", 0), 0u) << "a date set to the right stays on its line";
    for (const char* line :
         {"\nSummary\nQuality engineer with eleven years",
          "\xE2\x80\xA2   Built a hardware-in-the-loop rig for brake controllers\n     that cut",
          "\xE2\x80\xA2   Hired a team of nine.\n"})
        EXPECT_NE(oneColumn.text.find(line), std::string::npos) << oneColumn.text;
}

// A line that holds only the page's own number, at its top or foot, is no part of the text;
// numbers that are not the page's stay.
TEST(PdfText, LeavesOutPageNumbersAtAPagesTopOrFoot) {
    const DocumentText result = ReadPdfText(LaidOutPdf({
        {{50, 60, "First page text\n\n2"}, {290, 800, "1"}},
        {{290, 30, "- 2 -"}, {50, 60, "Second page text"}, {270, 800, "Page 2 of 4"}},
        {{50, 60, "Third page text"}, {290, 800, "3/4"}},
        {{50, 60, "Fourth page text"}, {290, 800, "2018"}},
    }));
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.text.rfind(
                  "First page text\n\n2\n\nSecond page text\n\nThird page text\n\nFourth page text\n", 0),
              0u)
        << result.text;
    EXPECT_EQ(result.text.substr(result.text.size() - 5), " 2018") << "not the page's number";
}

TEST(PdfText, StopsWhenTheProgressSaysSo) {
    const std::string pdf = TextPdf(std::vector<std::string>(200, "A page of a long report"));
    std::size_t lastSeen = 0;
    const DocumentText result = ReadPdfText(pdf, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 200u);
        lastSeen = done;
        return done < 10;
    });
    EXPECT_EQ(result.problem, ReadProblem::Stopped);
    EXPECT_EQ(lastSeen, 10u) << "no page is read after the stop";
    EXPECT_TRUE(result.text.empty());
}

TEST(PdfText, ScannedLockedAndDamagedFilesSayWhy) {
    EXPECT_EQ(ReadPdfText(ScannedPdf({"", ""})).problem, ReadProblem::NoText) << "blank scans";
    const std::string pdf = TextPdf({"Asha Rao"});
    const struct {
        const char* what;
        std::string bytes;
        ReadProblem problem;
    } cases[] = {
        {"a header and then junk", "%PDF-1.7\n" + std::string(5000, '\x9c'), ReadProblem::Damaged},
        {"only a header", "%PDF-1.4", ReadProblem::Damaged},
        {"empty", "", ReadProblem::Damaged},
    };
    for (const auto& test : cases) {
        const DocumentText result = ReadPdfText(test.bytes);
        EXPECT_EQ(result.problem, test.problem) << test.what;
        EXPECT_EQ(result.kind, DocumentKind::Pdf) << test.what;
    }
    // A file cut short is mended as far as it goes; whatever it gives, it never fails silently.
    for (std::size_t cut : {pdf.size() / 4, pdf.size() / 2, pdf.size() - 10}) {
        const DocumentText result = ReadPdfText(pdf.substr(0, cut));
        EXPECT_TRUE(result.Ok() ? result.text.find("Asha") != std::string::npos : result.text.empty()) << cut;
    }
}

} // namespace
