#include "proposals/DateRanges.h"
#include "proposals/TextScan.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

// Each month's names and their short forms, folded: English, German, French, Spanish, Italian,
// Dutch, Portuguese, the Scandinavian languages, Polish (both cases in use) and Finnish.
constexpr std::string_view kMonthNames[12] = {
    "january,jan,januar,janner,jaen,janvier,janv,enero,ene,gennaio,gen,januari,janeiro,styczen,stycznia,"
    "tammikuu,tammikuuta",
    "february,feb,februar,fevrier,fevr,fev,febrero,febbraio,februari,fevereiro,luty,lutego,helmikuu,"
    "helmikuuta",
    "march,mar,marz,maerz,mrz,mars,marzo,maart,mrt,marco,marts,marzec,marca,maaliskuu,maaliskuuta",
    "april,apr,avril,avr,abril,abr,aprile,kwiecien,kwietnia,huhtikuu,huhtikuuta",
    "may,mai,mayo,maggio,mag,mei,maio,maj,maja,toukokuu,toukokuuta",
    "june,jun,juni,juin,junio,giugno,giu,junho,czerwiec,czerwca,kesakuu,kesakuuta",
    "july,jul,juli,juillet,juil,julio,luglio,lug,julho,lipiec,lipca,heinakuu,heinakuuta",
    "august,aug,aout,agosto,ago,augustus,augusti,sierpien,sierpnia,elokuu,elokuuta",
    "september,sep,sept,septembre,septiembre,setiembre,settembre,set,setembro,wrzesien,wrzesnia,syyskuu,"
    "syyskuuta",
    "october,oct,oktober,okt,octobre,octubre,ottobre,ott,outubro,out,pazdziernik,pazdziernika,lokakuu,"
    "lokakuuta",
    "november,nov,novembre,noviembre,novembro,listopad,listopada,marraskuu,marraskuuta",
    "december,dec,dezember,dez,decembre,diciembre,dic,dicembre,dezembro,desember,grudzien,grudnia,joulukuu,"
    "joulukuuta",
};

const std::unordered_map<std::string_view, int> kMonths = [] {
    std::unordered_map<std::string_view, int> months;
    for (int month = 0; month < 12; ++month) {
        const std::string_view names = kMonthNames[month];
        for (std::size_t begin = 0; begin <= names.size();) {
            std::size_t comma = names.find(',', begin);
            if (comma == std::string_view::npos)
                comma = names.size();
            months.emplace(names.substr(begin, comma - begin), month + 1);
            begin = comma + 1;
        }
    }
    return months;
}();

const std::unordered_set<std::string_view> kPresentWords{
    "present", "current",     "currently",    "now",        "today",      "ongoing",  "date",
    "heute",   "jetzt",       "aktuell",      "gegenwart",  "laufend",    "dato",     "aujourd'hui",
    "aujourd", "actuel",      "actuellement", "maintenant", "actualidad", "presente", "hoy",
    "actual",  "actualmente", "oggi",         "attuale",    "heden",      "nu",       "huidig",
    "idag",    "na",          "obecnie",      "atual",      "atualmente", "hoje",     "nyt",
    "nykyaan", "nykyhetki",   "seither",      "cours"};

const std::unordered_set<std::string_view> kConnectorWords{"to",      "till",  "until", "bis", "a",   "au",
                                                           "al",      "hasta", "tot",   "do",  "til", "till",
                                                           "through", "thru",  "fino",  "ate", "-"};

const std::unordered_set<std::string_view> kSinceWords{"since", "seit",  "depuis", "desde", "dal", "dall",
                                                       "sinds", "sedan", "siden",  "od",    "from"};

enum class Kind { Number, Word, Dash, Mark, Gap };

struct Token {
    Token(Kind kind, std::size_t begin, std::size_t end) : kind(kind), begin(begin), end(end) {}
    Kind kind;
    std::size_t begin;
    std::size_t end;
    int number = 0;
    std::size_t digits = 0;
    std::string folded;
    char mark = 0;
};

