#pragma once

#include "hotkey/qhotkeyprivate.h"

#include <QList>
#include <QSet>

struct xcb_connection_t;

// Hotkeys on X11: passive key grabs on the root windows, made on Qt's own connection so that the
// presses come through the application's native event filter.
class QHotkeyPrivateX11 : public QHotkeyPrivate
{
    Q_OBJECT

public:
    // Null when the application has no X11 connection.
    static QHotkeyPrivateX11 *create();

protected:
    quint32 nativeKeycode(Qt::Key keycode, bool &ok) override;
    quint32 nativeModifiers(Qt::KeyboardModifiers modifiers, bool &ok) override;
    bool registerShortcut(QHotkey::NativeShortcut shortcut) override;
    bool unregisterShortcut(QHotkey::NativeShortcut shortcut) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    explicit QHotkeyPrivateX11(xcb_connection_t *connection);

    // The shortcut's modifiers with every combination of CapsLock and NumLock, which would otherwise
    // stop a grab from matching.
    QList<quint16> lockVariants(quint16 modifiers);
    quint16 numLockMask();
    quint8 keycodeForKeysym(quint32 keysym);

    xcb_connection_t *m_connection;
    QList<quint32> m_roots;
    QSet<QHotkey::NativeShortcut> m_grabbed;
    QSet<quint32> m_pressedKeys;
    quint32 m_lastReleasedKey = 0;
    quint32 m_lastReleaseTime = 0;
};
