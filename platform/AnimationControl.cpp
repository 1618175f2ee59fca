#include "platform/AnimationControl.h"

#include <QPainter>
#include <algorithm>

namespace {
// A clip asking for more than this is played at this rate, so it cannot flood the event loop.
constexpr int kShortestFrameMs = 10;
} // namespace

AnimationControl::AnimationControl(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    connect(&m_timer, &QTimer::timeout, this, &AnimationControl::Advance);
}

bool AnimationControl::Open(const std::string& path) {
    Close();
    if (path.empty() || !m_clip.Open(path))
        return false;
    m_timer.setInterval(std::max(kShortestFrameMs, m_clip.MicrosecondsPerFrame() / 1000));
    update();
    return true;
}

void AnimationControl::Play() {
    if (!IsOpen())
        return;
    m_frame = 0;
    update();
    if (m_clip.FrameCount() > 1)
        m_timer.start();
}

void AnimationControl::Stop() {
    m_timer.stop();
}

void AnimationControl::Close() {
    m_timer.stop();
    m_clip.Clear();
    m_frame = 0;
    update();
}

QSize AnimationControl::sizeHint() const {
    const int border = 2 * frameWidth();
    return IsOpen() ? QSize(m_clip.Width() + border, m_clip.Height() + border) : QFrame::sizeHint();
}

void AnimationControl::Advance() {
    m_frame = (m_frame + 1) % m_clip.FrameCount();
    update();
}

void AnimationControl::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!IsOpen())
        return;
    const QImage& frame = m_clip.Frame(m_frame);
    const QRect area = contentsRect();
    QPainter painter(this);
    painter.setClipRect(area);
    const QSize spare = area.size() - frame.size();
    painter.drawImage(area.topLeft() + QPoint(spare.width() / 2, spare.height() / 2), frame);
}
