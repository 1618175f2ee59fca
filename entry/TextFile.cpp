#include "entry/TextFile.h"

std::string_view ShownPart(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    const std::size_t lineEnd = text.rfind('\n', limit - 1);
    if (lineEnd != std::string_view::npos && lineEnd >= limit / 2)
        return text.substr(0, lineEnd + 1);
    // Never split a multi-byte character: step back over continuation bytes.
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}