bool DashAt(std::string_view text, std::size_t at, std::size_t& size) {
    const std::string_view rest = text.substr(at, 3);
    for (const std::string_view dash : {"\xe2\x80\x90", "\xe2\x80\x91", "\xe2\x80\x92", "\xe2\x80\x93",
                                        "\xe2\x80\x94", "\xe2\x80\x95", "\xe2\x88\x92", "\xe2\x86\x92"}) {
        if (rest == dash) {
            size = 3;
            return true;
        }
    }
    if (text[at] == '-' || text[at] == '~') {
        size = text.substr(at, 2) == "->" ? 2 : 1;
        return true;
    }
    return false;
}

std::vector<Token> Tokens(std::string_view text, std::size_t begin, std::size_t end,
                          std::vector<Token> tokens = {}) {
    std::size_t at = begin;
    while (at < end) {
        const char c = text[at];
        std::size_t size = 0;
        if (IsBlank(c) || c == '\n') {
            // A tab or a wide gap parts a table's cells: "Apr 2019 | Present" in columns From and To.
            std::size_t stop = at;
            while (stop < end && IsBlank(text[stop]))
                ++stop;
            if (text.substr(at, stop - at).find('\t') != std::string_view::npos || stop - at >= 3)
                tokens.emplace_back(Kind::Gap, at, stop);
            at = std::max(stop, at + 1);
        } else if (IsDigit(c)) {
            std::size_t stop = at;
            while (stop < end && IsDigit(text[stop]))
                ++stop;
            Token token(Kind::Number, at, stop);
            token.digits = stop - at;
            token.number = token.digits <= 6 ? std::stoi(std::string(text.substr(at, stop - at))) : -1;
            tokens.push_back(token);
            at = stop;
        } else if (DashAt(text, at, size)) {
            tokens.emplace_back(Kind::Dash, at, at + size);
            at += size;
        } else if (const CodePoint point = DecodeAt(text, at); IsLetter(point.value)) {
            std::size_t stop = at;
            while (stop < end) {
                const CodePoint next = DecodeAt(text, stop);
                const bool apostrophe = next.value == '\'' || next.value == 0x2019;
                if (!IsLetter(next.value) && !(apostrophe && stop + next.size < end &&
                                               IsLetter(DecodeAt(text, stop + next.size).value)))
                    break;
                stop += next.size;
            }
            Token token(Kind::Word, at, stop);
            if (stop - at <= 14) { // the longest month or present word
                token.folded = Folded(text.substr(at, stop - at));
                for (std::size_t q = token.folded.find("\xe2\x80\x99"); q != std::string::npos;
                     q = token.folded.find("\xe2\x80\x99", q))
                    token.folded.replace(q, 3, "'"); // a typographic apostrophe
            }
            tokens.push_back(std::move(token));
            at = stop;
        } else {
            const bool apostrophe = text.substr(at, 3) == "\xe2\x80\x99";
            const std::size_t width = apostrophe ? 3 : point.size;
            Token token(Kind::Mark, at, at + width);
            token.mark = apostrophe ? '\'' : c;
            tokens.push_back(token);
            at += width;
        }
    }
    return tokens;
}

bool IsYear(const Token& token) {
    return token.kind == Kind::Number && token.digits == 4 && token.number >= 1950 && token.number <= 2099;
}

bool IsMark(const std::vector<Token>& tokens, std::size_t i, std::string_view marks) {
    return i < tokens.size() && tokens[i].kind == Kind::Mark &&
           marks.find(tokens[i].mark) != std::string_view::npos;
}

struct Date {
    Date(int month, bool yearOnly, std::size_t next) : month(month), yearOnly(yearOnly), next(next) {}

    int month = 0; // year * 12 + month - 1
    bool yearOnly = false;
    std::size_t next = 0; // the token after it
    // Day and month both under 13 ("06/01/2019"): read day first, `other` the month read the
    // other way; `monthFirst`: the date could only be read month first ("12/31/2020").
    std::optional<int> other;
    bool monthFirst = false;
    bool shortYear = false; // "03/18": a date only beside another such or the present
};

int Month(int year, int month) {
    return year * 12 + month - 1;
}

