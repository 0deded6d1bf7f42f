#pragma once

#include "platform/keymonitor.h"
#include "platform/platformbackend.h"
#include "platform/synthetickey.h"

#include <QList>
#include <QPointer>
#include <QWidget>

// The back end of headless runs. Tests set what the desktop would report (front application, dark
// mode, trust, held modifiers, focus), inject key monitor input, and read back a log of every
// synthetic key instead of keys reaching another application.
class NullPlatformBackend : public PlatformBackend
{
    Q_OBJECT

public:
    explicit NullPlatformBackend(QObject *parent = nullptr);

    // The instance in use, or null when another back end serves this run.
    static NullPlatformBackend *current();

    // Back to the state of a fresh headless run: no front application, trusted, nothing recorded.
    void reset();

    void setFrontApplication(const QString &name, const QPixmap &icon = QPixmap());
    void setSystemDarkMode(std::optional<bool> dark) { m_darkMode = dark; }
    void setTrusted(bool trusted) { m_trusted = trusted; }
    void setKeyMonitorAvailable(bool available) { m_monitorAvailable = available; }
    void setOwnWindowFocused(bool focused) { m_ownWindowFocused = focused; }
    // Modifiers the user holds; with releaseAfter >= 0 they are let go after that many ms of pauses.
    void setHeldModifiers(quint64 flags, int releaseAfter = -1);

    // Key monitor input, filtered as the real monitor filters it. Ignored while it is not installed.
    void inject(const KeyMonitor::Input &input);

    const QList<SyntheticKey> &synthesized() const { return m_synthesized; }
    void clearSynthesized() { m_synthesized.clear(); }
    int pausedMilliseconds() const { return m_paused; }
    int activateAppCount() const { return m_activateAppCount; }
    int activateTargetCount() const { return m_activateTargetCount; }
    int trustPromptCount() const { return m_trustPromptCount; }
    int notificationCount() const { return m_notificationCount; }
    int finishCount() const { return m_finishCount; }
    QList<QPointer<QWidget>> allSpacesWindows() const { return m_allSpacesWindows; }

    QString applicationName() override { return m_frontName; }
    QPixmap applicationIcon() override { return m_frontIcon; }
    void activateApp() override { ++m_activateAppCount; }
    void activateTarget() override;
    void showInAllSpaces(QWidget *window) override { m_allSpacesWindows.append(window); }
    std::optional<bool> systemDarkMode() override { return m_darkMode; }
    bool isTrusted() override { return m_trusted; }
    void promptForTrust() override { ++m_trustPromptCount; }
    void playNotification() override { ++m_notificationCount; }

    quint64 heldModifierFlags() override { return m_heldModifiers; }
    void pause(int milliseconds) override;
    void postKey(quint16 macCode, bool down, quint64 flags, KeyLookup lookup) override;
    void postSystemKey(int systemKey, bool down) override;
    bool postCharacter(char32_t codePoint, bool down) override;
    QString characterForKeyCode(quint16 macCode) override;
    void finishSynthesis() override { ++m_finishCount; }
    // Key input injected while the keys are held waits, and is recorded as posted (characters by
    // their code points, other keys by their codes) and then injected when they are released.
    bool holdKeys() override;
    void releaseKeys() override;
    bool keysHeld() const { return m_holding; }

protected:
    bool startKeyMonitor() override { return m_monitorAvailable; }
    void stopKeyMonitor() override {}

private:
    QString m_frontName;
    QPixmap m_frontIcon;
    std::optional<bool> m_darkMode;
    bool m_trusted = true;
    bool m_monitorAvailable = true;
    bool m_ownWindowFocused = false;
    quint64 m_heldModifiers = 0;
    int m_releaseModifiersAt = -1;

    bool m_holding = false;
    QList<KeyMonitor::Input> m_held;
    QList<SyntheticKey> m_synthesized;
    int m_paused = 0;
    int m_activateAppCount = 0;
    int m_activateTargetCount = 0;
    int m_trustPromptCount = 0;
    int m_notificationCount = 0;
    int m_finishCount = 0;
    QList<QPointer<QWidget>> m_allSpacesWindows;
};
