#pragma once

#include "documents/DocumentText.h"

#include <string>

// Old formats read through Debian's converter programs, when they are installed: Word 97-2003
// documents (.doc) through antiword, RTF through unrtf (its web page output, read as a page).
// NoConverter when the program is missing. The converters read the file itself.
DocumentText ReadOldWordText(const std::string& path);
DocumentText ReadRichText(const std::string& path);

inline constexpr const char* kOldWordConverter = "antiword";
inline constexpr const char* kRichTextConverter = "unrtf";
