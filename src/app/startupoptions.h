#pragma once

#include <QString>
#include <QStringList>

// What the command line and the working directory decide at start.
struct StartupOptions
{
    bool debug = false;
    bool perfTest = false;
    bool demo = false;

    // Only the first argument after the program name counts, compared exactly.
    static StartupOptions fromArguments(const QStringList &arguments, bool writeDebugLogSetting);
    // Portable mode is marked in the working directory, not beside the program.
    static bool portableMarkerExists(const QString &workingDirectory);
};
