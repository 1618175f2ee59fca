#pragma once

#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

// A file's bytes shown readably whatever their encoding: every valid UTF-8 sequence (the
// locale's encoding) as its character, every other byte as its Latin-1 character, so a Latin-1
// file reads as it was written instead of as replacement marks. Every byte shows as something,
// so the shown text maps back onto the bytes. `starts`, when given, receives for each position
// of the result the offset of the byte that begins its character, and the byte count at the end.
QString ReadableText(std::string_view bytes, std::vector<std::size_t>* starts = nullptr);
