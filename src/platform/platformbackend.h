#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

#include <optional>

class KeyMonitor;
class QWidget;

// What the desktop services, key synthesis and key monitor need of a windowing system. One back end
// serves the whole run: X11 on an xcb session, the null back end anywhere else (tests, offscreen).
class PlatformBackend : public QObject
{
    Q_OBJECT

public:
    // How a key code is turned into a key: by its position (virtual key codes are positions), or as the
    // key that types the character the code stands for on a US layout (Control+V must press "v").
    enum class KeyLookup { Position, Character };

    // The back end in use, chosen at the first call.
    static PlatformBackend *instance();

    KeyMonitor *keyMonitor() const { return m_keyMonitor; }
    bool isKeyMonitorInstalled() const { return m_keyMonitorInstalled; }
    bool installKeyMonitor();
    bool uninstallKeyMonitor();

    // Front application: the last application other than ours that had the focus.
    virtual QString applicationName() = 0;
    virtual QPixmap applicationIcon() = 0;
    virtual void activateApp() = 0;
    virtual void activateTarget() = 0;
    virtual void showInAllSpaces(QWidget *window) = 0;

    // The desktop's own light or dark preference; none when the desktop states none.
    virtual std::optional<bool> systemDarkMode() = 0;
    virtual bool isTrusted() = 0;
    virtual void promptForTrust() = 0;
    virtual void playNotification() = 0;

    // Key synthesis. Each public key-synthesis call ends with finishSynthesis().
    virtual quint64 heldModifierFlags() = 0;
    // Whether any key is down. On X11 a hotkey keeps the keyboard grabbed until its keys are up,
    // and keys posted meanwhile never reach the application in front.
    virtual bool anyKeyHeld() { return heldModifierFlags() != 0; }
    virtual void pause(int milliseconds) = 0;
    virtual void postKey(quint16 macCode, bool down, quint64 flags, KeyLookup lookup = KeyLookup::Position) = 0;
    virtual void postSystemKey(int systemKey, bool down) = 0;
    virtual bool postCharacter(char32_t codePoint, bool down) = 0;
    virtual QString characterForKeyCode(quint16 macCode) = 0;
    virtual void finishSynthesis() = 0;
    // Keys the user presses while the keyboard is held are kept from every application and posted
    // by releaseKeys(), in order, after what the program posted meanwhile; the key monitor reports
    // them as they are posted. Keys pressed before the hold that the monitor has not reported yet
    // are reported by holdKeys(). False when the keyboard cannot be held.
    virtual bool holdKeys() = 0;
    virtual void releaseKeys() = 0;

protected:
    explicit PlatformBackend(QObject *parent = nullptr);

    virtual bool startKeyMonitor() = 0;
    virtual void stopKeyMonitor() = 0;

private:
    KeyMonitor *m_keyMonitor;
    bool m_keyMonitorInstalled = false;
};
