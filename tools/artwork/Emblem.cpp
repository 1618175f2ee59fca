#include "Artwork.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace {

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

} // namespace

QImage DrawEmblem(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient ground(0, 0, 0, 64);
    ground.setColorAt(0, Palette::Teal());
    ground.setColorAt(1, Palette::Navy());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    const QRectF page(16, 9, 32, 44);
    DrawPage(painter, page, Palette::Paper(), Palette::Navy().darker(130), 9);
    DrawPerson(painter, QRectF(20.5, 15, 10, 13), Palette::Teal());
    painter.setPen(QPen(Palette::Slate(), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(34, 19), QPointF(41, 19));
    painter.drawLine(QPointF(34, 24), QPointF(43, 24));
    for (qreal y = 33; y <= 47; y += 5)
        painter.drawLine(QPointF(21, y), QPointF(43, y));

    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::Gold());
    painter.drawEllipse(QPointF(47, 48), 7, 7);
    painter.setPen(QPen(Palette::Paper(), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(43.6, 48.2), QPointF(46.2, 50.8), QPointF(50.6, 45.4)}));
    return image;
}
