#include "logging/qxtlogger.h"
#include "logging/qxtlogstream.h"
#include "logging/outputcapture.h"
#include "logging/recordingengine.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

QList<QxtLogger::LogLevel> levelsOf(const QList<RecordedMessage>& messages)
{
    QList<QxtLogger::LogLevel> levels;
    for (const RecordedMessage& message : messages)
        levels.append(message.level);
    return levels;
}

void foreignHandler(QtMsgType, const QMessageLogContext&, const QString&)
{
}

} // namespace

class TestQxtLogger : public QObject
{
    Q_OBJECT

private slots:
    void testDefaultEngineDropsTraceAndDebug();
    void testNullPartsAreSkippedButFirstPartIsKept();
    void testEveryEntryPointLogsAtItsLevel();
    void testDuplicateOrNullEngineIsIgnored();
    void testRemoveByNameKillsThenDeletes();
    void testTakeHandsBackALiveEngine();
    void testRemoveByPointerDropsEveryNameButKeepsEngine();
    void testDeletedEngineLeavesNoDanglingEntry();
    void testUnknownNamesAreHarmless();
    void testDisabledOrUninitialisedEngineReceivesNothing();
    void testLevelMaskRoutesPerEngine();
    void testMinimumLevelRule();
    void testLevelNames();
    void testMessageHandlerMapsQtTypes();
    void testRemovingHandlerKeepsALaterForeignHandler();
    void testStreamWritesOneLineWhenLastCopyDies();
    void testStreamAssignmentWritesEachLineOnce();
    void testWorkerThreadMessageIsDeliveredOnLoggerThread();
    void cleanup();

private:
    RecordingEngine* addRecorder(const QString& name, QStringList* events = nullptr)
    {
        auto* recorder = new RecordingEngine(events);
        QxtLogger::getInstance()->addLoggerEngine(name, recorder);
        return recorder;
    }
};

void TestQxtLogger::cleanup()
{
    QxtLogger* logger = QxtLogger::getInstance();
    const QStringList names = logger->allLoggerEngines();
    for (const QString& name : names)
        logger->removeLoggerEngine(name);
}

// Runs first, while the logger still has only the engine it made for itself.
void TestQxtLogger::testDefaultEngineDropsTraceAndDebug()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QCOMPARE(logger->allLoggerEngines(), QStringList{"DEFAULT"});
    QVERIFY(!logger->isLogLevelEnabled("DEFAULT", QxtLogger::TraceLevel));
    QVERIFY(!logger->isLogLevelEnabled("DEFAULT", QxtLogger::DebugLevel));
    QVERIFY(logger->isLogLevelEnabled("DEFAULT", QxtLogger::InfoLevel));
    QVERIFY(logger->isLogLevelEnabled("DEFAULT", QxtLogger::WriteLevel));

    OutputCapture out(1);
    OutputCapture err(2);
    logger->trace("hidden trace");
    logger->debug("hidden debug");
    logger->info("shown ", 42);
    const QByteArray outText = out.finish();
    const QByteArray errText = err.finish();

    QVERIFY2(QRegularExpression(R"(^\[\d\d:\d\d:\d\d\.\d{3}\] \[INFO\] shown 42\n$)")
                 .match(QString::fromUtf8(outText))
                 .hasMatch(),
             outText.constData());
    QCOMPARE(errText, QByteArray());
}

void TestQxtLogger::testNullPartsAreSkippedButFirstPartIsKept()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");

    logger->info("a", QVariant(), "b");
    logger->info(QVariant(), "b");
    // The list form passes its parts on untouched; the engines skip the null ones when writing.
    logger->info(QList<QVariant>{"a", QVariant(), "b"});

    QCOMPARE(recorder->messages.size(), 3);
    QCOMPARE(recorder->messages[0].parts, (QList<QVariant>{"a", "b"}));
    QCOMPARE(recorder->messages[1].parts.size(), 2);
    QVERIFY(recorder->messages[1].parts[0].isNull());
    QCOMPARE(recorder->messages[1].parts[1], QVariant("b"));
    QCOMPARE(recorder->messages[2].parts.size(), 3);
}

