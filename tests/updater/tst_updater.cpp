#include "maintenancetoolstandin.h"
#include "updater/adminauthoriser.h"
#include "updater/simplescheduler.h"
#include "updater/updater.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using QtAutoUpdater::Updater;

namespace {

const char *const invalidXml = "The found XML-part is not of a valid updates-XML-format";

class RecordingAuthoriser : public QtAutoUpdater::AdminAuthoriser
{
public:
    RecordingAuthoriser(bool elevated, QString *program, QStringList *arguments)
        : m_elevated(elevated)
        , m_program(program)
        , m_arguments(arguments)
    {
    }
    bool isElevated() override { return m_elevated; }
    bool runElevated(const QString &program, const QStringList &arguments) override
    {
        *m_program = program;
        *m_arguments = arguments;
        return true;
    }

private:
    bool m_elevated;
    QString *m_program;
    QStringList *m_arguments;
};

// Runs the event loop once through a quit, so that aboutToQuit is emitted.
void quitApplication()
{
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_tool;
    QString m_output;
    QString m_marker;

    void setToolOutput(const QByteArray &output)
    {
        QFile file(m_output);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(output);
    }

    void waitForToolReady()
    {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_marker + ".ready"), 10000);
    }

    // Runs one check to its end; the spy holds the one checkUpdatesDone.
    void runCheck(Updater &updater, QSignalSpy &done)
    {
        QVERIFY(updater.checkForUpdates());
        QVERIFY(updater.isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
        QVERIFY(!updater.isRunning());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_tool = m_dir.filePath("tool/maintenancetool");
        QVERIFY(QDir().mkpath(m_dir.filePath("tool")));
        QVERIFY(MaintenanceToolStandIn::install(m_tool));
        m_output = m_dir.filePath("output.txt");
        m_marker = m_dir.filePath("marker.txt");
        qputenv("TOOL_OUTPUT", m_output.toUtf8());
        qputenv("TOOL_MARKER", m_marker.toUtf8());
    }

    void init()
    {
        qunsetenv("TOOL_MODE");
        qunsetenv("TOOL_EXIT");
        qunsetenv("TOOL_STDERR");
        QFile::remove(m_output);
        QFile::remove(m_marker);
        QFile::remove(m_marker + ".ready");
    }

    void testUpdateListIsReadFromAmongOtherOutput()
    {
        setToolOutput("Checking...\n<updates>\n"
                      "  <update name=\"Kestovan\" version=\"1.11\" size=\"123456\"/>\n"
                      "  <update name=\"Docs\" version=\"2.0.1\" size=\"18446744073709551615\"></update>\n"
                      "</updates>\ntrailing text <updates><update name=\"Ignored\" version=\"9\" size=\"1\"/></updates>\n");
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        QSignalSpy running(&updater, &Updater::runningChanged);
        runCheck(updater, done);

        QCOMPARE(done.first(), QVariantList({true, false}));
        QCOMPARE(running.count(), 2);
        QCOMPARE(running.at(0).first().toBool(), true);
        QCOMPARE(running.at(1).first().toBool(), false);
        const QList<Updater::UpdateInfo> updates = updater.updateInfo();
        QCOMPARE(updates.size(), 2);
        QCOMPARE(updates[0].name, QString("Kestovan"));
        QCOMPARE(updates[0].version, QVersionNumber(1, 11));
        QCOMPARE(updates[0].size, quint64(123456));
        QCOMPARE(updates[1].name, QString("Docs"));
        QCOMPARE(updates[1].version, QVersionNumber(2, 0, 1));
        QCOMPARE(updates[1].size, quint64(18446744073709551615ULL));
        QVERIFY(updater.exitedNormally());
        QCOMPARE(updater.errorCode(), 0);
    }

    void testNoUpdatesIsNotAnError_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("empty list") << QByteArray("<updates></updates>");
        QTest::newRow("empty list with spaces") << QByteArray("x <updates>\n  </updates> y");
        QTest::newRow("no updates part") << QByteArray("nothing to see\n");
        QTest::newRow("no output") << QByteArray();
        QTest::newRow("unterminated part") << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"1\"/>");
    }

    void testNoUpdatesIsNotAnError()
    {
        QFETCH(QByteArray, output);
        setToolOutput(output);
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({false, false}));
        QVERIFY(updater.updateInfo().isEmpty());
    }

    void testInvalidUpdatesPartIsAnError_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("child element")
            << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"1\"><x/></update></updates>");
        QTest::newRow("missing size") << QByteArray("<updates><update name=\"a\" version=\"1\"/></updates>");
        QTest::newRow("size not a number")
            << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"x\"/></updates>");
        QTest::newRow("negative size")
            << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"-1\"/></updates>");
        QTest::newRow("empty name") << QByteArray("<updates><update name=\"\" version=\"1\" size=\"1\"/></updates>");
        QTest::newRow("unparsable version")
            << QByteArray("<updates><update name=\"a\" version=\"abc\" size=\"1\"/></updates>");
        QTest::newRow("other element") << QByteArray("<updates><package name=\"a\" version=\"1\" size=\"1\"/></updates>");
        QTest::newRow("second entry bad")
            << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"1\"/><update name=\"b\"/></updates>");
        QTest::newRow("broken xml") << QByteArray("<updates><update name=\"a\" version=\"1\" size=\"1\"></updates>");
    }

    void testInvalidUpdatesPartIsAnError()
    {
        QFETCH(QByteArray, output);
        setToolOutput(output);
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        if (QTest::currentDataTag() == QByteArray("broken xml"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^XML-reader-error: "));
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({false, true}));
        QCOMPARE(updater.errorLog(), QByteArray(invalidXml));
        QVERIFY(updater.exitedNormally());
        QVERIFY(updater.updateInfo().isEmpty());
    }

    void testNonZeroExitIsAnErrorEvenWithAValidList()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        qputenv("TOOL_EXIT", "1");
        qputenv("TOOL_STDERR", "There are currently no updates available.\n");
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({false, true}));
        QCOMPARE(updater.errorCode(), 1);
        QCOMPARE(updater.errorLog(), QByteArray("There are currently no updates available.\n"));
        QVERIFY(updater.exitedNormally());
        QVERIFY(updater.updateInfo().isEmpty());
    }

    void testCrashingToolIsAnError()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        qputenv("TOOL_MODE", "crash");
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({false, true}));
        QVERIFY(!updater.exitedNormally());
        QCOMPARE(updater.errorCode(), int(QProcess::Crashed));
        QVERIFY(!updater.errorLog().isEmpty());
        QVERIFY(updater.updateInfo().isEmpty());
        // Both the crash and the finish were queued; only one result is reported.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(done.count(), 1);
    }

    void testMissingToolIsAnError()
    {
        Updater updater(m_dir.filePath("nowhere/maintenancetool"));
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({false, true}));
        QVERIFY(!updater.exitedNormally());
        QCOMPARE(updater.errorCode(), int(QProcess::FailedToStart));
        QVERIFY(!updater.errorLog().isEmpty());
    }

    void testSecondCheckWhileRunningIsRefused()
    {
        qputenv("TOOL_MODE", "slow");
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        QSignalSpy running(&updater, &Updater::runningChanged);
        QVERIFY(updater.checkForUpdates());
        QVERIFY(!updater.checkForUpdates());
        QCOMPARE(running.count(), 1);
        QVERIFY(updater.isRunning());
        waitForToolReady();
        updater.abortUpdateCheck(0);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
        QCOMPARE(running.count(), 2);
        // Idle again: a new check starts.
        qunsetenv("TOOL_MODE");
        setToolOutput("<updates></updates>");
        QVERIFY(updater.checkForUpdates());
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 10000);
        QCOMPARE(done.last(), QVariantList({false, false}));
    }

    void testSlowToolIsAborted_data()
    {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<int>("maxDelay");
        QTest::addColumn<bool>("async");
        QTest::newRow("terminate and wait") << QByteArray("slow") << 5000 << false;
        QTest::newRow("terminate, then kill after waiting") << QByteArray("stubborn") << 300 << false;
        QTest::newRow("terminate, then kill later") << QByteArray("stubborn") << 300 << true;
        QTest::newRow("kill at once") << QByteArray("stubborn") << 0 << false;
    }

    void testSlowToolIsAborted()
    {
        QFETCH(QByteArray, mode);
        QFETCH(int, maxDelay);
        QFETCH(bool, async);
        qputenv("TOOL_MODE", mode);
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        QVERIFY(updater.checkForUpdates());
        // The tool must be running (and, when stubborn, ignoring SIGTERM) before it is asked to stop.
        waitForToolReady();
        QElapsedTimer timer;
        timer.start();
        updater.abortUpdateCheck(maxDelay, async);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
        QVERIFY2(timer.elapsed() < 5000, "the aborted tool ran on");
        QCOMPARE(done.first(), QVariantList({false, true}));
        QVERIFY(!updater.exitedNormally());
        QCOMPARE(updater.errorCode(), int(QProcess::Crashed));
    }

    void testRelativeToolPathIsTakenFromTheProgramFolder()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        const QString relative = QDir(QCoreApplication::applicationDirPath()).relativeFilePath(m_tool);
        QVERIFY(QDir::isRelativePath(relative));
        Updater updater(relative);
        QCOMPARE(updater.maintenanceToolPath(), relative);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        runCheck(updater, done);
        QCOMPARE(done.first(), QVariantList({true, false}));

        QCOMPARE(Updater().maintenanceToolPath(), QString("maintenancetool"));
    }

    void testToolStartsDetachedWithUpdaterArgumentOnQuit()
    {
        Updater updater(m_tool);
        QVERIFY(!updater.willRunOnExit());
        updater.runUpdaterOnExit();
        QVERIFY(updater.willRunOnExit());
        quitApplication();
        QVERIFY(!updater.willRunOnExit());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_marker), 10000);
        QFile marker(m_marker);
        QVERIFY(marker.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(marker.readAll()).split('\n', Qt::SkipEmptyParts);
        // Started in the tool's own folder, with "--updater" alone.
        QCOMPARE(lines, QStringList({QFileInfo(m_tool).absolutePath(), "--updater"}));
    }

    void testCancelledExitRunStartsNothing()
    {
        Updater updater(m_tool);
        updater.runUpdaterOnExit({"--updater", "--verbose"});
        updater.cancelExitRun();
        QVERIFY(!updater.willRunOnExit());
        quitApplication();
        // A sentinel start after the quit: once it has run, the cancelled one would have too.
        QVERIFY(QProcess::startDetached(m_tool, {"sentinel"}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_marker), 10000);
        QFile marker(m_marker);
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QVERIFY(marker.readAll().contains("sentinel"));
    }

    void testExitRunGoesThroughTheAuthoriserWhenNotElevated()
    {
        QString program;
        QStringList arguments;
        Updater updater(m_tool);
        updater.runUpdaterOnExit({"--updater", "--silent"}, new RecordingAuthoriser(false, &program, &arguments));
        quitApplication();
        QCOMPARE(program, QFileInfo(m_tool).absoluteFilePath());
        QCOMPARE(arguments, QStringList({"--updater", "--silent"}));
    }

    void testFailedExitRunIsReported()
    {
        Updater updater(m_dir.filePath("nowhere/maintenancetool"));
        updater.runUpdaterOnExit();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to start .*nowhere/maintenancetool\" with "
                                                              "arguments QList\\(\"--updater\"\\) as current user$"));
        quitApplication();
        QVERIFY(!updater.willRunOnExit());
    }

    void testScheduledCheckRunsTheTool()
    {
        setToolOutput("<updates><update name=\"Kestovan\" version=\"1.11\" size=\"1\"/></updates>");
        Updater updater(m_tool);
        QSignalSpy done(&updater, &Updater::checkUpdatesDone);
        QVERIFY(updater.scheduleUpdate(1) != 0);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
        QCOMPARE(done.first(), QVariantList({true, false}));
    }

    void testScheduleLimits()
    {
        Updater updater(m_tool);
        QTest::ignoreMessage(QtWarningMsg, "delaySeconds to big to be converted to msecs");
        QCOMPARE(updater.scheduleUpdate(3000000), 0);
        const int id = updater.scheduleUpdate(2147483);
        QVERIFY(id != 0);
        updater.cancelScheduledUpdate(id);

        QTest::ignoreMessage(QtWarningMsg, "Cannot schedule update tasks for the past!");
        QCOMPARE(updater.scheduleUpdate(-1), 0);
        QTest::ignoreMessage(QtWarningMsg, "Time interval to big, timepoint to far in the future.");
        QCOMPARE(updater.scheduleUpdate(QDateTime::currentDateTime().addDays(30)), 0);
        QTest::ignoreMessage(QtWarningMsg, "Cannot schedule update tasks for the past!");
        QCOMPARE(updater.scheduleUpdate(QDateTime::currentDateTime().addSecs(-10)), 0);
    }

    void testFarPastDoesNotWrapIntoTheFuture()
    {
        // 64-bit millisecond counts cut to int could come out positive and schedule a check.
        Updater updater(m_tool);
        QTest::ignoreMessage(QtWarningMsg, "Cannot schedule update tasks for the past!");
        QCOMPARE(updater.scheduleUpdate(QDateTime(QDate(1900, 1, 1), QTime(0, 0))), 0);
        QTest::ignoreMessage(QtWarningMsg, "Cannot schedule update tasks for the past!");
        QCOMPARE(updater.scheduleUpdate(-3000000), 0);
    }

    void testRepeatedTaskFiresUntilCancelledAndSingleTaskOnce()
    {
        SimpleScheduler scheduler;
        QList<QVariant> fired;
        connect(&scheduler, &SimpleScheduler::scheduleTriggered, this,
                [&](const QVariant &parameter) { fired.append(parameter); });
        const int repeated = scheduler.startSchedule(100, true, QString("again"));
        const int single = scheduler.startSchedule(100, false, QString("once"));
        QVERIFY(repeated != 0 && single != 0);
        QTRY_VERIFY_WITH_TIMEOUT(fired.count(QString("again")) >= 3, 15000);
        QCOMPARE(fired.count(QString("once")), 1);

        scheduler.cancelSchedule(repeated);
        // Cancelling a task that has fired for good changes nothing, and warns of nothing.
        scheduler.cancelSchedule(single);
        const qsizetype afterCancel = fired.count(QString("again"));
        QVERIFY(scheduler.startSchedule(1500, false, QString("sentinel")) != 0);
        QTRY_VERIFY_WITH_TIMEOUT(fired.contains(QString("sentinel")), 15000);
        QCOMPARE(fired.count(QString("again")), afterCancel);
        QCOMPARE(fired.count(QString("once")), 1);
    }

    void testUpdateInfoDebugText()
    {
        QString text;
        QDebug(&text).nospace() << Updater::UpdateInfo("Kestovan", QVersionNumber(1, 11), 42);
        QCOMPARE(text, QString("{Name: \"Kestovan\"; Version: 1.11; Size: 42}"));
        const Updater::UpdateInfo empty;
        QVERIFY(empty.name.isEmpty());
        QVERIFY(empty.version.isNull());
        QCOMPARE(empty.size, quint64(0));
    }
};

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"
