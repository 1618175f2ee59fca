#include "platform/AviClip.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
// Anything longer is no clip of ours and would only cost memory to read.
constexpr std::streamoff kMaxFileBytes = 512LL * 1024 * 1024;

uint32_t U32(std::string_view data, size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(std::string_view data, size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + at);
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
int32_t I32(std::string_view data, size_t at) {
    return static_cast<int32_t>(U32(data, at));
}
uint8_t U8(std::string_view data, size_t at) {
    return static_cast<uint8_t>(data[at]);
}

struct Chunk {
    std::string_view id;
    std::string_view data;
};

// Takes the next chunk off `rest`; false when what is left is no whole chunk.
bool NextChunk(std::string_view& rest, Chunk& chunk) {
    if (rest.size() < 8)
        return false;
    const uint32_t size = U32(rest, 4);
    if (size > rest.size() - 8)
        return false;
    chunk = {rest.substr(0, 4), rest.substr(8, size)};
    // Chunks are padded to an even length; a missing last pad byte is harmless.
    const size_t advance = 8 + static_cast<size_t>(size) + (size & 1);
    rest.remove_prefix(advance < rest.size() ? advance : rest.size());
    return true;
}

// Splits a list into its chunks; nullopt when it does not divide into whole chunks.
std::optional<std::vector<Chunk>> Chunks(std::string_view body) {
    std::vector<Chunk> chunks;
    Chunk chunk;
    while (!body.empty()) {
        if (!NextChunk(body, chunk))
            return std::nullopt;
        chunks.push_back(chunk);
    }
    return chunks;
}

bool IsList(const Chunk& chunk, std::string_view type) {
    return chunk.id == "LIST" && chunk.data.size() >= 4 && chunk.data.substr(0, 4) == type;
}

struct VideoFormat {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = 0;
    std::array<QRgb, 256> palette{}; // unused entries stay black
};

std::optional<VideoFormat> ParseFormat(std::string_view strf) {
    if (strf.size() < 40)
        return std::nullopt;
    const uint32_t headerSize = U32(strf, 0);
    if (headerSize < 40 || headerSize > strf.size())
        return std::nullopt;
    VideoFormat format;
    const int32_t width = I32(strf, 4);
    const int32_t height = I32(strf, 8);
    format.bitCount = U16(strf, 14);
    format.compression = U32(strf, 16);
    if (width < 1 || width > AviClip::kMaxSide || height == 0 || height < -AviClip::kMaxSide ||
        height > AviClip::kMaxSide)
        return std::nullopt;
    format.width = width;
    format.height = height < 0 ? -height : height;
    format.topDown = height < 0;

    const bool plain = format.compression == kBiRgb &&
                       (format.bitCount == 8 || format.bitCount == 24 || format.bitCount == 32);
    const bool rle8 = format.compression == kBiRle8 && format.bitCount == 8 && !format.topDown;
    if (!plain && !rle8)
        return std::nullopt;
    if (format.bitCount == 8) {
        const uint32_t used = U32(strf, 32);
        const uint32_t colours = used == 0 ? 256 : used;
        if (colours > 256 || colours > (strf.size() - headerSize) / 4)
            return std::nullopt;
        for (uint32_t i = 0; i < colours; ++i) {
            const size_t at = headerSize + 4 * i;
            format.palette[i] = qRgb(U8(strf, at + 2), U8(strf, at + 1), U8(strf, at));
        }
    }
    return format;
}

bool DecodePlain(std::string_view data, const VideoFormat& format, QImage& frame) {
    const size_t stride = ((static_cast<size_t>(format.width) * format.bitCount + 31) / 32) * 4;
    if (data.size() < stride * format.height)
        return false;
    const int bytesPerPixel = format.bitCount / 8;
    for (int row = 0; row < format.height; ++row) {
        const int y = format.topDown ? row : format.height - 1 - row;
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const size_t start = row * stride;
        for (int x = 0; x < format.width; ++x) {
            const size_t at = start + static_cast<size_t>(x) * bytesPerPixel;
            line[x] = bytesPerPixel == 1 ? format.palette[U8(data, at)]
                                         : qRgb(U8(data, at + 2), U8(data, at + 1), U8(data, at));
        }
    }
    return true;
}

// Paints an RLE8 frame over `frame`, which holds the previous one: a frame may redraw only
// what changed and skip the rest with deltas. Pixels that fall outside the frame are dropped.
bool DecodeRle8(std::string_view data, const VideoFormat& format, QImage& frame) {
    long long x = 0;
    long long row = 0; // counted from the bottom, as the file stores them
    auto put = [&](uint8_t index) {
        if (x < format.width && row < format.height)
            reinterpret_cast<QRgb*>(frame.scanLine(format.height - 1 - static_cast<int>(row)))[x] =
                format.palette[index];
        ++x;
    };
    size_t at = 0;
    while (at + 2 <= data.size()) {
        const uint8_t count = U8(data, at);
        const uint8_t value = U8(data, at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of bitmap
            return true;
        case 2: // delta: move right and up
            if (at + 2 > data.size())
                return false;
            x += U8(data, at);
            row += U8(data, at + 1);
            at += 2;
            break;
        default: { // absolute run, padded to a whole word
            const size_t length = value;
            if (at + length > data.size())
                return false;
            for (size_t i = 0; i < length; ++i)
                put(U8(data, at + i));
            at += length + (length & 1);
            break;
        }
        }
    }
    // Data that ends between codes without an end-of-bitmap mark still leaves a whole frame.
    return at == data.size() || at == data.size() + 1;
}

struct Layout {
    std::string_view avih;
    std::string_view strh;
    std::string_view strf;
    int videoStream = -1;
    std::vector<std::string_view> frames;
};

bool ReadHeaderList(std::string_view hdrl, Layout& layout) {
    const auto chunks = Chunks(hdrl.substr(4));
    if (!chunks)
        return false;
    int stream = 0;
    for (const Chunk& chunk : *chunks) {
        if (chunk.id == "avih") {
            layout.avih = chunk.data;
        } else if (IsList(chunk, "strl")) {
            const auto parts = Chunks(chunk.data.substr(4));
            if (!parts)
                return false;
            std::string_view strh, strf;
            for (const Chunk& part : *parts) {
                if (part.id == "strh")
                    strh = part.data;
                else if (part.id == "strf")
                    strf = part.data;
            }
            if (layout.videoStream < 0 && strh.size() >= 28 && strh.substr(0, 4) == "vids") {
                layout.videoStream = stream;
                layout.strh = strh;
                layout.strf = strf;
            }
            ++stream;
        }
    }
    return true;
}

bool ReadMovieList(std::string_view list, const std::string& dibId, const std::string& compressedId,
                   Layout& layout) {
    const auto chunks = Chunks(list.substr(4));
    if (!chunks)
        return false;
    for (const Chunk& chunk : *chunks) {
        if (IsList(chunk, "rec ")) {
            if (!ReadMovieList(chunk.data, dibId, compressedId, layout))
                return false;
        } else if (chunk.id == dibId || chunk.id == compressedId) {
            if (layout.frames.size() >= static_cast<size_t>(AviClip::kMaxFrames))
                return false;
            layout.frames.push_back(chunk.data);
        }
    }
    return true;
}

std::optional<Layout> ReadLayout(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "AVI ")
        return std::nullopt;
    const uint32_t riffSize = U32(bytes, 4);
    if (riffSize < 4 || riffSize > bytes.size() - 8)
        return std::nullopt;
    const auto chunks = Chunks(bytes.substr(12, riffSize - 4));
    if (!chunks)
        return std::nullopt;
    Layout layout;
    std::string_view movi;
    for (const Chunk& chunk : *chunks) {
        if (IsList(chunk, "hdrl") && !ReadHeaderList(chunk.data, layout))
            return std::nullopt;
        if (IsList(chunk, "movi") && movi.empty())
            movi = chunk.data;
    }
    if (layout.avih.size() < 40 || layout.videoStream < 0 || layout.videoStream > 99 || movi.empty())
        return std::nullopt;
    const std::string number = {char('0' + layout.videoStream / 10), char('0' + layout.videoStream % 10)};
    if (!ReadMovieList(movi, number + "db", number + "dc", layout))
        return std::nullopt;
    return layout;
}