void TestQxtLogger::testEveryEntryPointLogsAtItsLevel()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");
    const QList<QxtLogger::LogLevel> order{
        QxtLogger::TraceLevel, QxtLogger::DebugLevel, QxtLogger::InfoLevel, QxtLogger::WarningLevel,
        QxtLogger::ErrorLevel, QxtLogger::CriticalLevel, QxtLogger::FatalLevel, QxtLogger::WriteLevel,
    };

    logger->trace("x");
    logger->debug("x");
    logger->info("x");
    logger->warning("x");
    logger->error("x");
    logger->critical("x");
    logger->fatal("x");
    logger->write("x");
    QCOMPARE(levelsOf(recorder->messages), order);
    recorder->messages.clear();

    const QList<QVariant> parts{"x"};
    logger->trace(parts);
    logger->debug(parts);
    logger->info(parts);
    logger->warning(parts);
    logger->error(parts);
    logger->critical(parts);
    logger->fatal(parts);
    logger->write(parts);
    QCOMPARE(levelsOf(recorder->messages), order);
    recorder->messages.clear();

    logger->trace() << "x";
    logger->debug() << "x";
    logger->info() << "x";
    logger->warning() << "x";
    logger->error() << "x";
    logger->critical() << "x";
    logger->fatal() << "x";
    logger->write() << "x";
    QCOMPARE(levelsOf(recorder->messages), order);
    recorder->messages.clear();

    logger->log(QxtLogger::ErrorLevel, parts);
    QVERIFY(QMetaObject::invokeMethod(logger, "critical", Q_ARG(QVariant, "by"), Q_ARG(QVariant, "name")));
    QCOMPARE(levelsOf(recorder->messages), (QList<QxtLogger::LogLevel>{QxtLogger::ErrorLevel, QxtLogger::CriticalLevel}));
    QCOMPARE(recorder->messages[1].parts, (QList<QVariant>{"by", "name"}));
}

void TestQxtLogger::testDuplicateOrNullEngineIsIgnored()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QSignalSpy added(logger, &QxtLogger::loggerEngineAdded);
    QStringList secondEvents;
    RecordingEngine* first = addRecorder("rec");
    auto* second = new RecordingEngine(&secondEvents);

    logger->addLoggerEngine("rec", second);
    logger->addLoggerEngine("null", nullptr);

    QCOMPARE(logger->engine("rec"), first);
    QVERIFY(!logger->isLoggerEngine("null"));
    QCOMPARE(added.count(), 1);
    QCOMPARE(added[0][0].toString(), QString("rec"));
    // The rejected engine is still the caller's and still alive.
    QVERIFY(secondEvents.isEmpty());

    // Names are case-sensitive.
    logger->addLoggerEngine("REC", second);
    QCOMPARE(logger->engine("REC"), second);
    QCOMPARE(logger->engine("rec"), first);
    logger->removeLoggerEngine("REC");
    QCOMPARE(secondEvents, (QStringList{"kill", "deleted"}));
}

void TestQxtLogger::testRemoveByNameKillsThenDeletes()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QSignalSpy removed(logger, &QxtLogger::loggerEngineRemoved);
    QStringList events;
    addRecorder("rec", &events);

    logger->removeLoggerEngine("rec");

    QCOMPARE(events, (QStringList{"kill", "deleted"}));
    QVERIFY(!logger->isLoggerEngine("rec"));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed[0][0].toString(), QString("rec"));
}

void TestQxtLogger::testTakeHandsBackALiveEngine()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QSignalSpy removed(logger, &QxtLogger::loggerEngineRemoved);
    QStringList events;
    RecordingEngine* recorder = addRecorder("rec", &events);

    QCOMPARE(logger->takeLoggerEngine("rec"), recorder);
    QCOMPARE(logger->takeLoggerEngine("rec"), nullptr);

    QVERIFY(events.isEmpty());
    QCOMPARE(removed.count(), 1);
    logger->info("not for the taken engine");
    QVERIFY(recorder->messages.isEmpty());
    delete recorder;
}

