#pragma once

#include <QString>
#include <initializer_list>

class QRadioButton;
#include <string>
#include <string_view>

// The e-mail rule of the entry dialogs: no blank, an "@" that is neither the first nor the last
// character (only the first "@" counts). The caller passes the trimmed, non-empty address.
bool IsAcceptableEmail(std::string_view address);

// The stored status of a status button: its caption without the mnemonic markers, trailing
// white space trimmed ("S&elected" gives "Selected").
std::string StatusFromCaption(const QString& caption);

// The stored status of a status group: the checked button's, or the first (active) button's
// when none is checked.
std::string CheckedStatus(std::initializer_list<const QRadioButton*> buttons);

// White space (blank, tab, line ends) trimmed from both ends of 8-bit text.
std::string TrimmedBytes(std::string_view text);

// A tagged name, e-mail or organization: white space and the commas, semicolons and colons a
// selection catches at its ends trimmed from both ("Klarnö AB," gives "Klarnö AB"); a full stop
// stays, as in "S.A.".
std::string TrimmedTag(std::string_view text);

// 8-bit text of a box's content, trimmed at both ends.
std::string TrimmedText(const QString& text);

// Message texts shared by the input form and the text-file import.
inline constexpr const char* kInvalidEmailAddress = "Invalid Email Address";
