#include "platform/AviClip.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace {

// Builds small clips byte by byte, so each case says exactly what the file holds.
struct ClipLayout {
    int width = 2;
    int height = 2;
    int bits = 8;
    uint32_t compression = 0;
    uint32_t microseconds = 50'000;
    std::vector<uint32_t> palette = {0x000000, 0xff0000, 0x00ff00, 0x0000ff};
    std::optional<uint32_t> coloursUsed; // the header's count; the palette's length when unset
    std::vector<std::string> frames;
};

std::string U32(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}
std::string Chunk(const std::string& id, const std::string& data) {
    return id + U32(uint32_t(data.size())) + data + (data.size() % 2 ? std::string(1, '\0') : "");
}
std::string List(const std::string& type, const std::string& body) {
    return Chunk("LIST", type + body);
}

std::string Build(const ClipLayout& layout, uint32_t scale = 1, uint32_t rate = 20) {
    std::string avih = U32(layout.microseconds) + std::string(12, '\0') +
                       U32(uint32_t(layout.frames.size())) + std::string(12, '\0') +
                       U32(uint32_t(layout.width)) + U32(uint32_t(layout.height)) + std::string(16, '\0');
    std::string strh = "vids" + std::string(16, '\0') + U32(scale) + U32(rate) + std::string(28, '\0');
    std::string strf = U32(40) + U32(uint32_t(layout.width)) + U32(uint32_t(layout.height)) + "\x01" +
                       std::string(1, '\0') + char(layout.bits) + std::string(1, '\0') +
                       U32(layout.compression) + std::string(12, '\0') +
                       U32(layout.coloursUsed.value_or(uint32_t(layout.palette.size()))) + U32(0);
    for (uint32_t colour : layout.palette)
        strf += U32(colour);
    std::string movi;
    for (const std::string& frame : layout.frames)
        movi += Chunk(layout.compression == 1 ? "00dc" : "00db", frame);
    return Chunk(
        "RIFF",
        "AVI " + List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
            List("movi", movi));
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(char(v));
    return out;
}

QRgb Rgb(uint32_t colour) {
    return 0xff000000u | colour;
}

} // namespace

