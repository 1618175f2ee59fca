#include "proposals/Proposers.h"
#include "proposals/TextScan.h"
#include "proposals/WordLists.h"

#include <algorithm>

namespace {

constexpr std::size_t kLinesLookedAt = 60;
constexpr std::size_t kLongestName = 70;

constexpr std::string_view kNameLabels[] = {"name",
                                            "full name",
                                            "nom",
                                            "nom complet",
                                            "nom et prenom",
                                            "prenom et nom",
                                            "nombre",
                                            "nombre completo",
                                            "nome",
                                            "nome completo",
                                            "naam",
                                            "navn",
                                            "namn",
                                            "imie i nazwisko",
                                            "vor- und nachname",
                                            "vorname und name",
                                            "name, vorname",
                                            "candidate name",
                                            "candidate",
                                            "nachname, vorname",
                                            "vorname, name",
                                            "applicant"};

constexpr std::string_view kDocumentTitles[] = {"curriculum vitae", "resume",   "cv",       "lebenslauf",
                                                "biodata",          "bio-data", "bio data", "profile"};
constexpr std::string_view kTitleJoiners[] = {"of", "von", "de", "di", "van", "du", "for"};

struct Piece {
    std::size_t begin = 0; // in the line
    std::size_t end = 0;
};

std::string_view Of(std::string_view text, Piece piece) {
    return text.substr(piece.begin, piece.end - piece.begin);
}

// The piece of `text` from `begin` up to the first separator of a name from what follows it.
Piece FirstPart(std::string_view text, std::size_t begin) {
    std::size_t end = text.size();
    for (const std::string_view separator : {"|", ",", ";", " / ", " - ", " \xe2\x80\x93 ", " \xe2\x80\x94 ",
                                             "\xe2\x80\xa2", "\xc2\xb7", "(", "\t"}) {
        const std::size_t at = text.find(separator, begin);
        if (at != std::string_view::npos)
            end = std::min(end, at);
    }
    return {begin, end};
}

// The words of `text` within a piece, folded, with their byte ranges.
struct NameWord {
    WordSpan span;
    std::string folded;
};

std::vector<NameWord> WordsIn(std::string_view text, Piece piece) {
    std::vector<NameWord> words;
    for (const WordSpan& span : LetterWords(Of(text, piece))) {
        const WordSpan at{piece.begin + span.begin, piece.begin + span.end};
        words.push_back({at, Folded(text.substr(at.begin, at.end - at.begin))});
    }
    return words;
}

std::string Stripped(std::string folded) {
    if (!folded.empty() && folded.back() == '.')
        folded.pop_back();
    return folded;
}

// Titles before the name and degrees after it are no part of it ("Dr. Anna Berg, PhD").
Piece WithoutTitles(std::string_view text, Piece piece) {
    std::vector<NameWord> words = WordsIn(text, piece);
    std::size_t first = 0;
    while (first < words.size() && IsHonorific(words[first].folded))
        ++first;
    std::size_t last = words.size();
    while (last > first + 1 && IsCredential(words[last - 1].folded))
        --last;
    // A job title run on after the name ("Anna Berg Senior Developer") ends it.
    for (std::size_t i = first + 2; i < last; ++i) {
        if (IsJobWord(Stripped(words[i].folded))) {
            last = i;
            break;
        }
    }
    if (first >= last)
        return {piece.begin, piece.begin};
    return {words[first].span.begin, words[last - 1].span.end};
}

bool NameCharacters(std::string_view name) {
    for (std::size_t at = 0; at < name.size();) {
        const CodePoint point = DecodeAt(name, at);
        const char32_t c = point.value;
        if (!IsLetter(c) && c != ' ' && c != '-' && c != '\'' && c != 0x2019 && c != '.' && c != '\x1f')
            return false;
        at += point.size;
    }
    return true;
}

bool LooksLikeAName(std::string_view text, Piece piece) {
    const std::string_view name = Of(text, piece);
    if (name.empty() || name.size() > kLongestName || !NameCharacters(name))
        return false;
    Section section;
    if (HeadingSection(name, section))
        return false;
    const std::vector<NameWord> words = WordsIn(text, piece);
    if (words.size() < 2 || words.size() > 6)
        return false;
    std::size_t full = 0;
    std::size_t particles = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const NameWord& word = words[i];
        const std::string_view written = text.substr(word.span.begin, word.span.end - word.span.begin);
        const std::string bare = Stripped(word.folded);
        if (IsNameParticle(word.folded) && i > 0 && i + 1 < words.size()) {
            ++particles;
            continue;
        }
        if (!IsUpper(DecodeAt(written, 0).value))
            return false;
        // A legal form ends a firm's name ("Klarnö AB"); elsewhere the same letters may be a name.
        if (IsJobWord(bare) || IsOrganizationWord(bare) || (i + 1 == words.size() && IsLegalForm(bare)) ||
            IsResumeWord(bare) || IsPlaceName(bare))
            return false;
        const bool initial = written.find('.') != std::string_view::npos;
        full += initial ? 0 : 1;
    }
    if (full == 0 || words.size() - particles > 5)
        return false;
    // A place of two words ("New Delhi", "Tamil Nadu") is no name.
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (IsPlaceName(words[i].folded + " " + words[i + 1].folded))
            return false;
    }
    return true;
}

