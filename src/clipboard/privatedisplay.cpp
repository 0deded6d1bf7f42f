#include "clipboard/privatedisplay.h"

#include "platform/x11connectionsahead.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

Display *openPrivateDisplay()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return nullptr;
    return X11ConnectionsAhead::openDisplay(DisplayString(x11->display()));
}
