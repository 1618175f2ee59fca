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
         "Asha Rao\n\nQuality engineer, eleven years\nPune\n\xE2\x80\xA2 C++\n\xE2\x80\xA2 "
         "Python\nSQL\nLine\n\nAfter two "
         "breaks"},
        {"after preformatted text white space collapses again", "<pre>a  b</pre><p>c   d</p>", "a  b\n\nc d"},
        {"list items start with a bullet or their number, at every level",
         "<ul><li>C++</li><li>Python<ul><li>Django</li></ul></li><li></li></ul><ol start=\"3\"><li>Third</li>"
         "<li value=\"9\">Ninth</li><li>Tenth</li></ol><ol type=\"a\"><li>x</li><li>y</li></ol>"
         "<ol type=\"I\" reversed><li>two</li><li>one</li></ol><ul style=\"list-style: "
         "none\"><li>Plain</li></ul>"
         "<ol><li><p>Loose</p></li><li>  Tight</li></ol>",
         "\xE2\x80\xA2 C++\n\xE2\x80\xA2 Python\n\xE2\x80\xA2 Django\n3. Third\n9. Ninth\n10. Tenth\na. "
         "x\nb. "
         "y\nII. two\nI. one\nPlain\n\n1. Loose\n\n2. Tight"},
        {"elements side by side are set apart; markup inside a word keeps it whole",
         "<p><span>Sep, 2023</span><span>3 months</span></p><p><time>Jan, 2017</time><span>11 years 1 "
         "month</span></p><p><b>C</b>++ and Pro<i>gram</i>ming, <b>Asha</b>, (<b>3</b>) "
         "<b>Rao</b><i>.</i></p>"
         "<h2>Work Experience<span>(3)</span></h2><div><span>Bouldering</span><span>Top rope</span></div>",
         "Sep, 2023 3 months\n\nJan, 2017 11 years 1 month\n\nC++ and Programming, Asha, (3) Rao.\n\nWork "
         "Experience (3)\n\nBouldering Top rope"},
        {"skip links, screen reader text and hidden paragraphs are not shown",
         "<body><a href=\"#main\">Skip to content</a><p>Asha</p><p style=\"visibility : hidden\">cobol</p>"
         "<span class=\"icon sr-only\">opens in a new tab</span><template><p>t</p></template>"
         "<a href=\"#top\">Top</a><a href=\"/skip\">Skip the intro</a></body>",
         "Asha\n\nTop Skip the intro"},
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
    // A nesting deeper than the parser allows would silently lose the rest of the page: refused.
    for (int levels : {10000, 100000}) {
        std::string deep = "<p>Asha Rao</p>";
        for (int level = 0; level < levels; ++level)
            deep += "<span>";
        const DocumentText nested = ReadHtmlText(deep + "deep</span><p>After</p>");
        EXPECT_EQ(nested.problem, ReadProblem::Damaged) << levels;
        EXPECT_EQ(nested.detail, "its elements are nested more than 256 deep");
        EXPECT_TRUE(nested.text.empty());
    }
    std::string nested = "<p>Asha Rao</p>";
    for (int level = 0; level < 200; ++level)
        nested = "<div>" + nested + "</div>";
    EXPECT_EQ(ReadHtmlText(nested + "<p>After</p>").text, "Asha Rao\n\nAfter")
        << "a deep page that is allowed";
    EXPECT_EQ(ReadHtmlText(std::string("<p>a\0b</p>", 10)).text.substr(0, 1), "a");
}

} // namespace
