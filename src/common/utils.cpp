#include "common/utils.h"

#include "common/globals.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace Utils {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QSettings settings()
{
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

} // namespace Utils
