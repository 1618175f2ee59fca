#include "tools/sample-documents/SampleDocuments.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <archive.h>
#include <archive_entry.h>
#include <functional>
#include <memory>

namespace {

QFont PageFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(11);
    return font;
}

// A page of text drawn as a scanner at 200 dpi sees it: A4 is 1654 x 2339 pixels.
QImage PagePicture(const std::string& text) {
    QImage picture(1654, 2339, QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    QPainter scan(&picture);
    QFont font = PageFont();
    font.setPixelSize(31); // 11 points
    scan.setFont(font);
    const QStringList lines = QString::fromStdString(text).split(u'\n');
    for (qsizetype line = 0; line < lines.size(); ++line)
        scan.drawText(QPointF(160, 200 + 44 * line), lines[line]);
    scan.end();
    return picture;
}

// An A4 PDF at 72 dots an inch of `count` pages, each drawn by `drawPage` (the page's painter, its
// index), the page font already set.
std::string PdfOfPages(std::size_t count, const std::function<void(QPainter&, std::size_t)>& drawPage) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.setFont(PageFont());
    for (std::size_t index = 0; index < count; ++index) {
        if (index > 0)
            writer.newPage();
        drawPage(painter, index);
    }
    painter.end();
    return bytes.toStdString();
}

// A text's lines from `origin` down, a line every 16 points.
void DrawLines(QPainter& painter, QPointF origin, const std::string& text) {
    const QStringList lines = QString::fromStdString(text).split(u'\n');
    for (qsizetype line = 0; line < lines.size(); ++line)
        painter.drawText(origin + QPointF(0, 16 * line), lines[line]);
}

struct WriterFreer {
    void operator()(archive* writer) const { archive_write_free(writer); }
};

la_ssize_t Append(archive*, void* target, const void* data, size_t size) {
    static_cast<std::string*>(target)->append(static_cast<const char*>(data), size);
    return static_cast<la_ssize_t>(size);
}

} // namespace

std::string TextPdf(const std::vector<std::string>& pages) {
    return PdfOfPages(pages.size(), [&](QPainter& painter, std::size_t index) {
        DrawLines(painter, {50, 60}, pages[index]);
    });
}

std::string LaidOutPdf(const std::vector<std::vector<PlacedText>>& pages) {
    return PdfOfPages(pages.size(), [&](QPainter& painter, std::size_t index) {
        for (const PlacedText& placed : pages[index])
            DrawLines(painter, QPointF(placed.x, placed.y), placed.text);
    });
}

std::string ScannedPdf(const std::vector<std::string>& pages, bool sideways) {
    return PdfOfPages(pages.size(), [&](QPainter& painter, std::size_t index) {
        QImage picture = PagePicture(pages[index]);
        if (sideways)
            picture = picture.transformed(QTransform().rotate(90));
        painter.drawImage(QRectF(0, 0, 595, 842), picture);
    });
}

std::string MixedPdf(const std::vector<std::pair<std::string, bool>>& pages) {
    return PdfOfPages(pages.size(), [&](QPainter& painter, std::size_t index) {
        if (pages[index].second)
            painter.drawImage(QRectF(0, 0, 595, 842), PagePicture(pages[index].first));
        else
            DrawLines(painter, {50, 60}, pages[index].first);
    });
}

std::string ScannedImage(const std::string& text, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PagePicture(text).save(&buffer, format);
    return bytes.toStdString();
}

std::string ScannedPdf(int pages) {
    // A small picture of the text, drawn into the page: the page holds no text of its own.
    QImage picture(500, 700, QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    QPainter scan(&picture);
    scan.setFont(PageFont());
    DrawLines(scan, {10, 20}, "Asha Rao\nSenior Quality Engineer");
    scan.end();
    return PdfOfPages(static_cast<std::size_t>(pages), [&](QPainter& painter, std::size_t) {
        painter.drawImage(QRectF(40, 40, 500, 700), picture);
    });
}

std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& parts) {
    std::string zip;
    const std::unique_ptr<archive, WriterFreer> writer(archive_write_new());
    archive_write_set_format_zip(writer.get());
    archive_write_set_bytes_in_last_block(writer.get(), 1);
    archive_write_open(writer.get(), &zip, nullptr, Append, nullptr);
    for (const auto& [name, bytes] : parts) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  archive_entry_free);
        archive_entry_set_pathname(entry.get(), name.c_str());
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(bytes.size()));
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_write_header(writer.get(), entry.get());
        archive_write_data(writer.get(), bytes.data(), bytes.size());
    }
    archive_write_close(writer.get());
    return zip;
}

std::string WordMarkup(const std::string& body) {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
           R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>)" +
           body + "</w:body></w:document>";
}

std::string WordPackage(const std::string& body, const std::string& numbering, const std::string& styles) {
    constexpr const char* kWordNamespace =
        R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";
    constexpr const char* kRelationType =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::vector<std::pair<std::string, std::string>> parts = {
        {"[Content_Types].xml",
         R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Override PartName="/word/document.xml" ContentType="application/)"
         R"(vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)"},
        {"_rels/.rels",
         R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/)"
         R"(officeDocument" Target="word/document.xml"/></Relationships>)"},
        {"word/document.xml", WordMarkup(body)}};
    std::string relations;
    if (!numbering.empty()) {
        parts.emplace_back("word/numbering.xml", std::string("<?xml version=\"1.0\"?><w:numbering ") +
                                                     kWordNamespace + ">" + numbering + "</w:numbering>");
        relations += std::string(R"(<Relationship Id="rId2" Type=")") + kRelationType +
                     R"(numbering" Target="numbering.xml"/>)";
    }
    if (!styles.empty()) {
        parts.emplace_back("word/styles.xml", std::string("<?xml version=\"1.0\"?><w:styles ") +
                                                  kWordNamespace + ">" + styles + "</w:styles>");
        relations += std::string(R"(<Relationship Id="rId3" Type=")") + kRelationType +
                     R"(styles" Target="/word/styles.xml"/>)";
    }
    if (!relations.empty())
        parts.emplace_back("word/_rels/document.xml.rels",
                           R"(<?xml version="1.0"?><Relationships )"
                           R"(xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
                               relations + "</Relationships>");
    return ZipArchive(parts);
}

std::string OpenDocumentMarkup(const std::string& text, const std::string& listStyles) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><office:document-content )"
           R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
           R"(xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" )"
           R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
           R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
           R"(xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" )"
           R"(xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" office:version="1.3">)"
           R"(<office:automatic-styles>)" +
           listStyles + R"(</office:automatic-styles><office:body><office:text>)" + text +
           "</office:text></office:body></office:document-content>";
}

std::string OpenDocumentPackage(const std::string& text, const std::string& listStyles) {
    return ZipArchive({{"mimetype", "application/vnd.oasis.opendocument.text"},
                       {"content.xml", OpenDocumentMarkup(text, listStyles)}});
}
