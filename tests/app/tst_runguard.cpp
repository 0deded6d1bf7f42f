#include "app/runguard.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The test program doubles as the other copy: "--hold KEY [DELAY]" takes the guard, watches it and
// exits with 0 when a newer copy asks it to quit. With a delay it reaches its event loop that
// much later, as a copy busy loading a large history does.
int holdGuard(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    RunGuard guard(QString::fromUtf8(argv[2]));
    if (!guard.tryToRun())
        return 3;
    guard.startTimer();
    fputs("holding\n", stdout);
    fflush(stdout);
    if (argc > 3)
        QThread::msleep(std::strtoul(argv[3], nullptr, 10));
    return app.exec();
}

QString uniqueKey(const char *name)
{
    return QStringLiteral("tst_runguard-%1-%2").arg(QCoreApplication::applicationPid()).arg(name);
}

} // namespace

class TestRunGuard : public QObject
{
    Q_OBJECT

    std::unique_ptr<QProcess> startHolder(const QString &key, int delay = 0)
    {
        auto holder = std::make_unique<QProcess>();
        QStringList arguments{"--hold", key};
        if (delay > 0)
            arguments << QString::number(delay);
        holder->start(QCoreApplication::applicationFilePath(), arguments);
        if (!holder->waitForStarted(5000))
            return nullptr;
        if (!QTest::qWaitFor([&] { return holder->canReadLine() || holder->state() == QProcess::NotRunning; },
                             10000)) {
            return nullptr;
        }
        if (holder->readLine() != "holding\n")
            return nullptr;
        return holder;
    }

    static bool waitForExit(QProcess &process, int timeoutMs)
    {
        return QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    }

private slots:
    void testKeysAreStableLowerCaseSha1()
    {
        const RunGuard guard("KestovanRunGuard");
        QCOMPARE(guard.memLockKey(), QString("d299c7f65f91619b241c0de7719206c5e04475c8"));
        QCOMPARE(guard.sharedmemKey(), QString("9ae16cf658b759c7523425212c2b7f4d0f7b202b"));
    }

    void testSharedValueReachesTheHolderAndReadsZeroWithoutSegment()
    {
        const QString key = uniqueKey("value");
        RunGuard waiting(key);
        // Nothing holds the key: reading gives 0, writing attaches to nothing.
        QCOMPARE(waiting.sharedValue(), 0);
        waiting.setSharedValue(1);

        RunGuard holder(key);
        QVERIFY(holder.tryToRun());
        QCOMPARE(holder.sharedValue(), 0);
        waiting.setSharedValue(1);
        QCOMPARE(holder.sharedValue(), 1);
        QCOMPARE(waiting.sharedValue(), 1);
        holder.setSharedValue(0);
        QCOMPARE(waiting.sharedValue(), 0);
        // The holder keeps the segment; a second guard cannot take it.
        QVERIFY(!waiting.tryToRun());
    }

    void testNewerCopyMakesTheHolderQuitAndTakesOver()
    {
        const QString key = uniqueKey("takeover");
        auto holder = startHolder(key);
        QVERIFY(holder);

        RunGuard newer(key);
        QVERIFY(!newer.tryToRun());
        newer.setSharedValue(1);
        QVERIFY2(waitForExit(*holder, 5000), "the holder did not quit when asked");
        QCOMPARE(holder->exitStatus(), QProcess::NormalExit);
        QCOMPARE(holder->exitCode(), 0);
        QVERIFY(holder->readAllStandardError().contains("Another instance launched"));

        QVERIFY(newer.tryToRun());
    }

    void testHolderKeepsRunningWhileTheValueIsZero()
    {
        const QString key = uniqueKey("zero");
        auto holder = startHolder(key);
        QVERIFY(holder);

        RunGuard other(key);
        other.setSharedValue(0);
        // Two and a half watch intervals.
        QVERIFY(!waitForExit(*holder, 2500));
        other.setSharedValue(1);
        QVERIFY(waitForExit(*holder, 5000));
        QCOMPARE(holder->exitCode(), 0);
    }

    void testDifferentKeysRunSideBySide_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("two programs") << uniqueKey("first") << uniqueKey("second");
        // Another user's copy neither stops this user's start nor is asked to quit.
        QTest::newRow("two users") << RunGuard::keyForUser(uniqueKey("user"), 1000)
                                   << RunGuard::keyForUser(uniqueKey("user"), 1001);
    }

    void testDifferentKeysRunSideBySide()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        auto holder = startHolder(first);
        QVERIFY(holder);
        RunGuard other(second);
        QVERIFY(other.takeOver(2, 100));
        QCOMPARE(holder->state(), QProcess::Running);
        RunGuard(first).setSharedValue(1);
        QVERIFY(waitForExit(*holder, 5000));
    }

    void testNewerCopyTakesOverAHolderThatAnswers()
    {
        const QString key = uniqueKey("answers");
        auto holder = startHolder(key);
        QVERIFY(holder);
        RunGuard newer(key);
        QVERIFY(newer.takeOver(10, 300));
        QVERIFY(waitForExit(*holder, 5000));
        QCOMPARE(holder->exitCode(), 0);
    }

    void testNewerCopyStartedAtTheSameInstantTakesOver()
    {
        // Two starts at once: the newer asks for the take-over after the older took the guard
        // and before its watch began. The request must still be there for the watch.
        const QString key = uniqueKey("same instant");
        RunGuard older(key);
        RunGuard newer(key);
        QVERIFY(older.tryToRun());
        QVERIFY(!newer.tryToRun());
        newer.setSharedValue(1);
        older.startTimer();
        QCOMPARE(newer.sharedValue(), 1);
        QTest::ignoreMessage(QtDebugMsg, "Another instance launched");
        // The older copy's watch takes the request and quits.
        QTRY_COMPARE_WITH_TIMEOUT(newer.sharedValue(), 0, 5000);
    }

    void testCopyThatGivesUpLeavesASlowHolderRunning()
    {
        // The holder reaches its event loop only after the newer copy gave up: it must not then
        // act on a request nobody is waiting for, or no copy runs at all.
        const QString key = uniqueKey("slow");
        auto holder = startHolder(key, 2500);
        QVERIFY(holder);
        RunGuard newer(key);
        QVERIFY(!newer.takeOver(3, 200));
        QCOMPARE(newer.sharedValue(), 0);
        QVERIFY2(!waitForExit(*holder, 4500), "the slow holder quit after the newer copy had given up");
        RunGuard(key).setSharedValue(1);
        QVERIFY(waitForExit(*holder, 5000));
    }

    void testSegmentOfAKilledHolderIsTakenOver()
    {
        const QString key = uniqueKey("killed");
        auto holder = startHolder(key);
        QVERIFY(holder);
        holder->kill();
        QVERIFY(waitForExit(*holder, 5000));

        // What start-up does, with an interval no test waits out: the request removes the left
        // segment, and the copy takes it at once instead of after an interval.
        RunGuard newer(key);
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY2(newer.takeOver(10, 60000), "a segment left by a killed holder blocks every later copy");
        QVERIFY2(elapsed.elapsed() < 30000, "the start waited a whole interval for a segment nobody held");
    }
};

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--hold") == 0)
        return holdGuard(argc, argv);
    QCoreApplication app(argc, argv);
    TestRunGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_runguard.moc"
