#pragma once

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Action tests run with a home, settings and data folder of their own, a fixed time zone and
// the C locale, so they never touch the user's data and their date texts are known.
#define KESTOVAN_ACTION_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        qputenv("HOME", home.path().toLocal8Bit());                                                \
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());                       \
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());                           \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        qputenv("LC_ALL", "C");                                                                    \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QCoreApplication::setOrganizationName("Morva");                                            \
        QCoreApplication::setApplicationName("Kestovan");                                          \
        QCoreApplication app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
