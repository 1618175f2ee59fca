#include "Artwork.h"
#include "Palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void Backdrop(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(0xee, 0xf2, 0xf5));
    sky.setColorAt(1, QColor(0xc9, 0xd5, 0xdf));
    painter.fillRect(area, sky);
    // Two broad, faint arcs give depth without drawing the eye.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        QPen arc(QColor(0x2a, 0x83, 0x86, 28 - i * 10), 46 - i * 16);
        painter.setPen(arc);
        painter.drawEllipse(QPointF(470, 520), 330 + i * 70, 260 + i * 60);
    }
}

void Resume(QPainter& painter, const QPointF& at, qreal angle, bool front) {
    painter.save();
    painter.translate(at);
    painter.rotate(angle);
    const QRectF page(-80, -105, 160, 210);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x24, 0x3b, 0x5a, 40));
    painter.drawRoundedRect(page.translated(5, 6), 3, 3);
    DrawPage(painter, page, Palette::Paper(), QColor(0xa9, 0xb4, 0xc0), 22);
    if (front) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd7, 0xe6, 0xe7));
        painter.drawRect(QRectF(-64, -88, 40, 48));
        painter.setBrush(Palette::Teal());
        painter.drawEllipse(QPointF(-44, -74), 9, 9);
        painter.drawChord(QRectF(-60, -62, 32, 34), 0, 180 * 16);
        painter.setPen(QPen(Palette::Navy(), 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-14, -80), QPointF(40, -80));
        painter.setPen(QPen(Palette::Slate(), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-14, -66), QPointF(28, -66));
        painter.drawLine(QPointF(-14, -54), QPointF(48, -54));
    }
    painter.setPen(QPen(QColor(0xb6, 0xc0, 0xcb), 3, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 8; ++line) {
        const qreal y = -22 + line * 14;
        const qreal end = (line % 3 == 2) ? 30 : 62;
        if (line == 3) {
            painter.setPen(QPen(Palette::Gold(), 3, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(-64, y), QPointF(-20, y));
            painter.setPen(QPen(QColor(0xb6, 0xc0, 0xcb), 3, Qt::SolidLine, Qt::RoundCap));
            continue;
        }
        painter.drawLine(QPointF(-64, y), QPointF(end, y));
    }
    painter.restore();
}

void Lens(QPainter& painter, const QPointF& centre, qreal radius) {
    painter.setPen(QPen(Palette::Navy(), 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(radius * 0.72, radius * 0.72),
                     centre + QPointF(radius * 1.75, radius * 1.75));
    QRadialGradient glass(centre, radius);
    glass.setColorAt(0, QColor(255, 255, 255, 70));
    glass.setColorAt(1, QColor(0x9f, 0xcf, 0xd1, 110));
    painter.setBrush(glass);
    painter.setPen(QPen(Palette::Navy(), 7));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 170), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(
        QRectF(centre.x() - radius + 10, centre.y() - radius + 10, radius * 2 - 20, radius * 2 - 20),
        100 * 16, 60 * 16);
}

void Title(QPainter& painter) {
    QFont name(QStringLiteral("DejaVu Serif"));
    name.setPixelSize(46);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Palette::Navy());
    painter.drawText(QRectF(300, 300, 250, 56), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Talvanor"));
    QFont tagline(QStringLiteral("DejaVu Sans"));
    tagline.setPixelSize(17);
    tagline.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    painter.setFont(tagline);
    painter.setPen(Palette::Slate());
    painter.drawText(QRectF(250, 356, 300, 26), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("RESUME BANK"));
    painter.setPen(QPen(Palette::Gold(), 3));
    painter.drawLine(QPointF(400, 392), QPointF(548, 392));
}

} // namespace

QImage DrawPicture() {
    QImage image(570, 440, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Backdrop(painter, QRectF(image.rect()));
    Resume(painter, QPointF(150, 225), -12, false);
    Resume(painter, QPointF(205, 215), 4, false);
    Resume(painter, QPointF(265, 205), 14, true);
    Lens(painter, QPointF(380, 150), 58);
    Title(painter);
    return image;
}
