#include "logging/qxtbasicstdloggerengine.h"
#include "logging/outputcapture.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Checks each captured line against "[hh:mm:ss.zzz] " followed by its pattern.
void compareLines(const QByteArray& text, const QStringList& patterns)
{
    const QStringList lines = text.isEmpty() ? QStringList() : QString::fromUtf8(text.chopped(1)).split('\n');
    QVERIFY2(text.isEmpty() || text.endsWith('\n'), text.constData());
    QCOMPARE(lines.size(), patterns.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpression expected(R"(^\[\d\d:\d\d:\d\d\.\d{3}\] )" + patterns[i] + '$');
        QVERIFY2(expected.match(lines[i]).hasMatch(), qPrintable(lines[i] + " !~ " + expected.pattern()));
    }
}

QList<int> enabledLevels(const QxtLoggerEngine& engine)
{
    QList<int> on;
    for (int level = 1; level <= 128; level *= 2) {
        if (engine.isLogLevelEnabled(QxtLogger::LogLevel(level)))
            on.append(level);
    }
    return on;
}

} // namespace

class TestQxtBasicSTDLoggerEngine : public QObject
{
    Q_OBJECT

private slots:
    void testNewEngineIsReadyWithEveryLevel();
    void testEachLevelGoesToItsStreamWithItsWord();
    void testLineFormatJoinsPartsAndSkipsNulls();
    void testSetLogLevelEnabledKeepsSevereLevelsOn();
};

void TestQxtBasicSTDLoggerEngine::testNewEngineIsReadyWithEveryLevel()
{
    QxtBasicSTDLoggerEngine engine;
    QVERIFY(engine.isInitialized());
    QVERIFY(engine.isLoggingEnabled());
    QVERIFY(engine.stdOutStream() && engine.stdErrStream());
    QCOMPARE(enabledLevels(engine), (QList<int>{1, 2, 4, 8, 16, 32, 64, 128}));
}

void TestQxtBasicSTDLoggerEngine::testEachLevelGoesToItsStreamWithItsWord()
{
    QxtBasicSTDLoggerEngine engine;
    OutputCapture out(1);
    OutputCapture err(2);
    for (int level = 1; level <= 128; level *= 2)
        engine.writeFormatted(QxtLogger::LogLevel(level), {"level ", level});
    engine.writeFormatted(QxtLogger::LogLevel(3), {"odd"});
    const QByteArray outText = out.finish();
    const QByteArray errText = err.finish();

    compareLines(outText, {
        R"(\[Trace\] level 1)",
        R"(\[INFO\] level 4)",
        R"(\[Warning\] level 8)",
        R"(\[\] level 128)",
        R"(\[\] odd)",
    });
    compareLines(errText, {
        R"(\[DEBUG\] level 2)",
        R"(\[Error\] level 16)",
        R"(\[Critical\] level 32)",
        R"(\[!!FATAL!!\] level 64)",
    });
}

void TestQxtBasicSTDLoggerEngine::testLineFormatJoinsPartsAndSkipsNulls()
{
    QxtBasicSTDLoggerEngine engine;
    OutputCapture err(2);
    engine.writeFormatted(QxtLogger::DebugLevel, {"Logging to /tmp/x"});
    engine.writeFormatted(QxtLogger::DebugLevel, {"count", 3});
    engine.writeFormatted(QxtLogger::DebugLevel, {QVariant(), QVariant()});
    engine.writeFormatted(QxtLogger::DebugLevel, {});
    engine.writeFormatted(QxtLogger::DebugLevel, {QString::fromUtf8("naïve"), QVariant(), 1.5});
    const QByteArray errText = err.finish();

    compareLines(errText, {
        R"(\[DEBUG\] Logging to /tmp/x)",
        R"(\[DEBUG\] count3)",
        R"(\[DEBUG\] )",
        QString::fromUtf8(R"(\[DEBUG\] naïve1\.5)"),
    });
}

void TestQxtBasicSTDLoggerEngine::testSetLogLevelEnabledKeepsSevereLevelsOn()
{
    QxtBasicSTDLoggerEngine engine;
    engine.disableLogLevels(QxtLogger::AllLevels);

    engine.setLogLevelEnabled(QxtLogger::DebugLevel, true);
    QCOMPARE(enabledLevels(engine), (QList<int>{2, 8, 16, 32, 64}));

    engine.setLogLevelEnabled(QxtLogger::AllLevels, false);
    QCOMPARE(enabledLevels(engine), (QList<int>{8, 16, 32, 64}));
}

QTEST_GUILESS_MAIN(TestQxtBasicSTDLoggerEngine)
#include "tst_qxtbasicstdloggerengine.moc"
