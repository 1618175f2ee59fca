#include "entry/ReadableText.h"

namespace {

bool Between(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there begins none.
std::size_t SequenceLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const std::size_t left = bytes.size() - at;
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (Between(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (Between(lead, 0xE0, 0xEF)) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (Between(lead, 0xF0, 0xF4)) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (left < length || !Between(byte(1), low, high))
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!Between(byte(i), 0x80, 0xBF))
            return 0;
    }
    return length;
}

} // namespace

QString ReadableText(std::string_view bytes, std::vector<std::size_t>* starts) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    if (starts != nullptr)
        starts->clear();
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = SequenceLength(bytes, at);
        const qsizetype before = text.size();
        if (length == 0) {
            text += QChar(static_cast<unsigned char>(bytes[at])); // Latin-1
        } else {
            text += QString::fromUtf8(bytes.data() + at, static_cast<qsizetype>(length));
        }
        if (starts != nullptr)
            starts->insert(starts->end(), static_cast<std::size_t>(text.size() - before), at);
        at += length == 0 ? 1 : length;
    }
    if (starts != nullptr)
        starts->push_back(bytes.size());
    return text;
}
