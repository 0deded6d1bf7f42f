#include "platform/desktopappearance.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Without a session bus, asking for the colour scheme must not make the D-Bus library start one:
// that forks the whole program (dbus-launch) in the middle of its start.
class DesktopAppearanceNoBusTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        QVERIFY(m_programs.isValid());
        // A dbus-launch that leaves a mark when it is run.
        const QString launcher = m_programs.filePath(QStringLiteral("dbus-launch"));
        QFile script(launcher);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ntouch \"" + QFile::encodeName(markPath()) + "\"\nexit 1\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void testSessionBusKnown_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("runtimeBus");
        QTest::addColumn<bool>("known");
        QTest::newRow("address given") << QByteArray("unix:path=/nowhere") << false << true;
        QTest::newRow("bus in the runtime folder") << QByteArray() << true << true;
        QTest::newRow("neither") << QByteArray() << false << false;
    }

    void testSessionBusKnown()
    {
        QFETCH(QByteArray, address);
        QFETCH(bool, runtimeBus);
        QFETCH(bool, known);
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        if (runtimeBus) {
            QFile bus(runtime.filePath(QStringLiteral("bus")));
            QVERIFY(bus.open(QIODevice::WriteOnly));
        }
        const QByteArray savedAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const bool result = DesktopAppearance::sessionBusKnown();
        qputenv("DBUS_SESSION_BUS_ADDRESS", savedAddress);
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        QCOMPARE(result, known);
    }

    void testNoSessionBusStartsNone()
    {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("PATH", QFile::encodeName(m_programs.path()) + ":/usr/bin:/bin");
        qputenv("DISPLAY", ":99");

        DesktopAppearance appearance;
        QCOMPARE(appearance.prefersDark(), std::nullopt);
        QVERIFY2(!QFile::exists(markPath()), "dbus-launch was run");
    }

private:
    QString markPath() const { return m_runtime.filePath(QStringLiteral("launched")); }

    QTemporaryDir m_runtime;
    QTemporaryDir m_programs;
};

QTEST_GUILESS_MAIN(DesktopAppearanceNoBusTest)
#include "tst_desktopappearancenobus.moc"
