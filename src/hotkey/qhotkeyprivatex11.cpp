#include "hotkey/qhotkeyprivatex11.h"

#include "hotkey/hotkeykeysyms.h"
#include "hotkey/qhotkeymodifiers.h"
#include "platform/usertime.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

} // namespace

QHotkeyPrivateX11 *QHotkeyPrivateX11::create()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return nullptr;
    return new QHotkeyPrivateX11(x11->connection());
}

QHotkeyPrivateX11::QHotkeyPrivateX11(xcb_connection_t *connection)
    : m_connection(connection)
{
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem;
         xcb_screen_next(&it))
        m_roots.append(it.data->root);
}

quint8 QHotkeyPrivateX11::keycodeForKeysym(quint32 keysym)
{
    // Read afresh each time: the layout may have changed since the last hotkey was set.
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    XcbReply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr));
    if (!mapping)
        return 0;
    const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int column = 0; column < perCode; ++column) {
        for (int i = 0; i < count; ++i) {
            if (symbols[i * perCode + column] == keysym)
                return quint8(setup->min_keycode + i);
        }
    }
    return 0;
}

quint16 QHotkeyPrivateX11::numLockMask()
{
    const quint8 numLock = keycodeForKeysym(XKB_KEY_Num_Lock);
    if (!numLock)
        return 0;
    XcbReply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr));
    if (!mapping)
        return 0;
    const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            if (keycodes[modifier * perModifier + i] == numLock)
                return quint16(1u << modifier);
        }
    }
    return 0;
}

QList<quint16> QHotkeyPrivateX11::lockVariants(quint16 modifiers)
{
    const quint16 numLock = numLockMask();
    QList<quint16> variants{modifiers, quint16(modifiers | XCB_MOD_MASK_LOCK)};
    if (numLock)
        variants << quint16(modifiers | numLock) << quint16(modifiers | numLock | XCB_MOD_MASK_LOCK);
    return variants;
}

quint32 QHotkeyPrivateX11::nativeKeycode(Qt::Key keycode, bool &ok)
{
    const quint32 keysym = keysymForQtKey(keycode);
    const quint8 code = keysym ? keycodeForKeysym(keysym) : 0;
    ok = code != 0;
    return code;
}

quint32 QHotkeyPrivateX11::nativeModifiers(Qt::KeyboardModifiers modifiers, bool &ok)
{
    ok = true;
    return x11ModifierMask(modifiers);
}

bool QHotkeyPrivateX11::registerShortcut(QHotkey::NativeShortcut shortcut)
{
    // Qt installs a null Xlib error handler, so an XGrabKey refused with BadAccess would pass as a
    // success: checked xcb requests report the refusal.
    const QList<quint16> variants = lockVariants(quint16(shortcut.modifier));
    QList<xcb_void_cookie_t> cookies;
    for (quint32 root : std::as_const(m_roots)) {
        for (quint16 modifiers : variants)
            cookies << xcb_grab_key_checked(m_connection, 1, root, modifiers, xcb_keycode_t(shortcut.key),
                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    int errorCode = 0;
    for (const xcb_void_cookie_t &cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            if (!errorCode)
                errorCode = error->error_code;
            std::free(error);
        }
    }
    if (errorCode) {
        // Another client holds the combination (BadAccess = 10): give back the variants we got.
        for (quint32 root : std::as_const(m_roots)) {
            for (quint16 modifiers : variants)
                xcb_ungrab_key(m_connection, xcb_keycode_t(shortcut.key), root, modifiers);
        }
        xcb_flush(m_connection);
        qCWarning(logQHotkey) << "Failed to register hotkey. Error:" << errorCode;
        return false;
    }
    m_grabbed.insert(shortcut);
    return true;
}

bool QHotkeyPrivateX11::unregisterShortcut(QHotkey::NativeShortcut shortcut)
{
    QList<xcb_void_cookie_t> cookies;
    for (quint32 root : std::as_const(m_roots)) {
        for (quint16 modifiers : lockVariants(quint16(shortcut.modifier)))
            cookies << xcb_ungrab_key_checked(m_connection, xcb_keycode_t(shortcut.key), root, modifiers);
    }
    int errorCode = 0;
    for (const xcb_void_cookie_t &cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            if (!errorCode)
                errorCode = error->error_code;
            std::free(error);
        }
    }
    if (errorCode) {
        qCWarning(logQHotkey) << "Failed to unregister hotkey. Error:" << errorCode;
        return false;
    }
    m_grabbed.remove(shortcut);
    return true;
}

bool QHotkeyPrivateX11::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Press and release events share one layout.
    auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
    if (shortcutBeingRecorded()) {
        // A grab reports the key on the root window, where the toolkit would drop it: the field
        // recording it gets it instead.
        if (QWindow *focus = QGuiApplication::focusWindow(); focus && key->event == key->root)
            key->event = xcb_window_t(focus->winId());
        m_pressedKeys.clear();
        return false;
    }
    if (type == XCB_KEY_RELEASE) {
        if (!m_pressedKeys.remove(key->detail))
            return false;
        m_lastReleasedKey = key->detail;
        m_lastReleaseTime = key->time;
        return true;
    }
    const QHotkey::NativeShortcut shortcut(key->detail, key->state & x11HotkeyModifierBits);
    if (!m_grabbed.contains(shortcut))
        return false;
    // A held key repeats: as presses alone, or as a release and a press at the same time.
    const bool repeat = m_pressedKeys.contains(key->detail)
                        || (key->detail == m_lastReleasedKey && key->time == m_lastReleaseTime);
    m_pressedKeys.insert(key->detail);
    if (!repeat) {
        setLastUserInputTime(key->time);
        activateShortcut(shortcut);
    }
    return true;
}
