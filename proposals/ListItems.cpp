#include "proposals/ImpliedItems.h"
#include "proposals/Proposers.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

// Where the words of the text stand: one place per word, a joined word's parts at its place.
class WordPlaces {
public:
    explicit WordPlaces(const ResumeText& text) {
        // Words and lines both in text order: one sweep finds each word's line.
        std::vector<std::size_t> byOffset(text.Lines().size());
        for (std::size_t i = 0; i < byOffset.size(); ++i)
            byOffset[i] = i;
        std::sort(byOffset.begin(), byOffset.end(), [&](std::size_t a, std::size_t b) {
            return text.Lines()[a].offset < text.Lines()[b].offset;
        });
        std::size_t next = 0;
        std::size_t line = text.Lines().size();
        for (const KeywordWord& word : text.Words()) {
            const auto start = static_cast<std::size_t>(word.start);
            while (next < byOffset.size() && text.Lines()[byOffset[next]].offset <= start)
                line = byOffset[next++];
            if (!word.samePlace || m_places.empty()) {
                const bool inside = line < text.Lines().size() &&
                                    start < text.Lines()[line].offset + text.Lines()[line].length;
                m_places.push_back(
                    {start, static_cast<std::size_t>(word.end), inside ? line : text.Lines().size()});
            }
            m_index[word.text].push_back(m_places.size() - 1);
        }
    }

    struct Match {
        std::size_t begin; // bytes
        std::size_t end;
        std::size_t line;
    };

    // Where the words of `phrase` stand one after the other on one line.
    std::vector<Match> Find(const std::vector<std::string>& phrase) const {
        std::vector<Match> matches;
        if (phrase.empty())
            return matches;
        const auto first = m_index.find(phrase.front());
        if (first == m_index.end())
            return matches;
        for (const std::size_t place : first->second) {
            bool whole = place + phrase.size() <= m_places.size();
            for (std::size_t k = 1; whole && k < phrase.size(); ++k)
                whole = At(phrase[k], place + k) && m_places[place + k].line == m_places[place].line;
            if (whole)
                matches.push_back(
                    {m_places[place].begin, m_places[place + phrase.size() - 1].end, m_places[place].line});
        }
        return matches;
    }

    bool OnLine(const std::vector<std::string>& phrase, std::size_t line) const {
        const std::vector<Match> matches = Find(phrase);
        return std::any_of(matches.begin(), matches.end(), [&](const Match& m) { return m.line == line; });
    }

private:
    bool At(const std::string& word, std::size_t place) const {
        const auto found = m_index.find(word);
        return found != m_index.end() &&
               std::binary_search(found->second.begin(), found->second.end(), place);
    }

    struct Place {
        std::size_t begin;
        std::size_t end;
        std::size_t line;
    };
    std::vector<Place> m_places;
    std::unordered_map<std::string, std::vector<std::size_t>> m_index;
};

// A phrase's words under the keyword rules, split once per phrase and kept.
const std::vector<std::string>& PhraseWords(std::string_view phrase) {
    thread_local std::unordered_map<std::string, std::vector<std::string>> split;
    const std::string key(phrase);
    if (const auto found = split.find(key); found != split.end())
        return found->second;
    std::vector<std::string> words;
    for (KeywordWord& word : SplitKeywordWords(phrase, WordUse::Query))
        words.push_back(std::move(word.text));
    // Bounded: the forms are fixed, only the bank's own items come and go.
    if (split.size() > 4096)
        split.clear();
    return split.emplace(key, std::move(words)).first->second;
}

// The forms of a list by the item they stand for, compared as ComparableItem spells them.
const std::unordered_multimap<std::string, const ImpliedForm*>& FormsByItem(ListKind kind) {
    static const auto index = [] {
        std::array<std::unordered_multimap<std::string, const ImpliedForm*>, 3> byKind;
        for (const ListKind each :
             {ListKind::Qualifications, ListKind::Specializations, ListKind::Locations}) {
            for (const ImpliedForm& form : ImpliedForms(each))
                byKind[static_cast<std::size_t>(each)].emplace(ComparableItem(form.item), &form);
        }
        return byKind;
    }();
    return index[static_cast<std::size_t>(kind)];
}

