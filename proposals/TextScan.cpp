#include "proposals/TextScan.h"

#include <QChar>
#include <QString>

CodePoint DecodeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (size == 0 || lead > 0xF4 || at + size > text.size())
        return {lead, 1};
    char32_t value = lead & (0x7F >> size);
    for (std::size_t i = 1; i < size; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {lead, 1};
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    if ((size == 3 && value < 0x800) || (size == 4 && (value < 0x10000 || value > 0x10FFFF)))
        return {lead, 1};
    return {value, size};
}

bool IsLetter(char32_t c) {
    return c < 0x80 ? ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') : QChar::isLetter(c);
}

bool IsUpper(char32_t c) {
    return c < 0x80 ? (c >= 'A' && c <= 'Z') : QChar::isUpper(c);
}

bool IsLower(char32_t c) {
    return c < 0x80 ? (c >= 'a' && c <= 'z') : QChar::isLower(c);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimmedOfPunctuation(std::string_view text) {
    constexpr std::string_view kLoose = " \t\x1f\n,;:|/-*~=_()[]{}<>\"";
    for (;;) {
        const std::size_t before = text.size();
        while (!text.empty() && kLoose.find(text.front()) != std::string_view::npos)
            text.remove_prefix(1);
        while (!text.empty() && kLoose.find(text.back()) != std::string_view::npos)
            text.remove_suffix(1);
        // Dashes, bullets and quotation marks of three bytes (U+2010..U+2027) at either end.
        if (text.size() >= 3 && text.substr(0, 2) == "\xe2\x80" &&
            static_cast<unsigned char>(text[2]) >= 0x90 && static_cast<unsigned char>(text[2]) <= 0xa7)
            text.remove_prefix(3);
        if (text.size() >= 3 && text.substr(text.size() - 3, 2) == "\xe2\x80" &&
            static_cast<unsigned char>(text.back()) >= 0x90 &&
            static_cast<unsigned char>(text.back()) <= 0xa7)
            text.remove_suffix(3);
        if (text.size() == before)
            return text;
    }
}

std::string Tidied(std::string_view text) {
    std::string tidy;
    bool blank = false;
    for (const char c : Trimmed(text)) {
        if (c == '\x1f')
            continue;
        if (IsBlank(c) || c == '\n') {
            blank = true;
            continue;
        }
        if (blank)
            tidy += ' ';
        blank = false;
        tidy += c;
    }
    return tidy;
}

std::string Folded(std::string_view text) {
    bool ascii = true;
    for (const char c : text)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        std::string folded(text);
        for (char& c : folded)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        return folded;
    }
    QString wide;
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint point = DecodeAt(text, at);
        wide += QString::fromUcs4(&point.value, 1);
        at += point.size;
    }
    const QString decomposed = wide.normalized(QString::NormalizationForm_KD).toLower();
    QString plain;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    plain.replace(QChar(0x00DF), QLatin1String("ss")).replace(QChar(0x0142), QLatin1Char('l'));
    return plain.toStdString();
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += DecodeAt(text, at).size)
        ++count;
    return count;
}

bool HasDigit(std::string_view text) {
    for (const char c : text) {
        if (IsDigit(c))
            return true;
    }
    return false;
}

std::vector<WordSpan> LetterWords(std::string_view text) {
    std::vector<WordSpan> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const CodePoint point = DecodeAt(text, at);
        if (!IsLetter(point.value)) {
            at += point.size;
            continue;
        }
        const std::size_t begin = at;
        std::size_t end = at;
        while (at < text.size()) {
            const CodePoint next = DecodeAt(text, at);
            if (IsLetter(next.value)) {
                at += next.size;
                end = at;
                continue;
            }
            // Inner joiners keep a word together; a "." also ends an initial ("J.").
            const bool joiner = next.value == '-' || next.value == '\'' || next.value == 0x2019;
            if (next.value == '.') {
                at += 1;
                end = at;
                if (at < text.size() && IsLetter(DecodeAt(text, at).value))
                    continue;
                break;
            }
            if (joiner && at + next.size < text.size() && IsLetter(DecodeAt(text, at + next.size).value)) {
                at += next.size;
                continue;
            }
            break;
        }
        words.push_back({begin, end});
    }
    return words;
}

bool StartsWithWord(std::string_view foldedText, std::string_view folded) {
    if (foldedText.substr(0, folded.size()) != folded)
        return false;
    return foldedText.size() == folded.size() || !IsLetter(DecodeAt(foldedText, folded.size()).value);
}

bool StartsWithBullet(std::string_view line) {
    const std::string_view text = Trimmed(line);
    if (text.empty())
        return true;
    if (std::string_view("-*>o+").find(text.front()) != std::string_view::npos && text.size() > 1 &&
        text[1] == ' ')
        return true;
    const char32_t first = DecodeAt(text, 0).value;
    return (first >= 0x2022 && first <= 0x2027) || (first >= 0x25A0 && first <= 0x25FF) ||
           (first >= 0x2190 && first <= 0x21FF) || (first >= 0x2700 && first <= 0x27BF) || first == 0xB7 ||
           first == 0xF0B7 || first == 0xF0A7;
}
