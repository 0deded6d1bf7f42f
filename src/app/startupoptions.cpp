#include "app/startupoptions.h"

#include <QFileInfo>

StartupOptions StartupOptions::fromArguments(const QStringList &arguments, bool writeDebugLogSetting)
{
    StartupOptions options;
    const QString first = arguments.size() > 1 ? arguments.at(1) : QString();
    if (first == QLatin1String("--debug")) {
        options.debug = true;
        return options;
    }
    options.debug = writeDebugLogSetting;
    options.perfTest = first == QLatin1String("--perf-test");
    options.demo = first == QLatin1String("--demo");
    return options;
}

bool StartupOptions::portableMarkerExists(const QString &workingDirectory)
{
    return QFileInfo::exists(workingDirectory + "/portable") || QFileInfo::exists(workingDirectory + "/portable.txt");
}
