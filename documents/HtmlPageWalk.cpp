#include "documents/HtmlPageWalk.h"

#include "documents/HtmlNodes.h"
#include "documents/ListLabels.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

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

bool IsWordCharacter(char c) {
    // Letters and digits, and every byte of a character beyond ASCII (an accented letter).
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsClosingMark(char c) {
    return std::string_view(",.;:!?)]}%'\"").find(c) != std::string_view::npos;
}

ListFormat FormatOfType(char type) {
    switch (type) {
    case 'a':
        return ListFormat::LowerLetter;
    case 'A':
        return ListFormat::UpperLetter;
    case 'i':
        return ListFormat::LowerRoman;
    case 'I':
        return ListFormat::UpperRoman;
    default:
        return ListFormat::Decimal;
    }
}

int CountedChildren(const xmlNode* list) {
    int count = 0;
    for (const xmlNode* child = list->children; child != nullptr; child = child->next)
        count += child->type == XML_ELEMENT_NODE && NameIs(child, "li") ? 1 : 0;
    return count;
}

} // namespace

// Walked without recursion, so no depth of nesting can exhaust the stack.
void HtmlPageWalk::Run(const xmlNode* root) {
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
            WriteText(Content(node));
            continue;
        }
        if (node->type != XML_ELEMENT_NODE || IsUnshown(node))
            continue;
        Enter(node);
        steps.push_back({node, true});
        const std::size_t end = steps.size();
        for (const xmlNode* child = node->children; child != nullptr; child = child->next)
            steps.push_back({child, false});
        std::reverse(steps.begin() + static_cast<std::ptrdiff_t>(end), steps.end());
    }
}

void HtmlPageWalk::WriteText(const std::string& text) {
    if (text.empty())
        return;
    if (m_preformatted > 0) {
        if (!m_itemLabel.empty())
            m_out.Literal(std::exchange(m_itemLabel, {}));
        m_out.Literal(text);
        m_crossedEdge = m_leftElement = m_elementAfterElement = false;
        return;
    }
    const std::size_t first = text.find_first_not_of(" \t\n\r\f");
    if (first == std::string::npos) {
        m_out.Flowing(text); // white space alone: one space between its neighbours
        return;
    }
    if (!m_itemLabel.empty()) {
        m_out.Literal(std::exchange(m_itemLabel, {}));
        m_out.Flowing(std::string_view(text).substr(first));
        m_crossedEdge = m_leftElement = m_elementAfterElement = false;
        return;
    }
    if (first == 0 && !m_out.Text().empty()) {
        // Text that touches its neighbour across an element's edge: markup inside a word keeps
        // the word whole ("<b>C</b>++"), but two elements side by side are set apart, and so is
        // a bracket set off by its own element ("Experience<span>(3)</span>").
        const char before = m_out.Text().back();
        const char after = text[first];
        const bool sideBySide = m_elementAfterElement && !IsClosingMark(after) &&
                                std::string_view("([{").find(before) == std::string_view::npos;
        const bool bracketed =
            m_crossedEdge &&
            ((IsWordCharacter(before) && std::string_view("([{").find(after) != std::string_view::npos) ||
             (std::string_view(")]}").find(before) != std::string_view::npos && IsWordCharacter(after)));
        if (sideBySide || bracketed)
            m_out.Flowing(" ");
    }
    m_out.Flowing(text);
    m_crossedEdge = m_leftElement = m_elementAfterElement = false;
}

void HtmlPageWalk::Enter(const xmlNode* node) {
    m_crossedEdge = true;
    if (m_leftElement)
        m_elementAfterElement = true;
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
    if (NameIn(node, {"ul", "ol", "menu", "dir"}))
        StartList(node);
    else if (NameIs(node, "li"))
        StartItem(node);
    if (IsPreformatted(node))
        ++m_preformatted;
}

void HtmlPageWalk::Leave(const xmlNode* node) {
    m_crossedEdge = m_leftElement = true;
    if (IsPreformatted(node))
        --m_preformatted;
    if (NameIs(node, "tr"))
        m_out.EndRow();
    if (NameIn(node, {"ul", "ol", "menu", "dir"}) && !m_lists.empty())
        m_lists.pop_back();
    if (NameIs(node, "li"))
        m_itemLabel.clear(); // an item without text shows no label
    if (const int breaks = BlockBreaks(node); breaks > 0)
        m_out.RequireBreaks(breaks);
}

void HtmlPageWalk::StartList(const xmlNode* node) {
    List list;
    list.ordered = NameIs(node, "ol");
    list.marked = !HasNoListMarkers(node);
    // The type attribute is the one attribute whose case matters: "a" and "A" count differently.
    xmlChar* rawType = xmlGetProp(node, reinterpret_cast<const xmlChar*>("type"));
    if (rawType != nullptr) {
        if (std::string_view("aAiI1").find(static_cast<char>(rawType[0])) != std::string_view::npos &&
            rawType[0] != '\0')
            list.type = static_cast<char>(rawType[0]);
        xmlFree(rawType);
    }
    if (list.ordered && HasAttribute(node, "reversed")) {
        list.step = -1;
        list.next = CountedChildren(node);
    }
    if (const std::string start = LowerAttribute(node, "start"); !start.empty())
        list.next = std::atoi(start.c_str());
    m_lists.push_back(list);
}

void HtmlPageWalk::StartItem(const xmlNode* node) {
    // An item outside any list still shows a bullet, as browsers draw one.
    List* list = m_lists.empty() ? nullptr : &m_lists.back();
    if (list != nullptr && list->ordered && HasAttribute(node, "value"))
        list->next = std::atoi(LowerAttribute(node, "value").c_str());
    if ((list != nullptr && !list->marked) || HasNoListMarkers(node)) {
        m_itemLabel.clear();
    } else if (list == nullptr || !list->ordered) {
        m_itemLabel = kBulletLabel;
    } else {
        m_itemLabel = FormattedNumber(list->next, FormatOfType(list->type)) + ". ";
    }
    if (list != nullptr && list->ordered)
        list->next += list->step;
}