constexpr std::string_view kPreferenceCues[] = {
    "preferred location",      "location preference", "preferred locations",
    "location preferences",    "willing to relocate", "open to relocation",
    "open to relocate",        "ready to relocate",   "relocation",
    "preferred cities",        "preferred city",      "job location",
    "preferred work location", "desired location",    "relocate"};

bool NamesPreference(std::string_view line) {
    const std::string folded = Folded(line);
    return std::any_of(std::begin(kPreferenceCues), std::end(kPreferenceCues),
                       [&](std::string_view cue) { return folded.find(cue) != std::string::npos; });
}

// Where the resume says where the candidate wants to work: a line naming the preference, or the
// lines under one that is only its label ("Location Preference" / "Delhi NCR, Gurugram").
bool SaysWhereToWorkOn(const ResumeText& text, std::size_t line) {
    const auto lineText = [&](std::size_t index) { return text.LineText(text.Lines()[index]); };
    if (NamesPreference(lineText(line)))
        return true;
    for (std::size_t back = 1; back <= 2 && back <= line; ++back) {
        const std::string_view label = lineText(line - back);
        const std::string alone = Folded(TrimmedOfPunctuation(label));
        if (std::find(std::begin(kPreferenceCues), std::end(kPreferenceCues), alone) !=
            std::end(kPreferenceCues))
            return true;
        if (text.Lines()[line - back].heading)
            break;
    }
    return false;
}

constexpr std::string_view kSkillLabels[] = {
    "skills",    "technologies", "environment", "tools",      "tech stack",       "technology", "stack",
    "platforms", "languages",    "frameworks",  "key skills", "technical skills", "software",   "databases"};

bool SkillLabelled(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon > 30)
        return false;
    const std::string label = Folded(Trimmed(line.substr(0, colon)));
    return std::any_of(std::begin(kSkillLabels), std::end(kSkillLabels), [&](std::string_view known) {
        return label == known || label.find(known) != std::string::npos;
    });
}

bool HasSection(const ResumeText& text, Section section) {
    const auto& lines = text.Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const TextLine& line) { return line.heading && line.section == section; });
}

// Where a list's items are written: degrees in the education and the head, skills in the skill
// lists, the head and the job titles, places in the address and where the resume says where it
// wants to work.
class Regions {
public:
    Regions(const ResumeText& text, ListKind kind)
        : m_text(text), m_kind(kind), m_education(HasSection(text, Section::Education)),
          m_skills(HasSection(text, Section::Skills)) {}

    bool Allows(std::size_t index, bool preferenceOnly) const {
        if (index >= m_text.Lines().size())
            return false;
        const TextLine& line = m_text.Lines()[index];
        const Section section = line.section;
        if (section == Section::References)
            return false;
        const bool preference = SaysWhereToWork(index);
        if (preferenceOnly)
            return preference;
        switch (m_kind) {
        case ListKind::Qualifications:
            if (StillStudying(index))
                return false;
            if (!m_education)
                return true;
            return section == Section::Education || section == Section::Header ||
                   section == Section::Contact || section == Section::Summary || section == Section::Other;
        case ListKind::Specializations:
            if (section == Section::Education || section == Section::Languages)
                return false;
            if (!m_skills)
                return true;
            if (section == Section::Skills || section == Section::Header || section == Section::Summary)
                return true;
            return SkillLabelled(m_text.LineText(line)) ||
                   (section == Section::Experience && IsTitleLine(line));
        case ListKind::Locations:
            return preference || section == Section::Contact || (section == Section::Header && line.row < 16);
        }
        return false;
    }

private:
    // A degree not held yet: "BSc (expected 2025)", "pursuing M.Tech", "PhD candidate".
    bool StillStudying(std::size_t index) const {
        const std::string line = Folded(m_text.LineText(m_text.Lines()[index]));
        for (const std::string_view word :
             {"expected", "pursuing", "in progress", "ongoing", "currently enrolled", "candidate",
              "voraussichtlich", "en cours", "laufend", "in corso"}) {
            if (line.find(word) != std::string::npos)
                return true;
        }
        return false;
    }

