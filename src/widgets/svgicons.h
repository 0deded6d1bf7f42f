#pragma once

#include <QByteArray>
#include <QIcon>
#include <QRect>
#include <QString>

class QPainter;

// The program's SVG icons, drawn for the theme in use. They sit above the platform layer, which
// tells whether the desktop is dark.
namespace Utils {

// The SVG's text recoloured for a dark appearance (by the program theme, or the system's when
// followSystem) and with every opacity="1.0" set to the given opacity; empty when unreadable.
QByteArray loadSvg(QString path, bool followSystem, double opacity);
QIcon svg2icon(QString path, bool followSystem);
QIcon svg2icon(QString path, QString replacement, QString replaced);
void renderSvg(QString path, QPainter *painter, QRect rect, bool followSystem);
void renderSvg(QString path, QPainter *painter, QRect rect, double opacity);

} // namespace Utils
