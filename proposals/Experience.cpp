#include "proposals/DateRanges.h"
#include "proposals/Proposers.h"
#include "proposals/TextScan.h"
#include "store/Vocabulary.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kLongestCareer = 50 * 12;

const std::unordered_set<std::string_view> kEducationWords{
    "university", "universitat", "universite",    "universidad", "universita", "college",
    "school",     "institute",   "degree",        "bachelor",    "master",     "diploma",
    "graduated",  "graduation",  "studied",       "studium",     "hochschule", "fachhochschule",
    "gymnasium",  "abitur",      "matriculation", "hsc",         "ssc",        "cbse",
    "gpa",        "cgpa",        "b.tech",        "m.tech",      "b.e",        "b.sc",
    "m.sc",       "mba",         "phd",           "ph.d",        "thesis",     "percentage",
    "grade"};

bool SpeaksOfStudies(const ResumeText& text, std::size_t index) {
    const std::string_view line = text.LineText(text.Lines()[index]);
    for (const WordSpan& word : LetterWords(line)) {
        if (kEducationWords.count(Folded(line.substr(word.begin, word.end - word.begin))))
            return true;
    }
    return false;
}

// The lines whose periods are positions: the experience section's, or where a resume has no such
// heading, the dated lines of its head and summary that do not speak of studies (nor do their
// neighbours).
std::vector<std::size_t> ExperienceLines(const ResumeText& text) {
    const std::vector<TextLine>& lines = text.Lines();
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].section == Section::Experience && !lines[i].heading)
            chosen.push_back(i);
    }
    if (!chosen.empty())
        return chosen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Section section = lines[i].section;
        if ((section != Section::Header && section != Section::Summary) || lines[i].heading ||
            !HasDigit(text.LineText(lines[i])) || SpeaksOfStudies(text, i) ||
            (i > 0 && SpeaksOfStudies(text, i - 1)) || (i + 1 < lines.size() && SpeaksOfStudies(text, i + 1)))
            continue;
        chosen.push_back(i);
    }
    return chosen;
}

// A statement of the time worked: "8+ years of experience", "10 Jahre Berufserfahrung",
// "Total experience: 7 years 4 months".
const std::unordered_set<std::string_view> kYearWords{"years", "year", "yrs",    "yr",     "jahre", "jahren",
                                                      "jahr",  "ans",  "annees", "anos",   "anni",  "jaar",
                                                      "jaren", "ar",   "lat",    "vuotta", "y"};
const std::unordered_set<std::string_view> kMonthWords{"months", "month",   "mos",     "mo",
                                                       "monate", "monaten", "mois",    "meses",
                                                       "mesi",   "maanden", "manader", "miesiecy"};
const std::unordered_set<std::string_view> kExperienceWords{
    "experience", "exp",          "erfahrung",  "berufserfahrung", "experiencia",   "esperienza",
    "ervaring",   "werkervaring", "erfarenhet", "erfaring",        "doswiadczenia", "kokemusta",
    "praxis",     "berufspraxis", "expertise",  "industry",        "professional"};
const std::unordered_set<std::string_view> kMoreWords{"over", "above", "plus", "uber", "oltre", "ruim",
                                                      "mehr", "more",  "mas",  "meer", "beyond"};
const std::unordered_set<std::string_view> kFewerWords{"nearly", "almost", "knapp", "fast",  "presque",
                                                       "casi",   "quasi",  "bijna", "nahezu"};
const std::unordered_map<std::string_view, int> kNumberWords{
    {"one", 1},      {"two", 2},        {"three", 3},     {"four", 4},      {"five", 5},
    {"six", 6},      {"seven", 7},      {"eight", 8},     {"nine", 9},      {"ten", 10},
    {"eleven", 11},  {"twelve", 12},    {"thirteen", 13}, {"fourteen", 14}, {"fifteen", 15},
    {"sixteen", 16}, {"seventeen", 17}, {"eighteen", 18}, {"nineteen", 19}, {"twenty", 20}};

struct Word {
    std::string text; // folded; a number keeps its digits, "+" and decimal point
    bool number = false;
    double value = 0;
};