    // An entry's title ("Senior Java Developer"), not its description.
    bool IsTitleLine(const TextLine& line) const {
        const std::string_view text = Trimmed(m_text.LineText(line));
        return !text.empty() && !StartsWithBullet(text) && text.back() != '.' &&
               LetterWords(text).size() <= 8 && !HasDigit(text) && text.find(',') == std::string_view::npos;
    }

    bool SaysWhereToWork(std::size_t index) const {
        if (m_preference.empty())
            m_preference.assign(m_text.Lines().size(), -1);
        if (m_preference[index] < 0)
            m_preference[index] = SaysWhereToWorkOn(m_text, index) ? 1 : 0;
        return m_preference[index] == 1;
    }

    const ResumeText& m_text;
    mutable std::vector<signed char> m_preference;
    ListKind m_kind;
    bool m_education;
    bool m_skills;
};

} // namespace

std::vector<std::string> PickListItems(std::string_view list) {
    std::vector<std::string> items;
    std::size_t begin = 0;
    while (begin <= list.size()) {
        std::size_t comma = list.find(',', begin);
        if (comma == std::string_view::npos)
            comma = list.size();
        const std::string_view item = Trimmed(list.substr(begin, comma - begin));
        if (!item.empty())
            items.emplace_back(item);
        begin = comma + 1;
    }
    return items;
}

namespace {

std::vector<ProposedValue> ProposeItems(const ResumeText& text, const WordPlaces& places,
                                        const std::vector<std::string>& items, ListKind kind) {
    const Regions regions(text, kind);
    std::vector<ProposedValue> proposed;
    std::vector<std::string> taken;
    for (const std::string& item : items) {
        const std::string comparable = ComparableItem(item);
        // An item of one character says too little as a word ("C", "A") to be proposed.
        if (CodePointCount(comparable) <= 1 ||
            std::find(taken.begin(), taken.end(), comparable) != taken.end())
            continue;
        std::vector<ImpliedForm> forms{{item, item}};
        // "M.B.A." also as "MBA"; "B.E." not as the word "be".
        if (comparable.size() >= 3 &&
            comparable.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos &&
            item.find('.') != std::string::npos)
            forms.push_back({item, comparable});
        const auto [from, to] = FormsByItem(kind).equal_range(comparable);
        for (auto form = from; form != to; ++form)
            forms.push_back(*form->second);
        // Where the wordings that keep this item away stand.
        std::vector<WordPlaces::Match> around;
        for (const ExcludedWording& wording : ExcludedWordings()) {
            if (ComparableItem(wording.item) == comparable) {
                const std::vector<WordPlaces::Match> found = places.Find(PhraseWords(wording.phrase));
                around.insert(around.end(), found.begin(), found.end());
            }
        }
        std::optional<WordPlaces::Match> first;
        for (const ImpliedForm& form : forms) {
            for (const WordPlaces::Match& match : places.Find(PhraseWords(form.phrase))) {
                if (!regions.Allows(match.line, form.preferenceOnly))
                    continue;
                if (!form.also.empty() && !places.OnLine(PhraseWords(form.also), match.line))
                    continue;
                if (!form.unless.empty() && places.OnLine(PhraseWords(form.unless), match.line))
                    continue;
                const bool excluded =
                    std::any_of(around.begin(), around.end(), [&](const WordPlaces::Match& m) {
                        return m.begin <= match.begin && match.end <= m.end;
                    });
                if (excluded)
                    continue;
                if (!first || match.begin < first->begin)
                    first = match;
            }
        }
        if (first) {
            taken.push_back(comparable);
            proposed.push_back({item, {first->begin, first->end - first->begin}});
        }
    }
    return proposed;
}

} // namespace

ListProposals ProposeListItems(const ResumeText& text, const PickListTexts& lists) {
    const WordPlaces places(text);
    return {ProposeItems(text, places, lists.qualifications, ListKind::Qualifications),
            ProposeItems(text, places, lists.specializations, ListKind::Specializations),
            ProposeItems(text, places, lists.locations, ListKind::Locations)};
}
