#include "documents/DocumentReader.h"
#include "documents/DocumentKind.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string kSamples = std::string(TALVANOR_TEST_DATA) + "/documents/";

class DocumentReader : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = m_folder.path().toStdString() + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Sample(const std::string& name) {
        std::ifstream file(kSamples + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    QTemporaryDir m_folder;
};

// The committed samples, made by an office suite from resume.md, read as their text.
TEST_F(DocumentReader, ReadsTheSampleResumeInEveryFormat) {
    const struct {
        const char* file;
        DocumentKind kind;
        const char* tableRow; // the skills table's second row, as the format lays it out
        const char* listItem; // the first item of a bulleted list
    } samples[] = {
        {"resume.pdf", DocumentKind::Pdf, "Testing      ", "\xE2\x80\xA2   Built a hardware"},
        {"resume.docx", DocumentKind::Word, "Testing\tHardware-in-the-loop rigs, GoogleTest\n",
         "\n\xE2\x80\xA2 Built a hardware"},
        {"resume.odt", DocumentKind::OpenDocument, "Testing\tHardware-in-the-loop rigs, GoogleTest\n",
         "\n\xE2\x80\xA2 Built a hardware"},
        {"resume.doc", DocumentKind::OldWord, "|Testing  ", "\nBuilt a hardware"},
        {"resume.rtf", DocumentKind::RichText, "Testing\tHardware-in-the-loop rigs, GoogleTest\n",
         "\n\xE2\x80\xA2 Built a hardware"},
    };
    for (const auto& sample : samples) {
        const DocumentText result = ReadDocument(kSamples + sample.file);
        ASSERT_EQ(result.problem, ReadProblem::None) << sample.file << ": " << result.detail;
        EXPECT_EQ(result.kind, sample.kind) << sample.file;
        for (const char* expected :
             {"Asha Rao", "asha.rao@mail.example", "Acme Tools Pvt. Ltd., Pune \xE2\x80\x94 Test Lead",
              "release\xE2\x80\x99s test time", "Three months\xE2\x80\x99 notice", sample.tableRow,
              sample.listItem})
            EXPECT_NE(result.text.find(expected), std::string::npos) << sample.file << " lacks " << expected;
        EXPECT_LT(result.text.find("Asha Rao"), result.text.find("Three months")) << sample.file;
    }
}

TEST_F(DocumentReader, DecidesTheKindByContentNotByName) {
    const std::string pdf = TextPdf({"Asha Rao"});
    const struct {
        const char* name;
        std::string bytes;
        DocumentKind kind;
    } cases[] = {
        {"resume.docx", pdf, DocumentKind::Pdf},
        {"resume.pdf", "\r\n\x01junk%PDF-1.4 late header", DocumentKind::Pdf},
        {"resume.pdf", WordPackage(""), DocumentKind::ZipArchive},
        {"resume.txt", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", DocumentKind::OldWord},
        {"resume.doc", "{\\rtf1\\ansi x}", DocumentKind::RichText},
        {"resume.txt", "\xEF\xBB\xBF  <!DOCTYPE html><p>x", DocumentKind::WebPage},
        {"resume.txt", "<HTML>\n<p>x", DocumentKind::WebPage},
        {"resume.txt", "<b>Asha</b> wrote this text file", DocumentKind::PlainText},
        {"resume", "<p>Asha</p>", DocumentKind::WebPage},
        {"resume.HTM", "Asha Rao, plain words", DocumentKind::WebPage},
        {"resume.pdf", "Asha Rao, plain words", DocumentKind::PlainText},
        {"resume.pdf", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), DocumentKind::Image},
        {"scan.tif", std::string("II*\0\x08\0\0\0", 8), DocumentKind::Image},
        {"scan.tiff", std::string("MM\0*\0\0\0\x08", 8), DocumentKind::Image},
        {"photo.jpeg", "\xFF\xD8\xFF\xE0", DocumentKind::Image},
        {"resume.txt", std::string("binary\0text", 11), DocumentKind::PlainText},
        {"notes.txt", "Converted the reports to %PDF-1.4 files", DocumentKind::PlainText},
        {"notes.txt", "%PDF-1.4 at the very start", DocumentKind::Pdf},
        // Only the first kilobyte tells a PDF, and only where no other kind claims the file.
        {"resume.html", "<html><p>Asha</p>" + std::string(2000, ' ') + "<p>as %PDF-1.4</p>",
         DocumentKind::WebPage},
        {"resume.html", "<p>Saved as %PDF-1.4 too</p>", DocumentKind::WebPage},
        {"resume.docx", WordPackage("") + std::string(2000, 'x') + "%PDF-1.4", DocumentKind::ZipArchive},
        {"resume.docx", ZipArchive({{"word/%PDF-1.4.xml", "x"}}), DocumentKind::ZipArchive},
        {"resume.bin", std::string(1100, ' ') + "%PDF-1.4", DocumentKind::PlainText},
    };
    for (const auto& test : cases)
        EXPECT_EQ(DetectKind(test.bytes, test.name), test.kind)
            << test.name << ": " << test.bytes.substr(0, 12);
}

TEST_F(DocumentReader, APageOrPackageMentioningAPdfIsReadAsWhatItIs) {
    const std::string pdfMention = "<p>Also as %PDF-1.4 on request</p>";
    const DocumentText page = ReadDocument(Write("resume.html", "<html><body><p>Asha Rao</p>" + pdfMention +
                                                                    std::string(3000, ' ') + pdfMention));
    EXPECT_EQ(page.kind, DocumentKind::WebPage);
    EXPECT_EQ(page.text.rfind("Asha Rao\n\nAlso as %PDF-1.4 on request", 0), 0u) << page.text;
    const DocumentText word = ReadDocument(Write(
        "resume.docx", WordPackage("<w:p><w:r><w:t>Asha Rao, %PDF-1.4</w:t></w:r></w:p>") + pdfMention));
    EXPECT_EQ(word.kind, DocumentKind::Word);
    EXPECT_EQ(word.text, "Asha Rao, %PDF-1.4");
}

TEST_F(DocumentReader, PlainTextFilesKeepTheirOwnBytesUpToAZeroByte) {
    const std::string bytes = std::string("Jos\xE9 \xC3\xA9\r\n", 9) + '\0' + "after";
    const DocumentText result = ReadDocument(Write("latin.txt", bytes));
    EXPECT_EQ(result.kind, DocumentKind::PlainText);
    EXPECT_EQ(result.text, "Jos\xE9 \xC3\xA9\r\n");
    EXPECT_TRUE(ReadDocument(Write("empty.txt", "")).Ok()) << "an empty text file is still a text file";
}

// Every file that gives no text is named in its message, with what is wrong.
TEST_F(DocumentReader, EachBadFileGetsAMessageNamingItAndTheProblem) {
    std::string cut = Sample("resume.docx");
    cut.resize(cut.size() / 2);
    const struct {
        const char* name;
        std::string bytes;
        std::string message; // after "The file <path>"
    } cases[] = {
        {"locked.pdf", Sample("locked.pdf"),
         " is protected by a password, so its text cannot be read. Save a copy without the password and "
         "choose "
         "that."},
        {"scan.pdf", ScannedPdf({""}), " holds no text; it may be a scanned image."},
        {"broken.pdf", "%PDF-1.5\n" + std::string(3000, 'x'),
         " is a damaged PDF document and cannot be read."},
        {"broken.docx", cut,
         " is a damaged ZIP archive, as .docx and .odt documents are, and cannot be read ("},
        {"bomb.docx", Sample("bomb.docx"),
         " unpacks to more than 64 MB, far more than any resume; it is not read."},
        {"sheet.docx", ZipArchive({{"xl/workbook.xml", "<workbook/>"}}),
         " is a ZIP archive, not a Word or OpenDocument text document."},
        {"photo.pdf", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11),
         " is a damaged picture and cannot be read."},
        {"sheet.xls", std::string("\x09\x08\x10\0\0\x06\x05\0", 8),
         " is not a document Talvanor reads: it is not a PDF, Word or OpenDocument document, a web page or a "
         "text file, whatever its name says."},
        {"blank.html", "<html><body>\n</body></html>", " holds no text."},
        {"bad.doc", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(600, '\0'),
         " could not be read as a Word 97-2003 document ("},
    };
    for (const auto& test : cases) {
        const std::string path = Write(test.name, test.bytes);
        const DocumentText result = ReadDocument(path);
        EXPECT_FALSE(result.Ok()) << test.name;
        EXPECT_TRUE(result.text.empty()) << test.name;
        EXPECT_EQ(ProblemMessage(path, result).rfind("The file " + path + test.message, 0), 0u)
            << ProblemMessage(path, result);
    }
    const std::string vanished = m_folder.path().toStdString() + "/vanished.pdf";
    EXPECT_EQ(ProblemMessage(vanished, ReadDocument(vanished)),
              "Cannot read the file " + vanished + ": No such file or directory.");
}

TEST_F(DocumentReader, OldFormatsNeedTheirConverters) {
    const std::string doc = Write("resume.doc", Sample("resume.doc"));
    const std::string rtf = Write("resume.rtf", Sample("resume.rtf"));
    const std::string path = std::getenv("PATH");
    setenv("PATH", m_folder.path().toLocal8Bit().constData(), 1);
    const DocumentText oldWord = ReadDocument(doc);
    const DocumentText richText = ReadDocument(rtf);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(oldWord.problem, ReadProblem::NoConverter);
    EXPECT_EQ(ProblemMessage(doc, oldWord),
              "The file " + doc +
                  " is a Word 97-2003 document, which is read only when the antiword program is installed. "
                  "Install antiword, or save the document as .docx or PDF and choose that.");
    EXPECT_EQ(
        ProblemMessage(rtf, richText),
        "The file " + rtf +
            " is an RTF document, which is read only when the unrtf program is installed. Install unrtf, "
            "or save the document as .odt or PDF and choose that.");
}

} // namespace
