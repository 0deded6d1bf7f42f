#include "platform/nullplatformbackend.h"

#include "platform/keycodes.h"
#include "platform/platformlog.h"

#include <QWidget>

#include <utility>

NullPlatformBackend::NullPlatformBackend(QObject *parent)
    : PlatformBackend(parent)
{
}

NullPlatformBackend *NullPlatformBackend::current()
{
    return qobject_cast<NullPlatformBackend *>(PlatformBackend::instance());
}

void NullPlatformBackend::reset()
{
    uninstallKeyMonitor();
    m_frontName.clear();
    m_frontIcon = QPixmap();
    m_darkMode.reset();
    m_trusted = true;
    m_monitorAvailable = true;
    m_ownWindowFocused = false;
    m_heldModifiers = 0;
    m_releaseModifiersAt = -1;
    m_holding = false;
    m_held.clear();
    m_synthesized.clear();
    m_paused = 0;
    m_activateAppCount = 0;
    m_activateTargetCount = 0;
    m_trustPromptCount = 0;
    m_notificationCount = 0;
    m_finishCount = 0;
    m_allSpacesWindows.clear();
}

void NullPlatformBackend::setFrontApplication(const QString &name, const QPixmap &icon)
{
    m_frontName = name;
    m_frontIcon = icon;
}

void NullPlatformBackend::setHeldModifiers(quint64 flags, int releaseAfter)
{
    m_heldModifiers = flags;
    m_releaseModifiersAt = releaseAfter < 0 ? -1 : m_paused + releaseAfter;
}

void NullPlatformBackend::inject(const KeyMonitor::Input &input)
{
    if (m_holding && input.kind == KeyMonitor::Input::KeyPress) {
        m_held.append(input);
        return;
    }
    if (isKeyMonitorInstalled())
        keyMonitor()->deliver(input, m_ownWindowFocused);
}

bool NullPlatformBackend::holdKeys()
{
    m_holding = true;
    return true;
}

void NullPlatformBackend::releaseKeys()
{
    m_holding = false;
    const QList<KeyMonitor::Input> held = std::exchange(m_held, {});
    for (const KeyMonitor::Input &input : held) {
        if (input.modifierKey)
            continue;
        if (input.text.isEmpty()) {
            const quint64 flags = input.controlOrSuperHeld ? MacFlag::Control : 0;
            m_synthesized.append(SyntheticKey::key(quint16(input.keyCode), true, flags));
            m_synthesized.append(SyntheticKey::key(quint16(input.keyCode), false, flags));
            continue;
        }
        for (char32_t codePoint : input.text.toUcs4()) {
            m_synthesized.append(SyntheticKey::character(codePoint, true));
            m_synthesized.append(SyntheticKey::character(codePoint, false));
        }
    }
    for (const KeyMonitor::Input &input : held)
        inject(input);
}

void NullPlatformBackend::activateTarget()
{
    if (m_frontName.isEmpty())
        return;
    qCDebug(lcPlatform).noquote() << "Activating:" << m_frontName;
    ++m_activateTargetCount;
}

void NullPlatformBackend::pause(int milliseconds)
{
    m_paused += milliseconds;
    if (m_releaseModifiersAt >= 0 && m_paused >= m_releaseModifiersAt) {
        m_heldModifiers = 0;
        m_releaseModifiersAt = -1;
    }
}

void NullPlatformBackend::postKey(quint16 macCode, bool down, quint64 flags, KeyLookup)
{
    // Held modifiers stand for keys the user holds on a real keyboard: synthetic key-ups come from
    // another input device and do not let them go.
    m_synthesized.append(SyntheticKey::key(macCode, down, flags));
}

void NullPlatformBackend::postSystemKey(int systemKey, bool down)
{
    m_synthesized.append(SyntheticKey::systemKey(systemKey, down));
}

bool NullPlatformBackend::postCharacter(char32_t codePoint, bool down)
{
    if (KeyCodes::keysymForCodePoint(codePoint) == 0)
        return false;
    m_synthesized.append(SyntheticKey::character(codePoint, down));
    return true;
}

QString NullPlatformBackend::characterForKeyCode(quint16 macCode)
{
    return KeyCodes::textForKeysym(KeyCodes::keysymForMacKey(macCode));
}
