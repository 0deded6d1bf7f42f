#pragma once

#include "isolatedhome.h"

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
        isolateTestHome(home);                                                                     \
        qputenv("TZ", "Europe/Helsinki");                                                          \
        qputenv("LC_ALL", "C");                                                                    \
        QCoreApplication::setOrganizationName("Morva");                                            \
        QCoreApplication::setApplicationName("Kestovan");                                          \
        QCoreApplication app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
