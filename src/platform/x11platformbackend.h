#pragma once

#include "platform/platformbackend.h"

class DesktopAppearance;
class NotificationSound;
class X11FrontWindow;
class X11KeyMonitor;
class X11KeySynthesizer;

// The back end of an X11 session: the front application through EWMH, keys through XTest, the key
// monitor through XInput 2, the colour scheme through the desktop portal.
class X11PlatformBackend : public PlatformBackend
{
    Q_OBJECT

public:
    // Null when the X display cannot be reached.
    static X11PlatformBackend *create(QObject *parent);

    QString applicationName() override;
    QPixmap applicationIcon() override;
    void activateApp() override;
    void activateTarget() override;
    void showInAllSpaces(QWidget *window) override;
    std::optional<bool> systemDarkMode() override;
    bool isTrusted() override;
    void promptForTrust() override;
    void playNotification() override;

    quint64 heldModifierFlags() override;
    bool anyKeyHeld() override;
    void pause(int milliseconds) override;
    void postKey(quint16 macCode, bool down, quint64 flags, KeyLookup lookup) override;
    void postSystemKey(int systemKey, bool down) override;
    bool postCharacter(char32_t codePoint, bool down) override;
    QString characterForKeyCode(quint16 macCode) override;
    void finishSynthesis() override;
    bool holdKeys() override;
    void releaseKeys() override;

protected:
    bool startKeyMonitor() override;
    void stopKeyMonitor() override;

private:
    X11PlatformBackend(X11FrontWindow *front, X11KeySynthesizer *synthesizer, const QByteArray &displayName,
                       QObject *parent);

    X11FrontWindow *m_front;
    X11KeySynthesizer *m_synthesizer;
    X11KeyMonitor *m_monitor;
    DesktopAppearance *m_appearance;
    NotificationSound *m_sound;
};
