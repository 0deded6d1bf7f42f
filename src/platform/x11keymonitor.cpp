#include "platform/x11keymonitor.h"

#include "platform/keycodes.h"
#include "platform/keymonitor.h"
#include "platform/platformlog.h"
#include "platform/x11connectionsahead.h"

#include <QSocketNotifier>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

X11KeyMonitor::X11KeyMonitor(const QByteArray &displayName, KeyMonitor *monitor,
                             std::function<bool()> ownWindowFocused, QObject *parent)
    : QObject(parent)
    , m_displayName(displayName)
    , m_monitor(monitor)
    , m_ownWindowFocused(std::move(ownWindowFocused))
{
}

X11KeyMonitor::~X11KeyMonitor()
{
    close();
}

bool X11KeyMonitor::open()
{
    m_display = X11ConnectionsAhead::openDisplay(m_displayName);
    if (!m_display)
        return false;
    int event = 0, error = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(m_display, "XInputExtension", &m_xiOpcode, &event, &error)
        || XIQueryVersion(m_display, &major, &minor) != Success || major < 2) {
        qCWarning(lcPlatform) << "The X server has no XInput 2 extension.";
        return false;
    }
    int xkbOpcode = 0, xkbError = 0, xkbMajor = XkbMajorVersion, xkbMinor = XkbMinorVersion;
    xcb_connection_t *connection = XGetXCBConnection(m_display);
    if (!XkbQueryExtension(m_display, &xkbOpcode, &m_xkbEventBase, &xkbError, &xkbMajor, &xkbMinor)
        || !xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                        XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        qCWarning(lcPlatform) << "The X server has no XKB extension.";
        return false;
    }
    m_keyboardDevice = xkb_x11_get_core_keyboard_device_id(connection);
    m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (m_keyboardDevice < 0 || !m_context)
        return false;
    // Raw events carry no modifier state: the server's own state comes with StateNotify.
    const unsigned long xkbEvents = XkbNewKeyboardNotifyMask | XkbMapNotifyMask | XkbStateNotifyMask;
    XkbSelectEvents(m_display, XkbUseCoreKbd, xkbEvents, xkbEvents);
    // Read at the first key press: reading it takes several round trips and compiling it a while,
    // and the monitor starts with the window.
    m_keymapStale = true;

    m_notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(true); });
    return true;
}

void X11KeyMonitor::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_state)
        xkb_state_unref(m_state);
    if (m_keymap)
        xkb_keymap_unref(m_keymap);
    if (m_context)
        xkb_context_unref(m_context);
    m_state = nullptr;
    m_keymap = nullptr;
    m_context = nullptr;
    if (m_display)
        XCloseDisplay(m_display);
    m_display = nullptr;
    m_listening = false;
}

bool X11KeyMonitor::start()
{
    if (!m_display && !open()) {
        close();
        return false;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    discardPending();
    m_listening = true;
    return true;
}

void X11KeyMonitor::stop()
{
    m_listening = false;
    if (!m_display)
        return;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    XFlush(m_display);
}

void X11KeyMonitor::discardPending()
{
    if (!m_display)
        return;
    // Synthetic keys are handled by the server before it answers the sync, and their raw events
    // are queued on this connection before the answer.
    XSync(m_display, False);
    readEvents(false);
}

void X11KeyMonitor::deliverPending(const std::function<bool(int keycode, unsigned long time)> &held)
{
    if (!m_display)
        return;
    XSync(m_display, False);
    m_reportedOtherwise = held;
    readEvents(true);
    m_reportedOtherwise = nullptr;
}

void X11KeyMonitor::readEvents(bool deliver)
{
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == m_xkbEventBase) {
            const auto *xkbEvent = reinterpret_cast<const XkbEvent *>(&event);
            if (xkbEvent->any.xkb_type == XkbNewKeyboardNotify || xkbEvent->any.xkb_type == XkbMapNotify) {
                m_keymapStale = true;
            } else if (xkbEvent->any.xkb_type == XkbStateNotify && m_state && !m_keymapStale) {
                const XkbStateNotifyEvent &state = xkbEvent->state;
                xkb_state_update_mask(m_state, state.base_mods, state.latched_mods, state.locked_mods,
                                      xkb_layout_index_t(state.base_group), xkb_layout_index_t(state.latched_group),
                                      xkb_layout_index_t(state.locked_group));
            }
            continue;
        }
        if (event.type == GenericEvent && event.xcookie.extension == m_xiOpcode
            && XGetEventData(m_display, &event.xcookie)) {
            if (deliver && m_listening)
                handleRawEvent(event.xcookie.evtype, event.xcookie.data);
            XFreeEventData(m_display, &event.xcookie);
        }
    }
}

void X11KeyMonitor::rebuildKeymap()
{
    xcb_connection_t *connection = XGetXCBConnection(m_display);
    xkb_keymap *keymap =
        xkb_x11_keymap_new_from_device(m_context, connection, m_keyboardDevice, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state *state = keymap ? xkb_x11_state_new_from_device(keymap, connection, m_keyboardDevice) : nullptr;
    if (!state) {
        if (keymap)
            xkb_keymap_unref(keymap);
        qCWarning(lcPlatform) << "Cannot read the keyboard layout of the X server.";
        return;
    }
    if (m_state)
        xkb_state_unref(m_state);
    if (m_keymap)
        xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_state = state;
    m_keymapStale = false;
}

void X11KeyMonitor::handleRawEvent(int type, const void *data)
{
    const auto *raw = static_cast<const XIRawEvent *>(data);
    if (type == XI_RawButtonPress) {
        m_monitor->deliver(KeyMonitor::Input::click(raw->detail), m_ownWindowFocused());
        return;
    }
    if (type != XI_RawKeyPress || m_keysHeld
        || (m_reportedOtherwise && m_reportedOtherwise(raw->detail, raw->time)))
        return;
    if (m_keymapStale)
        rebuildKeymap();
    if (!m_state)
        return;
    const auto keycode = xkb_keycode_t(raw->detail);
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(m_state, keycode);
    quint16 macCode = KeyCodes::macKeyForKeysym(keysym);
    if (macCode == MacKey::NoKey)
        macCode = KeyCodes::macKeyForEvdevCode(int(keycode) - 8);
    if (macCode == MacKey::NoKey)
        macCode = 0;

    KeyMonitor::Input input;
    if (KeyCodes::isModifierKeysym(keysym)) {
        input = KeyMonitor::Input::modifier(macCode);
    } else {
        char buffer[64] = {};
        const int length = xkb_state_key_get_utf8(m_state, keycode, buffer, sizeof buffer);
        const QString text = length > 0 ? QString::fromUtf8(buffer, qMin(length, int(sizeof buffer) - 1)) : QString();
        const bool controlOrSuper =
            xkb_state_mod_name_is_active(m_state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0
            || xkb_state_mod_name_is_active(m_state, XKB_MOD_NAME_LOGO, XKB_STATE_MODS_EFFECTIVE) > 0;
        input = KeyMonitor::Input::key(text, macCode, controlOrSuper);
    }
    m_monitor->deliver(input, m_ownWindowFocused());
}
