#include "proposals/DateRanges.h"
#include "proposals/EntryLabels.h"
#include "proposals/Proposers.h"
#include "proposals/TextScan.h"
#include "proposals/WordLists.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace {

// Words after which the employer follows: "Engineer at Acme", "Entwickler bei Siemens".
constexpr std::string_view kAtWords[] = {" at ",  " @ ",    "@",    " bei ", " chez ", " presso ", " bij ",
                                         " hos ", " with ", " in ", " en ",  " for ",  " für "};
constexpr std::string_view kSeparators[] = {"[",
                                            "]",
                                            "...",
                                            "\xe2\x80\xa6",
                                            " | ",
                                            "|",
                                            " \xe2\x80\x93 ",
                                            " \xe2\x80\x94 ",
                                            " - ",
                                            ",",
                                            ";",
                                            " \xc2\xb7 ",
                                            "\xe2\x80\xa2",
                                            "(",
                                            ")",
                                            "\t",
                                            " / "};

// A line of an entry's head (title, employer, place, dates), not of its description.
bool HeadLike(const ResumeText& text, std::size_t index) {
    const TextLine& line = text.Lines()[index];
    const std::string_view lineText = Trimmed(text.LineText(line));
    if (line.heading || StartsWithBullet(lineText))
        return false;
    std::size_t value = 0;
    if (LabelOf(lineText, value) == Label::Description)
        return false;
    const std::vector<WordSpan> words = LetterWords(lineText);
    if (words.size() > 14)
        return false;
    if (words.size() > 6 && lineText.back() == '.')
        return false;
    return true;
}

struct Piece {
    std::size_t begin = 0; // in the text
    std::size_t end = 0;
    bool afterAt = false;
    bool labelled = false;
    bool sameLine = false;
    bool afterComma = false; // only to join "Acme, Inc."
    std::size_t line = 0;
};

// Cuts [begin, end) of the text into pieces at the separators; a piece after "at" is marked.
void CutInto(std::string_view text, std::size_t begin, std::size_t end, Piece base,
             std::vector<Piece>& pieces) {
    // An entry's head is a line or two: the first part of a line as long as a page is enough.
    end = std::min(end, begin + 1024);
    std::size_t at = begin;
    bool afterAt = base.afterAt;
    bool afterComma = false;
    // Where each separator next stands, looked for again only once passed.
    std::array<std::size_t, std::size(kSeparators)> next{};
    next.fill(begin);
    bool first = true;
    while (at < end) {
        std::size_t cut = end;
        std::size_t width = 0;
        bool isAt = false;
        for (std::size_t k = 0; k < std::size(kSeparators); ++k) {
            if (first || (next[k] != std::string_view::npos && next[k] < at))
                next[k] = text.substr(0, end).find(kSeparators[k], at);
            if (next[k] != std::string_view::npos && next[k] < cut) {
                cut = next[k];
                width = kSeparators[k].size();
            }
        }
        first = false;
        for (const std::string_view word : kAtWords) {
            const std::string lowered = Folded(text.substr(at, cut - at));
            const std::size_t found = lowered.find(word);
            // Folding can change lengths; only where it did not is the place exact.
            if (found != std::string::npos && lowered.size() == cut - at && at + found < cut) {
                cut = at + found;
                width = word.size();
                isAt = true;
            }
        }
        Piece piece = base;
        piece.begin = at;
        piece.end = cut;
        piece.afterAt = afterAt;
        piece.afterComma = afterComma;
        // "Motorola Solutions, Inc." is one name.
        std::string alone = Folded(TrimmedOfPunctuation(text.substr(at, cut - at)));
        while (!alone.empty() && alone.back() == '.')
            alone.pop_back();
        // A state's code ("Boulder, CO") is no "Co.".
        const bool state = TrimmedOfPunctuation(text.substr(at, cut - at)) == "CO";
        if (afterComma && !pieces.empty() && pieces.back().line == base.line && IsLegalForm(alone) && !state)
            pieces.back().end = cut;
        else
            pieces.push_back(piece);
        afterAt = isAt;
        afterComma = cut < end && text[cut] == ',';
        at = cut + width;
    }
}

