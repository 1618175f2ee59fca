#include "documents/OfficeText.h"

#include "documents/MarkupReading.h"
#include "documents/ZipParts.h"

#include <QXmlStreamReader>
#include <algorithm>

namespace {

constexpr const char* kOpenDocumentContent = "content.xml";
constexpr const char* kOpenDocumentStyles = "styles.xml";
constexpr const char* kOpenDocumentType = "mimetype";
constexpr const char* kPackageRelations = "_rels/.rels";
constexpr const char* kUsualWordBody = "word/document.xml";

// The target of the first relation in `relations` whose type ends with `type`, relative to the
// package's root; `folder` is the folder of the part the relations belong to.
std::string RelatedPart(const std::string& relations, QStringView type, const std::string& folder) {
    QXmlStreamReader reader(BorrowedBytes(relations));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"Relationship" ||
            !reader.attributes().value(QLatin1StringView("Type")).endsWith(type))
            continue;
        QString target = reader.attributes().value(QLatin1StringView("Target")).toString();
        if (target.startsWith(u'/')) {
            while (target.startsWith(u'/'))
                target.remove(0, 1);
            return target.toStdString();
        }
        if (!target.isEmpty())
            return folder + target.toStdString();
    }
    return {};
}

// The package's main part, as its relations name it.
std::string WordBodyName(const std::string& relations) {
    const std::string body = RelatedPart(relations, u"/officeDocument", {});
    return body.empty() ? kUsualWordBody : body;
}

std::string FolderOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// The relations of a part: word/document.xml has word/_rels/document.xml.rels.
std::string RelationsOf(const std::string& part) {
    return FolderOf(part) + "_rels/" + part.substr(FolderOf(part).size()) + ".rels";
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
    const auto styles = zip.parts.find(kOpenDocumentStyles);
    return OpenDocumentMarkupText(zip.parts.at(kOpenDocumentContent), progress,
                                  styles != zip.parts.end() ? std::string_view(styles->second)
                                                            : std::string_view());
}

} // namespace

DocumentText ReadOfficeText(std::string_view archive, const ReadProgress& progress) {
    const ZipParts first = ReadZipParts(archive, [](const std::string& name) {
        return name == kOpenDocumentContent || name == kOpenDocumentStyles || name == kOpenDocumentType ||
               name == kPackageRelations;
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
    const std::string bodyRelations = RelationsOf(body);
    const ZipParts second =
        ReadZipParts(archive, [&](const std::string& name) { return name == body || name == bodyRelations; });
    if (second.problem != ZipParts::Problem::None)
        return FromZipProblem(DocumentKind::Word, second);
    // The lists' labels are defined beside the body; a package without them has no lists.
    const auto bodyRelationsPart = second.parts.find(bodyRelations);
    const std::string relationsText =
        bodyRelationsPart != second.parts.end() ? bodyRelationsPart->second : std::string();
    const std::string numberingName = RelatedPart(relationsText, u"/numbering", FolderOf(body));
    const std::string stylesName = RelatedPart(relationsText, u"/styles", FolderOf(body));
    const ZipParts lists = ReadZipParts(archive, [&](const std::string& name) {
        return !name.empty() && (name == numberingName || name == stylesName);
    });
    if (lists.problem != ZipParts::Problem::None)
        return FromZipProblem(DocumentKind::Word, lists);
    const auto part = [&](const std::string& name) {
        const auto found = lists.parts.find(name);
        return found != lists.parts.end() ? std::string_view(found->second) : std::string_view();
    };
    return WordMarkupText(second.parts.at(body), progress,
                          WordNumbering(part(numberingName), part(stylesName)));
}
