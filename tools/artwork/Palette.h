#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// The few colours every picture shares, so the artwork reads as one set.
namespace Palette {
QColor Navy();
QColor Slate();
QColor Teal();
QColor Gold();
QColor Paper();
QColor Ink();
} // namespace Palette

// A sheet of paper with a folded top-right corner.
void DrawPage(QPainter& painter, const QRectF& page, const QColor& fill, const QColor& edge, qreal fold);
