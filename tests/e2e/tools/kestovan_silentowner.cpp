// A clipboard owner that never answers, as a hung application is:
//   kestovan_silentowner [SELECTION]     (default CLIPBOARD)
// Takes the selection, prints "owning", then prints "request TARGET" for every request it
// receives and answers none of them, until it is killed or loses the selection ("lost").
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <X11/Xlib.h>

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kestovan_silentowner: no X display\n");
        return 2;
    }
    // Closed on every way out, so that a sanitized build reports no connection left open.
    const std::unique_ptr<Display, int (*)(Display *)> connection(display, XCloseDisplay);
    const Atom selection = XInternAtom(display, argc > 1 ? argv[1] : "CLIPBOARD", False);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, selection, window, CurrentTime);
    if (XGetSelectionOwner(display, selection) != window) {
        std::fprintf(stderr, "kestovan_silentowner: could not take the selection\n");
        return 1;
    }
    std::printf("owning\n");
    std::fflush(stdout);

    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            char *name = XGetAtomName(display, event.xselectionrequest.target);
            std::printf("request %s\n", name ? name : "?");
            std::fflush(stdout);
            if (name)
                XFree(name);
        } else if (event.type == SelectionClear) {
            std::printf("lost\n");
            std::fflush(stdout);
            return 0;
        }
    }
}
