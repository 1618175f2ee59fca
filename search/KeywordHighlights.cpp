#include "search/KeywordHighlights.h"

#include "store/KeywordMatches.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>

std::vector<KeywordTerm> g_resultKeywords;

namespace {

const QColor kMatchColour(255, 236, 140);
const QColor kCurrentColour(255, 170, 60);

// Byte offsets in the UTF-8 form of a text, turned into positions in the text itself.
class Utf8Positions {
public:
    explicit Utf8Positions(const QByteArray& utf8) : m_utf8(utf8) {}

    // Offsets must come in ascending order.
    int At(std::size_t offset) {
        while (m_byte < offset && m_byte < static_cast<std::size_t>(m_utf8.size())) {
            const auto lead = static_cast<unsigned char>(m_utf8[static_cast<qsizetype>(m_byte)]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
            m_position += length == 4 ? 2 : 1; // beyond the first 65,536 characters: two units
            m_byte += length;
        }
        return m_position;
    }

private:
    const QByteArray& m_utf8;
    std::size_t m_byte = 0;
    int m_position = 0;
};

} // namespace

KeywordHighlights::KeywordHighlights(QPlainTextEdit& box, const std::vector<KeywordTerm>& terms)
    : m_box(box) {
    const QByteArray utf8 = box.toPlainText().toUtf8();
    Utf8Positions positions(utf8);
    for (const TextSpan& span : FindKeywordMatches(std::string_view(utf8.constData(), utf8.size()), terms)) {
        const int start = positions.At(span.start);
        m_matches.emplace_back(start, positions.At(span.end));
    }
    // Scrolling, resizing and editing all ask the box for an update: the marks follow.
    connect(&box, &QPlainTextEdit::updateRequest, this, &KeywordHighlights::MarkVisible);
    if (m_matches.empty())
        return;
    Show(0);
    // Once the box has its size on screen, the first match is centred in it.
    QTimer::singleShot(0, this, [this] { Show(m_current); });
}

void KeywordHighlights::Next() {
    if (!m_matches.empty())
        Show((m_current + 1) % Count());
}

void KeywordHighlights::Previous() {
    if (!m_matches.empty())
        Show((m_current + Count() - 1) % Count());
}

void KeywordHighlights::Show(int index) {
    m_current = index;
    QTextCursor at(m_box.document());
    at.setPosition(m_matches[static_cast<std::size_t>(index)].first);
    m_box.setTextCursor(at);
    m_box.centerCursor();
    m_marked = {1, 0}; // the current one changed: mark again
    MarkVisible();
}

void KeywordHighlights::MarkVisible() {
    const QRect sight = m_box.viewport()->rect();
    const int top = m_box.cursorForPosition(sight.topLeft()).position();
    const int bottom = m_box.cursorForPosition(sight.bottomRight()).position();
    const auto first =
        std::lower_bound(m_matches.begin(), m_matches.end(), top,
                         [](const std::pair<int, int>& match, int at) { return match.second < at; });
    const auto last =
        std::upper_bound(first, m_matches.end(), bottom,
                         [](int at, const std::pair<int, int>& match) { return at < match.first; });
    const std::pair<std::size_t, std::size_t> marked{static_cast<std::size_t>(first - m_matches.begin()),
                                                     static_cast<std::size_t>(last - m_matches.begin())};
    // Marking asks for another update: only a change of what is in sight marks anew.
    if (marked == m_marked)
        return;
    m_marked = marked;
    QList<QTextEdit::ExtraSelection> marks;
    for (std::size_t index = marked.first; index < marked.second; ++index) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(m_box.document());
        mark.cursor.setPosition(m_matches[index].first);
        mark.cursor.setPosition(m_matches[index].second, QTextCursor::KeepAnchor);
        mark.format.setBackground(static_cast<int>(index) == m_current ? kCurrentColour : kMatchColour);
        marks.push_back(mark);
    }
    m_box.setExtraSelections(marks);
}
