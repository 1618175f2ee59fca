#include "entry/SelectionBytes.h"

#include "entry/ReadableText.h"

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
    std::vector<std::size_t> starts;
    if (ReadableText(bytes, &starts) != shown)
        return std::nullopt;
    const std::size_t begin = starts[static_cast<std::size_t>(first)];
    const std::size_t end = starts[static_cast<std::size_t>(last)];
    std::string candidate = bytes.substr(begin, end - begin);
    if (ReadableText(candidate) != part)
        return std::nullopt;
    return candidate;
}
