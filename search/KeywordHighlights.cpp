#include "search/KeywordHighlights.h"

#include "store/KeywordMatches.h"

#include <QPlainTextEdit>
#include <QTextCursor>

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
        QTextEdit::ExtraSelection match;
        match.cursor = QTextCursor(box.document());
        match.cursor.setPosition(positions.At(span.start));
        match.cursor.setPosition(positions.At(span.end), QTextCursor::KeepAnchor);
        match.format.setBackground(kMatchColour);
        m_matches.push_back(match);
    }
    if (!m_matches.isEmpty())
        Show(0);
}

void KeywordHighlights::Next() {
    if (!m_matches.isEmpty())
        Show((m_current + 1) % Count());
}

void KeywordHighlights::Previous() {
    if (!m_matches.isEmpty())
        Show((m_current + Count() - 1) % Count());
}

void KeywordHighlights::Show(int index) {
    if (m_current >= 0)
        m_matches[m_current].format.setBackground(kMatchColour);
    m_current = index;
    m_matches[m_current].format.setBackground(kCurrentColour);
    m_box.setExtraSelections(m_matches);
    QTextCursor at = m_matches[m_current].cursor;
    at.setPosition(at.selectionStart());
    m_box.setTextCursor(at);
    m_box.centerCursor();
}
