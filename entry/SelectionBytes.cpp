#include "entry/SelectionBytes.h"

#include "platform/Text.h"

namespace {

// The index in `shown` of a position in the view.
qsizetype ShownIndex(const QString& shown, int viewPosition) {
    qsizetype index = 0;
    for (int position = 0; position < viewPosition && index < shown.size(); ++position) {
        if (shown[index] == u'\r' && index + 1 < shown.size() && shown[index + 1] == u'\n')
            ++index;
        ++index;
    }
    return index;
}

// The longest prefix of `bytes` that decodes to at most `index` characters: it ends on the
// character boundary there. A cut inside a multi-byte character decodes to a replacement
// character, so the decoded length never shrinks as the prefix grows.
std::size_t ByteOffset(const std::string& bytes, qsizetype index) {
    std::size_t low = 0;
    std::size_t high = bytes.size() + 1;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (ToQt(bytes.substr(0, middle)).size() > index)
            high = middle;
        else
            low = middle + 1;
    }
    return low - 1;
}

// Every kind of line end the view knows, as one "\n".
QString LineEndsAsNewLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n').replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

} // namespace

std::optional<std::string> SelectedBytes(const std::string& bytes, const QString& shown, int viewStart,
                                         int viewEnd, const QString& selectedText) {
    const qsizetype first = ShownIndex(shown, viewStart);
    const qsizetype last = ShownIndex(shown, viewEnd);
    const QString part = shown.mid(first, last - first);
    if (LineEndsAsNewLines(part) != LineEndsAsNewLines(selectedText))
        return std::nullopt;
    const std::size_t begin = ByteOffset(bytes, first);
    const std::size_t end = ByteOffset(bytes, last);
    std::string candidate = bytes.substr(begin, end - begin);
    if (ToQt(candidate) != part)
        return std::nullopt;
    return candidate;
}
