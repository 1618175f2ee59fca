#pragma once

#include "documents/ListLabels.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// Where a Word paragraph stands in a list: the numbering instance (w:numId) and its level.
struct WordListPlace {
    int numId = 0; // 0: in no list
    int level = 0;
};

// The lists of a Word document, from its numbering and styles parts: which paragraphs are list
// items, and what each item's label reads. Items are counted in the order they are asked for.
class WordNumbering {
public:
    WordNumbering() = default;
    WordNumbering(std::string_view numberingXml, std::string_view stylesXml);

    // The list a paragraph style (or a style it is based on) puts its paragraphs in.
    std::optional<WordListPlace> StyleList(const std::string& styleId) const;
    // The label of the next item at `place`, a space after it; empty where the level shows none.
    std::string NextLabel(WordListPlace place);

    static constexpr int kLevels = 9;

private:
    struct Level {
        ListFormat format = ListFormat::Decimal;
        std::string text = "%1."; // the label, %1 ... %9 standing for the levels' numbers
        int start = 1;
    };
    using Levels = std::array<Level, kLevels>;
    struct Instance {
        int abstractId = -1;
        std::map<int, int> startOverrides; // level -> start
    };
    struct StyleInfo {
        std::optional<WordListPlace> place;
        std::string basedOn;
    };

    void ReadNumbering(std::string_view xml);
    void ReadStyles(std::string_view xml);

    std::map<int, Levels> m_abstract;
    std::map<int, Instance> m_instances;
    std::map<std::string, StyleInfo> m_styles;
    std::map<int, std::array<int, kLevels>> m_counters; // per instance; 0: not counted yet
};
