#pragma once

#include <QByteArray>
#include <QStandardPaths>
#include <QTemporaryDir>

// Points the home, settings and data folders into a test's own temporary folder, so no test
// reads or writes the user's data. Call before the application object exists.
inline void isolateTestHome(const QTemporaryDir &home)
{
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}
