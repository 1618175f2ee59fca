#pragma once

#include "documents/DocumentText.h"

#include <string_view>

// The text of a web page as a browser shows it: no head, scripts or styles; blocks on lines of
// their own, paragraphs and headings set apart by a blank line, table cells joined by tabs,
// white space collapsed outside preformatted text, character references resolved. The page's
// declared character set is honoured; without one, UTF-8 when the bytes are valid UTF-8, else
// Windows-1252, as browsers assume.
DocumentText ReadHtmlText(std::string_view bytes);
