#include "tools/ClockClip.h"
#include "AviWriter.h"
#include "platform/AviClip.h"
#include "platform/DataFolder.h"
#include "tools/BankSetup.h"

#include <QProcess>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CommittedClip() {
    return std::string(reinterpret_cast<const char*>(kClockClip), kClockClipSize);
}

} // namespace

TEST(ClipWriter, BothCodingsReadBackAsTheFramesWritten) {
    const int width = 300; // rows longer than one RLE8 run or absolute run can hold
    const int height = 3;
    IndexedClip clip;
    clip.width = width;
    clip.height = height;
    clip.microsecondsPerFrame = 80'000;
    clip.palette = {0x000000, 0xff0000, 0x00ff00, 0x0000ff, 0xffffff};
    std::vector<uint8_t> solid(width * height, 4);
    // Runs of 2 and 5, an odd absolute run of 103 and a long run; the last row all absolute (255 + 45).
    std::vector<uint8_t> mixed(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mixed[y * width + x] = y == 2 || (x >= 100 && x < 203) ? x % 5
                                   : x >= 203                      ? 1
                                                                   : (x / (x < 50 ? 2 : 5)) % 5;
    clip.frames = {solid, mixed, solid};

    for (ClipCoding coding : {ClipCoding::Rle8, ClipCoding::Uncompressed}) {
        SCOPED_TRACE(coding == ClipCoding::Rle8 ? "rle8" : "uncompressed");
        AviClip read;
        ASSERT_TRUE(read.Load(WriteAvi(clip, coding)));
        ASSERT_EQ(read.FrameCount(), 3);
        EXPECT_EQ(read.MicrosecondsPerFrame(), 80'000);
        for (int f = 0; f < 3; ++f)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(read.Frame(f).pixel(x, y) & 0xffffff,
                              clip.palette[clip.frames[f][y * width + x]])
                        << "frame " << f << " at " << x << "," << y;
    }
    EXPECT_LT(EncodeRle8(solid, width, height).size(), 20u);
}

TEST(ClockClip, TheCommittedClipShowsTheHandAtEachHourInTurn) {
    AviClip clip;
    ASSERT_TRUE(clip.Load(CommittedClip()));
    ASSERT_EQ(clip.FrameCount(), 12);
    EXPECT_EQ(clip.Width(), 96);
    EXPECT_EQ(clip.Height(), 96);
    EXPECT_EQ(clip.MicrosecondsPerFrame(), 100'000);
    const double pi = std::acos(-1.0);
    auto handIsAt = [&](int frame, int hour) {
        const double angle = hour * pi / 6;
        const QColor seen =
            clip.Frame(frame).pixelColor(int(48 + 20 * std::sin(angle)), int(48 - 20 * std::cos(angle)));
        return seen.red() > 150 && seen.blue() < 120; // the gold of the hand, not the white face
    };
    for (int frame = 0; frame < 12; ++frame)
        for (int hour = 0; hour < 12; ++hour)
            EXPECT_EQ(handIsAt(frame, hour), frame == hour) << "frame " << frame << ", hour " << hour;
}

TEST(TalvanorInit, PlacesTheClipOnlyWhereItIsMissing) {
    fs::remove_all(DataFolder());
    QProcess init;
    init.start(QStringLiteral(TALVANOR_INIT_PATH), {});
    ASSERT_TRUE(init.waitForFinished(30000));
    const std::string said = init.readAllStandardOutput().toStdString();
    EXPECT_NE(said.find("Created " + DataFolder() + "clock.avi"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(DataFolder() + "clock.avi"), CommittedClip());
    EXPECT_FALSE(fs::exists(DataFolder() + "clock.avi.partial"));

    fs::remove(DataFolder() + "clock.avi");
    BankSetupResult result = PrepareDataFolder(DataFolder());
    EXPECT_TRUE(result.createdClip);
    EXPECT_FALSE(result.createdDatabase);
    EXPECT_EQ(ReadFile(DataFolder() + "clock.avi"), CommittedClip());

    std::ofstream(DataFolder() + "clock.avi", std::ios::trunc) << "another clip";
    result = PrepareDataFolder(DataFolder());
    EXPECT_FALSE(result.Changed());
    EXPECT_EQ(ReadFile(DataFolder() + "clock.avi"), "another clip");
}
