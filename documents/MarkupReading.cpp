#include "documents/MarkupReading.h"

#include <algorithm>

QByteArray BorrowedBytes(std::string_view bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Utf8(QStringView text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool MarkupProgress::GoOn(const QXmlStreamReader& reader) {
    if (!m_progress || ++m_tokens % 4096 != 0)
        return true;
    const auto offset = static_cast<std::size_t>(std::max<qint64>(0, reader.characterOffset()));
    return m_progress(std::min(offset, m_size), m_size);
}

DocumentText MarkupResult(DocumentKind kind, const QXmlStreamReader& reader, bool sawBody, std::string text) {
    if (reader.hasError())
        return Problem(kind, ReadProblem::Damaged, Utf8(reader.errorString()));
    if (!sawBody)
        return Problem(kind, ReadProblem::Damaged, "its markup holds no document body");
    return TextOrNoText(kind, std::move(text));
}