bool IsPlace(std::string_view piece, const std::vector<std::string>& locations) {
    const std::string folded = Folded(piece);
    if (IsPlaceName(folded))
        return true;
    for (const std::string& location : locations) {
        if (folded == Folded(location))
            return true;
    }
    const std::vector<WordSpan> words = LetterWords(piece);
    bool named = false;
    const bool places = std::all_of(words.begin(), words.end(), [&](const WordSpan& word) {
        const std::string_view written = piece.substr(word.begin, word.end - word.begin);
        const std::string foldedWord = Folded(written);
        // "Bengaluru Area", "Greater London": a place with a word that says it is one.
        for (const std::string_view around :
             {"area", "region", "metropolitan", "greater", "metro", "district"}) {
            if (foldedWord == around)
                return true;
        }
        // A state's code ("CA", "NY") or a place of one word.
        const bool place =
            IsPlaceName(foldedWord) || (written.size() == 2 && IsUpper(DecodeAt(written, 0).value) &&
                                        IsUpper(DecodeAt(written, 1).value) && words.size() <= 2);
        named = named || place;
        return place;
    });
    return !words.empty() && places && named;
}

// How much a piece looks like the employer's name; below zero it is none.
// Whether a piece ends in a legal form: its last word as written ("A/S", "S.p.A.", "Ltd.").
bool EndsInLegalForm(std::string_view written) {
    const std::size_t blank = written.find_last_of(' ');
    if (blank == std::string_view::npos)
        return false;
    if (TrimmedOfPunctuation(written.substr(blank + 1)) == "CO")
        return false; // Colorado, not a company
    std::string last = Folded(TrimmedOfPunctuation(written.substr(blank + 1)));
    while (!last.empty() && last.back() == '.')
        last.pop_back();
    return IsLegalForm(last) || written.find("Pvt") != std::string_view::npos ||
           written.find("GmbH") != std::string_view::npos;
}

// How much a piece looks like the employer's name; below zero it is none. `title` tells a job
// title: more words of titles than of firms, a title's word last ("Technology Lead") or first
// before "of" ("Director of Engineering").
int Score(std::string_view text, const Piece& piece, const std::vector<std::string>& locations, bool& title) {
    title = false;
    const std::string_view written = TrimmedOfPunctuation(text.substr(piece.begin, piece.end - piece.begin));
    const std::vector<WordSpan> words = LetterWords(written);
    if (words.empty() || words.size() > 7 || written.size() > 80)
        return -1;
    if (!RangesIn(written, 0, written.size()).empty() || MeansPresent(Folded(written)))
        return -1;
    std::size_t ignored = 0;
    if (IsPlace(written, locations) || LabelOf(written, ignored) != Label::None)
        return -1;
    const bool legal = EndsInLegalForm(written);
    int jobWords = 0;
    int firmWords = 0;
    bool lastJob = false;
    bool firstJobOf = false;
    bool capitalised = true;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = written.substr(words[i].begin, words[i].end - words[i].begin);
        std::string folded = Folded(word);
        if (!folded.empty() && folded.back() == '.')
            folded.pop_back();
        const bool job = IsJobWord(folded);
        const bool firm = IsOrganizationWord(folded);
        jobWords += job ? 1 : 0;
        firmWords += firm ? 1 : 0;
        lastJob = job && !firm;
        if (i == 1 && (folded == "of" || folded == "for") &&
            IsJobWord(Folded(written.substr(words[0].begin, words[0].end - words[0].begin))))
            firstJobOf = true;
        if (!IsUpper(DecodeAt(word, 0).value) && !IsNameParticle(folded) && folded != "of" &&
            folded != "and" && folded != "fur" && folded != "the" && folded != "und" && folded != "et")
            capitalised = false;
    }
    // A department alone ("Engineering") is no firm either.
    if (!legal && (jobWords > firmWords || (jobWords > 0 && lastJob) || firstJobOf ||
                   (words.size() == 1 && jobWords > 0))) {
        title = true;
        return -1;
    }
    if (!capitalised && !piece.labelled && !legal)
        return -1;
    int score = 2;
    score += piece.labelled ? 6 : 0;
    score += piece.afterAt ? 4 : 0;
    score += legal ? 4 : firmWords > 0 ? 3 : 0;
    score += piece.sameLine ? 1 : 0;
    return score;
}

// The position the candidate holds now, or held last: open first, then the latest end, then
// the latest start; the first written of equals.
const Position* LatestPosition(const std::vector<Position>& positions) {
    const Position* latest = nullptr;
    for (const Position& position : positions) {
        if (!latest) {
            latest = &position;
            continue;
        }
        const auto key = [](const Position& p) {
            return std::make_tuple(p.open ? 1 : 0, p.open ? 0 : p.end.value_or(0), p.start);
        };
        if (key(position) > key(*latest))
            latest = &position;
    }
    return latest;
}

} // namespace

