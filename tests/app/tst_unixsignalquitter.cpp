#include "app/unixsignalquitter.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <csignal>

class TestUnixSignalQuitter : public QObject
{
    Q_OBJECT

private slots:
    void testTerminationSignalsQuitThroughTheEventLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void testTerminationSignalsQuitThroughTheEventLoop()
    {
        QFETCH(int, signalNumber);
        UnixSignalQuitter quitter;
        QSignalSpy received(&quitter, &UnixSignalQuitter::signalReceived);
        bool aboutToQuit = false;
        auto connection = connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                                  [&] { aboutToQuit = true; });

        QTimer::singleShot(0, [signalNumber] { ::raise(signalNumber); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, QCoreApplication::instance(), [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        const int exitCode = QCoreApplication::exec();
        disconnect(connection);

        QCOMPARE(exitCode, 0);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toInt(), signalNumber);
        QVERIFY(aboutToQuit);
    }
};

QTEST_GUILESS_MAIN(TestUnixSignalQuitter)
#include "tst_unixsignalquitter.moc"
