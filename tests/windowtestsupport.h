#pragma once

#include "isolatedhome.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Window tests run with a home and settings store of their own, a light system appearance and
// a fixed font, so sizes and colours do not depend on the desktop the tests run on.
#define KESTOVAN_WINDOW_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        qputenv("KESTOVAN_DARK_MODE", "0");                                                        \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanWindowTest");                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setStyle("Fusion");                                                          \
        QApplication::setFont(QFont("DejaVu Sans", 9));                                            \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