int FramePeriod(const Layout& layout) {
    const uint32_t fromHeader = U32(layout.avih, 0);
    if (fromHeader > 0 && fromHeader <= 60'000'000)
        return static_cast<int>(fromHeader);
    const uint32_t scale = U32(layout.strh, 20);
    const uint32_t rate = U32(layout.strh, 24);
    if (scale > 0 && rate > 0) {
        const unsigned long long period = 1'000'000ULL * scale / rate;
        if (period > 0 && period <= 60'000'000)
            return static_cast<int>(period);
    }
    return 100'000; // no usable rate given: ten frames a second
}

} // namespace

bool AviClip::Open(const std::string& path) {
    Clear();
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxFileBytes)
        return false;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return false;
    return Load(bytes);
}

bool AviClip::Load(std::string_view bytes) {
    Clear();
    const auto layout = ReadLayout(bytes);
    if (!layout || layout->frames.empty())
        return false;
    const auto format = ParseFormat(layout->strf);
    if (!format)
        return false;
    const long long pixels = static_cast<long long>(format->width) * format->height;
    if (pixels * static_cast<long long>(layout->frames.size()) > kMaxTotalPixels)
        return false;

    std::vector<QImage> frames;
    frames.reserve(layout->frames.size());
    QImage current(format->width, format->height, QImage::Format_RGB32);
    if (current.isNull())
        return false;
    current.fill(Qt::black);
    for (std::string_view data : layout->frames) {
        // An empty chunk repeats the previous frame.
        if (!data.empty()) {
            const bool decoded = format->compression == kBiRle8 ? DecodeRle8(data, *format, current)
                                                                : DecodePlain(data, *format, current);
            if (!decoded)
                return false;
        }
        // Shared until the next frame writes to it; QImage then paints over a copy.
        frames.push_back(current);
    }
    m_frames = std::move(frames);
    m_width = format->width;
    m_height = format->height;
    m_microsecondsPerFrame = FramePeriod(*layout);
    return true;
}

void AviClip::Clear() {
    m_frames.clear();
    m_width = 0;
    m_height = 0;
    m_microsecondsPerFrame = 0;
}
