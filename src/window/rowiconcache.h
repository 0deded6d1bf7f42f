#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

// Pictures of list rows, prepared once and drawn many times. Rows repaint on every mouse move over
// the list, so an SVG is rendered once per size, opacity and theme, and a picture is scaled once per
// size, instead of on every paint.
namespace RowIconCache {

// Draws a resource SVG into the rectangle as Utils::renderSvg does, recoloured for the program theme
// and with its full opacity replaced by the given one.
void drawSvg(QPainter *painter, const QString &path, const QRect &rect, double opacity = 1.0);
// Draws the whole picture smoothly scaled into the rectangle.
void drawScaled(QPainter *painter, const QRect &rect, const QPixmap &pixmap);
void drawScaled(QPainter *painter, const QRect &rect, const QImage &image);

} // namespace RowIconCache