std::vector<Word> StatementWords(std::string_view folded) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < folded.size()) {
        const char c = folded[at];
        if (IsDigit(c)) {
            std::size_t stop = at;
            while (stop < folded.size() &&
                   (IsDigit(folded[stop]) ||
                    ((folded[stop] == '.' || folded[stop] == ',') && stop + 1 < folded.size() &&
                     IsDigit(folded[stop + 1]) && stop > at)))
                ++stop;
            std::string digits(folded.substr(at, stop - at));
            std::replace(digits.begin(), digits.end(), ',', '.');
            const double value = digits.size() <= 6 ? std::atof(digits.c_str()) : 1e9;
            words.push_back({digits, true, value});
            at = stop;
        } else if (c == '+') {
            words.push_back({"+"});
            ++at;
        } else if ((c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80) {
            std::size_t stop = at;
            while (stop < folded.size() && ((folded[stop] >= 'a' && folded[stop] <= 'z') ||
                                            static_cast<unsigned char>(folded[stop]) >= 0x80))
                ++stop;
            Word word{std::string(folded.substr(at, stop - at))};
            if (const auto spelled = kNumberWords.find(word.text); spelled != kNumberWords.end()) {
                word.number = true;
                word.value = spelled->second;
            }
            words.push_back(std::move(word));
            at = stop;
        } else {
            if (c == ':')
                words.push_back({":"});
            ++at;
        }
    }
    return words;
}

// The years a line states, or nothing.
std::optional<double> StatedYears(std::string_view line, bool labelledOnly) {
    if (labelledOnly && line.find(':') == std::string_view::npos)
        return std::nullopt;
    const std::vector<Word> words = StatementWords(Folded(line));
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!words[i].number || i + 1 >= words.size())
            continue;
        std::size_t k = i + 1;
        double years = words[i].value;
        if (words[k].text == "+" || words[k].text == "plus") {
            years += 0.25;
            ++k;
        }
        if (k >= words.size() || !kYearWords.count(words[k].text))
            continue;
        ++k;
        if (k < words.size() && (words[k].text == "old" || words[k].text == "alt"))
            continue;
        if (k + 1 < words.size() && words[k].text == "and")
            ++k;
        if (k + 1 < words.size() && words[k].number && kMonthWords.count(words[k + 1].text)) {
            years += words[k].value / 12.0;
            k += 2;
        }
        for (std::size_t back = 1; back <= 2 && back <= i; ++back) {
            if (kMoreWords.count(words[i - back].text))
                years += 0.25;
            else if (kFewerWords.count(words[i - back].text))
                years -= 0.25;
        }
        // Said of experience: "years of experience" after, or "Experience:" before.
        bool said = false;
        for (std::size_t j = k; j < words.size() && j < k + 5 && !labelledOnly; ++j)
            said = said || kExperienceWords.count(words[j].text) > 0;
        for (std::size_t j = 0; j < i; ++j)
            said = said || (kExperienceWords.count(words[j].text) && j + 1 < words.size() &&
                            words[j + 1].text == ":");
        if (said && years >= 0 && years <= 50)
            return years;
    }
    return std::nullopt;
}

struct Statement {
    double years;
    std::size_t line;
};

std::optional<Statement> StatedExperience(const ResumeText& text) {
    const std::vector<TextLine>& lines = text.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = text.LineText(lines[i]);
        if (!HasDigit(line) && line.find("year") == std::string_view::npos)
            continue;
        const bool opening = InContactPart(lines[i]) || lines[i].section == Section::Summary;
        if (const std::optional<double> years = StatedYears(line, !opening))
            return Statement{*years, i};
    }
    return std::nullopt;
}

} // namespace

std::string_view BandOf(double years) {
    ExperienceBand band = ExperienceBand::MoreThanFifteen;
    if (years < 1)
        band = ExperienceBand::ZeroToOne;
    else if (years <= 2)
        band = ExperienceBand::OneToTwo;
    else if (years <= 5)
        band = ExperienceBand::TwoToFive;
    else if (years <= 7)
        band = ExperienceBand::FiveToSeven;
    else if (years <= 10)
        band = ExperienceBand::SevenToTen;
    else if (years <= 15)
        band = ExperienceBand::TenToFifteen;
    return ExperienceBandText(band);
}

