#include "documents/HtmlText.h"

#include "documents/PlainTextBuilder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <climits>
#include <cstring>
#include <libxml/HTMLparser.h>
#include <libxml/tree.h>
#include <memory>
#include <vector>

namespace {

struct DocumentFreer {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

bool NameIs(const xmlNode* node, const char* name) {
    return node->name != nullptr && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

bool NameIn(const xmlNode* node, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (NameIs(node, name))
            return true;
    }
    return false;
}

bool HasAttribute(const xmlNode* node, const char* name) {
    return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

// Inline styles that hide an element, the one kind of style a page's text depends on.
bool StyledHidden(const xmlNode* node) {
    xmlChar* style = xmlGetProp(node, reinterpret_cast<const xmlChar*>("style"));
    if (style == nullptr)
        return false;
    QByteArray compact = QByteArray(reinterpret_cast<const char*>(style)).toLower();
    xmlFree(style);
    compact.replace(' ', QByteArray());
    return compact.contains("display:none") || compact.contains("visibility:hidden");
}

bool IsUnshown(const xmlNode* node) {
    return NameIn(node, {"head", "script", "style", "template", "noscript", "title", "iframe", "object",
                         "select", "svg", "math", "meta", "link", "input"}) ||
           HasAttribute(node, "hidden") || StyledHidden(node);
}

bool IsPreformatted(const xmlNode* node) {
    return NameIn(node, {"pre", "textarea", "listing", "xmp", "plaintext"});
}

// How many line ends a block asks for around itself: a blank line for paragraphs and headings.
int BlockBreaks(const xmlNode* node) {
    if (NameIn(node, {"p", "h1", "h2", "h3", "h4", "h5", "h6"}))
        return 2;
    if (NameIn(node,
               {"address", "article", "aside", "blockquote", "body",   "caption", "center",   "dd",
                "details", "dialog",  "dir",   "div",        "dl",     "dt",      "fieldset", "figcaption",
                "figure",  "footer",  "form",  "header",     "hgroup", "hr",      "legend",   "li",
                "main",    "menu",    "nav",   "ol",         "pre",    "section", "summary",  "table",
                "ul",      "listing", "xmp",   "plaintext",  "tbody",  "thead",   "tfoot"}))
        return 1;
    return 0;
}

// A text node's characters; no-break spaces become plain ones, since a name or an address
// tagged from the page is searched for with plain spaces.
std::string Content(const xmlNode* node) {
    if (node->content == nullptr)
        return {};
    const std::string_view raw = reinterpret_cast<const char*>(node->content);
    std::string text;
    text.reserve(raw.size());
    for (std::size_t at = 0; at < raw.size(); ++at) {
        if (raw.compare(at, 2, "\xC2\xA0") == 0) {
            text += ' ';
            ++at;
        } else {
            text += raw[at];
        }
    }
    return text;
}

class PageWalk {
public:
    void Run(const xmlNode* root);
    const std::string& Text() const { return m_out.Text(); }

private:
    void Enter(const xmlNode* node);
    void Leave(const xmlNode* node);

    PlainTextBuilder m_out;
    int m_preformatted = 0;
};

// Walked without recursion, so no depth of nesting can exhaust the stack.
void PageWalk::Run(const xmlNode* root) {
    struct Step {
        const xmlNode* node;
        bool leaving;
    };
    std::vector<Step> steps{{root, false}};
    while (!steps.empty()) {
        const Step step = steps.back();
        steps.pop_back();
        if (step.leaving) {
            Leave(step.node);
            continue;
        }
        const xmlNode* node = step.node;
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (m_preformatted > 0)
                m_out.Literal(Content(node));
            else
                m_out.Flowing(Content(node));
            continue;
        }
        if (node->type != XML_ELEMENT_NODE || IsUnshown(node))
            continue;
        Enter(node);
        steps.push_back({node, true});
        std::vector<const xmlNode*> children;
        for (const xmlNode* child = node->children; child != nullptr; child = child->next)
            children.push_back(child);
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            steps.push_back({*child, false});
    }
}

void PageWalk::Enter(const xmlNode* node) {
    if (NameIs(node, "br")) {
        m_out.LineBreak();
        return;
    }
    if (NameIs(node, "tr"))
        m_out.StartRow();
    else if (NameIn(node, {"td", "th"}))
        m_out.StartCell();
    if (const int breaks = BlockBreaks(node); breaks > 0)
        m_out.RequireBreaks(breaks);
    if (IsPreformatted(node))
        ++m_preformatted;
}

void PageWalk::Leave(const xmlNode* node) {
    if (IsPreformatted(node))
        --m_preformatted;
    if (NameIs(node, "tr"))
        m_out.EndRow();
    if (const int breaks = BlockBreaks(node); breaks > 0)
        m_out.RequireBreaks(breaks);
}

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
    const std::unique_ptr<xmlDoc, DocumentFreer> document(
        htmlReadMemory(page.constData(), static_cast<int>(page.size()), nullptr, "UTF-8",
                       HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET));
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (root == nullptr)
        return Problem(DocumentKind::WebPage, ReadProblem::NoText);
    PageWalk walk;
    walk.Run(root);
    return TextOrNoText(DocumentKind::WebPage, walk.Text());
}
