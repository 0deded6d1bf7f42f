#include "platform/sessionbuslaunch.h"

#include "platform/desktopappearance.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Connecting to it fails at once: there is no bus, and nothing is started to find one.
const char NoBus[] = "unix:path=/dev/null";

} // namespace

namespace SessionBusLaunch {

bool hopeless()
{
    if (DesktopAppearance::sessionBusKnown())
        return false;
    // The library runs it from its own installation folder first, then from the PATH.
    return !QFileInfo(QStringLiteral("/usr/bin/dbus-launch")).isExecutable()
        && QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty();
}

void declareMissingWhenHopeless()
{
    if (hopeless())
        qputenv("DBUS_SESSION_BUS_ADDRESS", NoBus);
}

} // namespace SessionBusLaunch
