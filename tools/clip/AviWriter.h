#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit clip to be written: palette indices, top row first, width * height per frame.
struct IndexedClip {
    int width = 0;
    int height = 0;
    int microsecondsPerFrame = 100'000;
    std::vector<uint32_t> palette; // 0xRRGGBB, at most 256
    std::vector<std::vector<uint8_t>> frames;
};

enum class ClipCoding { Rle8, Uncompressed };

// One whole frame in RLE8, bottom row first as the format wants, ending with end-of-bitmap.
std::string EncodeRle8(const std::vector<uint8_t>& pixels, int width, int height);

// The bytes of a RIFF/AVI file holding the clip as one video stream, with an index.
std::string WriteAvi(const IndexedClip& clip, ClipCoding coding);
