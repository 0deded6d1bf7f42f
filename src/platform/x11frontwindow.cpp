#include "platform/x11frontwindow.h"

#include "platform/platformlog.h"
#include "platform/windowproperties.h"
#include "platform/x11connectionsahead.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QWindow>

#include <unistd.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// _NET_WM_ICON of a large icon set is a few megabytes; anything beyond this is not an icon.
constexpr quint32 maxIconWords = 4 * 1024 * 1024;
// Activation requests from a pager are not second-guessed by focus-stealing prevention.
constexpr quint32 sourcePager = 2;
constexpr quint32 allDesktops = 0xFFFFFFFF;

} // namespace

X11FrontWindow *X11FrontWindow::create(const QByteArray &displayName, QObject *parent)
{
    int screen = 0;
    xcb_connection_t *connection = X11ConnectionsAhead::connect(displayName, &screen);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        qCWarning(lcPlatform) << "Cannot reach the X display" << displayName << "to follow the active window.";
        return nullptr;
    }
    return new X11FrontWindow(connection, screen, parent);
}

X11FrontWindow::X11FrontWindow(xcb_connection_t *connection, int screen, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screen && it.rem; ++i)
        xcb_screen_next(&it);
    m_root = it.data->root;

    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);

    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11FrontWindow::readEvents);
    // Asked one by one, each name would cost a round trip of its own while the program starts.
    internAtoms({"_NET_ACTIVE_WINDOW", "_NET_SUPPORTING_WM_CHECK", "_NET_WM_PID", "_NET_WM_DESKTOP",
                 "_NET_CLIENT_LIST_STACKING", "_NET_WM_ICON"});
    update();
}

X11FrontWindow::~X11FrontWindow()
{
    delete m_notifier;
    xcb_disconnect(m_connection);
}

void X11FrontWindow::readEvents()
{
    // Reading the new state queues events of its own, which the next pass takes.
    for (;;) {
        bool activeChanged = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY
                && reinterpret_cast<xcb_property_notify_event_t *>(event)->atom == atom("_NET_ACTIVE_WINDOW"))
                activeChanged = true;
            std::free(event);
        }
        if (xcb_connection_has_error(m_connection)) {
            m_notifier->setEnabled(false);
            return;
        }
        if (!activeChanged)
            return;
        update();
    }
}

void X11FrontWindow::update()
{
    const quint32 active = activeWindow();
    if (!active) {
        m_activeIsOurs = false;
        return;
    }
    m_activeIsOurs = isOwnWindow(active);
    if (!m_activeIsOurs)
        m_lastForeign = active;
}

quint32 X11FrontWindow::frontWindow()
{
    update();
    if (m_lastForeign && !windowExists(m_lastForeign))
        m_lastForeign = 0;
    return m_lastForeign;
}

bool X11FrontWindow::ownWindowHasFocus()
{
    readEvents();
    if (m_hasWindowManager)
        return m_activeIsOurs;
    // Qt's own view is the best there is without a window manager; a hidden window has no focus.
    const QWindow *focus = QGuiApplication::focusWindow();
    return focus && focus->isVisible();
}

quint32 X11FrontWindow::activeWindow()
{
    // Both root properties in one round trip; the active one counts only under a window manager.
    const xcb_get_property_cookie_t activeAsked = askProperty(m_root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1);
    m_hasWindowManager = hasWindowManager();
    bool ok = false;
    const quint32 active = cardinal(activeAsked, XCB_ATOM_WINDOW, &ok);
    if (m_hasWindowManager)
        return ok ? active : 0;
    // Without a window manager the focus window is the active one; its top-level is a child of root.
    XcbReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    if (!focus || focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus->focus == m_root)
        return 0;
    xcb_window_t window = focus->focus;
    for (int depth = 0; depth < 64; ++depth) {
        XcbReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
        if (!tree)
            return 0;
        if (tree->parent == m_root || tree->parent == XCB_NONE)
            return window;
        window = tree->parent;
    }
    return 0;
}

bool X11FrontWindow::isOwnWindow(quint32 window)
{
    const QList<QWindow *> windows = QGuiApplication::allWindows();
    for (QWindow *own : windows) {
        if (own->handle() && own->winId() == window)
            return true;
    }
    bool ok = false;
    const quint32 pid = cardinal(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, &ok);
    if (!ok || pid != quint32(getpid()))
        return false;
    // A pid names a process only on its own machine.
    const QByteArray machine = property(window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 256);
    return machine.isEmpty() || QString::fromLatin1(machine).section(QChar(0), 0, 0) == QSysInfo::machineHostName();
}

