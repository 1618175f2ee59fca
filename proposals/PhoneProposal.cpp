#include "proposals/Proposers.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 30> kPhoneLabels{
    "phone",       "tel",           "telephone", "mobile",   "mob",     "cell",
    "cellphone",   "contact",       "ph",        "m",        "t",       "telefon",
    "handy",       "mobil",         "telefono",  "movil",    "celular", "cellulare",
    "telefoon",    "mobiel",        "puhelin",   "portable", "gsm",     "whatsapp",
    "mobilnummer", "telefonnummer", "cel",       "tfn",      "tlf",     "no"};

bool RunChar(char c) {
    return IsDigit(c) || c == ' ' || c == '-' || c == '.' || c == '(' || c == ')' || c == '/' || c == '\x1f';
}

bool IsYear(std::string_view digits) {
    if (digits.size() != 4)
        return false;
    const int year = std::stoi(std::string(digits));
    return year >= 1950 && year <= 2099;
}

// Runs of digits of a number: a date ("03/2016 - 11/2020", "2015 - 2019", "01.03.2016") is
// years and groups of one or two digits only.
bool LooksLikeDates(std::string_view run) {
    bool year = false;
    for (std::size_t at = 0; at < run.size();) {
        if (!IsDigit(run[at])) {
            ++at;
            continue;
        }
        const std::size_t begin = at;
        while (at < run.size() && IsDigit(run[at]))
            ++at;
        const std::string_view group = run.substr(begin, at - begin);
        if (IsYear(group))
            year = true;
        else if (group.size() > 2)
            return false;
    }
    return year;
}

std::size_t Digits(std::string_view run) {
    return static_cast<std::size_t>(std::count_if(run.begin(), run.end(), [](char c) { return IsDigit(c); }));
}

// Whether the words just before `at` on the line name a telephone ("Tel.:", "Mobile -", "☎").
bool Labelled(std::string_view line, std::size_t at) {
    // The label stands within a few words before the number.
    std::size_t from = at > 48 ? at - 48 : 0;
    while (from > 0 && from < at && (static_cast<unsigned char>(line[from]) & 0xC0) == 0x80)
        --from;
    std::string_view before = TrimmedOfPunctuation(line.substr(from, at - from));
    if (before.empty())
        return false;
    for (const std::string_view mark :
         {"\xe2\x98\x8e", "\xf0\x9f\x93\x9e", "\xf0\x9f\x93\xb1", "\xe2\x9c\x86"}) {
        if (before.size() >= mark.size() && before.substr(before.size() - mark.size()) == mark)
            return true;
    }
    const std::vector<WordSpan> words = LetterWords(before);
    for (std::size_t back = 0; back < 3 && back < words.size(); ++back) {
        const WordSpan word = words[words.size() - 1 - back];
        std::string folded = Folded(before.substr(word.begin, word.end - word.begin));
        if (!folded.empty() && folded.back() == '.')
            folded.pop_back();
        if (std::find(kPhoneLabels.begin(), kPhoneLabels.end(), folded) != kPhoneLabels.end())
            return true;
    }
    return false;
}

struct Number {
    std::size_t begin;
    std::size_t end;
    bool labelled;
};

std::vector<Number> NumbersOn(std::string_view line) {
    std::vector<Number> numbers;
    std::size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        const bool starts = c == '+' || c == '(' || IsDigit(c);
        // A number inside a word, an address or an identifier ("ID4711", "/in/anna-12345") is none.
        const auto joins = [&](std::size_t i) {
            return IsLetter(DecodeAt(line, i).value) || IsDigit(line[i]);
        };
        const bool glued =
            at > 0 &&
            (joins(at - 1) || (std::string_view("/_=#-").find(line[at - 1]) != std::string_view::npos &&
                               at > 1 && joins(at - 2)));
        if (!starts || glued) {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < line.size() && RunChar(line[end])) {
            // " / " and a run of blanks part two numbers written side by side.
            if (line[end] == '/' && end > 0 && line[end - 1] == ' ')
                break;
            if (line[end] == ' ' && end + 1 < line.size() && line[end + 1] == ' ')
                break;
            ++end;
        }
        std::string_view run = line.substr(at, end - at);
        while (!run.empty() && !IsDigit(run.back()) && run.back() != ')')
            run.remove_suffix(1);
        const bool letterAfter =
            at + run.size() < line.size() && IsLetter(DecodeAt(line, at + run.size()).value);
        if (!letterAfter && !run.empty())
            numbers.push_back({at, at + run.size(), Labelled(line, at)});
        at = end;
    }
    return numbers;
}

bool Plausible(std::string_view run, bool labelled) {
    const std::size_t digits = Digits(run);
    if (digits > 15 || LooksLikeDates(run))
        return false;
    if (std::count(run.begin(), run.end(), '(') != std::count(run.begin(), run.end(), ')'))
        return false;
    if (labelled)
        return digits >= 7;
    const bool marked = run.front() == '+' || run.front() == '(' || run.front() == '0';
    return digits >= (marked ? 8 : 9);
}

} // namespace

std::optional<Found> ProposePhone(const ResumeText& text) {
    std::optional<Found> elsewhere;
    for (std::size_t index = 0; index < text.Lines().size(); ++index) {
        const TextLine& line = text.Lines()[index];
        const bool contact = InContactPart(line);
        if (!contact && (elsewhere || line.section == Section::Experience ||
                         line.section == Section::References || line.section == Section::Education))
            continue;
        const std::string_view lineText = text.LineText(line);
        if (!HasDigit(lineText))
            continue;
        int someoneElse = -1; // not yet asked
        for (const Number& number : NumbersOn(lineText)) {
            const std::string_view run = lineText.substr(number.begin, number.end - number.begin);
            if (!Plausible(run, number.labelled) ||
                (someoneElse < 0 && (someoneElse = AboutSomeoneElse(text, index))) || someoneElse > 0)
                continue;
            Found found{Tidied(run), {line.offset + number.begin, run.size()}, index};
            if (contact)
                return found;
            // Further down only a number that says what it is.
            if (number.labelled && !elsewhere)
                elsewhere = found;
        }
    }
    return elsewhere;
}
