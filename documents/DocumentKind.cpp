#include "documents/DocumentKind.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <array>

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsHtmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// A page that opens with one of the tags a browser takes as the sign of HTML; `strict` accepts
// only a document type or an html element.
bool LooksLikeHtml(std::string_view bytes, bool strict) {
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    while (!bytes.empty() && IsHtmlSpace(bytes.front()))
        bytes.remove_prefix(1);
    const std::string head = Lower(bytes.substr(0, 16));
    static constexpr std::array<std::string_view, 19> kOpenings = {
        "<!doctype html", "<html",  "<head", "<script", "<iframe", "<h1", "<div", "<font", "<table", "<a",
        "<style",         "<title", "<b",    "<body",   "<br",     "<p",  "<!--", "<meta", "<span"};
    for (std::string_view opening : kOpenings) {
        if (strict && opening != "<!doctype html" && opening != "<html")
            continue;
        if (StartsWith(head, opening) && head.size() > opening.size() &&
            (IsHtmlSpace(head[opening.size()]) || head[opening.size()] == '>'))
            return true;
    }
    return false;
}

std::string Extension(std::string_view fileName) {
    return Lower(QFileInfo(QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size())))
                     .suffix()
                     .toStdString());
}

// Binary content: a zero byte early on, which no text file in a single-byte or UTF-8 encoding has.
bool LooksBinary(std::string_view bytes) {
    return bytes.substr(0, 4096).find('\0') != std::string_view::npos;
}

} // namespace

DocumentKind DetectKind(std::string_view bytes, std::string_view fileName) {
    const std::string extension = Extension(fileName);
    if (StartsWith(bytes, "%PDF-"))
        return DocumentKind::Pdf;
    if (StartsWith(bytes, "PK\x03\x04"))
        return DocumentKind::ZipArchive;
    if (StartsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return DocumentKind::OldWord;
    if (StartsWith(bytes, "{\\rtf"))
        return DocumentKind::RichText;
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n") || StartsWith(bytes, "\xFF\xD8\xFF") ||
        StartsWith(bytes, std::string_view("II*\0", 4)) || StartsWith(bytes, std::string_view("MM\0*", 4)))
        return DocumentKind::Image;
    // A text file whose first words happen to look like a tag stays a text file.
    if (LooksLikeHtml(bytes, extension == "txt"))
        return DocumentKind::WebPage;
    // A PDF may carry a few bytes of junk before its header; readers allow 1 KB of it. Only the
    // first kilobyte is looked at, and only once no other kind has claimed the file, so a page or
    // a package that mentions the header is read as what it is. A text file that merely mentions
    // it stays a text file.
    if (extension != "txt" && bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos)
        return DocumentKind::Pdf;
    // A text file keeps its behaviour whatever bytes it holds.
    if (extension == "txt")
        return DocumentKind::PlainText;
    if (LooksBinary(bytes))
        return DocumentKind::Unknown;
    if (extension == "htm" || extension == "html" || extension == "xhtml")
        return DocumentKind::WebPage;
    return DocumentKind::PlainText;
}
