#pragma once

#include "store/KeywordQuery.h"

#include <QObject>
#include <utility>
#include <vector>

class QPlainTextEdit;

// The terms of the keyword search whose results are on screen; empty for any other search.
extern std::vector<KeywordTerm> g_resultKeywords;

// Shows where the terms occur in a text box: every match marked, the current one more strongly
// and scrolled into view. Only the matches in sight carry marks, so a long text with thousands
// of matches opens and scrolls as quickly as one with a few.
class KeywordHighlights final : public QObject {
    Q_OBJECT

public:
    KeywordHighlights(QPlainTextEdit& box, const std::vector<KeywordTerm>& terms);

    int Count() const { return static_cast<int>(m_matches.size()); }
    int Current() const { return m_current; } // from 0; -1 without matches
    // To the next or previous match, round from the last to the first and back.
    void Next();
    void Previous();

private:
    void Show(int index);
    void MarkVisible();

    QPlainTextEdit& m_box;
    std::vector<std::pair<int, int>> m_matches; // [start, end) positions in the box's text
    int m_current = -1;
    std::pair<std::size_t, std::size_t> m_marked{1, 0}; // the matches marked now, by index
};
