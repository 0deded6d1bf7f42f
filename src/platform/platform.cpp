#include "platform.h"

#include <QGuiApplication>
#include <QPalette>

bool isDarkMode()
{
    const QByteArray forced = qgetenv("KESTOVAN_DARK_MODE");
    if (forced == "1")
        return true;
    if (forced == "0")
        return false;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}