void TestQxtLogger::testRemoveByPointerDropsEveryNameButKeepsEngine()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QStringList events;
    auto* recorder = new RecordingEngine(&events);
    logger->addLoggerEngine("a", recorder);
    logger->addLoggerEngine("b", recorder);
    RecordingEngine* other = addRecorder("c");
    QSignalSpy removed(logger, &QxtLogger::loggerEngineRemoved);

    logger->removeLoggerEngine(recorder);

    QCOMPARE(logger->allLoggerEngines(), QStringList{"c"});
    QCOMPARE(removed.count(), 2);
    QVERIFY(events.isEmpty());
    QCOMPARE(logger->engine("c"), other);
    delete recorder;
}

void TestQxtLogger::testDeletedEngineLeavesNoDanglingEntry()
{
    QxtLogger* logger = QxtLogger::getInstance();
    auto* doomed = new RecordingEngine;
    logger->addLoggerEngine("a", doomed);
    logger->addLoggerEngine("b", doomed);
    RecordingEngine* survivor = addRecorder("c");

    delete doomed;

    QCOMPARE(logger->allLoggerEngines(), QStringList{"c"});
    logger->info("still delivered");
    QCOMPARE(survivor->messages.size(), 1);
}

void TestQxtLogger::testUnknownNamesAreHarmless()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QSignalSpy enabled(logger, &QxtLogger::loggerEngineEnabled);
    QSignalSpy disabled(logger, &QxtLogger::loggerEngineDisabled);
    QSignalSpy removed(logger, &QxtLogger::loggerEngineRemoved);

    logger->removeLoggerEngine("missing");
    logger->initLoggerEngine("missing");
    logger->killLoggerEngine("missing");
    logger->enableLoggerEngine("missing");
    logger->disableLoggerEngine("missing");
    logger->enableLogLevels("missing", QxtLogger::AllLevels);
    logger->setMinimumLevel("missing", QxtLogger::InfoLevel);

    QCOMPARE(logger->engine("missing"), nullptr);
    QCOMPARE(logger->takeLoggerEngine("missing"), nullptr);
    QVERIFY(!logger->isLoggerEngine("missing"));
    QVERIFY(!logger->isLoggerEngineEnabled("missing"));
    QVERIFY(!logger->isLogLevelEnabled("missing", QxtLogger::InfoLevel));
    QCOMPARE(enabled.count() + disabled.count() + removed.count(), 0);
}

void TestQxtLogger::testDisabledOrUninitialisedEngineReceivesNothing()
{
    QxtLogger* logger = QxtLogger::getInstance();
    QSignalSpy enabled(logger, &QxtLogger::loggerEngineEnabled);
    QSignalSpy disabled(logger, &QxtLogger::loggerEngineDisabled);
    RecordingEngine* recorder = addRecorder("rec");
    RecordingEngine* unready = addRecorder("unready");
    unready->initialized = false;

    logger->disableLoggerEngine("rec");
    logger->info("dropped");
    QVERIFY(recorder->messages.isEmpty());
    QVERIFY(!logger->isLoggerEngineEnabled("rec"));
    QCOMPARE(logger->allDisabledLoggerEngines(), QStringList{"rec"});
    QCOMPARE(logger->allEnabledLoggerEngines(), QStringList{"unready"});

    logger->enableLoggerEngine("rec");
    logger->info("kept");
    QCOMPARE(recorder->messages.size(), 1);
    QCOMPARE(recorder->messages[0].parts, QList<QVariant>{"kept"});
    QVERIFY(unready->messages.isEmpty());
    QCOMPARE(disabled.count(), 1);
    QCOMPARE(enabled.count(), 1);
}

