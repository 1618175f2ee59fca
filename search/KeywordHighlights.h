#pragma once

#include "store/KeywordQuery.h"

#include <QList>
#include <QTextEdit>
#include <vector>

class QPlainTextEdit;

// The terms of the keyword search whose results are on screen; empty for any other search.
extern std::vector<KeywordTerm> g_resultKeywords;

// Shows where the terms occur in a text box: every match marked, the current one more strongly
// and scrolled into view.
class KeywordHighlights {
public:
    KeywordHighlights(QPlainTextEdit& box, const std::vector<KeywordTerm>& terms);

    int Count() const { return static_cast<int>(m_matches.size()); }
    int Current() const { return m_current; } // from 0; -1 without matches
    // To the next or previous match, round from the last to the first and back.
    void Next();
    void Previous();

private:
    void Show(int index);

    QPlainTextEdit& m_box;
    QList<QTextEdit::ExtraSelection> m_matches;
    int m_current = -1;
};
