#include "documents/MarkupReading.h"
#include "documents/OfficeText.h"
#include "documents/PlainTextBuilder.h"
#include "documents/WordNumbering.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

bool IsWordName(QStringView ns) {
    return ns == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           ns == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}

// Properties, deleted and moved-away text, field codes: markup the reader of the document
// never sees as text.
bool IsUnshown(QStringView name) {
    static constexpr std::array<const char*, 15> kUnshown = {
        "pPr", "rPr",     "sectPr",   "tblPr",     "tblGrid",      "trPr",    "tcPr",   "sdtPr",
        "del", "delText", "moveFrom", "instrText", "delInstrText", "fldData", "tblPrEx"};
    return std::any_of(kUnshown.begin(), kUnshown.end(),
                       [&](const char* unshown) { return name == QLatin1StringView(unshown); });
}

QStringView Value(const QXmlStreamReader& reader) {
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        if (attribute.name() == u"val")
            return attribute.value();
    }
    return {};
}

// A paragraph's properties, read for the list it is an item of; its label starts its text. A
// paragraph's own numbering wins over its style's; number 0 takes it out of any list.
void ParagraphProperties(QXmlStreamReader& reader, WordNumbering& numbering, PlainTextBuilder& out) {
    std::string style;
    std::optional<int> numId;
    int level = 0;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        // The properties before a tracked change, and the mark's look, say nothing of the list.
        if (name == u"pPrChange" || name == u"rPr") {
            reader.skipCurrentElement();
            continue;
        }
        ++depth;
        if (name == u"pStyle")
            style = Utf8(Value(reader));
        else if (name == u"numId")
            numId = Value(reader).toInt();
        else if (name == u"ilvl")
            level = Value(reader).toInt();
    }
    std::optional<WordListPlace> place;
    if (numId)
        place = WordListPlace{*numId, level};
    else if (!style.empty())
        place = numbering.StyleList(style);
    if (place)
        out.Literal(numbering.NextLabel(*place));
}

void StartElement(QXmlStreamReader& reader, PlainTextBuilder& out, WordNumbering& numbering, bool& sawBody) {
    const QStringView name = reader.name();
    // A drawing's text box comes twice: as the drawing, and as its fallback for old readers.
    if (reader.namespaceUri() == u"http://schemas.openxmlformats.org/markup-compatibility/2006" &&
        name == u"Fallback")
        return reader.skipCurrentElement();
    if (!IsWordName(reader.namespaceUri()))
        return;
    if (name == u"body")
        sawBody = true;
    else if (name == u"pPr")
        ParagraphProperties(reader, numbering, out);
    else if (IsUnshown(name))
        reader.skipCurrentElement();
    else if (name == u"t")
        out.Literal(Utf8(reader.readElementText(QXmlStreamReader::IncludeChildElements)));
    else if (name == u"tab" || name == u"ptab")
        out.Tab();
    else if (name == u"br" || name == u"cr")
        out.LineBreak();
    else if (name == u"noBreakHyphen")
        out.Literal("-");
    else if (name == u"tr")
        out.StartRow();
    else if (name == u"tc")
        out.StartCell();
}

void EndElement(const QXmlStreamReader& reader, PlainTextBuilder& out) {
    if (!IsWordName(reader.namespaceUri()))
        return;
    if (reader.name() == u"p")
        out.AddBreak();
    else if (reader.name() == u"tr")
        out.EndRow();
}

} // namespace

DocumentText WordMarkupText(std::string_view xml, const ReadProgress& progress, WordNumbering numbering) {
    QXmlStreamReader reader(BorrowedBytes(xml));
    MarkupProgress shown(progress, xml.size());
    PlainTextBuilder out;
    bool sawBody = false;
    while (!reader.atEnd()) {
        if (!shown.GoOn(reader))
            return Problem(DocumentKind::Word, ReadProblem::Stopped);
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement)
            StartElement(reader, out, numbering, sawBody);
        else if (token == QXmlStreamReader::EndElement)
            EndElement(reader, out);
    }
    return MarkupResult(DocumentKind::Word, reader, sawBody, out.Text());
}
