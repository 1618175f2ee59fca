#pragma once

#include "documents/DocumentText.h"

#include <QByteArray>
#include <QStringView>
#include <QXmlStreamReader>
#include <string>
#include <string_view>

// Shared by the readers of office markup.

// The bytes as Qt sees them, without a copy: they must outlive the result.
QByteArray BorrowedBytes(std::string_view bytes);

std::string Utf8(QStringView text);

// Tells the progress, every few thousand tokens, how far `reader` has come through `size`
// bytes. False when the user stopped the reading.
class MarkupProgress {
public:
    MarkupProgress(const ReadProgress& progress, std::size_t size) : m_progress(progress), m_size(size) {}
    bool GoOn(const QXmlStreamReader& reader);

private:
    const ReadProgress& m_progress;
    std::size_t m_size;
    int m_tokens = 0;
};

// The result once a reader has gone through its markup: damaged when the markup is broken or
// never showed the element that holds the body.
DocumentText MarkupResult(DocumentKind kind, const QXmlStreamReader& reader, bool sawBody, std::string text);
