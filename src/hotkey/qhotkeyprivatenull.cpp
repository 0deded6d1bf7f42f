#include "hotkey/qhotkeyprivatenull.h"

#include "hotkey/hotkeykeysyms.h"
#include "hotkey/qhotkeymodifiers.h"

QHotkeyPrivateNull *QHotkeyPrivateNull::current()
{
    return qobject_cast<QHotkeyPrivateNull *>(QHotkeyPrivate::instance());
}

void QHotkeyPrivateNull::resetCounts()
{
    m_registerCount = 0;
    m_unregisterCount = 0;
}

quint32 QHotkeyPrivateNull::nativeKeycode(Qt::Key keycode, bool &ok)
{
    const quint32 keysym = keysymForQtKey(keycode);
    ok = keysym != 0;
    return keysym;
}

quint32 QHotkeyPrivateNull::nativeModifiers(Qt::KeyboardModifiers modifiers, bool &ok)
{
    ok = true;
    return x11ModifierMask(modifiers);
}

bool QHotkeyPrivateNull::registerShortcut(QHotkey::NativeShortcut shortcut)
{
    ++m_registerCount;
    if (m_registrationFails) {
        qCWarning(logQHotkey) << "Failed to register hotkey. Error:" << 10;
        return false;
    }
    // Like X, a client may grab what it already holds.
    if (!m_registered.contains(shortcut))
        m_registered.append(shortcut);
    return true;
}

bool QHotkeyPrivateNull::unregisterShortcut(QHotkey::NativeShortcut shortcut)
{
    ++m_unregisterCount;
    if (m_unregistrationFails) {
        qCWarning(logQHotkey) << "Failed to unregister hotkey. Error:" << 10;
        return false;
    }
    m_registered.removeOne(shortcut);
    return true;
}

bool QHotkeyPrivateNull::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}
