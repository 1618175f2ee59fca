#include "documents/PdfText.h"
#include "tools/sample-documents/SampleDocuments.h"

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
    EXPECT_EQ(ReadPdfText(ScannedPdf(2)).problem, ReadProblem::NoText);
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
