#include "documents/PlainTextBuilder.h"

#include <algorithm>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

} // namespace

void PlainTextBuilder::Flush() {
    // Breaks before the first text are dropped: a document never starts with blank lines.
    if (m_pendingBreaks > 0 && !m_text.empty())
        m_text.append(static_cast<std::size_t>(m_pendingBreaks), '\n');
    m_pendingBreaks = 0;
    if (m_pendingSpace && !m_text.empty() && m_text.back() != '\n' && m_text.back() != '\t')
        m_text += ' ';
    m_pendingSpace = false;
}

void PlainTextBuilder::Literal(std::string_view text) {
    if (text.empty())
        return;
    Flush();
    m_text += text;
}

void PlainTextBuilder::Flowing(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsSpace(text[at])) {
            m_pendingSpace = true;
            ++at;
            continue;
        }
        const auto end = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), IsSpace);
        const std::size_t length = static_cast<std::size_t>(end - text.begin()) - at;
        Flush();
        m_text.append(text.substr(at, length));
        at += length;
    }
}

void PlainTextBuilder::AddBreak() {
    ++m_pendingBreaks;
    m_pendingSpace = false;
}

void PlainTextBuilder::RequireBreaks(int count) {
    if (!m_rows.empty() && m_text.size() == m_rows.back().cellStart)
        return;
    m_pendingBreaks = std::max(m_pendingBreaks, count);
    m_pendingSpace = false;
}

void PlainTextBuilder::LineBreak() {
    m_pendingSpace = false;
    Flush();
    m_text += '\n';
}

void PlainTextBuilder::Tab() {
    m_pendingSpace = false;
    Flush();
    m_text += '\t';
}

void PlainTextBuilder::Spaces(std::size_t count) {
    m_pendingSpace = false;
    Flush();
    m_text.append(count, ' ');
}

void PlainTextBuilder::StartRow() {
    m_rows.push_back({0, m_pendingBreaks, m_text.size(), m_text.size()});
}

void PlainTextBuilder::StartCell() {
    if (m_rows.empty())
        return;
    Row& row = m_rows.back();
    row.cellStart = m_text.size();
    if (row.cells++ == 0)
        return;
    // The breaks that ended the cell before belong inside it, not between the cells; only a row
    // that has written nothing yet still owes the breaks that came before it.
    m_pendingBreaks = m_text.size() == row.sizeAtStart ? row.breaksBefore : 0;
    Tab();
    row.cellStart = m_text.size();
}

void PlainTextBuilder::EndRow() {
    if (m_rows.empty())
        return;
    const Row row = m_rows.back();
    m_rows.pop_back();
    m_pendingSpace = false;
    m_pendingBreaks = m_text.size() == row.sizeAtStart ? row.breaksBefore : 1;
}
