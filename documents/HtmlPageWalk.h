#pragma once

#include "documents/PlainTextBuilder.h"

#include <libxml/tree.h>
#include <string>
#include <vector>

// Walks a parsed web page and lays out its text as a browser shows it.
class HtmlPageWalk {
public:
    void Run(const xmlNode* root);
    const std::string& Text() const { return m_out.Text(); }

private:
    struct List {
        bool ordered = false;
        bool marked = true;
        char type = '1'; // an ordered list's numbering: 1, a, A, i or I
        int next = 1;
        int step = 1; // -1 for a reversed list
    };

    void Enter(const xmlNode* node);
    void Leave(const xmlNode* node);
    void StartList(const xmlNode* node);
    void StartItem(const xmlNode* node);
    void WriteText(const std::string& text);

    PlainTextBuilder m_out;
    int m_preformatted = 0;
    std::vector<List> m_lists;
    std::string m_itemLabel; // written before the list item's first text
    // Element edges met since the last text: two elements side by side are set apart on screen.
    bool m_crossedEdge = false;
    bool m_leftElement = false;
    bool m_elementAfterElement = false;
};