std::optional<Found> ProposeOrganization(const ResumeText& text, const std::vector<Position>& positions,
                                         const std::vector<std::string>& locations) {
    const Position* latest = LatestPosition(positions);
    if (!latest)
        return std::nullopt;
    const std::vector<TextLine>& lines = text.Lines();
    const auto dated = [&](std::size_t index) {
        return std::any_of(positions.begin(), positions.end(),
                           [&](const Position& p) { return p.line == index; });
    };
    // An entry's head stands before its dates or after them, the same way in every entry: the
    // first entry tells which, by what stands between the heading and its dates.
    std::size_t firstDated = positions.front().line;
    bool headBefore = firstDated > 0 && lines[firstDated - 1].section == lines[firstDated].section &&
                      !lines[firstDated - 1].heading && lines[firstDated - 1].row != lines[firstDated].row;
    std::vector<std::size_t> head{latest->line};
    const auto gather = [&](int step) {
        for (int k = 1; k <= 3; ++k) {
            const long index = static_cast<long>(latest->line) + step * k;
            if (index < 0 || index >= static_cast<long>(lines.size()))
                break;
            const auto i = static_cast<std::size_t>(index);
            if (lines[i].section != lines[latest->line].section || dated(i) || !HeadLike(text, i))
                break;
            if (std::find(head.begin(), head.end(), i) == head.end())
                head.push_back(i);
        }
    };
    // Lines beside the dates on the same row belong to the entry whatever the order.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != latest->line && lines[i].row == lines[latest->line].row &&
            lines[i].section == lines[latest->line].section)
            head.push_back(i);
    }
    const std::size_t beside = head.size();
    gather(headBefore ? -1 : 1);
    if (head.size() == beside)
        gather(headBefore ? 1 : -1);

    std::vector<Piece> pieces;
    bool titledByLabel = false;
    const std::string_view all = text.Text();
    for (const std::size_t index : head) {
        const TextLine& line = lines[index];
        std::string_view lineText = text.LineText(line);
        Piece base;
        base.line = index;
        base.sameLine = index == latest->line || line.row == lines[latest->line].row;
        std::size_t value = 0;
        const Label label = LabelOf(lineText, value);
        if (label == Label::Description || (label != Label::None && value >= lineText.size()))
            continue; // a label alone names the next piece
        // The line after a label of its own ("Employer" | "Acme Ltd" in a table's row).
        std::size_t before = 0;
        base.labelled = label == Label::Employer ||
                        (label == Label::None && index > 0 &&
                         LabelOf(text.LineText(lines[index - 1]), before) == Label::Employer &&
                         before >= text.LineText(lines[index - 1]).size());
        std::size_t begin = line.offset + (label == Label::None ? 0 : value);
        const std::size_t end = line.offset + std::min<std::size_t>(line.length, 1024); // a head is short
        const std::size_t first = pieces.size();
        // The dates themselves are cut out.
        for (const DateRange& range : RangesIn(all, begin, end)) {
            if (range.offset > begin)
                CutInto(all, begin, range.offset, base, pieces);
            begin = range.offset + range.length;
        }
        if (begin < end)
            CutInto(all, begin, end, base, pieces);
        if (label == Label::Entry) {
            // A title's, a place's line: its pieces are no employer, but tell the entry's shape.
            titledByLabel = true;
            pieces.resize(first);
        }
    }
    int best = -1;
    const Piece* chosen = nullptr;
    bool titled = titledByLabel;
    for (const Piece& piece : pieces) {
        bool title = false;
        const int score = Score(all, piece, locations, title);
        titled = titled || title;
        if (score > best) { // of equals, the first
            best = score;
            chosen = &piece;
        }
    }
    if (!chosen || best < 2)
        return std::nullopt;
    // Sure when the piece says it is an employer; else when the entry has a job title beside it
    // and it is the first of the pieces left ("Engineer, Workday, Dublin"; "Genpact — Lead, SAP").
    const bool sure = best >= 5 || titled;
    if (!sure)
        return std::nullopt;
    const std::string_view written =
        TrimmedOfPunctuation(all.substr(chosen->begin, chosen->end - chosen->begin));
    const std::size_t offset = static_cast<std::size_t>(written.data() - all.data());
    return Found{Tidied(written), {offset, written.size()}, chosen->line};
}