void TestQxtLogger::testLevelMaskRoutesPerEngine()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* a = addRecorder("a");
    RecordingEngine* b = addRecorder("b");

    logger->disableLogLevels("a", QxtLogger::InfoLevel);
    logger->info("i");
    logger->warning("w");
    QCOMPARE(levelsOf(a->messages), QList<QxtLogger::LogLevel>{QxtLogger::WarningLevel});
    QCOMPARE(b->messages.size(), 2);
    QCOMPARE(logger->allEnabledLoggerEngines(QxtLogger::InfoLevel), QStringList{"b"});

    logger->enableAllLogLevels("a");
    QVERIFY(logger->isLogLevelEnabled("a", QxtLogger::InfoLevel));

    logger->disableAllLogLevels();
    logger->error("nobody");
    QCOMPARE(a->messages.size(), 1);
    QCOMPARE(b->messages.size(), 2);

    logger->enableLogLevels(QxtLogger::DebugLevel | QxtLogger::TraceLevel);
    logger->debug("d");
    logger->error("still nobody");
    QCOMPARE(a->messages.last().level, QxtLogger::DebugLevel);
    QCOMPARE(b->messages.last().level, QxtLogger::DebugLevel);
    QCOMPARE(a->messages.size(), 2);
    QCOMPARE(b->messages.size(), 3);
}

void TestQxtLogger::testMinimumLevelRule()
{
    QxtLogger* logger = QxtLogger::getInstance();
    addRecorder("a");
    addRecorder("b");
    const QList<QxtLogger::LogLevel> singles{
        QxtLogger::TraceLevel, QxtLogger::DebugLevel, QxtLogger::InfoLevel, QxtLogger::WarningLevel,
        QxtLogger::ErrorLevel, QxtLogger::CriticalLevel, QxtLogger::FatalLevel, QxtLogger::WriteLevel,
    };
    auto enabledLevels = [&](const QString& name) {
        QList<int> on;
        for (QxtLogger::LogLevel level : singles) {
            if (logger->isLogLevelEnabled(name, level))
                on.append(level);
        }
        return on;
    };

    logger->setMinimumLevel("a", QxtLogger::WarningLevel);
    QCOMPARE(enabledLevels("a"), (QList<int>{8, 16, 32, 64, 128}));
    QCOMPARE(enabledLevels("b").size(), 8);

    logger->setMinimumLevel("a", QxtLogger::AllLevels);
    QVERIFY(enabledLevels("a").isEmpty());

    logger->setMinimumLevel("a", QxtLogger::LogLevel(3));
    QCOMPARE(enabledLevels("a"), (QList<int>{4, 8, 16, 32, 64, 128}));

    logger->setMinimumLevel("a", QxtLogger::NoLevels);
    QCOMPARE(enabledLevels("a").size(), 8);

    logger->setMinimumLevel(QxtLogger::CriticalLevel);
    QCOMPARE(enabledLevels("a"), (QList<int>{32, 64, 128}));
    QCOMPARE(enabledLevels("b"), (QList<int>{32, 64, 128}));
}

void TestQxtLogger::testLevelNames()
{
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::TraceLevel), QString("TraceLevel"));
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::WarningLevel), QString("WarningLevel"));
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::WriteLevel), QString("WriteLevel"));
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::AllLevels), QString("AllLevels"));
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::LogLevel(3)), QString("NoLevels"));
    QCOMPARE(QxtLogger::logLevelToString(QxtLogger::NoLevels), QString("NoLevels"));

    QCOMPARE(QxtLogger::stringToLogLevel("InfoLevel"), QxtLogger::InfoLevel);
    QCOMPARE(QxtLogger::stringToLogLevel("warnlevel"), QxtLogger::WarningLevel);
    QCOMPARE(QxtLogger::stringToLogLevel("WarningLevel"), QxtLogger::NoLevels);
    QCOMPARE(QxtLogger::stringToLogLevel("ALLLEVELS"), QxtLogger::AllLevels);
    QCOMPARE(QxtLogger::stringToLogLevel("TraceLevel"), QxtLogger::TraceLevel);
    QCOMPARE(QxtLogger::stringToLogLevel("nonsense"), QxtLogger::NoLevels);
}

