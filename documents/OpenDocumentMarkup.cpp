#include "documents/MarkupReading.h"
#include "documents/OfficeText.h"
#include "documents/OpenDocumentLists.h"
#include "documents/PlainTextBuilder.h"

#include <algorithm>

namespace {

constexpr QLatin1StringView kText("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
constexpr QLatin1StringView kTable("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
constexpr QLatin1StringView kOffice("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
constexpr QLatin1StringView kSvg("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");

// A run of spaces wider than any line: more is a broken or hostile file.
constexpr int kMostSpaces = 1000;

struct State {
    PlainTextBuilder out;
    OpenDocumentLists lists;
    int paragraphs = 0; // open paragraphs and headings; only their characters are text
    bool sawBody = false;
};

// Notes, comments, tracked deletions, index templates and the descriptions of drawings are
// not part of the running text.
bool IsUnshown(QStringView ns, QStringView name) {
    if (ns == kText)
        return name == u"note" || name == u"tracked-changes" || name.endsWith(u"-source");
    if (ns == kOffice)
        return name == u"annotation" || name == u"annotation-end";
    return ns == kSvg && (name == u"title" || name == u"desc");
}

void StartElement(QXmlStreamReader& reader, State& state) {
    const QStringView ns = reader.namespaceUri();
    const QStringView name = reader.name();
    if (IsUnshown(ns, name))
        return reader.skipCurrentElement();
    if (ns == kOffice && name == u"text") {
        state.sawBody = true;
    } else if (ns == kText) {
        if (name == u"p" || name == u"h") {
            ++state.paragraphs;
            state.out.Literal(state.lists.ParagraphLabel());
        } else if (name == u"list-style") {
            state.lists.ReadStyle(reader);
        } else if (name == u"list") {
            state.lists.StartList(reader);
        } else if (name == u"list-item" || name == u"list-header") {
            state.lists.StartItem(reader, name == u"list-header");
        } else if (name == u"s") {
            state.out.Spaces(static_cast<std::size_t>(std::clamp(
                reader.attributes().value(kText, QLatin1StringView("c")).toInt(), 1, kMostSpaces)));
        } else if (name == u"tab") {
            state.out.Tab();
        } else if (name == u"line-break") {
            state.out.LineBreak();
        }
    } else if (ns == kTable) {
        if (name == u"table-row")
            state.out.StartRow();
        else if (name == u"table-cell")
            state.out.StartCell();
    }
}

void EndElement(const QXmlStreamReader& reader, State& state) {
    const QStringView ns = reader.namespaceUri();
    const QStringView name = reader.name();
    if (ns == kText && (name == u"p" || name == u"h") && state.paragraphs > 0) {
        --state.paragraphs;
        state.out.AddBreak();
    } else if (ns == kText && name == u"list") {
        state.lists.EndList();
    } else if (ns == kTable && name == u"table-row") {
        state.out.EndRow();
    }
}

} // namespace

DocumentText OpenDocumentMarkupText(std::string_view xml, const ReadProgress& progress,
                                    std::string_view stylesXml) {
    QXmlStreamReader reader(BorrowedBytes(xml));
    MarkupProgress shown(progress, xml.size());
    State state;
    state.lists.ReadStyles(stylesXml);
    while (!reader.atEnd()) {
        if (!shown.GoOn(reader))
            return Problem(DocumentKind::OpenDocument, ReadProblem::Stopped);
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            StartElement(reader, state);
            break;
        case QXmlStreamReader::EndElement:
            EndElement(reader, state);
            break;
        case QXmlStreamReader::Characters:
            // Runs of white space in a paragraph show as one space; spaces meant as such are marked.
            if (state.paragraphs > 0)
                state.out.Flowing(Utf8(reader.text()));
            break;
        default:
            break;
        }
    }
    return MarkupResult(DocumentKind::OpenDocument, reader, state.sawBody, state.out.Text());
}
