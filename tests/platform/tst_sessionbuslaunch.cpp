#include "platform/sessionbuslaunch.h"
#include "scopedenvironment.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SessionBusLaunchTest : public QObject
{
    Q_OBJECT

private slots:
    // A bus that exists, or a dbus-launch that could start or find one, must never be hidden.
    void testOnlyAHopelessSearchIsCutShort_data()
    {
        QTest::addColumn<bool>("address");
        QTest::addColumn<bool>("runtimeBus");
        QTest::addColumn<bool>("launcherOnPath");
        QTest::addColumn<bool>("hopeless");

        QTest::newRow("bus address") << true << false << false << false;
        QTest::newRow("bus in the runtime folder") << false << true << false << false;
        QTest::newRow("dbus-launch on the PATH") << false << false << true << false;
        QTest::newRow("nothing") << false << false << false << true;
    }

    void testOnlyAHopelessSearchIsCutShort()
    {
        QFETCH(bool, address);
        QFETCH(bool, runtimeBus);
        QFETCH(bool, launcherOnPath);
        QFETCH(bool, hopeless);
        if (hopeless && QFileInfo(QStringLiteral("/usr/bin/dbus-launch")).isExecutable())
            QSKIP("dbus-launch is installed here: no search is hopeless");

        QTemporaryDir runtime;
        QTemporaryDir bin;
        QVERIFY(runtime.isValid() && bin.isValid());
        const QByteArray givenAddress = "unix:path=" + runtime.filePath("elsewhere").toLocal8Bit();
        ScopedEnvironment environment;
        environment.set("DBUS_SESSION_BUS_ADDRESS", address ? givenAddress : QByteArray());
        environment.set("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        if (runtimeBus) {
            QFile bus(runtime.filePath("bus"));
            QVERIFY(bus.open(QIODevice::WriteOnly));
        }
        environment.set("PATH", bin.path().toLocal8Bit());
        if (launcherOnPath) {
            QFile launcher(bin.filePath("dbus-launch"));
            QVERIFY(launcher.open(QIODevice::WriteOnly));
            launcher.write("#!/bin/sh\nexit 1\n");
            launcher.close();
            QVERIFY(launcher.setPermissions(launcher.permissions() | QFileDevice::ExeOwner));
        }

        QCOMPARE(SessionBusLaunch::hopeless(), hopeless);
        SessionBusLaunch::declareMissingWhenHopeless();
        if (!hopeless) {
            QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), address ? givenAddress : QByteArray());
            return;
        }
        // The declared address is one the library takes, and it reaches no bus.
        const QByteArray declared = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        QVERIFY(!declared.isEmpty());
        const QDBusConnection probe = QDBusConnection::connectToBus(QString::fromLocal8Bit(declared), "probe");
        QVERIFY(!probe.isConnected());
        QCOMPARE(probe.lastError().type(), QDBusError::NoServer);
        QDBusConnection::disconnectFromBus("probe");
    }
};

QTEST_GUILESS_MAIN(SessionBusLaunchTest)
#include "tst_sessionbuslaunch.moc"
