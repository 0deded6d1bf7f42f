// A clipboard owner that answers with malformed replies, as a hostile local client could, or late,
// as a busy application does:
//   kestovan_hostileowner MODE
// Takes CLIPBOARD, prints "owning", offers TARGETS and UTF8_STRING, prints "request TARGET" for
// every request, and answers every request for UTF8_STRING with an INCR property of the shape MODE
// names:
//   incr-format-8    one byte where the size should be
//   incr-format-16   one 16-bit item
// A requestor that goes on with the transfer regardless (deletes the property) is sent the text
// "hostile text" in one chunk, then the empty chunk that ends it; "transfer" is printed then.
//   late-MS          answers each request, one at a time, MS milliseconds after it came, UTF8_STRING
//                    with the text "late text".
// Ends when killed or when it loses the selection ("lost").
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

struct Transfer
{
    Window requestor = None;
    Atom property = None;
    int chunksSent = 0;
};

bool writeIncr(Display *display, Window requestor, Atom property, Atom incr, const char *mode)
{
    if (std::strcmp(mode, "incr-format-8") == 0) {
        const unsigned char size = 12;
        XChangeProperty(display, requestor, property, incr, 8, PropModeReplace, &size, 1);
    } else if (std::strcmp(mode, "incr-format-16") == 0) {
        const short size = 12;
        XChangeProperty(display, requestor, property, incr, 16, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&size), 1);
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestovan_hostileowner incr-format-8|incr-format-16|late-MS\n");
        return 2;
    }
    const char *mode = argv[1];
    const int late = std::strncmp(mode, "late-", 5) == 0 ? std::atoi(mode + 5) : -1;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kestovan_hostileowner: no X display\n");
        return 2;
    }
    // Closed on every way out, so that a sanitized build reports no connection left open.
    const std::unique_ptr<Display, int (*)(Display *)> connection(display, XCloseDisplay);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom incr = XInternAtom(display, "INCR", False);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != window) {
        std::fprintf(stderr, "kestovan_hostileowner: could not take the selection\n");
        return 1;
    }
    std::printf("owning\n");
    std::fflush(stdout);

    Transfer transfer;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent &request = event.xselectionrequest;
            char *name = XGetAtomName(display, request.target);
            std::printf("request %s\n", name ? name : "?");
            std::fflush(stdout);
            if (name)
                XFree(name);
            // Busy with other work, as a large document keeps an editor.
            if (late >= 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(late));
            XSelectionEvent answer{};
            answer.type = SelectionNotify;
            answer.requestor = request.requestor;
            answer.selection = request.selection;
            answer.target = request.target;
            answer.time = request.time;
            answer.property = None;
            if (request.target == targets) {
                const Atom offered[] = {targets, utf8};
                XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(offered), 2);
                answer.property = request.property;
            } else if (request.target == utf8 && late >= 0) {
                static const char text[] = "late text";
                XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char *>(text), int(sizeof text - 1));
                answer.property = request.property;
            } else if (request.target == utf8) {
                XSelectInput(display, request.requestor, PropertyChangeMask);
                if (!writeIncr(display, request.requestor, request.property, incr, mode)) {
                    std::fprintf(stderr, "kestovan_hostileowner: unknown mode %s\n", mode);
                    return 2;
                }
                transfer = {request.requestor, request.property, 0};
                answer.property = request.property;
            }
            XSendEvent(display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent *>(&answer));
            XFlush(display);
        } else if (event.type == PropertyNotify) {
            const XPropertyEvent &change = event.xproperty;
            if (change.state != PropertyDelete || change.window != transfer.requestor
                || change.atom != transfer.property || transfer.chunksSent >= 2)
                continue;
            static const char text[] = "hostile text";
            const int length = transfer.chunksSent == 0 ? int(sizeof text - 1) : 0;
            XChangeProperty(display, transfer.requestor, transfer.property, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(text), length);
            XFlush(display);
            if (transfer.chunksSent++ == 0) {
                std::printf("transfer\n");
                std::fflush(stdout);
            }
        } else if (event.type == SelectionClear) {
            std::printf("lost\n");
            std::fflush(stdout);
            return 0;
        }
    }
}
