#include "logging/qxtbasicstdloggerengine.h"
#include "logging/outputcapture.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextStream>
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
    void testLineBytesAreWhatTheStreamWrites_data();
    void testLineBytesAreWhatTheStreamWrites();
    void testTextLeftInTheStreamGoesOutFirst();
    void testPaddedStreamStillPadsTheLine();
};

namespace {

// The bytes `*stream << text << Qt::endl` gives on a fresh UTF-8 stream of that field width.
QByteArray streamed(const QString& text, int fieldWidth = 0)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
    stream.setFieldWidth(fieldWidth);
    stream << text << Qt::endl;
    return buffer.data();
}

// A captured line with its "[hh:mm:ss.zzz] " clock masked.
QByteArray maskedClock(const QByteArray& line)
{
    static const QRegularExpression clock(R"(\[\d\d:\d\d:\d\d\.\d{3}\] )");
    return QString::fromUtf8(line).replace(clock, "[00:00:00.000] ").toUtf8();
}

} // namespace

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

void TestQxtBasicSTDLoggerEngine::testLineBytesAreWhatTheStreamWrites_data()
{
    QTest::addColumn<QVariantList>("parts");
    QTest::addColumn<QString>("text");
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("plain") << QVariantList{"Merge clippings: Item 'x' added at position 3"}
                           << "Merge clippings: Item 'x' added at position 3";
    QTest::newRow("accents and emoji") << QVariantList{QString::fromUtf8("naïve ☕ 😀")} << QString::fromUtf8("naïve ☕ 😀");
    QTest::newRow("pair split between parts") << QVariantList{QString("a") + high, QString(low) + "b"}
                                              << QString("a") + high + low + "b";
    QTest::newRow("lone high surrogate last") << QVariantList{QString("end") + high} << QString("end") + high;
    QTest::newRow("lone low surrogate") << QVariantList{QString(low) + "x"} << QString(low) + "x";
    QTest::newRow("numbers and nulls") << QVariantList{"n=", 42, QVariant(), 2.5, QString()} << "n=422.5";
    QTest::newRow("bytes") << QVariantList{QByteArray("raw \xC3\xA9")} << QString::fromUtf8("raw é");
    QTest::newRow("long") << QVariantList{QString(3000, QChar(0x00E9))} << QString(3000, QChar(0x00E9));
}

void TestQxtBasicSTDLoggerEngine::testLineBytesAreWhatTheStreamWrites()
{
    QFETCH(QVariantList, parts);
    QFETCH(QString, text);
    QxtBasicSTDLoggerEngine engine;
    OutputCapture err(2);
    engine.writeFormatted(QxtLogger::ErrorLevel, parts);
    const QByteArray line = err.finish();
    QCOMPARE(maskedClock(line), streamed("[00:00:00.000] [Error] " + text));
}

void TestQxtBasicSTDLoggerEngine::testTextLeftInTheStreamGoesOutFirst()
{
    QxtBasicSTDLoggerEngine engine;
    OutputCapture err(2);
    *engine.stdErrStream() << "left unflushed ";
    engine.writeFormatted(QxtLogger::DebugLevel, {"line"});
    *engine.stdErrStream() << "after" << Qt::flush;
    const QByteArray text = err.finish();
    QVERIFY2(text.startsWith("left unflushed ["), text.constData());
    QVERIFY2(text.endsWith("[DEBUG] line\nafter"), text.constData());
}

void TestQxtBasicSTDLoggerEngine::testPaddedStreamStillPadsTheLine()
{
    QxtBasicSTDLoggerEngine engine;
    engine.stdErrStream()->setFieldWidth(60);
    OutputCapture err(2);
    engine.writeFormatted(QxtLogger::DebugLevel, {"padded"});
    const QByteArray line = err.finish();
    engine.stdErrStream()->setFieldWidth(0);
    QCOMPARE(maskedClock(line), streamed("[00:00:00.000] [DEBUG] padded", 60));
}

QTEST_GUILESS_MAIN(TestQxtBasicSTDLoggerEngine)
#include "tst_qxtbasicstdloggerengine.moc"
