#include "Artwork.h"
#include "Palette.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSvgGenerator>

namespace {

// Below this many pixels the page's fine lines blur into grey: the small mark keeps fewer, bolder ones.
constexpr int kSmallSize = 32;

// A head and shoulders, the resume's owner, inside the given box.
void DrawPerson(QPainter& painter, const QRectF& box, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal head = box.width() * 0.42;
    painter.drawEllipse(QRectF(box.center().x() - head / 2, box.top(), head, head));
    QPainterPath shoulders;
    const QRectF body(box.left(), box.top() + head * 1.08, box.width(), box.height() - head * 1.08);
    shoulders.moveTo(body.bottomLeft());
    shoulders.cubicTo(body.left(), body.top(), body.right(), body.top(), body.right(), body.bottom());
    shoulders.closeSubpath();
    painter.drawPath(shoulders);
}

void DrawGround(QPainter& painter) {
    QLinearGradient ground(0, 0, 0, 64);
    ground.setColorAt(0, Palette::Teal());
    ground.setColorAt(1, Palette::Navy());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
}

void DrawTick(QPainter& painter, const QPointF& centre, qreal radius, qreal width) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::Gold());
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Palette::Paper(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal unit = radius / 7;
    painter.drawPolyline(
        QPolygonF({centre + QPointF(-3.4 * unit, 0.2 * unit), centre + QPointF(-0.8 * unit, 2.8 * unit),
                   centre + QPointF(3.6 * unit, -2.6 * unit)}));
}

// The mark as seen from 48 pixels up: a resume with its owner, lines of text and a gold tick.
void PaintFullEmblem(QPainter& painter) {
    DrawGround(painter);
    DrawPage(painter, QRectF(16, 9, 32, 44), Palette::Paper(), Palette::Navy().darker(130), 9);
    DrawPerson(painter, QRectF(20.5, 15, 10, 13), Palette::Teal());
    painter.setPen(QPen(Palette::Slate(), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(34, 19), QPointF(41, 19));
    painter.drawLine(QPointF(34, 24), QPointF(43, 24));
    for (qreal y = 33; y <= 47; y += 5)
        painter.drawLine(QPointF(21, y), QPointF(43, y));
    DrawTick(painter, QPointF(47, 48), 7, 2.2);
}

// The same mark for 16 to 24 pixels: a larger page, the owner, two bold lines, a larger tick.
void PaintSmallEmblem(QPainter& painter) {
    DrawGround(painter);
    DrawPage(painter, QRectF(12, 7, 36, 50), Palette::Paper(), Palette::Navy().darker(130), 11);
    DrawPerson(painter, QRectF(17, 13, 14, 17), Palette::Teal());
    painter.setPen(QPen(Palette::Slate(), 5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(17, 38), QPointF(43, 38));
    painter.drawLine(QPointF(17, 47), QPointF(33, 47));
    DrawTick(painter, QPointF(47, 48), 10, 4);
}

void PaintEmblem(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    if (size < kSmallSize)
        PaintSmallEmblem(painter);
    else
        PaintFullEmblem(painter);
}

} // namespace

QImage DrawEmblem(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintEmblem(painter, size);
    return image;
}

QByteArray DrawEmblemSvg() {
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(64, 64));
    generator.setViewBox(QRect(0, 0, 64, 64));
    generator.setTitle(QStringLiteral("Talvanor"));
    generator.setDescription(QStringLiteral("The mark of Talvanor, a resume bank"));
    QPainter painter(&generator);
    PaintEmblem(painter, 64);
    painter.end();
    return svg.data();
}
