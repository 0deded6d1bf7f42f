#include "clipboard/privatedisplay.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

Display *openPrivateDisplay()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return nullptr;
    return XOpenDisplay(DisplayString(x11->display()));
}
