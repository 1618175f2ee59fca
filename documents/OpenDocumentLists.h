#pragma once

#include "documents/ListLabels.h"

#include <QXmlStreamReader>
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The lists of an OpenDocument text as they are read: the list styles that say how each level
// is labelled, and the lists open at the reader's place, whose items it counts.
class OpenDocumentLists {
public:
    // The list styles of styles.xml; those of content.xml come in through ReadStyle as its
    // markup is read, before its body.
    void ReadStyles(std::string_view stylesXml);
    // Reads the list style the reader stands on, to its end.
    void ReadStyle(QXmlStreamReader& reader);

    void StartList(const QXmlStreamReader& reader);
    void EndList();
    // A list item (or a list's header, which has no label) begins.
    void StartItem(const QXmlStreamReader& reader, bool header);
    // The label of the item whose first paragraph begins now, a space after it; empty for any
    // other paragraph.
    std::string ParagraphLabel();

    static constexpr int kLevels = 10;

private:
    struct Level {
        bool bullet = true;
        ListFormat format = ListFormat::Decimal;
        std::string prefix;
        std::string suffix;
        int displayLevels = 1;
        int start = 1;
    };
    using Style = std::array<Level, kLevels>;
    using Counters = std::array<int, kLevels>;
    struct OpenList {
        std::string style;
    };

    std::map<std::string, Style> m_styles;
    std::vector<OpenList> m_open;
    Counters m_counters{};                           // the outermost open list's
    std::map<std::string, Counters> m_endedCounters; // by style, for a list that continues one
    bool m_labelDue = false;
    int m_itemStart = 0; // an item's own start value, 0 when it has none
};
