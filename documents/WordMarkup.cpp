#include "documents/MarkupReading.h"
#include "documents/OfficeText.h"
#include "documents/PlainTextBuilder.h"

#include <algorithm>
#include <array>

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

void StartElement(QXmlStreamReader& reader, PlainTextBuilder& out, bool& sawBody) {
    const QStringView name = reader.name();
    // A drawing's text box comes twice: as the drawing, and as its fallback for old readers.
    if (reader.namespaceUri() == u"http://schemas.openxmlformats.org/markup-compatibility/2006" &&
        name == u"Fallback")
        return reader.skipCurrentElement();
    if (!IsWordName(reader.namespaceUri()))
        return;
    if (name == u"body")
        sawBody = true;
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

DocumentText WordMarkupText(std::string_view xml, const ReadProgress& progress) {
    QXmlStreamReader reader(BorrowedBytes(xml));
    MarkupProgress shown(progress, xml.size());
    PlainTextBuilder out;
    bool sawBody = false;
    while (!reader.atEnd()) {
        if (!shown.GoOn(reader))
            return Problem(DocumentKind::Word, ReadProblem::Stopped);
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement)
            StartElement(reader, out, sawBody);
        else if (token == QXmlStreamReader::EndElement)
            EndElement(reader, out);
    }
    return MarkupResult(DocumentKind::Word, reader, sawBody, out.Text());
}
