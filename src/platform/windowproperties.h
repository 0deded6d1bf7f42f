#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Readers of the window properties other applications set. Their contents come from any client of
// the X server, so every length and size is checked.
namespace WindowProperties {

// The class part of a WM_CLASS value ("instance\0class\0"), else its instance part; empty when neither.
QString wmClassName(const QByteArray &wmClass);

// The best image of a _NET_WM_ICON value (repeated width, height, width x height ARGB words), scaled
// to size x size: the smallest that is at least that size, else the largest. Null when none is valid.
QImage iconImage(const quint32 *data, qsizetype count, int size);

} // namespace WindowProperties
