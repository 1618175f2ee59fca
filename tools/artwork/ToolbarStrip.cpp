#include "Artwork.h"
#include "Palette.h"

#include <QFont>
#include <QPainterPath>
#include <array>
#include <functional>

namespace {

using ImageDrawer = std::function<void(QPainter&)>;

QPen Stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void TextLines(QPainter& painter, qreal left, qreal right, qreal top, int count) {
    painter.setPen(Stroke(Palette::Slate(), 1.6));
    for (int i = 0; i < count; ++i)
        painter.drawLine(QPointF(left, top + i * 4.5), QPointF(right, top + i * 4.5));
}

void Manually(QPainter& painter) {
    DrawPage(painter, QRectF(5, 3, 19, 26), Palette::Paper(), Palette::Ink(), 6);
    TextLines(painter, 8.5, 19, 11, 4);
    painter.setPen(Stroke(Palette::Navy(), 1.0));
    painter.setBrush(Palette::Gold());
    painter.drawPolygon(QPolygonF({QPointF(27, 9), QPointF(30, 12), QPointF(18, 24), QPointF(15, 21)}));
    painter.setBrush(Palette::Ink());
    painter.drawPolygon(QPolygonF({QPointF(15, 21), QPointF(18, 24), QPointF(13.5, 25.5)}));
}

void FromTextFile(QPainter& painter) {
    DrawPage(painter, QRectF(6, 3, 20, 26), Palette::Paper(), Palette::Ink(), 6);
    TextLines(painter, 9.5, 22.5, 12, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::Teal());
    painter.drawRoundedRect(QRectF(2, 17, 17, 10), 2, 2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Palette::Paper());
    painter.drawText(QRectF(2, 17, 17, 10), Qt::AlignCenter, QStringLiteral("TXT"));
}

void FromWebsite(QPainter& painter) {
    const QRectF globe(4, 4, 24, 24);
    painter.setPen(Stroke(Palette::Navy(), 1.6));
    painter.setBrush(QColor(0xcf, 0xe6, 0xe8));
    painter.drawEllipse(globe);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(11, 4, 10, 24));
    painter.drawLine(QPointF(16, 4), QPointF(16, 28));
    painter.drawLine(QPointF(4, 16), QPointF(28, 16));
    painter.drawLine(QPointF(6.5, 10), QPointF(25.5, 10));
    painter.drawLine(QPointF(6.5, 22), QPointF(25.5, 22));
}

void Magnifier(QPainter& painter, const QPointF& centre, qreal radius) {
    painter.setPen(Stroke(Palette::Navy(), 3.2));
    painter.drawLine(centre + QPointF(radius * 0.7, radius * 0.7),
                     centre + QPointF(radius * 1.9, radius * 1.9));
    painter.setPen(Stroke(Palette::Navy(), 2.0));
    painter.setBrush(QColor(0xdd, 0xf0, 0xf0, 220));
    painter.drawEllipse(centre, radius, radius);
}

void QueryForm(QPainter& painter) {
    painter.setPen(Stroke(Palette::Ink(), 1.0));
    painter.setBrush(Palette::Paper());
    painter.drawRect(QRectF(3.5, 3.5, 20, 25));
    painter.setBrush(QColor(0xe3, 0xe8, 0xee));
    for (int i = 0; i < 4; ++i)
        painter.drawRect(QRectF(6.5, 7.5 + i * 5, 14, 3));
    Magnifier(painter, QPointF(20, 18), 5.5);
}

void AllRecords(QPainter& painter) {
    painter.setPen(Stroke(Palette::Ink(), 1.0));
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(i == 0 ? Palette::Teal() : (i % 2 ? Palette::Paper() : QColor(0xe6, 0xec, 0xf1)));
        painter.drawRect(QRectF(3.5, 4.5 + i * 5, 25, 5));
    }
    painter.drawLine(QPointF(11.5, 9.5), QPointF(11.5, 29.5));
}

void Qualification(QPainter& painter) {
    painter.setPen(Stroke(Palette::Navy(), 1.0));
    painter.setBrush(Palette::Navy());
    painter.drawPolygon(QPolygonF({QPointF(16, 6), QPointF(30, 12), QPointF(16, 18), QPointF(2, 12)}));
    QPainterPath cap;
    cap.moveTo(8, 15);
    cap.lineTo(8, 21);
    cap.cubicTo(12, 25, 20, 25, 24, 21);
    cap.lineTo(24, 15);
    cap.lineTo(16, 18.5);
    cap.closeSubpath();
    painter.drawPath(cap);
    painter.setPen(Stroke(Palette::Gold(), 1.6));
    painter.drawLine(QPointF(27, 13), QPointF(27, 23));
    painter.setBrush(Palette::Gold());
    painter.drawEllipse(QPointF(27, 24), 1.6, 1.6);
}

void Specialization(QPainter& painter) {
    QPainterPath gear;
    gear.setFillRule(Qt::WindingFill);
    const QPointF centre(16, 16);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(tooth * 45.0);
        QPainterPath one;
        one.addRect(QRectF(-3, -13, 6, 6));
        gear.addPath(turn.map(one));
    }
    gear.addEllipse(centre, 9.5, 9.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::Teal());
    painter.drawPath(gear.simplified());
    painter.setBrush(Palette::Paper());
    painter.drawEllipse(centre, 4, 4);
}

void Location(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QPointF(16, 28), 7, 2);
    QPainterPath pin;
    pin.moveTo(16, 28);
    pin.cubicTo(11, 20, 6, 16, 6, 12);
    pin.arcTo(QRectF(6, 2, 20, 20), 180, -180);
    pin.cubicTo(26, 16, 21, 20, 16, 28);
    painter.setPen(Stroke(Palette::Navy().darker(120), 1.0));
    painter.setBrush(Palette::Gold());
    painter.drawPath(pin);
    painter.setBrush(Palette::Paper());
    painter.drawEllipse(QPointF(16, 12), 4, 4);
}

void Badge(QPainter& painter, const QColor& colour, const QString& mark) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(19);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Palette::Paper());
    painter.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, mark);
}

void Help(QPainter& painter) {
    Badge(painter, Palette::Teal(), QStringLiteral("?"));
}
void About(QPainter& painter) {
    Badge(painter, Palette::Navy(), QStringLiteral("i"));
}

} // namespace

QImage DrawToolbarStrip() {
    // In the toolbar's order, separators left out.
    const std::array<ImageDrawer, 10> drawers = {Manually,   FromTextFile,  FromWebsite,    QueryForm,
                                                 AllRecords, Qualification, Specialization, Location,
                                                 Help,       About};
    QImage strip(32 * static_cast<int>(drawers.size()), 32, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < drawers.size(); ++i) {
        painter.save();
        painter.translate(32.0 * static_cast<qreal>(i), 0);
        painter.setClipRect(QRect(0, 0, 32, 32));
        drawers[i](painter);
        painter.restore();
    }
    return strip;
}
