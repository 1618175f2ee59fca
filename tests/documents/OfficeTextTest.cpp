#include "documents/OfficeText.h"
#include "documents/ZipParts.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <gtest/gtest.h>

namespace {

struct MarkupCase {
    const char* what;
    std::string markup;
    std::string text;
};

std::string TextRun(const std::string& text) {
    return "<w:r><w:t>" + text + "</w:t></w:r>";
}

std::string Paragraph(const std::string& runs) {
    return "<w:p>" + runs + "</w:p>";
}

std::string Cell(const std::string& paragraphs) {
    return "<w:tc><w:tcPr><w:tcW w:w=\"2000\"/></w:tcPr>" + paragraphs + "</w:tc>";
}

TEST(WordMarkup, ParagraphsBreaksTabsAndTablesBecomeLinesAndTabs) {
    const std::vector<MarkupCase> cases = {
        {"paragraphs, a blank one, a break, a tab",
         Paragraph(TextRun("Asha") +
                   "<w:r><w:tab/><w:t>Rao</w:t><w:br/><w:t xml:space=\"preserve\"> Pune </w:t></w:r>") +
             "<w:p/>" + Paragraph(TextRun("M.Tech.")),
         "Asha\tRao\n Pune \n\nM.Tech."},
        {"a table: cells by tabs, rows by lines, a cell of two paragraphs, an empty first cell",
         Paragraph(TextRun("Skills")) + "<w:tbl><w:tblPr/><w:tblGrid/><w:tr>" +
             Cell(Paragraph(TextRun("Area"))) +
             Cell(Paragraph(TextRun("C++")) + Paragraph(TextRun("Python"))) + "</w:tr><w:tr>" +
             Cell("<w:p/>") + Cell(Paragraph(TextRun("Audits"))) + "</w:tr></w:tbl>" +
             Paragraph(TextRun("After")),
         "Skills\nArea\tC++\nPython\n\tAudits\nAfter"},
        {"properties, deleted text and field codes are not text",
         "<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>"
         "<w:r><w:rPr><w:b/></w:rPr><w:t>Kept</w:t></w:r>"
         "<w:del><w:r><w:delText>Gone</w:delText><w:tab/></w:r></w:del>"
         "<w:r><w:instrText>HYPERLINK "
         "\"x\"</w:instrText></w:r><w:r><w:t>-link</w:t><w:noBreakHyphen/></w:r></w:p>",
         "Kept-link-"},
        {"a text box shows once, not again as its fallback",
         Paragraph("<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><w:txbxContent>" +
                   Paragraph(TextRun("Boxed")) +
                   "</w:txbxContent></w:drawing></mc:Choice><mc:Fallback><w:pict>" +
                   Paragraph(TextRun("Boxed")) + "</w:pict></mc:Fallback></mc:AlternateContent></w:r>" +
                   TextRun("Line")),
         "Boxed\nLine"},
    };
    for (const MarkupCase& test : cases) {
        const DocumentText result = WordMarkupText(WordMarkup(test.markup));
        EXPECT_EQ(result.problem, ReadProblem::None) << test.what;
        EXPECT_EQ(result.text, test.text) << test.what;
        EXPECT_EQ(result.kind, DocumentKind::Word);
    }
}

TEST(OpenDocumentMarkup, WhiteSpaceCollapsesUnlessMarkedAndNotesStayOut) {
    const std::vector<MarkupCase> cases = {
        {"white space collapses; marked spaces, tabs and breaks stay",
         "<text:h>Asha   Rao</text:h><text:p>\n  Pune,<text:s text:c=\"3\"/>India<text:tab/>"
         "<text:span>411 001</text:span><text:line-break/>Phone  </text:p><text:p/><text:p>Next</text:p>",
         "Asha Rao\nPune,   India\t411 001\nPhone\n\nNext"},
        {"a table, with a covered cell and a list inside",
         "<table:table><table:table-row><table:table-cell><text:p>Area</text:p></table:table-cell>"
         "<table:covered-table-cell/><table:table-cell><text:list><text:list-item><text:p>C++</text:p>"
         "</text:list-item><text:list-item><text:p>SQL</text:p></text:list-item></text:list></"
         "table:table-cell>"
         "</table:table-row></table:table><text:p>After</text:p>",
         "Area\t\xE2\x80\xA2 C++\n\xE2\x80\xA2 SQL\nAfter"},
        {"notes, comments, tracked deletions and index templates are not running text",
         "<text:tracked-changes><text:changed-region><text:deletion><text:p>Deleted</text:p></text:deletion>"
         "</text:changed-region></text:tracked-changes><text:p>Body<text:note><text:note-citation>1</"
         "text:note-citation>"
         "<text:note-body><text:p>Footnote</text:p></text:note-body></"
         "text:note><office:annotation><text:p>Comment"
         "</text:p></office:annotation> text</text:p><text:table-of-content><text:table-of-content-source>"
         "<text:index-title-template>Contents</text:index-title-template></text:table-of-content-source>"
         "</text:table-of-content>",
         "Body text"},
        {"a hostile space count is bounded", "<text:p>a<text:s text:c=\"2000000000\"/>b</text:p>",
         "a" + std::string(1000, ' ') + "b"},
    };
    for (const MarkupCase& test : cases) {
        const DocumentText result = OpenDocumentMarkupText(OpenDocumentMarkup(test.markup));
        EXPECT_EQ(result.problem, ReadProblem::None) << test.what;
        EXPECT_EQ(result.text, test.text) << test.what;
    }
}

std::string ListParagraph(const std::string& properties, const std::string& text) {
    return "<w:p><w:pPr>" + properties + "<w:rPr><w:b/></w:rPr></w:pPr>" + TextRun(text) + "</w:p>";
}

std::string Numbered(int numId, int level) {
    return "<w:numPr><w:ilvl w:val=\"" + std::to_string(level) + "\"/><w:numId w:val=\"" +
           std::to_string(numId) + "\"/></w:numPr>";
}

std::string Styled(const std::string& style) {
    return "<w:pStyle w:val=\"" + style + "\"/>";
}

std::string Level(int level, const std::string& format, const std::string& text, int start = 1) {
    return "<w:lvl w:ilvl=\"" + std::to_string(level) + "\"><w:start w:val=\"" + std::to_string(start) +
           "\"/><w:numFmt w:val=\"" + format + "\"/><w:lvlText w:val=\"" + text + "\"/></w:lvl>";
}

// A list item starts with a bullet, whatever symbol the document draws, or with its number as
// the list writes it, at every level.
TEST(OfficeText, ListItemsStartWithTheirBulletOrNumber) {
    const std::string numbering =
        "<w:abstractNum w:abstractNumId=\"0\">" + Level(0, "bullet", "\xEF\x82\xB7") +
        Level(1, "bullet", "o") + "</w:abstractNum><w:abstractNum w:abstractNumId=\"1\">" +
        Level(0, "decimal", "%1.") + Level(1, "decimal", "%1.%2.") +
        "</w:abstractNum><w:abstractNum w:abstractNumId=\"2\">" + Level(0, "none", "%1") +
        "</w:abstractNum><w:abstractNum w:abstractNumId=\"3\">" + Level(0, "lowerLetter", "(%1)") +
        Level(1, "upperRoman", "%2 -") + "</w:abstractNum>" +
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"1\"/><w:lvlOverride w:ilvl=\"0\"><w:startOverride "
        "w:val=\"5\"/></w:lvlOverride></w:num>"
        "<w:num w:numId=\"4\"><w:abstractNumId w:val=\"2\"/></w:num>"
        "<w:num w:numId=\"5\"><w:abstractNumId w:val=\"3\"/></w:num>";
    const std::string styles =
        "<w:style w:styleId=\"ListBullet\"><w:pPr>" + Numbered(1, 0) +
        "</w:pPr></w:style><w:style w:styleId=\"MyBullet\"><w:basedOn w:val=\"ListBullet\"/></w:style>"
        "<w:style w:styleId=\"Loop\"><w:basedOn w:val=\"Loop\"/></w:style>";
    const std::string body =
        ListParagraph(Numbered(1, 0), "Rigs") + ListParagraph(Numbered(1, 1), "HIL") +
        ListParagraph(Styled("ListBullet"), "Audits") + ListParagraph(Styled("MyBullet"), "Budgets") +
        ListParagraph(Styled("ListBullet") + Numbered(0, 0), "Plain") +
        ListParagraph(Styled("Loop"), "Looped") + ListParagraph(Numbered(2, 0), "First") +
        ListParagraph(Numbered(2, 1), "Sub") + ListParagraph(Numbered(2, 1), "Sub two") +
        ListParagraph(Numbered(2, 0), "Second") + ListParagraph(Numbered(2, 1), "Sub again") +
        ListParagraph(Numbered(3, 0), "Fifth") + ListParagraph(Numbered(4, 0), "Heading") +
        ListParagraph(Numbered(5, 0), "x") + ListParagraph(Numbered(5, 1), "y") +
        ListParagraph(Numbered(5, 0), "z") + ListParagraph(Numbered(9, 0), "Unknown list");
    const DocumentText word = ReadOfficeText(WordPackage(body, numbering, styles));
    EXPECT_EQ(
        word.text,
        "\xE2\x80\xA2 Rigs\n\xE2\x80\xA2 HIL\n\xE2\x80\xA2 Audits\n\xE2\x80\xA2 Budgets\nPlain\nLooped\n"
        "1. First\n1.1. Sub\n1.2. Sub two\n2. Second\n2.1. Sub again\n5. Fifth\nHeading\n(a) x\nI - "
        "y\n(b) z\nUnknown list");
    // Without its numbering part a package has no lists to show.
    EXPECT_EQ(ReadOfficeText(WordPackage(ListParagraph(Numbered(1, 0), "Rigs"))).text, "Rigs");

    const std::string listStyles =
        "<text:list-style style:name=\"L1\"><text:list-level-style-bullet text:level=\"1\" "
        "text:bullet-char=\"\xE2\x97\xA6\"/><text:list-level-style-bullet text:level=\"2\" "
        "text:bullet-char=\"-\"/></text:list-style><text:list-style style:name=\"L2\">"
        "<text:list-level-style-number text:level=\"1\" style:num-format=\"1\" style:num-suffix=\".\"/>"
        "<text:list-level-style-number text:level=\"2\" style:num-format=\"a\" style:num-suffix=\")\"/>"
        "<text:list-level-style-number text:level=\"3\" style:num-format=\"i\" style:num-prefix=\"(\" "
        "style:num-suffix=\")\" text:display-levels=\"3\"/></text:list-style>";
    const std::string text =
        "<text:list text:style-name=\"L1\"><text:list-item><text:p>Rigs</text:p><text:p>More on "
        "rigs</text:p><text:list><text:list-item><text:p>HIL</text:p></text:list-item></text:list>"
        "</text:list-item></text:list><text:list text:style-name=\"L2\"><text:list-header><text:p>Header</"
        "text:p></text:list-header><text:list-item><text:p>First</text:p><text:list><text:list-item>"
        "<text:p>Sub</text:p><text:list><text:list-item><text:p>Deep</text:p></text:list-item></text:list>"
        "</text:list-item><text:list-item><text:p>Sub "
        "two</text:p></text:list-item></text:list></text:list-item>"
        "<text:list-item text:start-value=\"7\"><text:p>Seventh</text:p></text:list-item></text:list>"
        "<text:p>Between</text:p><text:list text:style-name=\"L2\" text:continue-numbering=\"true\">"
        "<text:list-item><text:p>Eighth</text:p></text:list-item></text:list><text:list "
        "text:style-name=\"L2\"><text:list-item><text:p>Again</text:p></text:list-item><text:list-item/>"
        "<text:list-item><text:p/></text:list-item></text:list>";
    const DocumentText open = ReadOfficeText(OpenDocumentPackage(text, listStyles));
    EXPECT_EQ(open.text,
              "\xE2\x80\xA2 Rigs\nMore on rigs\n\xE2\x80\xA2 HIL\nHeader\n1. First\na) Sub\n(1.a.i) "
              "Deep\nb) Sub two\n7. Seventh\nBetween\n8. Eighth\n1. Again\n2. ");
    // A list style may also be one of the named styles of styles.xml.
    const std::string named =
        "<office:document-styles xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:styles>" +
        listStyles + "</office:styles></office:document-styles>";
    EXPECT_EQ(OpenDocumentMarkupText(OpenDocumentMarkup("<text:list text:style-name=\"L2\"><text:list-item>"
                                                        "<text:p>One</text:p></text:list-item></text:list>"),
                                     {}, named)
                  .text,
              "1. One");
}

TEST(OfficeText, BrokenOrEmptyMarkupIsDamagedOrHoldsNoText) {
    EXPECT_EQ(WordMarkupText(WordMarkup("<w:p>" + TextRun("cut off"))).problem, ReadProblem::Damaged);
    EXPECT_EQ(WordMarkupText("<?xml version=\"1.0\"?><note>not a body</note>").problem, ReadProblem::Damaged);
    EXPECT_EQ(WordMarkupText(WordMarkup("<w:p/><w:p><w:r><w:t>  </w:t></w:r></w:p>")).problem,
              ReadProblem::NoText);
    EXPECT_EQ(OpenDocumentMarkupText(OpenDocumentMarkup("<text:p>a</text:x>")).problem, ReadProblem::Damaged);
    // Entities that expand without end are refused by the markup reader, never expanded.
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>";
    const std::string body = WordMarkup(TextRun("&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"));
    EXPECT_EQ(WordMarkupText(laughs + body.substr(body.find("<w:document"))).problem, ReadProblem::Damaged);
}

TEST(OfficeText, PackagesAreReadByWhatTheyHoldAndUnpackedWithinTheLimit) {
    const DocumentText word = ReadOfficeText(WordPackage(Paragraph(TextRun("Asha Rao"))));
    EXPECT_EQ(word.kind, DocumentKind::Word);
    EXPECT_EQ(word.text, "Asha Rao");
    const DocumentText open = ReadOfficeText(OpenDocumentPackage("<text:p>Asha Rao</text:p>"));
    EXPECT_EQ(open.kind, DocumentKind::OpenDocument);
    EXPECT_EQ(open.text, "Asha Rao");

    // The main part is where the package's relations say, not only at its usual name.
    const std::string moved = ZipArchive(
        {{"_rels/.rels", "<Relationships><Relationship Type=\"http://purl.oclc.org/ooxml/officeDocument/"
                         "relationships/officeDocument\" Target=\"/text/main.xml\"/></Relationships>"},
         {"text/main.xml", WordMarkup(Paragraph(TextRun("Moved")))}});
    EXPECT_EQ(ReadOfficeText(moved).text, "Moved");

    const struct {
        const char* what;
        std::string archive;
        DocumentKind kind;
        ReadProblem problem;
    } bad[] = {
        {"an archive of other things", ZipArchive({{"photo.jpg", "\xFF\xD8\xFF"}}), DocumentKind::ZipArchive,
         ReadProblem::NotADocument},
        {"a spreadsheet",
         ZipArchive({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                     {"content.xml", OpenDocumentMarkup("")}}),
         DocumentKind::OpenDocument, ReadProblem::NotADocument},
        {"a cut-off archive", WordPackage(Paragraph(TextRun("Asha"))).substr(0, 200),
         DocumentKind::ZipArchive, ReadProblem::Damaged},
    };
    for (const auto& test : bad) {
        const DocumentText result = ReadOfficeText(test.archive);
        EXPECT_EQ(result.kind, test.kind) << test.what;
        EXPECT_EQ(result.problem, test.problem) << test.what;
        EXPECT_TRUE(result.text.empty()) << test.what;
    }

    // The limit counts what the wanted parts unpack to, together, whatever their headers claim.
    const std::string parts = ZipArchive({{"a", std::string(600, 'a')}, {"b", std::string(400, 'b')}});
    const auto all = [](const std::string&) { return true; };
    EXPECT_EQ(ReadZipParts(parts, all, 1000).problem, ZipParts::Problem::None);
    const ZipParts over = ReadZipParts(parts, all, 999);
    EXPECT_EQ(over.problem, ZipParts::Problem::TooLarge);
    EXPECT_TRUE(over.parts.empty());
    EXPECT_EQ(ReadZipParts(
                  parts, [](const std::string& name) { return name == "b"; }, 400)
                  .parts.at("b"),
              std::string(400, 'b'));
}

TEST(OfficeText, ProgressCountsTheMarkupAndStopsTheReading) {
    std::string paragraphs;
    for (int index = 0; index < 5000; ++index)
        paragraphs += Paragraph(TextRun("Line " + std::to_string(index)));
    const std::string markup = WordMarkup(paragraphs);
    std::vector<std::size_t> seen;
    const DocumentText whole = WordMarkupText(markup, [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, markup.size());
        seen.push_back(done);
        return true;
    });
    EXPECT_EQ(whole.problem, ReadProblem::None);
    ASSERT_GT(seen.size(), 2u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_LE(seen.back(), markup.size());
    int calls = 0;
    EXPECT_EQ(WordMarkupText(markup, [&](std::size_t, std::size_t) { return ++calls < 2; }).problem,
              ReadProblem::Stopped);
    EXPECT_EQ(calls, 2);
}

} // namespace
