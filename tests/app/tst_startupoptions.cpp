#include "app/startupoptions.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStartupOptions : public QObject
{
    Q_OBJECT

private slots:
    void testOnlyTheFirstArgumentCounts_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("setting");
        QTest::addColumn<bool>("debug");
        QTest::addColumn<bool>("perfTest");
        QTest::addColumn<bool>("demo");
        QTest::newRow("no arguments, setting off") << QStringList{"kestovan"} << false << false << false << false;
        QTest::newRow("no arguments, setting on") << QStringList{"kestovan"} << true << true << false << false;
        QTest::newRow("debug") << QStringList{"kestovan", "--debug"} << false << true << false << false;
        QTest::newRow("demo then debug") << QStringList{"kestovan", "--demo", "--debug"} << false << false << false << true;
        QTest::newRow("demo with debug setting") << QStringList{"kestovan", "--demo"} << true << true << false << true;
        QTest::newRow("perf test") << QStringList{"kestovan", "--perf-test"} << false << false << true << false;
        QTest::newRow("letter case differs") << QStringList{"kestovan", "--Debug"} << false << false << false << false;
        QTest::newRow("demo in second place") << QStringList{"kestovan", "-x", "--demo"} << false << false << false << false;
        QTest::newRow("debug wins over setting and clears the rest") << QStringList{"kestovan", "--debug", "--demo"} << false
                                                                      << true << false << false;
    }

    void testOnlyTheFirstArgumentCounts()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, setting);
        const StartupOptions options = StartupOptions::fromArguments(arguments, setting);
        QTEST(options.debug, "debug");
        QTEST(options.perfTest, "perfTest");
        QTEST(options.demo, "demo");
    }

    void testPortableMarkersAreLookedForInTheWorkingDirectory()
    {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        QVERIFY(!StartupOptions::portableMarkerExists(directory.path()));

        for (const char *marker : {"portable", "portable.txt"}) {
            QFile file(directory.filePath(marker));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY2(StartupOptions::portableMarkerExists(directory.path()), marker);
            QVERIFY(file.remove());
        }
        QFile wrongName(directory.filePath("Portable"));
        QVERIFY(wrongName.open(QIODevice::WriteOnly));
        QVERIFY(!StartupOptions::portableMarkerExists(directory.path()));
    }
};

QTEST_GUILESS_MAIN(TestStartupOptions)
#include "tst_startupoptions.moc"