bool X11FrontWindow::windowExists(quint32 window)
{
    XcbReply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    return attributes != nullptr;
}

bool X11FrontWindow::hasWindowManager()
{
    bool ok = false;
    const quint32 check = cardinal(m_root, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, &ok);
    if (!ok || !check)
        return false;
    // A window manager that died leaves the root property behind; its check window goes with it.
    const quint32 self = cardinal(check, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, &ok);
    return ok && self == check;
}

QString X11FrontWindow::applicationName()
{
    const quint32 window = frontWindow();
    if (!window)
        return {};
    return WindowProperties::wmClassName(property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 1024));
}

QImage X11FrontWindow::icon(int size)
{
    const quint32 window = frontWindow();
    if (!window)
        return {};
    const QByteArray data = property(window, atom("_NET_WM_ICON"), XCB_ATOM_CARDINAL, maxIconWords);
    return WindowProperties::iconImage(reinterpret_cast<const quint32 *>(data.constData()),
                                       data.size() / qsizetype(sizeof(quint32)), size);
}

void X11FrontWindow::activateTarget()
{
    const quint32 window = frontWindow();
    if (!window)
        return;
    const QString name = WindowProperties::wmClassName(property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 1024));
    qCDebug(lcPlatform).noquote() << "Activating:" << name << QString::number(window, 16).prepend(QLatin1String("0x"));
    requestActivation(window, XCB_CURRENT_TIME, activeWindow());
}

void X11FrontWindow::activateOwnWindow(quint32 window, quint32 time)
{
    requestActivation(window, time, m_lastForeign);
}

void X11FrontWindow::requestActivation(quint32 window, quint32 time, quint32 currentlyActive)
{
    if (hasWindowManager()) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("_NET_ACTIVE_WINDOW");
        event.data.data32[0] = sourcePager;
        event.data.data32[1] = time;
        event.data.data32[2] = currentlyActive;
        xcb_send_event(m_connection, 0, m_root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    } else {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_PARENT, window, time);
    }
    xcb_flush(m_connection);
}

void X11FrontWindow::setOnAllDesktops(quint32 window, bool mapped)
{
    // Window managers read the property when a window is mapped, and take the message afterwards.
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32,
                        1, &allDesktops);
    if (mapped) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("_NET_WM_DESKTOP");
        event.data.data32[0] = allDesktops;
        event.data.data32[1] = sourcePager;
        xcb_send_event(m_connection, 0, m_root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&event));
    }
    xcb_flush(m_connection);
}

QList<quint32> X11FrontWindow::stackingOrder()
{
    const QByteArray data = property(m_root, atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW, 65536);
    QList<quint32> windows(data.size() / qsizetype(sizeof(quint32)));
    std::memcpy(windows.data(), data.constData(), size_t(windows.size()) * sizeof(quint32));
    return windows;
}

xcb_get_property_cookie_t X11FrontWindow::askProperty(quint32 window, quint32 atom, quint32 type, quint32 maxWords)
{
    return xcb_get_property(m_connection, 0, window, atom, type, 0, maxWords);
}

QByteArray X11FrontWindow::property(quint32 window, quint32 atom, quint32 type, quint32 maxWords)
{
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(m_connection, askProperty(window, atom, type, maxWords), nullptr));
    if (!reply || reply->type != type)
        return {};
    const int length = xcb_get_property_value_length(reply.get());
    if (length <= 0)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())), length);
}

quint32 X11FrontWindow::cardinal(quint32 window, quint32 atom, quint32 type, bool *ok)
{
    return cardinal(askProperty(window, atom, type, 1), type, ok);
}

quint32 X11FrontWindow::cardinal(xcb_get_property_cookie_t asked, quint32 type, bool *ok)
{
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(m_connection, asked, nullptr));
    *ok = reply && reply->type == type && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4;
    return *ok ? *static_cast<const quint32 *>(xcb_get_property_value(reply.get())) : 0;
}

void X11FrontWindow::internAtoms(std::initializer_list<const char *> names)
{
    std::vector<xcb_intern_atom_cookie_t> cookies;
    cookies.reserve(names.size());
    for (const char *name : names)
        cookies.push_back(xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name));
    auto cookie = cookies.cbegin();
    for (const char *name : names) {
        XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, *cookie++, nullptr));
        if (reply && reply->atom != XCB_ATOM_NONE)
            m_atoms.insert(QByteArray(name), quint32(reply->atom));
    }
}

quint32 X11FrontWindow::atom(const char *name)
{
    const QByteArray key(name);
    if (!m_atoms.contains(key))
        internAtoms({name});
    return m_atoms.value(key, XCB_ATOM_NONE);
}
