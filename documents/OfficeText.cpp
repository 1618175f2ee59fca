#include "documents/OfficeText.h"

#include "documents/MarkupReading.h"
#include "documents/ZipParts.h"

#include <QXmlStreamReader>
#include <algorithm>

namespace {

constexpr const char* kOpenDocumentContent = "content.xml";
constexpr const char* kOpenDocumentType = "mimetype";
constexpr const char* kPackageRelations = "_rels/.rels";
constexpr const char* kUsualWordBody = "word/document.xml";

// The package's main part, as its relations name it.
std::string WordBodyName(const std::string& relations) {
    QXmlStreamReader reader(BorrowedBytes(relations));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"Relationship" ||
            !reader.attributes().value(QLatin1StringView("Type")).endsWith(u"/officeDocument"))
            continue;
        QString target = reader.attributes().value(QLatin1StringView("Target")).toString();
        while (target.startsWith(u'/'))
            target.remove(0, 1);
        if (!target.isEmpty())
            return target.toStdString();
    }
    return kUsualWordBody;
}

DocumentText FromZipProblem(DocumentKind kind, const ZipParts& zip) {
    return Problem(kind,
                   zip.problem == ZipParts::Problem::TooLarge ? ReadProblem::TooLarge : ReadProblem::Damaged,
                   zip.detail);
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

DocumentText ReadOpenDocument(const ZipParts& zip, const ReadProgress& progress) {
    const auto type = zip.parts.find(kOpenDocumentType);
    if (type != zip.parts.end() && type->second.rfind("application/vnd.oasis.opendocument.text", 0) != 0)
        return Problem(DocumentKind::OpenDocument, ReadProblem::NotADocument, type->second);
    return OpenDocumentMarkupText(zip.parts.at(kOpenDocumentContent), progress);
}

} // namespace

DocumentText ReadOfficeText(std::string_view archive, const ReadProgress& progress) {
    const ZipParts first = ReadZipParts(archive, [](const std::string& name) {
        return name == kOpenDocumentContent || name == kOpenDocumentType || name == kPackageRelations;
    });
    if (first.problem != ZipParts::Problem::None)
        return FromZipProblem(DocumentKind::ZipArchive, first);
    if (first.parts.count(kOpenDocumentContent) != 0)
        return ReadOpenDocument(first, progress);
    const auto relations = first.parts.find(kPackageRelations);
    const std::string body =
        relations != first.parts.end() ? WordBodyName(relations->second) : kUsualWordBody;
    if (!Contains(first.names, body))
        return Problem(DocumentKind::ZipArchive, ReadProblem::NotADocument);
    const ZipParts second = ReadZipParts(archive, [&](const std::string& name) { return name == body; });
    if (second.problem != ZipParts::Problem::None)
        return FromZipProblem(DocumentKind::Word, second);
    return WordMarkupText(second.parts.at(body), progress);
}
