#pragma once

#include "hotkey/qhotkeyprivate.h"

#include <QList>

// The hotkey back end of headless runs. Native key codes are keysyms; tests press shortcuts with
// simulatePress, make the windowing system refuse registrations, and read which registrations it saw.
class QHotkeyPrivateNull : public QHotkeyPrivate
{
    Q_OBJECT

public:
    // The registry in use when it is this back end, else null.
    static QHotkeyPrivateNull *current();

    void simulatePress(QHotkey::NativeShortcut shortcut) { activateShortcut(shortcut); }
    void setRegistrationFails(bool fails) { m_registrationFails = fails; }
    void setUnregistrationFails(bool fails) { m_unregistrationFails = fails; }
    // Shortcuts registered with the windowing system now.
    QList<QHotkey::NativeShortcut> registered() const { return m_registered; }
    int registerCount() const { return m_registerCount; }
    int unregisterCount() const { return m_unregisterCount; }
    void resetCounts();

protected:
    quint32 nativeKeycode(Qt::Key keycode, bool &ok) override;
    quint32 nativeModifiers(Qt::KeyboardModifiers modifiers, bool &ok) override;
    bool registerShortcut(QHotkey::NativeShortcut shortcut) override;
    bool unregisterShortcut(QHotkey::NativeShortcut shortcut) override;
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QList<QHotkey::NativeShortcut> m_registered;
    bool m_registrationFails = false;
    bool m_unregistrationFails = false;
    int m_registerCount = 0;
    int m_unregisterCount = 0;
};
