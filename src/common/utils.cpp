#include "common/utils.h"

#include "common/globals.h"
#include "common/settingsfile.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace Utils {

QUrl notifierUrl()
{
    const QString overridden = qEnvironmentVariable("KESTOVAN_NOTIFIER_URL");
    return QUrl(overridden.isEmpty() ? QStringLiteral("wss://notifier.morva.org/notifier") : overridden);
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QSettings settings()
{
    if (const QString standIn = SettingsFile::standIn(); !standIn.isEmpty())
        return QSettings(standIn, QSettings::IniFormat);
    if (portable)
        return QSettings(programFolder() + "/settings.ini", QSettings::IniFormat);
    return QSettings();
}

QString dataPath()
{
    if (portable)
        return programFolder();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString imageFolderName()
{
    // Named after the history file of the mode, which the same flags choose.
    if (perfTestEnabled)
        return QStringLiteral("images-perftest");
    if (demoEnabled)
        return QStringLiteral("images-demo");
    return QStringLiteral("images");
}

QString imagesPath()
{
    return dataPath() + "/" + imageFolderName();
}

} // namespace Utils
