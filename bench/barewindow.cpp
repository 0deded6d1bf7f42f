// The floor of bench/startup.sh: a bare Qt Widgets program started the way the program is, that
// grabs the history hotkey and shows an empty frameless window of the history window's size when
// it is pressed, and hides it on Escape. Whatever the program takes beyond this is its own.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdio>

namespace {

class BareWindow : public QWidget
{
public:
    BareWindow()
    {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint);
        resize(400, 500);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape)
            hide();
    }
};

class HotkeyFilter : public QAbstractNativeEventFilter
{
public:
    HotkeyFilter(xcb_keycode_t key, QWidget *window)
        : m_key(key)
        , m_window(window)
    {
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & ~0x80) != XCB_KEY_PRESS
            || static_cast<const xcb_key_press_event_t *>(message)->detail != m_key)
            return false;
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
        return true;
    }

private:
    xcb_keycode_t m_key;
    QWidget *m_window;
};

} // namespace

int main(int argc, char *argv[])
{
    // The probe knows the program's windows by this instance name.
    qputenv("RESOURCE_NAME", "kestovan");
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication app(argc, argv);
    auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        std::fprintf(stderr, "barewindow: not on X11\n");
        return 1;
    }
    xcb_connection_t *connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto key = xcb_keycode_t(XKeysymToKeycode(x11->display(), XK_v));
    // Control+Shift+V, whatever Caps Lock and Num Lock are.
    for (uint16_t locks : {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), int(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)})
        xcb_grab_key(connection, 1, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | locks, key, XCB_GRAB_MODE_ASYNC,
                     XCB_GRAB_MODE_ASYNC);
    xcb_flush(connection);

    BareWindow window;
    HotkeyFilter filter(key, &window);
    app.installNativeEventFilter(&filter);
    return app.exec();
}
