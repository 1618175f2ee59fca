#pragma once

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

// The frames of a RIFF/AVI clip of uncompressed (8-bit with palette, 24- or 32-bit) or RLE8
// frames, decoded whole on open. Anything it cannot read safely makes Open fail and leaves the
// clip empty, so a damaged or hostile file can never crash the program.
class AviClip {
public:
    static constexpr int kMaxSide = 4096;
    static constexpr int kMaxFrames = 10000;
    // All decoded frames together, in pixels: bounds the memory a clip can claim.
    static constexpr long long kMaxTotalPixels = 64LL * 1024 * 1024;

    bool Open(const std::string& path);
    bool Load(std::string_view bytes);
    void Clear();

    bool IsEmpty() const { return m_frames.empty(); }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // From the main header, or the stream's rate where the header gives none.
    int MicrosecondsPerFrame() const { return m_microsecondsPerFrame; }
    // Frames are QImage::Format_RGB32, top row first.
    const QImage& Frame(int index) const { return m_frames.at(static_cast<size_t>(index)); }

private:
    std::vector<QImage> m_frames;
    int m_width = 0;
    int m_height = 0;
    int m_microsecondsPerFrame = 0;
};
