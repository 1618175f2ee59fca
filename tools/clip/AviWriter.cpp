#include "AviWriter.h"

#include <algorithm>

namespace {

void Put32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}
void Put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>(value >> 8));
}
void PutByte(std::string& out, int value) {
    out.push_back(static_cast<char>(value));
}

std::string Chunk(const std::string& id, const std::string& data) {
    std::string out = id;
    Put32(out, static_cast<uint32_t>(data.size()));
    out += data;
    if (data.size() % 2 != 0)
        out.push_back('\0');
    return out;
}
std::string List(const std::string& type, const std::string& body) {
    return Chunk("LIST", type + body);
}

// How many equal pixels start at `from`, at most 255.
size_t RunLength(const uint8_t* row, size_t from, size_t width) {
    size_t end = from + 1;
    while (end < width && end - from < 255 && row[end] == row[from])
        ++end;
    return end - from;
}

void EncodeRow(const uint8_t* row, size_t width, std::string& out) {
    size_t x = 0;
    while (x < width) {
        const size_t run = RunLength(row, x, width);
        if (run >= 2) {
            PutByte(out, static_cast<int>(run));
            PutByte(out, row[x]);
            x += run;
            continue;
        }
        // Gather pixels up to the next run worth encoding as one.
        size_t end = x;
        while (end < width && end - x < 255 && RunLength(row, end, width) < 3)
            ++end;
        const size_t length = end - x;
        if (length < 3) { // an absolute run needs three pixels; shorter ones go one by one
            for (size_t i = x; i < end; ++i) {
                PutByte(out, 1);
                PutByte(out, row[i]);
            }
        } else {
            PutByte(out, 0);
            PutByte(out, static_cast<int>(length));
            out.append(reinterpret_cast<const char*>(row + x), length);
            if (length % 2 != 0)
                PutByte(out, 0);
        }
        x = end;
    }
}

std::string BitmapHeader(const IndexedClip& clip, ClipCoding coding, uint32_t imageSize) {
    std::string out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(clip.width));
    Put32(out, static_cast<uint32_t>(clip.height)); // positive: bottom row first
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, coding == ClipCoding::Rle8 ? 1 : 0);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(clip.palette.size()));
    Put32(out, 0);
    for (uint32_t colour : clip.palette)
        Put32(out, colour & 0xffffff); // blue, green, red, zero
    return out;
}

std::string Uncompressed(const std::vector<uint8_t>& pixels, int width, int height) {
    const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
    std::string out;
    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(pixels.data()) + static_cast<size_t>(y) * width, width);
        out.append(stride - width, '\0');
    }
    return out;
}

} // namespace

std::string EncodeRle8(const std::vector<uint8_t>& pixels, int width, int height) {
    std::string out;
    for (int y = height - 1; y >= 0; --y) {
        EncodeRow(pixels.data() + static_cast<size_t>(y) * width, width, out);
        if (y > 0) {
            PutByte(out, 0);
            PutByte(out, 0); // end of line
        }
    }
    PutByte(out, 0);
    PutByte(out, 1); // end of bitmap
    return out;
}

std::string WriteAvi(const IndexedClip& clip, ClipCoding coding) {
    const std::string frameId = coding == ClipCoding::Rle8 ? "00dc" : "00db";
    std::string movi;
    std::string index;
    size_t largest = 0;
    for (const auto& pixels : clip.frames) {
        const std::string data = coding == ClipCoding::Rle8 ? EncodeRle8(pixels, clip.width, clip.height)
                                                            : Uncompressed(pixels, clip.width, clip.height);
        index += frameId;
        Put32(index, 0x10); // every frame is whole: a key frame
        Put32(index, static_cast<uint32_t>(4 + movi.size()));
        Put32(index, static_cast<uint32_t>(data.size()));
        movi += Chunk(frameId, data);
        largest = std::max(largest, data.size());
    }
    const auto frameCount = static_cast<uint32_t>(clip.frames.size());

    std::string avih;
    Put32(avih, static_cast<uint32_t>(clip.microsecondsPerFrame));
    Put32(avih, 0);    // maximum bytes per second: not needed to play
    Put32(avih, 0);    // padding granularity
    Put32(avih, 0x10); // has an index
    Put32(avih, frameCount);
    Put32(avih, 0);
    Put32(avih, 1); // streams
    Put32(avih, static_cast<uint32_t>(largest));
    Put32(avih, static_cast<uint32_t>(clip.width));
    Put32(avih, static_cast<uint32_t>(clip.height));
    avih.append(16, '\0');

    std::string strh = "vids";
    Put32(strh, 0);                                                // handler
    Put32(strh, 0);                                                // flags
    Put16(strh, 0);                                                // priority
    Put16(strh, 0);                                                // language
    Put32(strh, 0);                                                // initial frames
    Put32(strh, static_cast<uint32_t>(clip.microsecondsPerFrame)); // scale / rate = seconds per frame
    Put32(strh, 1'000'000);
    Put32(strh, 0); // start
    Put32(strh, frameCount);
    Put32(strh, static_cast<uint32_t>(largest));
    Put32(strh, 0xffffffff); // default quality
    Put32(strh, 0);          // sample size: varies
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, static_cast<uint16_t>(clip.width));
    Put16(strh, static_cast<uint16_t>(clip.height));

    const std::string strl =
        List("strl",
             Chunk("strh", strh) + Chunk("strf", BitmapHeader(clip, coding, static_cast<uint32_t>(largest))));
    const std::string body =
        "AVI " + List("hdrl", Chunk("avih", avih) + strl) + List("movi", movi) + Chunk("idx1", index);
    return Chunk("RIFF", body);
}
