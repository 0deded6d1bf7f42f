#include "platform/desktopappearance.h"

#include "platform/platformlog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFileInfo>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
// Asked on the GUI thread during start-up: a portal that does not answer at once is treated as absent.
constexpr int portalTimeout = 250;

// The portal wraps the value in one or two variants depending on its version.
QVariant unwrap(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

std::optional<bool> fromColorScheme(const QVariant &value)
{
    bool ok = false;
    const uint scheme = unwrap(value).toUInt(&ok);
    if (!ok || (scheme != 1 && scheme != 2))
        return std::nullopt; // 0: no preference
    return scheme == 1;
}

} // namespace

DesktopAppearance::DesktopAppearance(QObject *parent)
    : QObject(parent)
{
}

std::optional<bool> DesktopAppearance::prefersDark()
{
    if (!m_read)
        read();
    return m_prefersDark;
}

bool DesktopAppearance::sessionBusKnown()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    // Where the D-Bus library looks next, before it starts a bus of its own.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

void DesktopAppearance::read()
{
    m_read = true;
    if (!sessionBusKnown())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                       QStringLiteral("Read"));
    call << appearanceGroup << colorSchemeKey;
    const QDBusMessage reply = bus.call(call, QDBus::Block, portalTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCDebug(lcPlatform) << "No colour scheme from the desktop portal:" << reply.errorMessage();
        return;
    }
    m_prefersDark = fromColorScheme(reply.arguments().constFirst());
}

void DesktopAppearance::onSettingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group == appearanceGroup && key == colorSchemeKey)
        m_prefersDark = fromColorScheme(value.variant());
}
