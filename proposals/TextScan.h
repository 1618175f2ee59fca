#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Small helpers for reading resume text: code points, letter classes, folding and trimming. Text
// that is not UTF-8 is read byte by byte, each byte as the Latin-1 letter it would be.

struct CodePoint {
    char32_t value = 0;
    std::size_t size = 1; // bytes
};

CodePoint DecodeAt(std::string_view text, std::size_t at);
bool IsLetter(char32_t c);
bool IsUpper(char32_t c);
bool IsLower(char32_t c);
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Blanks, tabs and the filler bytes the layout puts where a wide space stood.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\x1f';
}

std::string_view Trimmed(std::string_view text);
// Trimmed of blanks and of the punctuation that separates a value from its neighbours.
std::string_view TrimmedOfPunctuation(std::string_view text);
// Runs of blanks as one blank, fillers dropped: a value as it is to be stored.
std::string Tidied(std::string_view text);
// Lower case without accents, for comparing words with the vocabularies.
std::string Folded(std::string_view text);
std::size_t CodePointCount(std::string_view text);
bool HasDigit(std::string_view text);

// A word of letters (with inner "-", "'" or "." as in "Jean-Luc", "O'Brien", "J."), by byte range.
struct WordSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};
std::vector<WordSpan> LetterWords(std::string_view text);

// Whether a line starts with a bullet ("•", "-", "*", "▪", "➢"), as a description's lines do.
bool StartsWithBullet(std::string_view line);

// Whether `text`, folded, begins with `folded` followed by a non-letter (or its end).
bool StartsWithWord(std::string_view foldedText, std::string_view folded);
