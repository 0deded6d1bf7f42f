#include "platform/x11connectionsahead.h"

#include <QtGlobal>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Key synthesis, the key monitor, the clipboard reader and the clipboard owner watch.
constexpr int DisplaysAhead = 4;

class Ahead
{
public:
    ~Ahead() { discard(); }

    void start(const QByteArray &name)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_opener.joinable() || m_discarded)
            return;
        m_name = name;
        m_opener = std::thread([this] {
            for (int i = 0; i < DisplaysAhead; ++i) {
                if (Display *display = XOpenDisplay(m_name.constData()))
                    m_displays.push_back(display);
            }
            m_xcb = xcb_connect(m_name.constData(), &m_screen);
        });
    }

    Display *takeDisplay(const QByteArray &name)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        finishOpening();
        if (m_displays.empty() || name != m_name)
            return nullptr;
        Display *display = m_displays.back();
        m_displays.pop_back();
        return display;
    }

    xcb_connection_t *takeXcb(const QByteArray &name, int *screen)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        finishOpening();
        if (!m_xcb || name != m_name)
            return nullptr;
        xcb_connection_t *connection = m_xcb;
        m_xcb = nullptr;
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            return nullptr;
        }
        *screen = m_screen;
        return connection;
    }

    void discard()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        finishOpening();
        m_discarded = true;
        for (Display *display : m_displays)
            XCloseDisplay(display);
        m_displays.clear();
        if (m_xcb)
            xcb_disconnect(m_xcb);
        m_xcb = nullptr;
    }

private:
    void finishOpening()
    {
        if (m_opener.joinable())
            m_opener.join();
    }

    std::mutex m_mutex;
    std::thread m_opener;
    bool m_discarded = false;
    QByteArray m_name;
    std::vector<Display *> m_displays;
    xcb_connection_t *m_xcb = nullptr;
    int m_screen = 0;
};

Ahead &ahead()
{
    static Ahead instance;
    return instance;
}

} // namespace

namespace X11ConnectionsAhead {

bool toolkitGoesToX11(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        // The toolkit takes its options with one dash or two.
        const char *option = std::strncmp(argv[i], "--", 2) == 0 ? argv[i] + 1 : argv[i];
        if (std::strcmp(option, "-platform") == 0)
            platform = argv[i + 1];
        else if (std::strcmp(option, "-display") == 0)
            return false;
    }
    if (!platform.isEmpty())
        return platform.startsWith("xcb");
    return qgetenv("XDG_SESSION_TYPE") != "wayland";
}

void start(int argc, char **argv)
{
    if (toolkitGoesToX11(argc, argv))
        ahead().start(qgetenv("DISPLAY"));
}

Display *openDisplay(const QByteArray &name)
{
    if (Display *display = ahead().takeDisplay(name))
        return display;
    return XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
}

xcb_connection_t *connect(const QByteArray &name, int *screen)
{
    if (xcb_connection_t *connection = ahead().takeXcb(name, screen))
        return connection;
    return xcb_connect(name.isEmpty() ? nullptr : name.constData(), screen);
}

void discardUnused()
{
    ahead().discard();
}

} // namespace X11ConnectionsAhead