// A date starting at token i.
std::optional<Date> DateAt(const std::vector<Token>& t, std::size_t i) {
    const auto number = [&](std::size_t k, int low, int high) {
        return k < t.size() && t[k].kind == Kind::Number && t[k].digits <= 2 && t[k].number >= low &&
               t[k].number <= high;
    };
    if (i >= t.size())
        return std::nullopt;
    if (t[i].kind == Kind::Word) {
        const int month = MonthNamed(t[i].folded);
        if (month == 0)
            return std::nullopt;
        std::size_t k = i + 1;
        if (IsMark(t, k, ".,/"))
            ++k;
        if (number(k, 1, 31) && IsMark(t, k + 1, ",") && k + 2 < t.size() && IsYear(t[k + 2]))
            return Date{Month(t[k + 2].number, month), false, k + 3}; // March 1, 2016
        if (k < t.size() && IsYear(t[k]))
            return Date{Month(t[k].number, month), false, k + 1};
        if (IsMark(t, k, "'") && k + 1 < t.size() && t[k + 1].kind == Kind::Number && t[k + 1].digits == 2) {
            const int year = t[k + 1].number + (t[k + 1].number < 50 ? 2000 : 1900);
            return Date{Month(year, month), false, k + 2}; // Mar '16
        }
        return std::nullopt;
    }
    if (t[i].kind != Kind::Number)
        return std::nullopt;
    if (IsYear(t[i])) {
        // 2016-03 or 2016/03, not 2016-2019.
        if ((IsMark(t, i + 1, "/.") ||
             (i + 1 < t.size() && t[i + 1].kind == Kind::Dash && t[i + 1].end - t[i + 1].begin == 1)) &&
            number(i + 2, 1, 12) && t[i + 2].digits == 2 && t[i + 1].end == t[i + 2].begin)
            return Date{Month(t[i].number, t[i + 2].number), false, i + 3};
        return Date{Month(t[i].number, 1), true, i + 1};
    }
    // A day before a month's name: "1 March 2016", "1. März 2016".
    std::size_t k = i + 1;
    if (IsMark(t, k, "."))
        ++k;
    if (number(i, 1, 31) && k < t.size() && t[k].kind == Kind::Word && MonthNamed(t[k].folded) != 0) {
        if (const std::optional<Date> named = DateAt(t, k))
            return named;
    }
    // 03/2016, 3.2016, 03-2016; 01.03.2016, 03/01/2016.
    const auto separator = [&](std::size_t s) {
        return s < t.size() &&
               (IsMark(t, s, "/.") || (t[s].kind == Kind::Dash && t[s].end - t[s].begin == 1)) &&
               t[s].begin == t[s - 1].end && s + 1 < t.size() && t[s + 1].begin == t[s].end;
    };
    if (number(i, 1, 12) && separator(i + 1) && i + 2 < t.size() && IsYear(t[i + 2]))
        return Date{Month(t[i + 2].number, t[i].number), false, i + 3};
    if (number(i, 1, 31) && separator(i + 1) && number(i + 2, 1, 31) && separator(i + 3) &&
        i + 4 < t.size() && IsYear(t[i + 4])) {
        const int first = t[i].number;
        const int second = t[i + 2].number;
        const int month = second <= 12 ? second : first; // day first, as most of the world writes it
        if (month > 12)
            return std::nullopt;
        Date date{Month(t[i + 4].number, month), false, i + 5};
        if (first <= 12 && second <= 12 && first != second && IsMark(t, i + 1, "/"))
            date.other = Month(t[i + 4].number, first);
        date.monthFirst = second > 12;
        return date;
    }
    // 01/18: a month and two digits of a year, only as an end of a period (see RangesIn).
    if (number(i, 1, 12) && IsMark(t, i + 1, "/") && t[i + 1].begin == t[i].end && i + 2 < t.size() &&
        t[i + 2].kind == Kind::Number && t[i + 2].digits == 2 && t[i + 2].begin == t[i + 1].end) {
        Date date{Month(t[i + 2].number + (t[i + 2].number < 50 ? 2000 : 1900), t[i].number), false, i + 3};
        date.shortYear = true;
        return date;
    }
    return std::nullopt;
}

