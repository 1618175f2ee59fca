#include "store/MatchKeys.h"

#include <QString>
#include <algorithm>

namespace {

constexpr std::size_t kPhoneDigitsKept = 10;
constexpr std::size_t kFewestPhoneDigits = 8;
constexpr std::size_t kMostPhoneDigits = 15;
constexpr std::size_t kLongestTextRead = 256 * 1024;
constexpr std::size_t kMostPhonesKept = 16;

// The combining accents of the Latin, Greek and Cyrillic letters. Marks of other blocks (a
// Devanagari vowel sign, a virama) are part of how a name is spelled and stay.
bool IsAccent(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F);
}

// A word's characters: letters, digits and the marks that go with them.
bool InWord(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return QChar::isLetterOrNumber(c) || category == QChar::Mark_NonSpacing ||
           category == QChar::Mark_SpacingCombining || category == QChar::Mark_Enclosing;
}

std::vector<std::string> FoldedWords(std::string_view text) {
    const QString decomposed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                   .toCaseFolded()
                                   .normalized(QString::NormalizationForm_KD);
    std::vector<std::string> words;
    std::u32string word;
    auto flush = [&words, &word] {
        if (!word.empty()) {
            const QString composed = QString::fromUcs4(word.data(), static_cast<qsizetype>(word.size()))
                                         .normalized(QString::NormalizationForm_C);
            words.push_back(composed.toStdString());
            word.clear();
        }
    };
    for (const char32_t c : decomposed.toStdU32String()) {
        if (IsAccent(c))
            continue;
        // The one common letter whose case folding Qt leaves simple.
        if (c == U'\u00DF' || c == U'\u1E9E') {
            word += U"ss";
            continue;
        }
        if (InWord(c))
            word.push_back(c);
        else
            flush();
    }
    flush();
    return words;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string key;
    for (const std::string& word : words) {
        if (!key.empty())
            key += ' ';
        key += word;
    }
    return key;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSeparator(char c) {
    return c == ' ' || c == '-' || c == '.' || c == '/' || c == '(' || c == ')';
}
bool IsWordByte(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (static_cast<unsigned char>(c) & 0x80);
}

std::string DigitsOf(std::string_view written) {
    std::string digits;
    for (const char c : written) {
        if (IsDigit(c))
            digits += c;
    }
    return digits;
}

// Years (1950 to 2099) with groups of one or two digits only: a date or a period, not a number.
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
        if (group.size() == 4 && (group.starts_with("19") ? group >= "1950" : group.starts_with("20")))
            year = true;
        else if (group.size() > 2)
            return false;
    }
    return year;
}

// Where a number written from `begin` ends: digits with single separators between them; a blank
// may stand beside a parenthesis ("(030) 123").
std::size_t RunEnd(std::string_view text, std::size_t begin) {
    std::size_t end = begin;
    std::size_t at = begin;
    while (at < text.size()) {
        if (IsDigit(text[at])) {
            end = ++at;
            continue;
        }
        std::size_t separators = at;
        while (separators < text.size() && IsSeparator(text[separators]) && separators - at < 2)
            ++separators;
        const std::string_view gap = text.substr(at, separators - at);
        const bool single = gap.size() == 1 || gap == ") " || gap == " (" || gap == ")-" || gap == "-(";
        if (gap.empty() || !single || separators >= text.size() || !IsDigit(text[separators]))
            break;
        at = separators;
    }
    return end;
}

} // namespace

std::string EmailKey(std::string_view email) {
    QString folded = QString::fromUtf8(email.data(), static_cast<qsizetype>(email.size())).toCaseFolded();
    folded.removeIf([](QChar c) { return c.isSpace(); });
    return folded.toStdString();
}

std::string NameKey(std::string_view name) {
    std::vector<std::string> words = FoldedWords(name);
    std::sort(words.begin(), words.end());
    return Joined(words);
}

std::string WordsKey(std::string_view text) {
    return Joined(FoldedWords(text));
}

std::string PhoneKey(std::string_view written) {
    const std::string digits = DigitsOf(written);
    if (digits.size() < kFewestPhoneDigits)
        return {};
    return digits.substr(digits.size() > kPhoneDigitsKept ? digits.size() - kPhoneDigitsKept : 0);
}

std::vector<std::string> PhoneKeysInText(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kLongestTextRead));
    std::vector<std::string> keys;
    for (std::size_t at = 0; at < text.size() && keys.size() < kMostPhonesKept;) {
        const bool opens =
            (text[at] == '+' || text[at] == '(') && at + 1 < text.size() && IsDigit(text[at + 1]);
        if (!IsDigit(text[at]) && !opens) {
            ++at;
            continue;
        }
        // A number starts a word of its own: not the tail of "ID4711" or of a longer number.
        if (at > 0 && IsWordByte(text[at - 1])) {
            while (at < text.size() && IsWordByte(text[at]))
                ++at;
            continue;
        }
        const std::size_t end = RunEnd(text, opens ? at + 1 : at);
        const std::string_view run = text.substr(at, end - at);
        const std::string digits = DigitsOf(run);
        const bool wordEnds = end >= text.size() || !IsWordByte(text[end]);
        if (wordEnds && digits.size() >= kFewestPhoneDigits && digits.size() <= kMostPhoneDigits &&
            !LooksLikeDates(run)) {
            std::string key = PhoneKey(run);
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(std::move(key));
        }
        at = std::max(end, at + 1);
    }
    return keys;
}