std::vector<Position> ExperiencePositions(const ResumeText& text, std::optional<int> today) {
    std::vector<Position> positions;
    const std::vector<TextLine>& lines = text.Lines();
    const std::vector<std::size_t> chosen = ExperienceLines(text);
    for (std::size_t at = 0; at < chosen.size();) {
        // A table's row is read whole, so that its cells From and To make one period.
        std::size_t last = at;
        while (last + 1 < chosen.size() && chosen[last + 1] == chosen[last] + 1 &&
               lines[chosen[last + 1]].row == lines[chosen[at]].row)
            ++last;
        const TextLine& first = lines[chosen[at]];
        const TextLine& final = lines[chosen[last]];
        const std::size_t after = chosen[last] + 1;
        at = last + 1;
        if (!HasDigit(text.Text().substr(first.offset, final.offset + final.length - first.offset)))
            continue;
        std::optional<std::pair<std::size_t, std::size_t>> next;
        if (after < lines.size() && lines[after].section == first.section)
            next = std::pair{lines[after].offset, lines[after].offset + lines[after].length};
        for (const DateRange& range :
             RangesIn(text.Text(), first.offset, final.offset + final.length, next)) {
            std::size_t index = text.LineAt(range.offset);
            if (index >= lines.size())
                index = chosen[last];
            Position position;
            position.line = index;
            position.span = {range.offset, range.length};
            // A year alone counts from its start: "2015 – 2019" is four years, as a reader counts it.
            position.start = range.start;
            position.open = !range.end;
            if (range.end)
                position.end = *range.end - (range.endYearOnly ? 1 : 0);
            else
                position.end = today;
            if (range.startYearOnly && range.endYearOnly && range.end && *range.end == range.start)
                position.end = range.start + 5; // one year's dates only: half a year
            if (today && position.start > *today)
                continue; // lies in the future
            if (today && position.end && *position.end > *today)
                position.end = today;
            if (position.end &&
                (*position.end < position.start || *position.end - position.start > kLongestCareer))
                continue;
            positions.push_back(position);
        }
    }
    return positions;
}

std::optional<Found> ProposeExperienceBand(const ResumeText& text, const std::vector<Position>& positions) {
    std::optional<double> ranged;
    if (!positions.empty() &&
        std::all_of(positions.begin(), positions.end(), [](const Position& p) { return p.end; })) {
        std::vector<std::pair<int, int>> spans;
        for (const Position& position : positions)
            spans.emplace_back(position.start, *position.end);
        std::sort(spans.begin(), spans.end());
        // Overlapping periods count once.
        int months = 0;
        int coveredTo = spans.front().first - 1;
        for (const auto& [start, end] : spans) {
            const int from = std::max(start, coveredTo + 1);
            if (end >= from)
                months += end - from + 1;
            coveredTo = std::max(coveredTo, end);
        }
        if (months <= kLongestCareer)
            ranged = months / 12.0;
    }
    const std::optional<Statement> stated = StatedExperience(text);
    const auto found = [&](std::string_view band, TextSpan span, std::size_t line) {
        return Found{std::string(band), span, line};
    };
    if (ranged) {
        std::size_t first = positions.front().span.offset;
        std::size_t last = first;
        for (const Position& position : positions) {
            first = std::min(first, position.span.offset);
            last = std::max(last, position.span.offset + position.span.length);
        }
        const std::string_view band = BandOf(*ranged);
        // A statement that disagrees makes the band doubtful.
        if (stated && BandOf(stated->years) != band)
            return std::nullopt;
        return found(band, {first, last - first}, positions.front().line);
    }
    if (stated) {
        const TextLine& line = text.Lines()[stated->line];
        return found(BandOf(stated->years), {line.offset, line.length}, stated->line);
    }
    return std::nullopt;
}