// The present, starting at token i: "present", "till date", "to date", "à ce jour", "en cours".
std::optional<std::size_t> PresentAt(const std::vector<Token>& t, std::size_t i) {
    if (i >= t.size() || t[i].kind != Kind::Word)
        return std::nullopt;
    const std::string& word = t[i].folded;
    if (word == "date" || word == "cours")
        return std::nullopt; // only after "to", "till", "en": below
    if (MeansPresent(word))
        return i + 1;
    const bool joined = i + 1 < t.size() && t[i + 1].kind == Kind::Word;
    if (joined && (word == "to" || word == "till" || word == "til") &&
        (t[i + 1].folded == "date" || t[i + 1].folded == "dato" || t[i + 1].folded == "now"))
        return i + 2;
    if (joined && word == "en" && t[i + 1].folded == "cours")
        return i + 2;
    if (joined && word == "i" && t[i + 1].folded == "dag")
        return i + 2;
    if (i + 2 < t.size() && word == "a" && t[i + 1].folded == "ce" && t[i + 2].folded == "jour")
        return i + 3;
    if (joined && word == "la" && t[i + 1].folded == "fecha")
        return i + 2;
    return std::nullopt;
}

bool ConnectorAt(const std::vector<Token>& t, std::size_t i) {
    return i < t.size() && (t[i].kind == Kind::Dash || t[i].kind == Kind::Gap ||
                            (t[i].kind == Kind::Word && kConnectorWords.count(t[i].folded)));
}

} // namespace

int MonthNamed(std::string_view folded) {
    const auto found = kMonths.find(folded);
    return found == kMonths.end() ? 0 : found->second;
}

bool MeansPresent(std::string_view folded) {
    return kPresentWords.count(folded) > 0 && folded != "date" && folded != "cours";
}

std::vector<DateRange> RangesIn(std::string_view text, std::size_t begin, std::size_t end,
                                std::optional<std::pair<std::size_t, std::size_t>> continuation) {
    std::vector<Token> tokens = Tokens(text, begin, end);
    // A range broken after its dash goes on at the next line.
    if (continuation && !tokens.empty() && ConnectorAt(tokens, tokens.size() - 1))
        tokens = Tokens(text, continuation->first, continuation->second, std::move(tokens));
    std::vector<DateRange> ranges;
    std::size_t i = 0;
    while (i < tokens.size()) {
        const std::size_t first = i;
        const bool since = tokens[i].kind == Kind::Word && kSinceWords.count(tokens[i].folded) > 0;
        const std::optional<Date> start = DateAt(tokens, since ? i + 1 : i);
        if (!start) {
            ++i;
            continue;
        }
        std::size_t k = start->next;
        // "2019 to date", "2019 till now", a table's "Jan 2019 | Present".
        std::size_t present = k;
        while (present < tokens.size() && tokens[present].kind == Kind::Gap)
            ++present;
        if (const std::optional<std::size_t> stop = PresentAt(tokens, present)) {
            ranges.push_back({start->month, std::nullopt, start->yearOnly, false, tokens[first].begin,
                              tokens[*stop - 1].end - tokens[first].begin});
            i = *stop;
            continue;
        }
        if (ConnectorAt(tokens, k)) {
            std::size_t after = k + 1;
            while (after < tokens.size() &&
                   (tokens[after].kind == Kind::Gap || tokens[after].kind == Kind::Dash))
                ++after;
            // "– bis heute", "– till date"
            if (!PresentAt(tokens, after) && ConnectorAt(tokens, after) && tokens[after].kind == Kind::Word)
                ++after;
            if (const std::optional<std::size_t> present = PresentAt(tokens, after)) {
                ranges.push_back({start->month, std::nullopt, start->yearOnly, false, tokens[first].begin,
                                  tokens[*present - 1].end - tokens[first].begin});
                i = *present;
                continue;
            }
            if (const std::optional<Date> stop = DateAt(tokens, after);
                stop && stop->shortYear == start->shortYear) {
                // "06/01/2019 - 12/31/2020": the end shows the writer puts the month first.
                const int begins = start->other && stop->monthFirst ? *start->other : start->month;
                const int ends = stop->other && start->monthFirst ? *stop->other : stop->month;
                ranges.push_back({begins, ends, start->yearOnly, stop->yearOnly, tokens[first].begin,
                                  tokens[stop->next - 1].end - tokens[first].begin});
                i = stop->next;
                continue;
            }
        }
        if (since && tokens[i].folded != "from" && !start->shortYear) {
            ranges.push_back({start->month, std::nullopt, start->yearOnly, false, tokens[first].begin,
                              tokens[start->next - 1].end - tokens[first].begin});
            i = start->next;
            continue;
        }
        i = start->next;
    }
    return ranges;
}
