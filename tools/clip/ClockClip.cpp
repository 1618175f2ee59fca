#include "ClockClip.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

// Our artwork's colours; the window grey behind lets the clip sit in a dialog unframed.
const QColor kWindow(0xef, 0xef, 0xef);
const QColor kPaper(0xfb, 0xfa, 0xf6);
const QColor kNavy(0x24, 0x3b, 0x5a);
const QColor kTeal(0x2a, 0x83, 0x86);
const QColor kGold(0xd6, 0xa2, 0x3e);

QColor Mix(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                            from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

// Ramps between the colours that meet at an edge, so the smoothed edges keep their shading.
QList<QRgb> ClipPalette() {
    QList<QRgb> colours;
    const std::pair<QColor, QColor> edges[] = {{kWindow, kNavy}, {kPaper, kNavy}, {kPaper, kTeal},
                                               {kPaper, kGold},  {kTeal, kNavy},  {kGold, kNavy}};
    for (const auto& [from, to] : edges)
        for (int step = 0; step <= 15; ++step)
            colours.push_back(Mix(from, to, step / 15.0).rgb());
    return colours;
}

void DrawFace(QPainter& painter) {
    const QPointF centre(kClockSide / 2.0, kClockSide / 2.0);
    const double radius = kClockSide / 2.0 - 5;
    painter.setPen(QPen(kNavy, 4));
    painter.setBrush(kPaper);
    painter.drawEllipse(centre, radius, radius);
    for (int hour = 0; hour < 12; ++hour) {
        painter.save();
        painter.translate(centre);
        painter.rotate(hour * 30.0);
        const bool quarter = hour % 3 == 0;
        painter.setPen(QPen(quarter ? kNavy : kTeal, quarter ? 3.5 : 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -radius + 6), QPointF(0, -radius + (quarter ? 15 : 11)));
        painter.restore();
    }
}

void DrawHand(QPainter& painter, int frame) {
    const QPointF centre(kClockSide / 2.0, kClockSide / 2.0);
    painter.save();
    painter.translate(centre);
    painter.rotate(frame * 360.0 / kClockFrames);
    QPainterPath hand;
    hand.moveTo(0, -kClockSide * 0.36);
    hand.lineTo(5, 0);
    hand.lineTo(0, 8);
    hand.lineTo(-5, 0);
    hand.closeSubpath();
    painter.setPen(QPen(kNavy, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kGold);
    painter.drawPath(hand);
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawEllipse(centre, 3.5, 3.5);
}

std::vector<uint8_t> Indices(const QImage& indexed) {
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(kClockSide) * kClockSide);
    for (int y = 0; y < kClockSide; ++y) {
        const uchar* line = indexed.constScanLine(y);
        pixels.insert(pixels.end(), line, line + kClockSide);
    }
    return pixels;
}

} // namespace

IndexedClip DrawClockClip() {
    const QList<QRgb> palette = ClipPalette();
    IndexedClip clip;
    clip.width = kClockSide;
    clip.height = kClockSide;
    clip.microsecondsPerFrame = 100'000;
    clip.palette.assign(palette.begin(), palette.end());
    for (int frame = 0; frame < kClockFrames; ++frame) {
        QImage image(kClockSide, kClockSide, QImage::Format_RGB32);
        image.fill(kWindow);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawFace(painter);
        DrawHand(painter, frame);
        painter.end();
        // Nearest colour, no dither: dithering would break the runs RLE8 lives on.
        clip.frames.push_back(
            Indices(image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither)));
    }
    return clip;
}
