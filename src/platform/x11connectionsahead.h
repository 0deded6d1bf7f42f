#pragma once

#include <QByteArray>

typedef struct _XDisplay Display;
typedef struct xcb_connection_t xcb_connection_t;

// The program keeps X connections of its own besides the toolkit's: key synthesis, the key
// monitor, the active window and the clipboard. Each takes several round trips to open; opened on
// a thread while the toolkit starts, they are ready by the time the objects that use them are built.
namespace X11ConnectionsAhead {

// Whether the toolkit will run on X11, on the display DISPLAY names: as it chooses, by
// QT_QPA_PLATFORM, "-platform" and the session type; "-display" names another display.
bool toolkitGoesToX11(int argc, char **argv);
// Starts opening them when the toolkit goes to X11; does nothing otherwise.
void start(int argc, char **argv);
// A connection opened ahead to this display (as DisplayString names it), or else a new one; null
// when the display cannot be reached. The caller owns it.
Display *openDisplay(const QByteArray &name);
// The same for an XCB connection; screen receives the preferred screen. Never null: check it
// with xcb_connection_has_error, as with xcb_connect.
xcb_connection_t *connect(const QByteArray &name, int *screen);
// Closes what nobody took; later asks open their own.
void discardUnused();

} // namespace X11ConnectionsAhead