TEST(AviClip, DecodesUncompressedFramesBottomRowFirst) {
    struct Case {
        const char* name;
        int bits;
        std::string frame;                   // rows bottom first, each padded to four bytes
        std::vector<uint32_t> topThenBottom; // expected, top row first
    } cases[] = {
        {"8-bit palette, width 3 padded to 4",
         8,
         Bytes({1, 2, 3, 0, 3, 0, 1, 0}),
         {0x0000ff, 0x000000, 0xff0000, 0xff0000, 0x00ff00, 0x0000ff}},
        {"24-bit, 9 bytes a row padded to 12",
         24,
         Bytes({0x30, 0x20, 0x10, 0, 0, 0, 0xff, 0xff, 0xff, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}),
         {0x030201, 0x060504, 0x090807, 0x102030, 0x000000, 0xffffff}},
        {"32-bit, blue green red unused",
         32,
         Bytes({1, 2, 3, 9, 4, 5, 6, 9, 7, 8, 9, 9, 10, 11, 12, 9, 13, 14, 15, 9, 16, 17, 18, 9}),
         {0x0c0b0a, 0x0f0e0d, 0x121110, 0x030201, 0x060504, 0x090807}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipLayout layout;
        layout.width = 3;
        layout.bits = c.bits;
        if (c.bits != 8)
            layout.palette.clear();
        layout.frames = {c.frame};
        AviClip clip;
        ASSERT_TRUE(clip.Load(Build(layout)));
        ASSERT_EQ(clip.FrameCount(), 1);
        EXPECT_EQ(clip.Width(), 3);
        EXPECT_EQ(clip.Height(), 2);
        EXPECT_EQ(clip.MicrosecondsPerFrame(), 50'000);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(clip.Frame(0).pixel(i % 3, i / 3), Rgb(c.topThenBottom[i])) << "pixel " << i;
    }
}

TEST(AviClip, AnEightBitHeaderCountingNoColoursUsesAll256) {
    ClipLayout layout;
    layout.palette.clear();
    for (uint32_t index = 0; index < 256; ++index)
        layout.palette.push_back(index << 16 | (255 - index) << 8 | 0x40);
    layout.coloursUsed = 0;
    layout.frames = {Bytes({1, 200, 0, 0, 255, 4, 0, 0})};
    AviClip clip;
    ASSERT_TRUE(clip.Load(Build(layout)));
    EXPECT_EQ(clip.Frame(0).pixel(0, 0), Rgb(0xff0040));
    EXPECT_EQ(clip.Frame(0).pixel(1, 0), Rgb(0x04fb40));
    EXPECT_EQ(clip.Frame(0).pixel(0, 1), Rgb(0x01fe40));
    EXPECT_EQ(clip.Frame(0).pixel(1, 1), Rgb(0xc83740));
    // A header that counts more colours than the palette holds is refused.
    layout.coloursUsed = 257;
    EXPECT_FALSE(clip.Load(Build(layout)));
}

TEST(AviClip, Rle8RunsAbsoluteRunsAndDeltasPaintOverThePreviousFrame) {
    ClipLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.compression = 1;
    layout.frames = {
        // Bottom row: a run of 2, then an odd absolute run of 3 with its pad byte.
        Bytes({2, 1, 0, 3, 2, 3, 2, 0, 0, 0,
               // middle row: run of 5; top row: run of 4 and one of 1; end of bitmap
               5, 3, 0, 0, 4, 2, 1, 1, 0, 1}),
        // Skip to (1, middle row) by a delta, paint two pixels, end: the rest stays as it was.
        Bytes({0, 2, 1, 1, 2, 0, 0, 1}),
        // An empty chunk repeats the previous frame.
        "",
    };
    AviClip clip;
    ASSERT_TRUE(clip.Load(Build(layout)));
    ASSERT_EQ(clip.FrameCount(), 3);
    auto row = [&](int frame, int y) {
        std::vector<QRgb> pixels;
        for (int x = 0; x < 5; ++x)
            pixels.push_back(clip.Frame(frame).pixel(x, y));
        return pixels;
    };
    const QRgb k = Rgb(0), r = Rgb(0xff0000), g = Rgb(0x00ff00), b = Rgb(0x0000ff);
    EXPECT_EQ(row(0, 2), (std::vector<QRgb>{r, r, g, b, g}));
    EXPECT_EQ(row(0, 1), (std::vector<QRgb>{b, b, b, b, b}));
    EXPECT_EQ(row(0, 0), (std::vector<QRgb>{g, g, g, g, r}));
    EXPECT_EQ(row(1, 2), row(0, 2));
    EXPECT_EQ(row(1, 1), (std::vector<QRgb>{b, k, k, b, b}));
    EXPECT_EQ(row(1, 0), row(0, 0));
    EXPECT_EQ(clip.Frame(2), clip.Frame(1));
}

TEST(AviClip, TakesTheStreamRateWhenTheHeaderHasNone) {
    ClipLayout layout;
    layout.microseconds = 0;
    layout.frames = {std::string(8, '\0')};
    AviClip clip;
    ASSERT_TRUE(clip.Load(Build(layout, 1, 8)));
    EXPECT_EQ(clip.MicrosecondsPerFrame(), 125'000);
}

TEST(AviClip, RefusesBadFilesAndStaysEmpty) {
    ClipLayout good;
    good.frames = {std::string(8, '\0')};
    auto with = [&](auto change) {
        ClipLayout layout = good;
        change(layout);
        return Build(layout);
    };
    std::string wrongType = Build(good);
    wrongType.replace(8, 4, "WAVE");
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"no riff", std::string(200, 'x')},
        {"riff of another kind", wrongType},
        {"no frames", with([](ClipLayout& s) { s.frames.clear(); })},
        {"too wide", with([](ClipLayout& s) { s.width = 4097; })},
        {"too tall", with([](ClipLayout& s) { s.height = 5000; })},
        {"no width", with([](ClipLayout& s) { s.width = 0; })},
        {"too many frames", with([](ClipLayout& s) { s.frames.assign(10001, ""); })},
        {"a frame short of its rows", with([](ClipLayout& s) { s.frames = {std::string(7, '\0')}; })},
        {"16-bit", with([](ClipLayout& s) { s.bits = 16; })},
        {"four-bit rle", with([](ClipLayout& s) { s.compression = 2; })},
        {"palette larger than its chunk", with([](ClipLayout& s) { s.palette.assign(300, 0); })},
        {"absolute run past the data", with([](ClipLayout& s) {
             s.compression = 1;
             s.frames = {Bytes({0, 200, 1, 2})};
         })},
        {"delta cut off", with([](ClipLayout& s) {
             s.compression = 1;
             s.frames = {Bytes({0, 2, 1})};
         })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AviClip clip;
        ASSERT_TRUE(clip.Load(Build(good)));
        EXPECT_FALSE(clip.Load(c.bytes));
        EXPECT_TRUE(clip.IsEmpty());
        EXPECT_EQ(clip.Width(), 0);
    }
    EXPECT_FALSE(AviClip().Open("/nonexistent/clock.avi"));
}

TEST(AviClip, TruncatedOrScrambledFilesNeverReadOutOfBounds) {
    ClipLayout layout;
    layout.width = 6;
    layout.height = 4;
    layout.compression = 1;
    layout.frames = {Bytes({6, 1, 0, 0, 0, 4, 1, 2, 3, 1, 0, 2, 2, 1, 3, 2, 0, 1}),
                     Bytes({0, 2, 5, 3, 9, 3, 0, 1})};
    const std::string whole = Build(layout);
    AviClip clip;
    ASSERT_TRUE(clip.Load(whole));
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(clip.Load(whole.substr(0, length))) << "cut at " << length;

    std::mt19937 random(4711);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = whole;
        for (int flip = 0; flip < 4; ++flip)
            bytes[random() % bytes.size()] = char(random());
        if (clip.Load(bytes)) { // what opens must be whole
            EXPECT_GT(clip.FrameCount(), 0);
            EXPECT_EQ(clip.Frame(0).size(), QSize(clip.Width(), clip.Height()));
        }
    }
}
