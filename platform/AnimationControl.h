#pragma once

#include "platform/AviClip.h"

#include <QFrame>
#include <QTimer>
#include <string>

// Plays a clip read by AviClip: shows its first frame once open and, while playing, runs from
// the first to the last frame and round again at the clip's frame rate. The frame is drawn
// centred inside a thin border; without a clip only the border shows.
class AnimationControl : public QFrame {
    Q_OBJECT
public:
    explicit AnimationControl(QWidget* parent = nullptr);

    // Closes what was open, then opens the clip at `path`. An empty path only closes. Returns
    // whether a clip is open afterwards; a missing or unreadable clip leaves the control empty.
    bool Open(const std::string& path);
    // From the first frame, repeated until Stop or Close.
    void Play();
    // Stays on the frame it shows.
    void Stop();
    void Close();

    bool IsOpen() const { return !m_clip.IsEmpty(); }
    bool IsPlaying() const { return m_timer.isActive(); }
    // -1 while no clip is open.
    int CurrentFrame() const { return IsOpen() ? m_frame : -1; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Advance();

    AviClip m_clip;
    QTimer m_timer;
    int m_frame = 0;
};
