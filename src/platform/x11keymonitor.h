#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>

class KeyMonitor;
class QSocketNotifier;
typedef struct _XDisplay Display;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

// The global key monitor on X11: raw key and button presses of the whole desktop through XInput 2
// on a connection of its own, turned into text with the keyboard's own layout and state (XKB).
class X11KeyMonitor : public QObject
{
    Q_OBJECT

public:
    X11KeyMonitor(const QByteArray &displayName, KeyMonitor *monitor, std::function<bool()> ownWindowFocused,
                  QObject *parent);
    ~X11KeyMonitor() override;

    // False when the display or its XInput 2 extension cannot be used.
    bool start();
    void stop();
    // Drops the input events the server has sent so far: called after posting synthetic keys, so the
    // monitor never reports our own typing.
    void discardPending();
    // Reports the input events the server has sent so far, but for the key presses held says are
    // reported otherwise.
    void deliverPending(const std::function<bool(int keycode, unsigned long time)> &held);
    // While the keyboard is held, key presses are reported as the held keys are posted, not when
    // they are pressed.
    void setKeysHeld(bool held) { m_keysHeld = held; }

private:
    bool open();
    void close();
    void readEvents(bool deliver);
    void rebuildKeymap();
    void handleRawEvent(int type, const void *rawEvent);

    QByteArray m_displayName;
    KeyMonitor *m_monitor;
    std::function<bool()> m_ownWindowFocused;
    Display *m_display = nullptr;
    QSocketNotifier *m_notifier = nullptr;
    int m_xiOpcode = 0;
    int m_xkbEventBase = 0;
    int m_keyboardDevice = -1;
    xkb_context *m_context = nullptr;
    xkb_keymap *m_keymap = nullptr;
    xkb_state *m_state = nullptr;
    bool m_keymapStale = true;
    bool m_listening = false;
    bool m_keysHeld = false;
    std::function<bool(int keycode, unsigned long time)> m_reportedOtherwise;
};
