#include "store/KeywordMatches.h"

#include "store/KeywordWords.h"

#include <algorithm>
#include <unordered_map>

namespace {

// The words of a text grouped by position: a joined word and its parts share one.
using Positions = std::vector<std::vector<const KeywordWord*>>;

Positions GroupByPosition(const std::vector<KeywordWord>& words) {
    Positions positions;
    for (const KeywordWord& word : words) {
        if (!word.samePlace || positions.empty())
            positions.emplace_back();
        positions.back().push_back(&word);
    }
    return positions;
}

bool Fits(const KeywordWord& word, const std::string& wanted, bool beginning) {
    return beginning ? word.text.compare(0, wanted.size(), wanted) == 0 : word.text == wanted;
}

// The narrowest word at a position that fits: "java" within "Java/J2EE" shows just "Java".
const KeywordWord* Narrowest(const std::vector<const KeywordWord*>& place, const std::string& wanted,
                             bool beginning) {
    const KeywordWord* best = nullptr;
    for (const KeywordWord* word : place) {
        if (Fits(*word, wanted, beginning) &&
            (best == nullptr || word->end - word->start < best->end - best->start))
            best = word;
    }
    return best;
}

// The span of `term` when it occurs from position `at` on.
std::optional<TextSpan> MatchAt(const Positions& positions, std::size_t at, const KeywordTerm& term) {
    const std::size_t count = term.words.size();
    if (at + count > positions.size())
        return std::nullopt;
    const KeywordWord* first = nullptr;
    const KeywordWord* last = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        last = Narrowest(positions[at + i], term.words[i], term.prefix && i + 1 == count);
        if (last == nullptr)
            return std::nullopt;
        if (i == 0)
            first = last;
    }
    return TextSpan{static_cast<std::size_t>(first->start), static_cast<std::size_t>(last->end)};
}

std::vector<TextSpan> Merged(std::vector<TextSpan> spans) {
    std::sort(spans.begin(), spans.end(), [](const TextSpan& a, const TextSpan& b) {
        return a.start != b.start ? a.start < b.start : a.end > b.end;
    });
    std::vector<TextSpan> merged;
    for (const TextSpan& span : spans) {
        if (!merged.empty() && span.start < merged.back().end)
            merged.back().end = std::max(merged.back().end, span.end);
        else
            merged.push_back(span);
    }
    return merged;
}

} // namespace

std::vector<TextSpan> FindKeywordMatches(std::string_view text, const std::vector<KeywordTerm>& terms) {
    const std::vector<KeywordWord> words = SplitKeywordWords(text, WordUse::Index);
    const Positions positions = GroupByPosition(words);
    // Terms by their first word, so each position is looked up once rather than tried against all;
    // a term that is one beginning has to be tried everywhere.
    std::unordered_map<std::string, std::vector<const KeywordTerm*>> byFirstWord;
    std::vector<const KeywordTerm*> beginnings;
    for (const KeywordTerm& term : terms) {
        if (term.words.empty())
            continue;
        if (term.prefix && term.words.size() == 1)
            beginnings.push_back(&term);
        else
            byFirstWord[term.words.front()].push_back(&term);
    }
    std::vector<TextSpan> spans;
    const auto tryTerm = [&](std::size_t at, const KeywordTerm& term) {
        if (const auto span = MatchAt(positions, at, term))
            spans.push_back(*span);
    };
    for (std::size_t at = 0; at < positions.size(); ++at) {
        for (const KeywordWord* word : positions[at]) {
            const auto found = byFirstWord.find(word->text);
            if (found == byFirstWord.end())
                continue;
            for (const KeywordTerm* term : found->second)
                tryTerm(at, *term);
        }
        for (const KeywordTerm* term : beginnings)
            tryTerm(at, *term);
    }
    return Merged(std::move(spans));
}
