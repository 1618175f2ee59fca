#pragma once

#include <string>
#include <string_view>
#include <vector>

// The keys by which two resumes are taken for the same person, each folded so that the ways one
// value is written compare equal. An empty key matches nothing.

// Case folded in every script, blanks removed: "Jose.Mueller @Posteo.de" is "jose.mueller@posteo.de".
std::string EmailKey(std::string_view email);

// The words of a name, case and accents folded in every script and put in order, so that
// "Müller, José" and "JOSE MULLER" have one key. Marks that belong to a script's letters (the vowel
// signs of Devanagari) stay: only accents are dropped.
std::string NameKey(std::string_view name);

// The words of a text, folded as for a name but kept in their order: an organization's key.
std::string WordsKey(std::string_view text);

// The last ten digits of a telephone number as written; empty for fewer than eight digits.
std::string PhoneKey(std::string_view written);

// The keys of the telephone numbers written in a resume's text (its first 256 KB), each once, in
// the order found. Dates ("03/2016 - 11/2020") and short numbers are no telephone numbers.
std::vector<std::string> PhoneKeysInText(std::string_view text);
