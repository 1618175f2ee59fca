#pragma once

#include <QString>
#include <optional>
#include <string>

// The bytes of a shown text that lie behind a selection in its text view, so a tag keeps the
// file's own bytes even where the locale cannot decode them. `shown` is ReadableText(bytes);
// the view counts a "\r\n" line end as one position. Nothing when the bytes cannot be matched
// to exactly the selected characters.
std::optional<std::string> SelectedBytes(const std::string& bytes, const QString& shown, int viewStart,
                                         int viewEnd, const QString& selectedText);
