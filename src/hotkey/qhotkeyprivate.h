#pragma once

#include "hotkey/qhotkey.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QLoggingCategory>
#include <QMultiHash>
#include <QObject>

Q_DECLARE_LOGGING_CATEGORY(logQHotkey)

// The registry of every QHotkey in the process. It turns Qt key combinations into native shortcuts,
// registers each native shortcut once (the number of hotkeys listed under it is its reference
// count), and turns a reported press into activated() of every hotkey bound to it. All of its state
// lives on the thread that created it; calls from other threads wait for that thread to run them.
class QHotkeyPrivate : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // The process-wide registry, created by the first call: the X11 back end on an xcb session, else
    // the null one. None once it has been destroyed at exit.
    static QHotkeyPrivate *instance();

    QHotkeyPrivate();
    ~QHotkeyPrivate() override;

    QHotkey::NativeShortcut nativeShortcut(Qt::Key keycode, Qt::KeyboardModifiers modifiers);
    bool addShortcut(QHotkey *hotkey);
    bool removeShortcut(QHotkey *hotkey);

protected:
    // Supplied by the back end, called on the registry's thread only.
    virtual quint32 nativeKeycode(Qt::Key keycode, bool &ok) = 0;
    virtual quint32 nativeModifiers(Qt::KeyboardModifiers modifiers, bool &ok) = 0;
    virtual bool registerShortcut(QHotkey::NativeShortcut shortcut) = 0;
    virtual bool unregisterShortcut(QHotkey::NativeShortcut shortcut) = 0;

    // Called by the back end when the windowing system reports the shortcut pressed.
    void activateShortcut(QHotkey::NativeShortcut shortcut);
    // While a key sequence field of this program has the focus, it records the keys the user
    // presses, global hotkeys among them: they fire nothing then and go to the field.
    static bool shortcutBeingRecorded();

private:
    friend class QHotkey;

    Qt::ConnectionType connectionType() const;

    Q_INVOKABLE void addMappingInvoked(QKeyCombination keySequence, QHotkey::NativeShortcut nativeShortcut);
    Q_INVOKABLE bool addShortcutInvoked(QHotkey *hotkey);
    Q_INVOKABLE bool removeShortcutInvoked(QHotkey *hotkey);
    Q_INVOKABLE QHotkey::NativeShortcut nativeShortcutInvoked(Qt::Key keycode, Qt::KeyboardModifiers modifiers);

    QHash<QKeyCombination, QHotkey::NativeShortcut> mapping;
    QMultiHash<QHotkey::NativeShortcut, QHotkey *> shortcuts;
};
