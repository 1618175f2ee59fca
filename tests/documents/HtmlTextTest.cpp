#include "documents/HtmlText.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlText, ShowsThePageAsABrowserDoes) {
    const struct {
        const char* what;
        std::string page;
        std::string text;
    } cases[] = {
        {"head, scripts, styles and hidden parts are not shown",
         "<html><head><title>CV</title><style>p{}</style></head><body><script>var a = 1;</script>"
         "<p>Asha Rao</p><div hidden>secret</div><span style=\"display: "
         "none\">gone</span><noscript>n</noscript>"
         "<p>Pune</p></body></html>",
         "Asha Rao\n\nPune"},
        {"white space collapses; blocks take lines, paragraphs and headings a blank line; br breaks",
         "<body>\n  <h1>Asha\n   Rao</h1>  <div>Quality <b>engineer</b>,\t eleven "
         "years</div><div><div>Pune</div></div>"
         "<ul><li>C++</li><li>Python<br>SQL</li></ul>Line<br><br>After two breaks</body>",
         "Asha Rao\n\nQuality engineer, eleven years\nPune\nC++\nPython\nSQL\nLine\n\nAfter two breaks"},
        {"preformatted text keeps its spacing", "<p>Skills</p><pre>C++     10 years\n  Python 5 years</pre>",
         "Skills\n\nC++     10 years\n  Python 5 years"},
        {"a table's cells are joined by tabs, its rows take lines",
         "<table><tr><th>Area</th><th>Tools</th></tr><tr><td><p>Testing</p></td><td>Rigs &amp; "
         "GoogleTest</td></tr>"
         "<tr><td></td><td>Audits</td></tr></table><p>After</p>",
         "Area\tTools\nTesting\tRigs & GoogleTest\n\tAudits\n\nAfter"},
        {"character references resolve; no-break spaces become plain ones",
         "<p>Jos&eacute;&nbsp;M&uuml;ller &#8212; caf&#xE9; &lt;dev&gt;</p>",
         "Jos\xC3\xA9 M\xC3\xBCller \xE2\x80\x94 caf\xC3\xA9 <dev>"},
        {"a page without a body, or with its tags unclosed, still shows its text", "Asha <b>Rao<p>Pune",
         "Asha Rao\n\nPune"},
        {"UTF-8 without a declaration", "<p>Jos\xC3\xA9</p>", "Jos\xC3\xA9"},
        {"Windows-1252 when the bytes are not UTF-8", "<p>Jos\xE9 \x93quoted\x94</p>",
         "Jos\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"a byte Windows-1252 leaves undefined loses nothing after it", "<p>Jos\xE9 a\x8D</p><p>after</p>",
         "Jos\xC3\xA9 a\xC2\x8D\n\nafter"},
        {"a declared character set is honoured",
         "<html><head><meta charset=\"iso-8859-7\"></head><body><p>\xC1\xF3\xE1</p></body></html>",
         "\xCE\x91\xCF\x83\xCE\xB1"},
    };
    for (const auto& test : cases) {
        const DocumentText result = ReadHtmlText(test.page);
        EXPECT_EQ(result.kind, DocumentKind::WebPage) << test.what;
        EXPECT_EQ(result.problem, ReadProblem::None) << test.what;
        EXPECT_EQ(result.text, test.text) << test.what;
    }
}

TEST(HtmlText, EmptyDeepOrBrokenPagesNeitherCrashNorHang) {
    EXPECT_EQ(ReadHtmlText("").problem, ReadProblem::NoText);
    EXPECT_EQ(ReadHtmlText("<html><head><title>Only a title</title></head><body> </body></html>").problem,
              ReadProblem::NoText);
    // Nesting beyond any page's is cut off by the parser; what came before it still shows.
    std::string deep = "<p>Asha Rao</p>";
    for (int level = 0; level < 100000; ++level)
        deep += "<div>";
    const DocumentText nested = ReadHtmlText(deep + "deep");
    EXPECT_EQ(nested.problem, ReadProblem::None);
    EXPECT_EQ(nested.text.substr(0, 8), "Asha Rao");
    EXPECT_EQ(ReadHtmlText(std::string("<p>a\0b</p>", 10)).text.substr(0, 1), "a");
}

} // namespace
