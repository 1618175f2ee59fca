#include "proposals/ResumeText.h"

#include <algorithm>
#include <numeric>

ResumeText::ResumeText(std::string_view text)
    : m_clean(CleanedText(text, kMostBytes)), m_lines(LaidOutLines(m_clean.text)) {
    MarkSections(m_clean.text, m_lines);
    m_byOffset.resize(m_lines.size());
    std::iota(m_byOffset.begin(), m_byOffset.end(), std::size_t{0});
    std::sort(m_byOffset.begin(), m_byOffset.end(),
              [this](std::size_t a, std::size_t b) { return m_lines[a].offset < m_lines[b].offset; });
    m_words = SplitKeywordWords(m_clean.text, WordUse::Index);
}

std::pair<std::size_t, std::size_t> ResumeText::WordsOf(const TextLine& line) const {
    const auto starts = [](const KeywordWord& word, std::size_t offset) {
        return static_cast<std::size_t>(word.start) < offset;
    };
    const auto first = std::lower_bound(m_words.begin(), m_words.end(), line.offset, starts);
    const auto last = std::lower_bound(first, m_words.end(), line.offset + line.length, starts);
    return {static_cast<std::size_t>(first - m_words.begin()),
            static_cast<std::size_t>(last - m_words.begin())};
}

std::size_t ResumeText::LineAt(std::size_t offset) const {
    const auto after =
        std::upper_bound(m_byOffset.begin(), m_byOffset.end(), offset,
                         [this](std::size_t at, std::size_t index) { return at < m_lines[index].offset; });
    if (after == m_byOffset.begin())
        return m_lines.size();
    const std::size_t index = *(after - 1);
    const TextLine& line = m_lines[index];
    return offset < line.offset + line.length ? index : m_lines.size();
}
