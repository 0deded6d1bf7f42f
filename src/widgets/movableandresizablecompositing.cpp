// The X11 side of MovableAndResizable, apart because Xlib's macros clash with Qt names.
#include "widgets/movableandresizable.h"

#include <QByteArray>
#include <QGuiApplication>

#include <X11/Xlib.h>

bool MovableAndResizable::compositingActive()
{
    // Other platforms (offscreen among them) draw translucent windows themselves.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return true;
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}