void TestQxtLogger::testMessageHandlerMapsQtTypes()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");
    const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(testHandler);

    logger->installAsMessageHandler();
    qDebug("d %d", 1);
    qInfo() << "i";
    qWarning("w");
    qCritical("c");
    logger->removeAsMessageHandler();
    const QtMessageHandler afterRemoval = qInstallMessageHandler(testHandler);

    QVERIFY(afterRemoval != QxtLoggerMessageHandler);
    QCOMPARE(levelsOf(recorder->messages),
             (QList<QxtLogger::LogLevel>{QxtLogger::DebugLevel, QxtLogger::InfoLevel, QxtLogger::WarningLevel,
                                         QxtLogger::CriticalLevel}));
    QCOMPARE(recorder->messages[0].parts, QList<QVariant>{"d 1"});
    QCOMPARE(recorder->messages[1].parts, QList<QVariant>{"i"});
    QCOMPARE(recorder->messages[3].parts, QList<QVariant>{"c"});
}

void TestQxtLogger::testRemovingHandlerKeepsALaterForeignHandler()
{
    QxtLogger* logger = QxtLogger::getInstance();
    const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(testHandler);

    logger->installAsMessageHandler();
    qInstallMessageHandler(foreignHandler);
    logger->removeAsMessageHandler();
    const QtMessageHandler current = qInstallMessageHandler(testHandler);

    QVERIFY(current == foreignHandler);
}

void TestQxtLogger::testStreamWritesOneLineWhenLastCopyDies()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");
    {
        QxtLogStream stream = logger->warning();
        stream << "a";
        {
            QxtLogStream copy1 = stream;
            QxtLogStream copy2(copy1);
            QxtLogStream copy3 = copy2;
            copy3 << 1 << QVariant();
        }
        QVERIFY(recorder->messages.isEmpty());
        stream << "z";
    }
    QCOMPARE(recorder->messages.size(), 1);
    QCOMPARE(recorder->messages[0].level, QxtLogger::WarningLevel);
    QCOMPARE(recorder->messages[0].parts, (QList<QVariant>{"a", 1, QVariant(), "z"}));
}

void TestQxtLogger::testStreamAssignmentWritesEachLineOnce()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");
    {
        QxtLogStream first = logger->info();
        first << "first";
        QxtLogStream second = logger->error();
        second << "second";
        first = second;
        QCOMPARE(recorder->messages.size(), 1);
        first = first;
        first << " more";
    }
    QCOMPARE(levelsOf(recorder->messages),
             (QList<QxtLogger::LogLevel>{QxtLogger::InfoLevel, QxtLogger::ErrorLevel}));
    QCOMPARE(recorder->messages[0].parts, QList<QVariant>{"first"});
    QCOMPARE(recorder->messages[1].parts, (QList<QVariant>{"second", " more"}));
}

void TestQxtLogger::testWorkerThreadMessageIsDeliveredOnLoggerThread()
{
    QxtLogger* logger = QxtLogger::getInstance();
    RecordingEngine* recorder = addRecorder("rec");
    const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(testHandler);
    logger->installAsMessageHandler();

    QScopedPointer<QThread> worker(QThread::create([logger] {
        logger->info("from", " worker");
        logger->debug() << "streamed";
        qWarning("through the handler");
    }));
    worker->start();
    QVERIFY(worker->wait(10000));
    logger->removeAsMessageHandler();
    qInstallMessageHandler(testHandler);

    // Nothing may have been written from the worker itself; it all waits for this thread.
    QVERIFY(recorder->messages.isEmpty());
    QTRY_COMPARE(recorder->messages.size(), 3);
    for (const RecordedMessage& message : std::as_const(recorder->messages))
        QCOMPARE(message.thread, QThread::currentThread());
    QCOMPARE(recorder->messages[0].parts, (QList<QVariant>{"from", " worker"}));
    QCOMPARE(recorder->messages[2].level, QxtLogger::WarningLevel);
}

QTEST_GUILESS_MAIN(TestQxtLogger)
#include "tst_qxtlogger.moc"
