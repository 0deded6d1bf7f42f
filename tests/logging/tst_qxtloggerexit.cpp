// What happens at the end of a process: the logger's own teardown and qFatal. Each case runs this
// program again as a child ("--child <case>") and checks its output and how it ended.

#include "crash/crashhandler.h"
#include "deliberatefaults.h"
#include "logging/logburst.h"
#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtlogger.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {

void noCoreDumps()
{
    struct rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
}

struct LateMessage
{
    ~LateMessage()
    {
        const QtMessageHandler current = qInstallMessageHandler(nullptr);
        if (current == QxtLoggerMessageHandler)
            std::fputs("the logger's handler outlived the logger\n", stderr);
        qInstallMessageHandler(current);
        qWarning("late warning after the logger is gone");
    }
};

int runChild(const QByteArray& scenario, const QString& argument)
{
    if (scenario == "late-message") {
        // Constructed before the logger, so destroyed after it.
        static LateMessage late;
        QxtLogger::getInstance()->installAsMessageHandler();
        qInfo("ordinary info");
        return 0;
    }
    if (scenario == "two-names") {
        QxtLogger* logger = QxtLogger::getInstance();
        auto* engine = new QxtBasicFileLoggerEngine(argument);
        logger->addLoggerEngine("file", engine);
        logger->addLoggerEngine("file-alias", engine);
        logger->info("shared engine");
        return 0;
    }
    if (scenario == "fatal-main") {
        noCoreDumps();
        QxtLogger::getInstance()->installAsMessageHandler();
        qFatal("boom");
    }
    if (scenario == "fatal-worker") {
        noCoreDumps();
        QxtLogger::getInstance()->installAsMessageHandler();
        std::thread worker([] { qFatal("boom from worker"); });
        worker.join();
        return 0;
    }
    if (scenario.endsWith("-in-burst")) {
        noCoreDumps();
        QxtLogger* logger = QxtLogger::getInstance();
        logger->installAsMessageHandler();
        logger->setMinimumLevel("DEFAULT", QxtLogger::DebugLevel);
        if (scenario == "crash-in-burst")
            Breakpad::CrashHandler::instance()->install(argument);
        else
            LogBurst::setCrashWriterInstalled(true);
        const LogBurst burst;
        qDebug("held 1");
        qDebug("held 2");
        if (scenario == "fatal-in-burst")
            qFatal("boom in burst");
        if (scenario == "worker-fatal-in-burst")
            std::thread([] { qFatal("boom in burst"); }).join();
        DeliberateFaults::writeThroughNull();
    }
    return 2;
}

struct ChildResult
{
    QProcess::ExitStatus status;
    int code;
    QString out;
    QString err;
};

ChildResult runSelf(const QString& scenario, const QString& argument = QString())
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_MESSAGE_PATTERN");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--child", scenario, argument});
    if (!child.waitForFinished(30000))
        child.kill();
    return {child.exitStatus(), child.exitCode(), QString::fromUtf8(child.readAllStandardOutput()),
            QString::fromUtf8(child.readAllStandardError())};
}

const QString timeField = QStringLiteral(R"(\[\d\d:\d\d:\d\d\.\d{3}\] )");

} // namespace

class TestQxtLoggerExit : public QObject
{
    Q_OBJECT

private slots:
    void testMessageAfterLoggerTeardownReachesStdErr();
    void testEngineUnderTwoNamesIsDeletedOnceAtExit();
    void testFatalOnLoggerThreadIsWrittenThenAborts();
    void testFatalFromWorkerThreadIsNotLost();
    void testLinesHeldByABurstSurviveTheEnd_data();
    void testLinesHeldByABurstSurviveTheEnd();
};

void TestQxtLoggerExit::testMessageAfterLoggerTeardownReachesStdErr()
{
    const ChildResult result = runSelf("late-message");

    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.code, 0);
    // The handler was in use while the logger lived...
    QVERIFY2(QRegularExpression('^' + timeField + R"(\[INFO\] ordinary info$)", QRegularExpression::MultilineOption)
                 .match(result.out).hasMatch(), qPrintable(result.out));
    // ...and afterwards Qt's own output took over again.
    QVERIFY2(result.err.contains("late warning after the logger is gone"), qPrintable(result.err));
    QVERIFY(!result.out.contains("late warning"));
    QVERIFY2(!result.err.contains("outlived"), qPrintable(result.err));
}

void TestQxtLoggerExit::testEngineUnderTwoNamesIsDeletedOnceAtExit()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.txt");
    const ChildResult result = runSelf("two-names", path);

    QCOMPARE(result.status, QProcess::NormalExit);
    QCOMPARE(result.code, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("[Info] shared engine\n"));
}

void TestQxtLoggerExit::testFatalOnLoggerThreadIsWrittenThenAborts()
{
    const ChildResult result = runSelf("fatal-main");

    QCOMPARE(result.status, QProcess::CrashExit);
    QCOMPARE(result.code, SIGABRT);
    QVERIFY2(QRegularExpression('^' + timeField + R"(\[!!FATAL!!\] boom$)", QRegularExpression::MultilineOption)
                 .match(result.err).hasMatch(), qPrintable(result.err));
}

void TestQxtLoggerExit::testFatalFromWorkerThreadIsNotLost()
{
    const ChildResult result = runSelf("fatal-worker");

    QCOMPARE(result.status, QProcess::CrashExit);
    QCOMPARE(result.code, SIGABRT);
    const QRegularExpression line('^' + timeField + R"(\[!!FATAL!!\] boom from worker$)",
                                  QRegularExpression::MultilineOption);
    int count = 0;
    for (auto it = line.globalMatch(result.err); it.hasNext(); it.next())
        ++count;
    QVERIFY2(count == 1, qPrintable(result.err));
}

void TestQxtLoggerExit::testLinesHeldByABurstSurviveTheEnd_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("last");
    QTest::newRow("qFatal") << "fatal-in-burst" << SIGABRT << R"(\[!!FATAL!!\] boom in burst\n)";
    QTest::newRow("qFatal on a worker") << "worker-fatal-in-burst" << SIGABRT << R"(\[!!FATAL!!\] boom in burst\n)";
    QTest::newRow("crash") << "crash-in-burst" << SIGSEGV << QString();
}

void TestQxtLoggerExit::testLinesHeldByABurstSurviveTheEnd()
{
    QFETCH(QString, scenario);
    QFETCH(int, signal);
    QFETCH(QString, last);
    QTemporaryDir dumps;
    const ChildResult result = runSelf(scenario, dumps.path());

    QCOMPARE(result.status, QProcess::CrashExit);
    QCOMPARE(result.code, signal);
    const QString expected = '^' + timeField + R"(\[DEBUG\] held 1\n)" + timeField + R"(\[DEBUG\] held 2\n)"
        + (last.isEmpty() ? QString('$') : timeField + last + '$');
    QVERIFY2(QRegularExpression(expected).match(result.err).hasMatch(), qPrintable(result.err));
}

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argv[2], argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString());

    QCoreApplication app(argc, argv);
    TestQxtLoggerExit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qxtloggerexit.moc"
