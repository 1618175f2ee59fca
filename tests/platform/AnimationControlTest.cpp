#include "platform/AnimationControl.h"

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string U32(uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}
std::string Chunk(const std::string& id, const std::string& data) {
    return id + U32(uint32_t(data.size())) + data + (data.size() % 2 ? std::string(1, '\0') : "");
}

// A 4 x 4 clip of 24-bit frames, each one solid colour, at 100 frames a second.
std::string SolidClip(const std::vector<uint32_t>& colours) {
    std::string movi;
    for (uint32_t colour : colours) {
        std::string frame;
        for (int i = 0; i < 16; ++i)
            frame += U32(colour).substr(0, 3);
        movi += Chunk("00db", frame);
    }
    const std::string avih = U32(10'000) + std::string(28, '\0') + U32(4) + U32(4) + std::string(16, '\0');
    const std::string strh = "vids" + std::string(52, '\0');
    const std::string strf = U32(40) + U32(4) + U32(4) + U32(1 | (24 << 16)) + std::string(24, '\0');
    return Chunk("RIFF",
                 "AVI " +
                     Chunk("LIST", "hdrl" + Chunk("avih", avih) +
                                       Chunk("LIST", "strl" + Chunk("strh", strh) + Chunk("strf", strf))) +
                     Chunk("LIST", "movi" + movi));
}

class AnimationControlTest : public testing::Test {
protected:
    std::string WriteClip(const std::string& bytes) {
        const std::string path = m_folder.filePath("clip.avi").toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    QTemporaryDir m_folder;
    AnimationControl m_control;
};

} // namespace

TEST_F(AnimationControlTest, PlaysFromFirstToLastFrameAndRoundAgain) {
    ASSERT_TRUE(m_control.Open(WriteClip(SolidClip({0xff0000, 0x00ff00, 0x0000ff}))));
    EXPECT_TRUE(m_control.IsOpen());
    EXPECT_EQ(m_control.CurrentFrame(), 0);
    EXPECT_FALSE(m_control.IsPlaying());
    m_control.Play();
    EXPECT_TRUE(m_control.IsPlaying());
    QTRY_COMPARE(m_control.CurrentFrame(), 2);
    QTRY_COMPARE(m_control.CurrentFrame(), 0);
    QTRY_COMPARE(m_control.CurrentFrame(), 1);

    m_control.Stop();
    EXPECT_FALSE(m_control.IsPlaying());
    const int stoppedAt = m_control.CurrentFrame();
    QTest::qWait(50); // a stopped control must not move: there is no condition to wait for
    EXPECT_EQ(m_control.CurrentFrame(), stoppedAt);

    EXPECT_FALSE(m_control.Open(""));
    EXPECT_FALSE(m_control.IsOpen());
    EXPECT_FALSE(m_control.IsPlaying());
    EXPECT_EQ(m_control.CurrentFrame(), -1);
}

TEST_F(AnimationControlTest, ShowsTheFrameCentredInsideItsBorder) {
    ASSERT_TRUE(m_control.Open(WriteClip(SolidClip({0x00ff00}))));
    m_control.resize(40, 30);
    const QImage shot = m_control.grab().toImage();
    const QColor frame(0x00, 0xff, 0x00);
    for (QPoint inside : {QPoint(18, 13), QPoint(21, 16)})
        EXPECT_EQ(shot.pixelColor(inside), frame) << inside.x() << "," << inside.y();
    for (QPoint outside : {QPoint(17, 13), QPoint(22, 16), QPoint(18, 12), QPoint(0, 0)})
        EXPECT_NE(shot.pixelColor(outside), frame) << outside.x() << "," << outside.y();
}

TEST_F(AnimationControlTest, AMissingOrBrokenClipLeavesItEmpty) {
    ASSERT_TRUE(m_control.Open(WriteClip(SolidClip({0xff0000, 0x00ff00}))));
    m_control.Play();
    EXPECT_FALSE(m_control.Open(m_folder.filePath("missing.avi").toStdString()));
    EXPECT_FALSE(m_control.IsOpen());
    EXPECT_FALSE(m_control.IsPlaying());
    EXPECT_FALSE(m_control.Open(WriteClip("RIFF garbage")));
    m_control.Play();
    EXPECT_FALSE(m_control.IsPlaying());
    EXPECT_EQ(m_control.CurrentFrame(), -1);
}
