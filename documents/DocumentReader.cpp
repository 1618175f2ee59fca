#include "documents/DocumentReader.h"

#include "documents/ConvertedText.h"
#include "documents/DocumentKind.h"
#include "documents/FileBytes.h"
#include "documents/HtmlText.h"
#include "documents/OfficeText.h"
#include "documents/PdfText.h"
#include "documents/RecognisedText.h"
#include "documents/ZipParts.h"

namespace {

std::string KindName(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::PlainText:
        return "text file";
    case DocumentKind::Pdf:
        return "PDF document";
    case DocumentKind::ZipArchive:
        return "ZIP archive";
    case DocumentKind::Word:
        return "Word document";
    case DocumentKind::OpenDocument:
        return "OpenDocument text";
    case DocumentKind::WebPage:
        return "web page";
    case DocumentKind::OldWord:
        return "Word 97-2003 document";
    case DocumentKind::RichText:
        return "RTF document";
    case DocumentKind::Image:
        return "picture";
    case DocumentKind::Unknown:
        break;
    }
    return "file";
}

std::string WithArticle(DocumentKind kind) {
    const std::string name = KindName(kind);
    const bool vowel = name.find_first_of("AEIOUaeiou") == 0 || name.rfind("RTF", 0) == 0;
    return (vowel ? "an " : "a ") + name;
}

std::string WithDetail(const std::string& detail) {
    return detail.empty() ? "." : " (" + detail + ").";
}

std::string NotReadMessage(const std::string& file, DocumentKind kind) {
    if (kind == DocumentKind::ZipArchive)
        return file + " is a ZIP archive, not a Word or OpenDocument text document.";
    if (kind == DocumentKind::OpenDocument)
        return file + " is an OpenDocument file, but not a text document.";
    return file + " is not a document Talvanor reads: it is not a PDF, Word or OpenDocument document, a web "
                  "page or a text file, whatever its name says.";
}

std::string TooLargeMessage(const std::string& file, DocumentKind kind, const std::string& detail) {
    if (kind == DocumentKind::Image)
        return file + " is a picture of " + detail + ", far more than a scanned page; it is not read.";
    if (kind == DocumentKind::ZipArchive || kind == DocumentKind::Word || kind == DocumentKind::OpenDocument)
        return file + " unpacks to more than " + std::to_string(kUnpackLimit / (1024 * 1024)) +
               " MB, far more than any resume; it is not read.";
    return file + " is too large to read.";
}

std::string NoConverterMessage(const std::string& file, const DocumentText& result) {
    const std::string program = result.kind == DocumentKind::OldWord ? kOldWordConverter : kRichTextConverter;
    const std::string newer = result.kind == DocumentKind::OldWord ? ".docx" : ".odt";
    return file + " is " + WithArticle(result.kind) + ", which is read only when the " + program +
           " program is installed. Install " + program + ", or save the document as " + newer +
           " or PDF and choose that.";
}

} // namespace

DocumentText ReadDocumentBytes(std::string bytes, const std::string& path, const ReadProgress& progress) {
    switch (DetectKind(bytes, path)) {
    case DocumentKind::Pdf:
        return ReadPdfText(bytes, progress);
    case DocumentKind::ZipArchive:
        return ReadOfficeText(bytes, progress);
    case DocumentKind::WebPage:
        return ReadHtmlText(bytes);
    case DocumentKind::OldWord:
        return ReadOldWordText(path);
    case DocumentKind::RichText:
        return ReadRichText(path);
    case DocumentKind::Image:
        return ReadImageText(bytes, progress);
    case DocumentKind::Unknown:
        return Problem(DocumentKind::Unknown, ReadProblem::NotADocument);
    case DocumentKind::PlainText:
    case DocumentKind::Word:
    case DocumentKind::OpenDocument:
        break;
    }
    // Text ends at a zero byte, as it would in a C string.
    if (const std::size_t zero = bytes.find('\0'); zero != std::string::npos)
        bytes.resize(zero);
    return {DocumentKind::PlainText, ReadProblem::None, std::move(bytes), {}};
}

DocumentText ReadDocument(const std::string& path, const ReadProgress& progress) {
    FileBytes file = ReadFileBytes(path);
    if (!file.bytes)
        return Problem(DocumentKind::Unknown, ReadProblem::FileUnreadable, file.error);
    return ReadDocumentBytes(std::move(*file.bytes), path, progress);
}

std::string ProblemMessage(const std::string& path, const DocumentText& result) {
    const std::string file = "The file " + path;
    switch (result.problem) {
    case ReadProblem::None:
        return {};
    case ReadProblem::FileUnreadable:
        return result.detail; // already names the file
    case ReadProblem::Locked:
        return file + " is protected by a password, so its text cannot be read. Save a copy without the "
                      "password and choose that.";
    case ReadProblem::NoText:
        if (result.kind == DocumentKind::Pdf)
            return file + " holds no text; it may be a scanned image.";
        if (result.kind == DocumentKind::Image)
            return file + " is a picture in which no text was recognised.";
        return file + " holds no text.";
    case ReadProblem::NoRecognition:
        return file +
               (result.kind == DocumentKind::Pdf ? " holds no text; it may be a scanned image."
                                                 : " is a picture of text.") +
               " Its text is recognised only when the packages " + kRecognitionPackages + " are installed.";
    case ReadProblem::Damaged:
        return file + " is a damaged " + KindName(result.kind) +
               (result.kind == DocumentKind::ZipArchive ? ", as .docx and .odt documents are," : "") +
               " and cannot be read" + WithDetail(result.detail);
    case ReadProblem::TooLarge:
        return TooLargeMessage(file, result.kind, result.detail);
    case ReadProblem::NotADocument:
        return NotReadMessage(file, result.kind);
    case ReadProblem::NoConverter:
        return NoConverterMessage(file, result);
    case ReadProblem::ConverterFailed:
        return file + " could not be read as " + WithArticle(result.kind) + WithDetail(result.detail);
    case ReadProblem::Stopped:
        return "The reading of " + path + " was stopped.";
    }
    return {};
}
