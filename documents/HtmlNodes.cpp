#include "documents/HtmlNodes.h"

#include <QByteArray>
#include <QList>
#include <cstring>

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

std::string LowerAttribute(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (value == nullptr)
        return {};
    const QByteArray lower = QByteArray(reinterpret_cast<const char*>(value)).toLower();
    xmlFree(value);
    return lower.toStdString();
}

namespace {

// The style attribute without its blanks, so "display : none" reads as "display:none".
QByteArray CompactStyle(const xmlNode* node) {
    QByteArray style = QByteArray::fromStdString(LowerAttribute(node, "style"));
    style.replace(' ', QByteArray());
    style.replace('\t', QByteArray());
    return style;
}

// Inline styles that hide an element, the one kind of style a page's text depends on.
bool StyledHidden(const xmlNode* node) {
    const QByteArray style = CompactStyle(node);
    return style.contains("display:none") || style.contains("visibility:hidden");
}

// The classes pages give text that only screen readers announce.
bool ForScreenReadersOnly(const xmlNode* node) {
    const QList<QByteArray> classes = QByteArray::fromStdString(LowerAttribute(node, "class")).split(' ');
    for (const QByteArray& name : classes) {
        if (name == "sr-only" || name == "visually-hidden" || name == "visuallyhidden" ||
            name == "screen-reader-text" || name == "skip-link" || name == "skip-to-content")
            return true;
    }
    return false;
}

// A link within the page whose words begin "Skip": shown only to a keyboard's first Tab.
bool IsSkipLink(const xmlNode* node) {
    if (!NameIs(node, "a") || LowerAttribute(node, "href").rfind('#', 0) != 0)
        return false;
    xmlChar* content = xmlNodeGetContent(node);
    if (content == nullptr)
        return false;
    const QByteArray words = QByteArray(reinterpret_cast<const char*>(content)).trimmed().toLower();
    xmlFree(content);
    return words.startsWith("skip");
}

} // namespace

bool IsUnshown(const xmlNode* node) {
    return NameIn(node, {"head", "script", "style", "template", "noscript", "title", "iframe", "object",
                         "select", "svg", "math", "meta", "link", "input"}) ||
           HasAttribute(node, "hidden") || StyledHidden(node) || ForScreenReadersOnly(node) ||
           IsSkipLink(node);
}

bool HasNoListMarkers(const xmlNode* node) {
    const QByteArray style = CompactStyle(node);
    return style.contains("list-style:none") || style.contains("list-style-type:none");
}
