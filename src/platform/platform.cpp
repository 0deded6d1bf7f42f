#include "platform/platform.h"

#include "platform/platformbackend.h"
#include "platform/platformlog.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

QString getApplicationName()
{
    return PlatformBackend::instance()->applicationName();
}

QPixmap getIcon()
{
    return PlatformBackend::instance()->applicationIcon();
}

void activateApp()
{
    PlatformBackend::instance()->activateApp();
}

void activateTarget()
{
    PlatformBackend::instance()->activateTarget();
}

void showInAllSpaces(QWidget *widget)
{
    if (widget)
        PlatformBackend::instance()->showInAllSpaces(widget->window());
}

bool isDarkMode()
{
    const QByteArray forced = qgetenv("KESTOVAN_DARK_MODE");
    if (forced == "1")
        return true;
    if (forced == "0")
        return false;
    if (const std::optional<bool> system = PlatformBackend::instance()->systemDarkMode())
        return *system;
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

bool checkAccessibility(bool prompt)
{
    PlatformBackend *backend = PlatformBackend::instance();
    const bool trusted = backend->isTrusted();
    qCDebug(lcPlatform) << (trusted ? "The process is trusted." : "The process is not trusted.");
    if (!trusted && prompt)
        backend->promptForTrust();
    return trusted;
}

void setupKeyListener()
{
    if (!PlatformBackend::instance()->installKeyMonitor())
        qCWarning(lcPlatform) << "Unable to create the global monitor for events.";
}

bool removeKeyListener()
{
    return PlatformBackend::instance()->uninstallKeyMonitor();
}

void playNotification()
{
    PlatformBackend::instance()->playNotification();
}