// The letters of a name's words, folded, that an address's local part may carry.
bool EmailCarries(const std::optional<Found>& email, std::string_view text, Piece piece) {
    if (!email)
        return false;
    std::string local = Folded(std::string_view(email->value).substr(0, email->value.find('@')));
    local.erase(std::remove_if(local.begin(), local.end(), [](char c) { return !(c >= 'a' && c <= 'z'); }),
                local.end());
    for (const NameWord& word : WordsIn(text, piece)) {
        std::string letters = word.folded;
        letters.erase(
            std::remove_if(letters.begin(), letters.end(), [](char c) { return !(c >= 'a' && c <= 'z'); }),
            letters.end());
        if (letters.size() >= 3 && !IsNameParticle(word.folded) && local.find(letters) != std::string::npos)
            return true;
    }
    return false;
}

// Where in a line the name starts: after a label ("Name:"), after a document title ("Resume of").
struct Start {
    std::size_t at = 0;
    bool labelled = false;
    bool labelOnly = false; // the line is a label, the name on the next
};

Start NameStart(std::string_view line) {
    const std::size_t colon = line.find(':');
    const std::string label = Folded(Trimmed(line.substr(0, colon)));
    for (const std::string_view known : kNameLabels) {
        if (label != known)
            continue;
        if (colon == std::string_view::npos)
            return {line.size(), true, true};
        const bool rest = !Trimmed(line.substr(colon + 1)).empty();
        return {colon + 1, true, !rest};
    }
    const std::vector<WordSpan> words = LetterWords(line);
    for (const std::string_view title : kDocumentTitles) {
        const std::string folded = Folded(line.substr(0, std::min(line.size(), title.size() + 8)));
        if (!StartsWithWord(folded, title) || words.empty())
            continue;
        const std::size_t titleWords =
            static_cast<std::size_t>(std::count(title.begin(), title.end(), ' ')) + 1;
        std::size_t next = titleWords;
        if (next < words.size()) {
            const std::string joiner =
                Folded(line.substr(words[next].begin, words[next].end - words[next].begin));
            if (std::find(std::begin(kTitleJoiners), std::end(kTitleJoiners), joiner) !=
                std::end(kTitleJoiners))
                ++next;
        }
        if (next < words.size() && next > 0)
            return {words[next].begin, false, false};
    }
    return {};
}

} // namespace

std::optional<Found> ProposeName(const ResumeText& text, const std::optional<Found>& email) {
    const std::vector<TextLine>& lines = text.Lines();
    std::vector<int> rows; // the rows with text, in order
    for (const TextLine& line : lines)
        rows.push_back(line.row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::size_t content = 0;
    std::optional<Found> best;
    int bestScore = 0;
    bool labelPending = false;
    for (std::size_t index = 0; index < lines.size() && index < kLinesLookedAt; ++index) {
        const TextLine& line = lines[index];
        const std::string_view lineText = text.LineText(line);
        const auto rowRank = std::lower_bound(rows.begin(), rows.end(), line.row) - rows.begin();
        if (line.heading)
            continue;
        const Start start = labelPending ? Start{0, true, false} : NameStart(lineText);
        labelPending = start.labelOnly;
        if (start.labelOnly)
            continue;
        const Piece piece = WithoutTitles(lineText, FirstPart(lineText, start.at));
        ++content;
        if (!LooksLikeAName(lineText, piece))
            continue;
        const bool carried = EmailCarries(email, lineText, piece);
        const bool early = InContactPart(line) && (rowRank <= 2 || content <= 3);
        if (!(start.labelled || carried || early))
            continue;
        if (!start.labelled && !InContactPart(line) && !carried)
            continue;
        const int score = (carried ? 200 : 0) + (start.labelled ? 100 : 0) + 100 - static_cast<int>(content);
        if (score > bestScore) {
            bestScore = score;
            best = Found{
                Tidied(Of(lineText, piece)), {line.offset + piece.begin, piece.end - piece.begin}, index};
        }
    }
    return best;
}
