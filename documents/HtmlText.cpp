#include "documents/HtmlText.h"

#include "documents/HtmlPageWalk.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <climits>
#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <memory>
#include <string>

namespace {

struct DocumentFreer {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

struct ParserFreer {
    void operator()(htmlParserCtxt* parser) const { htmlFreeParserCtxt(parser); }
};

bool DeclaresCharset(QByteArrayView bytes) {
    return bytes.first(std::min<qsizetype>(bytes.size(), 1024)).toByteArray().toLower().contains("charset");
}

// The page decoded by its byte order mark or its declared character set; without either (or with
// one unknown here), as UTF-8 when the bytes are valid UTF-8, else as Windows-1252, as browsers do.
// Decoded here rather than by the parser, which stops at the first byte its decoder does not
// know and so would drop the rest of the page; here such a byte is replaced.
QByteArray PageAsUtf8(std::string_view bytes) {
    const QByteArrayView page(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const bool marked =
        page.startsWith("\xEF\xBB\xBF") || page.startsWith("\xFF\xFE") || page.startsWith("\xFE\xFF");
    if (marked || DeclaresCharset(page)) {
        QStringDecoder declared = QStringDecoder::decoderForHtml(page);
        if (declared.isValid())
            return QString(declared(page)).toUtf8();
    }
    if (page.isValidUtf8())
        return page.toByteArray();
    QStringDecoder windows("windows-1252");
    return QString(windows(page)).toUtf8();
}

void IgnoreLibraryMessage(void*, const char*, ...) {}

} // namespace

DocumentText ReadHtmlText(std::string_view bytes) {
    static const bool ready = [] {
        xmlInitParser();
        // Oddities of a page are the parser's to mend, not to print.
        xmlSetGenericErrorFunc(nullptr, IgnoreLibraryMessage);
        return true;
    }();
    (void)ready;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX) / 4) // room to decode it
        return Problem(DocumentKind::WebPage, ReadProblem::TooLarge);
    const QByteArray page = PageAsUtf8(bytes);
    if (page.size() > INT_MAX)
        return Problem(DocumentKind::WebPage, ReadProblem::TooLarge);
    const std::unique_ptr<htmlParserCtxt, ParserFreer> parser(htmlNewParserCtxt());
    if (!parser)
        return Problem(DocumentKind::WebPage, ReadProblem::TooLarge);
    const std::unique_ptr<xmlDoc, DocumentFreer> document(htmlCtxtReadMemory(
        parser.get(), page.constData(), static_cast<int>(page.size()), nullptr, "UTF-8",
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    // The parser stops for good at a nesting deeper than it allows; the rest of the page would be
    // lost without a word.
    if (parser->instate == XML_PARSER_EOF && parser->errNo == XML_ERR_INTERNAL_ERROR)
        return Problem(DocumentKind::WebPage, ReadProblem::Damaged,
                       "its elements are nested more than " + std::to_string(xmlParserMaxDepth) + " deep");
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (root == nullptr)
        return Problem(DocumentKind::WebPage, ReadProblem::NoText);
    HtmlPageWalk walk;
    walk.Run(root);
    return TextOrNoText(DocumentKind::WebPage, walk.Text());
}
