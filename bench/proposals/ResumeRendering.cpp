#include "bench/proposals/SampleResume.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <stdexcept>

namespace {

enum class Kind { Title, Heading, Entry, Bullet, Row, Paragraph, Gap };

struct Block {
    Kind kind;
    std::string text;
    std::vector<std::string> cells;
};

struct Parts {
    std::vector<Block> top, side, main, bottom;
    bool sidebar = false;
    bool sideRight = false; // "[main]" came before "[side]": the sidebar stands on the right
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Block BlockOf(const std::string& line) {
    if (line.empty())
        return {Kind::Gap, {}, {}};
    if (line.rfind("! ", 0) == 0)
        return {Kind::Title, line.substr(2), {}};
    if (line.rfind("## ", 0) == 0)
        return {Kind::Entry, line.substr(3), {}};
    if (line.rfind("# ", 0) == 0)
        return {Kind::Heading, line.substr(2), {}};
    if (line.rfind("- ", 0) == 0)
        return {Kind::Bullet, line.substr(2), {}};
    if (line.rfind("|", 0) == 0) {
        Block row{Kind::Row, {}, {}};
        std::size_t at = 1;
        while (at < line.size()) {
            std::size_t bar = line.find('|', at);
            if (bar == std::string::npos)
                bar = line.size();
            row.cells.push_back(Trim(line.substr(at, bar - at)));
            at = bar + 1;
        }
        return row;
    }
    return {Kind::Paragraph, line, {}};
}

Parts PartsOf(const SampleResume& resume) {
    Parts parts;
    std::vector<Block>* into = &parts.top;
    for (const std::string& line : resume.body) {
        if (line == "[side]") {
            into = &parts.side;
            parts.sideRight = parts.sidebar;
            parts.sidebar = true;
        } else if (line == "[main]") {
            into = &parts.main;
            parts.sidebar = true;
        } else if (line == "[end]") {
            into = &parts.bottom;
        } else {
            into->push_back(BlockOf(line));
        }
    }
    return parts;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Addresses as links, as web pages and word processors make them.
std::string Linked(const std::string& escaped) {
    static const QRegularExpression address(QStringLiteral(R"(([\w.+'-]+@[\w-]+(\.[\w-]+)+))"));
    return QString::fromStdString(escaped)
        .replace(address, QStringLiteral(R"(<a href="mailto:\1">\1</a>)"))
        .toStdString();
}

std::string Html(const std::vector<Block>& blocks, bool links) {
    std::string html;
    bool list = false;
    bool table = false;
    for (const Block& block : blocks) {
        if (list && block.kind != Kind::Bullet) {
            html += "</ul>\n";
            list = false;
        }
        if (table && block.kind != Kind::Row) {
            html += "</table>\n";
            table = false;
        }
        const std::string text = links ? Linked(Escaped(block.text)) : Escaped(block.text);
        switch (block.kind) {
        case Kind::Title:
            html += "<h1>" + text + "</h1>\n";
            break;
        case Kind::Heading:
            html += "<h2>" + text + "</h2>\n";
            break;
        case Kind::Entry:
            html += "<p><b>" + text + "</b></p>\n";
            break;
        case Kind::Paragraph:
            html += "<p>" + text + "</p>\n";
            break;
        case Kind::Gap:
            break;
        case Kind::Bullet:
            if (!list)
                html += "<ul>\n";
            list = true;
            html += "<li>" + text + "</li>\n";
            break;
        case Kind::Row:
            if (!table)
                html += "<table cellpadding=\"4\">\n";
            table = true;
            html += "<tr>";
            for (const std::string& cell : block.cells)
                html += "<td>" + (links ? Linked(Escaped(cell)) : Escaped(cell)) + "</td>";
            html += "</tr>\n";
            break;
        }
    }
    if (list)
        html += "</ul>\n";
    if (table)
        html += "</table>\n";
    return html;
}

// A web page: the sidebar as floating blocks, as page builders make them.
std::string WebPage(const Parts& parts, const std::string& title) {
    std::string html =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + Escaped(title) +
        "</title><style>.side{float:left;width:30%}.main{margin-left:32%}</style></head><body>\n";
    html += Html(parts.top, true);
    if (parts.sidebar) {
        html += "<div class=\"side\">\n" + Html(parts.side, true) + "</div>\n";
        html += "<div class=\"main\">\n" + Html(parts.main, true) + "</div>\n";
    }
    html += Html(parts.bottom, true);
    return html + "</body></html>\n";
}

// The markup a word processor's import starts from: the sidebar as a table of two cells.
std::string RichText(const Parts& parts) {
    std::string html =
        "<html><body style=\"font-family:'DejaVu Sans'; font-size:10pt\">\n" + Html(parts.top, false);
    if (parts.sidebar) {
        const std::string side = "<td width=\"32%\" valign=\"top\">\n" + Html(parts.side, false) + "</td>";
        const std::string main = "<td valign=\"top\">\n" + Html(parts.main, false) + "</td>";
        html += "<table width=\"100%\" cellpadding=\"6\"><tr>" + (parts.sideRight ? main + side : side + main) +
                "</tr></table>\n";
    }
    return html + Html(parts.bottom, false) + "</body></html>\n";
}

std::string PlainLines(const std::vector<Block>& blocks) {
    std::string text;
    for (const Block& block : blocks) {
        switch (block.kind) {
        case Kind::Gap:
            text += "\n";
            break;
        case Kind::Bullet:
            text += "  * " + block.text + "\n";
            break;
        case Kind::Row: {
            std::string line;
            for (const std::string& cell : block.cells) {
                line += cell;
                line += std::string(cell.size() < 26 ? 26 - cell.size() : 2, ' ');
            }
            text += Trim(line) + "\n";
            break;
        }
        default:
            text += block.text + "\n";
        }
    }
    return text;
}

std::string WordText(const std::string& text, bool bold) {
    return std::string("<w:r>") + (bold ? "<w:rPr><w:b/></w:rPr>" : "") + "<w:t xml:space=\"preserve\">" +
           Escaped(text) + "</w:t></w:r>";
}

std::string WordBody(const std::vector<Block>& blocks) {
    std::string body;
    bool table = false;
    for (const Block& block : blocks) {
        if (table && block.kind != Kind::Row) {
            body += "</w:tbl>";
            table = false;
        }
        switch (block.kind) {
        case Kind::Gap:
            body += "<w:p/>";
            break;
        case Kind::Title:
        case Kind::Heading:
        case Kind::Entry:
            body += "<w:p>" + WordText(block.text, true) + "</w:p>";
            break;
        case Kind::Bullet:
            body += "<w:p>" + WordText("\xe2\x80\xa2 " + block.text, false) + "</w:p>";
            break;
        case Kind::Paragraph:
            body += "<w:p>" + WordText(block.text, false) + "</w:p>";
            break;
        case Kind::Row:
            if (!table)
                body += "<w:tbl>";
            table = true;
            body += "<w:tr>";
            for (const std::string& cell : block.cells)
                body += "<w:tc><w:p>" + WordText(cell, false) + "</w:p></w:tc>";
            body += "</w:tr>";
            break;
        }
    }
    if (table)
        body += "</w:tbl>";
    return body;
}

std::string Pdf(const std::string& html) {
    QTextDocument document;
    document.setHtml(QString::fromStdString(html));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(96);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
    document.print(&writer);
    buffer.close();
    return bytes.toStdString();
}

std::string OpenDocument(const std::string& html) {
    QTextDocument document;
    document.setHtml(QString::fromStdString(html));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        throw std::runtime_error("the OpenDocument writer failed");
    return bytes.toStdString();
}

} // namespace

RenderedResume RenderResume(const SampleResume& resume) {
    const Parts parts = PartsOf(resume);
    if (resume.format == "html")
        return {WebPage(parts, resume.file), "html"};
    if (resume.format == "txt") {
        return {PlainLines(parts.top) + PlainLines(parts.side) + PlainLines(parts.main) +
                    PlainLines(parts.bottom),
                "txt"};
    }
    if (resume.format == "docx") {
        std::string body = WordBody(parts.top);
        if (parts.sidebar) {
            body += "<w:tbl><w:tr><w:tc>" + WordBody(parts.side) + "<w:p/></w:tc><w:tc>" +
                    WordBody(parts.main) + "<w:p/></w:tc></w:tr></w:tbl>";
        }
        return {WordPackage(body + WordBody(parts.bottom)), "docx"};
    }
    if (resume.format == "odt")
        return {OpenDocument(RichText(parts)), "odt"};
    if (resume.format == "pdf")
        return {Pdf(RichText(parts)), "pdf"};
    throw std::runtime_error(resume.file + ": unknown format " + resume.format);
}
