// Waits, with a bound, until the X session is ready for a test step:
//   x11wait --wm TIMEOUT_MS          a window manager runs (EWMH _NET_SUPPORTING_WM_CHECK)
//   x11wait SELECTION TIMEOUT_MS     the selection has an owner, e.g. _NET_SYSTEM_TRAY_S0
// Exit code 0 when ready, 1 on timeout, 2 on bad usage.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

int ignoreXErrors(Display *, XErrorEvent *)
{
    // The check window may vanish between reading its id and asking about it.
    return 0;
}

Window windowProperty(Display *display, Window window, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    Window result = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format, &count,
                           &remaining, &data) == Success
        && type == XA_WINDOW && format == 32 && count == 1 && data) {
        result = *reinterpret_cast<Window *>(data);
    }
    if (data)
        XFree(data);
    return result;
}

bool windowManagerRuns(Display *display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const Window child = windowProperty(display, DefaultRootWindow(display), check);
    // A stale property from a window manager that died points at a window that no longer
    // points at itself.
    return child != 0 && windowProperty(display, child, check) == child;
}

bool selectionOwned(Display *display, const char *selection)
{
    return XGetSelectionOwner(display, XInternAtom(display, selection, False)) != 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s --wm|SELECTION TIMEOUT_MS\n", argv[0]);
        return 2;
    }
    const char *what = argv[1];
    char *end = nullptr;
    const long timeoutMs = std::strtol(argv[2], &end, 10);
    if (*argv[2] == '\0' || *end != '\0' || timeoutMs < 0) {
        std::fprintf(stderr, "x11wait: bad timeout '%s'\n", argv[2]);
        return 2;
    }
    const bool waitForWm = std::strcmp(what, "--wm") == 0;

    XSetErrorHandler(ignoreXErrors);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    Display *display = nullptr;
    for (;;) {
        if (!display)
            display = XOpenDisplay(nullptr);
        if (display) {
            const bool ready = waitForWm ? windowManagerRuns(display) : selectionOwned(display, what);
            if (ready) {
                XCloseDisplay(display);
                return 0;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::fprintf(stderr, "x11wait: %s not ready on display '%s' after %ld ms\n",
                 waitForWm ? "window manager" : what, std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "",
                 timeoutMs);
    if (display)
        XCloseDisplay(display);
    return 1;
}
