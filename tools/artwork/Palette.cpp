#include "Palette.h"

#include <QPainterPath>

namespace Palette {
QColor Navy() {
    return QColor(0x24, 0x3b, 0x5a);
}
QColor Slate() {
    return QColor(0x5f, 0x70, 0x86);
}
QColor Teal() {
    return QColor(0x2a, 0x83, 0x86);
}
QColor Gold() {
    return QColor(0xd6, 0xa2, 0x3e);
}
QColor Paper() {
    return QColor(0xfb, 0xfa, 0xf6);
}
QColor Ink() {
    return QColor(0x3c, 0x48, 0x58);
}
} // namespace Palette

void DrawPage(QPainter& painter, const QRectF& page, const QColor& fill, const QColor& edge, qreal fold) {
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(fill);
    painter.drawPath(outline);

    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    corner.closeSubpath();
    painter.setBrush(fill.darker(112));
    painter.drawPath(corner);
}
