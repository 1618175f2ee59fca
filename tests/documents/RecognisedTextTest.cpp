#include "documents/RecognisedText.h"
#include "documents/DocumentReader.h"
#include "documents/PdfText.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

const std::string kFirstPage =
    "Asha Rao\nSenior Quality Engineer, Pune\nasha.rao@mail.example\n\nExperience\n"
    "Acme Tools, Test Lead, 2018 to today\nBuilt a test rig for brake controllers.\n"
    "Hired and trained a team of nine engineers.";
const std::string kSecondPage = "Education\nMaster of Technology in Embedded Systems, 2012\n\nLanguages\n"
                                "English, Hindi, Marathi and German";

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The share of the words written that were recognised as written.
double RecognisedShare(const std::string& written, const std::string& recognised) {
    const std::vector<std::string> wanted = Words(written);
    const std::vector<std::string> found = Words(recognised);
    const std::multiset<std::string> pool(found.begin(), found.end());
    int right = 0;
    for (const std::string& word : wanted)
        right += pool.count(word) > 0 ? 1 : 0;
    return static_cast<double>(right) / static_cast<double>(wanted.size());
}

TEST(RecognisedText, ScannedPdfPagesAreReadByRecognitionPageAfterPage) {
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    const DocumentText result =
        ReadPdfText(ScannedPdf({kFirstPage, kSecondPage}), [&](std::size_t done, std::size_t total) {
            if (seen.empty() || seen.back() != std::make_pair(done, total))
                seen.emplace_back(done, total);
            return true;
        });
    ASSERT_TRUE(result.Ok()) << ProblemMessage("scan.pdf", result);
    EXPECT_TRUE(result.recognised);
    EXPECT_GE(RecognisedShare(kFirstPage + "\n" + kSecondPage, result.text), 0.95) << result.text;
    EXPECT_LT(result.text.find("Asha Rao"), result.text.find("Education"));
    EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 2}, {2, 2}}));

    // Text pages are read as text, the scanned one between them by recognition.
    const DocumentText mixed = ReadPdfText(
        MixedPdf({{"First page as text", false}, {kSecondPage, true}, {"Third page as text", false}}));
    ASSERT_TRUE(mixed.Ok());
    EXPECT_TRUE(mixed.recognised);
    EXPECT_EQ(mixed.text.rfind("First page as text\n\nEducation", 0), 0u) << mixed.text;
    EXPECT_EQ(mixed.text.substr(mixed.text.size() - 18), "Third page as text");
    EXPECT_FALSE(ReadPdfText(TextPdf({"Only text"})).recognised);

    // A page scanned sideways is read turned upright.
    const DocumentText sideways = ReadPdfText(ScannedPdf({kSecondPage}, true));
    EXPECT_GE(RecognisedShare(kSecondPage, sideways.text), 0.9) << sideways.text;
}

TEST(RecognisedText, ALongScanStopsWhenToldAndKeepsNothing) {
    const std::string scan = ScannedPdf(std::vector<std::string>(200, kSecondPage));
    std::size_t lastPage = 0;
    const DocumentText result = ReadPdfText(scan, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 200u);
        lastPage = done;
        return done < 2;
    });
    EXPECT_EQ(result.problem, ReadProblem::Stopped);
    EXPECT_TRUE(result.text.empty()) << "what was recognised before the stop is not kept";
    EXPECT_EQ(lastPage, 2u);
}

TEST(RecognisedText, PicturesAreReadAndBadOnesRefused) {
    for (const char* format : {"PNG", "JPEG"}) {
        const DocumentText result = ReadDocumentBytes(ScannedImage(kFirstPage, format), "scan.bin");
        ASSERT_TRUE(result.Ok()) << format << ": " << ProblemMessage("scan", result);
        EXPECT_EQ(result.kind, DocumentKind::Image);
        EXPECT_TRUE(result.recognised);
        EXPECT_GE(RecognisedShare(kFirstPage, result.text), 0.95) << format << ": " << result.text;
    }
    std::string cut = ScannedImage(kFirstPage, "PNG");
    cut.resize(cut.size() / 3);
    // A picture's header claiming 20,000 x 20,000 pixels: refused before anything is unpacked.
    const std::string huge =
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x4e\x20\0\0\x4e\x20\x08\0\0\0\0", 29) +
        std::string(64, '\0');
    const struct {
        std::string bytes;
        ReadProblem problem;
        std::string message;
    } cases[] = {
        {cut, ReadProblem::Damaged, "The file scan.png is a damaged picture and cannot be read."},
        {std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x'), ReadProblem::Damaged,
         "The file scan.png is a damaged picture and cannot be read."},
        {huge, ReadProblem::TooLarge,
         "The file scan.png is a picture of 20000 x 20000 pixels, far more than a scanned page; it is not "
         "read."},
        {ScannedImage("", "PNG"), ReadProblem::NoText,
         "The file scan.png is a picture in which no text was recognised."},
    };
    for (const auto& test : cases) {
        const DocumentText result = ReadDocumentBytes(test.bytes, "scan.png");
        EXPECT_EQ(result.problem, test.problem) << test.message;
        EXPECT_EQ(ProblemMessage("scan.png", result), test.message);
    }
}

TEST(RecognisedText, WithoutTheEngineTheMessageNamesThePackages) {
    QTemporaryDir empty;
    const char* before = std::getenv("TESSDATA_PREFIX");
    const std::string kept = before != nullptr ? before : "";
    setenv("TESSDATA_PREFIX", empty.path().toLocal8Bit().constData(), 1);
    const DocumentText scan = ReadPdfText(ScannedPdf({kSecondPage}));
    const DocumentText picture = ReadDocumentBytes(ScannedImage(kSecondPage, "PNG"), "scan.png");
    const DocumentText mixed = ReadPdfText(MixedPdf({{"A text page", false}, {kSecondPage, true}}));
    if (before != nullptr)
        setenv("TESSDATA_PREFIX", kept.c_str(), 1);
    else
        unsetenv("TESSDATA_PREFIX");
    EXPECT_EQ(
        ProblemMessage("scan.pdf", scan),
        "The file scan.pdf holds no text; it may be a scanned image. Its text is recognised only when the "
        "packages libtesseract5 and tesseract-ocr-eng are installed.");
    EXPECT_EQ(ProblemMessage("scan.png", picture),
              "The file scan.png is a picture of text. Its text is recognised only when the packages "
              "libtesseract5 and tesseract-ocr-eng are installed.");
    EXPECT_EQ(mixed.text, "A text page") << "the text pages are still read";
}

} // namespace
