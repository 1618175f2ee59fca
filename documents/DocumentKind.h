#pragma once

#include "documents/DocumentText.h"

#include <string_view>

// What a file holds, judged by its first bytes; the name's extension only tells a web page or a
// plain text file from a file of unknown content, never overrules a recognised one.
DocumentKind DetectKind(std::string_view bytes, std::string_view fileName);
