#include "platform/platformbackend.h"

#include "platform/keymonitor.h"
#include "platform/nullplatformbackend.h"
#include "platform/platformlog.h"
#include "platform/x11platformbackend.h"

#include <QGuiApplication>
#include <QPointer>

Q_LOGGING_CATEGORY(lcPlatform, "Platform")

PlatformBackend::PlatformBackend(QObject *parent)
    : QObject(parent)
    , m_keyMonitor(new KeyMonitor(this))
{
}

PlatformBackend *PlatformBackend::instance()
{
    static QPointer<PlatformBackend> backend;
    static bool chosen = false;
    if (!chosen && qGuiApp) {
        chosen = true;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            backend = X11PlatformBackend::create(qGuiApp);
        if (!backend)
            backend = new NullPlatformBackend(qGuiApp);
        qCDebug(lcPlatform) << "Platform back end:" << backend->metaObject()->className();
    }
    if (backend)
        return backend;
    // Before the application object exists or after it is gone there is nothing to talk to.
    static NullPlatformBackend detached;
    return &detached;
}

bool PlatformBackend::installKeyMonitor()
{
    if (m_keyMonitorInstalled)
        return true;
    m_keyMonitorInstalled = startKeyMonitor();
    return m_keyMonitorInstalled;
}

bool PlatformBackend::uninstallKeyMonitor()
{
    if (!m_keyMonitorInstalled)
        return false;
    stopKeyMonitor();
    m_keyMonitorInstalled = false;
    return true;
}
