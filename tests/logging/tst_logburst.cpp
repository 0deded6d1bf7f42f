#include "logging/logburst.h"
#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtbasicstdloggerengine.h"
#include "logging/outputcapture.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

enum class Lines { Sample, DebugLog, WorkerThread, SharedFile };

QByteArray maskedClock(const QByteArray& text)
{
    static const QRegularExpression clock(R"(\[\d\d:\d\d:\d\d\.\d{3}\] )");
    return QString::fromUtf8(text).replace(clock, "[clock] ").toUtf8();
}

struct Output
{
    QByteArray bytes;
    qint64 writtenInBurst = 0;
};

// Writes the lines, in a burst or not, with standard output and standard error in one file as
// with 2>&1; the debug log follows them in the result.
Output write(Lines lines, bool inBurst, const QString& folder)
{
    const QString captured = folder + "/captured";
    const QString debugLog = folder + "/debug.log";
    QFile::remove(captured);
    QFile::remove(debugLog);
    QxtBasicSTDLoggerEngine first;
    QxtBasicSTDLoggerEngine second;
    QxtBasicFileLoggerEngine file(debugLog);
    std::fflush(nullptr);
    const int savedOut = ::dup(1);
    const int savedErr = ::dup(2);
    QFile target(captured);
    target.open(QIODevice::WriteOnly);
    ::dup2(target.handle(), 1);
    ::dup2(target.handle(), 2);
    Output output;
    {
        std::optional<LogBurst> burst;
        if (inBurst)
            burst.emplace();
        QxtLoggerEngine& engine = lines == Lines::DebugLog ? static_cast<QxtLoggerEngine&>(file) : first;
        engine.writeFormatted(QxtLogger::DebugLevel, {"Merge clippings: Item 'a' added at position 0"});
        engine.writeFormatted(QxtLogger::ErrorLevel, {QString::fromUtf8("naïve ☕ ") + QChar(0xD83D), QString(QChar(0xDE00))});
        {
            // An inner burst that ends leaves the lines to the outer one.
            const LogBurst inner;
            engine.writeFormatted(QxtLogger::CriticalLevel, {"count ", 3});
        }
        if (lines == Lines::WorkerThread)
            std::thread([&] { first.writeFormatted(QxtLogger::DebugLevel, {"from a worker"}); }).join();
        if (lines == Lines::SharedFile) {
            second.writeFormatted(QxtLogger::DebugLevel, {"second engine"});
            first.writeFormatted(QxtLogger::DebugLevel, {"first again"});
            second.writeFormatted(QxtLogger::InfoLevel, {"standard output"});
            // Left in the C library's buffer until the next line on standard output.
            std::printf("printed\n");
            second.writeFormatted(QxtLogger::InfoLevel, {"standard output again"});
        }
        engine.writeFormatted(QxtLogger::DebugLevel, {"last"});
        output.writtenInBurst = QFileInfo(captured).size() + QFileInfo(debugLog).size();
    }
    std::fflush(nullptr);
    ::dup2(savedOut, 1);
    ::dup2(savedErr, 2);
    ::close(savedOut);
    ::close(savedErr);
    QFile result(captured);
    QFile log(debugLog);
    result.open(QIODevice::ReadOnly);
    log.open(QIODevice::ReadOnly);
    output.bytes = maskedClock(result.readAll() + log.readAll());
    return output;
}

} // namespace

class TestLogBurst : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testBurstWritesTheBytesOfSeparateWrites_data();
    void testBurstWritesTheBytesOfSeparateWrites();
    void testHeldBytesStayUnderTheBound();
    void testClosedDebugLogKeepsItsHeldLines();

private:
    QTemporaryDir m_dir;
};

void TestLogBurst::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Stands in for the crash handler, which the program installs at start.
    LogBurst::setCrashWriterInstalled(true);
}

void TestLogBurst::testBurstWritesTheBytesOfSeparateWrites_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<bool>("crashWriter");
    QTest::addColumn<bool>("allHeld");
    QTest::addColumn<int>("count");
    QTest::newRow("standard error") << Lines::Sample << true << true << 4;
    QTest::newRow("debug log") << Lines::DebugLog << true << true << 4;
    QTest::newRow("a worker's line in between") << Lines::WorkerThread << true << false << 5;
    QTest::newRow("outputs sharing a file") << Lines::SharedFile << true << false << 9;
    // A crash would lose them.
    QTest::newRow("no crash handler") << Lines::Sample << false << false << 4;
}

void TestLogBurst::testBurstWritesTheBytesOfSeparateWrites()
{
    QFETCH(Lines, lines);
    QFETCH(bool, crashWriter);
    QFETCH(bool, allHeld);
    QFETCH(int, count);
    LogBurst::setCrashWriterInstalled(crashWriter);
    const Output separate = write(lines, false, m_dir.path());
    const Output burst = write(lines, true, m_dir.path());
    QCOMPARE(separate.bytes.count('\n'), count);
    QCOMPARE(burst.writtenInBurst == 0, allHeld);
    QCOMPARE(burst.bytes, separate.bytes);
    LogBurst::setCrashWriterInstalled(true);
}

void TestLogBurst::testHeldBytesStayUnderTheBound()
{
    QxtBasicSTDLoggerEngine engine;
    OutputCapture err(2);
    struct stat info;
    qint64 total = 0;
    qint64 largestHeld = 0;
    {
        const LogBurst burst;
        for (int i = 0; i < 1000; ++i) {
            const QString text = QString("%1 %2").arg(i, 4, 10, QChar('0')).arg(QString(200, 'x'));
            engine.writeFormatted(QxtLogger::DebugLevel, {text});
            // "[hh:mm:ss.zzz] [DEBUG] ", the text, the line feed.
            total += 15 + 8 + text.size() + 1;
            largestHeld = std::max(largestHeld, ::fstat(2, &info) == 0 ? total - info.st_size : -1);
        }
    }
    QCOMPARE(err.finish().size(), total);
    QVERIFY2(largestHeld > 32 * 1024 && largestHeld <= 64 * 1024, QByteArray::number(largestHeld));
}

void TestLogBurst::testClosedDebugLogKeepsItsHeldLines()
{
    const auto logged = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? maskedClock(file.readAll()) : QByteArray();
    };
    const QString first = m_dir.filePath("first.log");
    QxtBasicFileLoggerEngine engine(first);
    {
        const LogBurst burst;
        engine.writeFormatted(QxtLogger::InfoLevel, {"before the move"});
        engine.setLogFileName(m_dir.filePath("second.log"));
        engine.writeFormatted(QxtLogger::InfoLevel, {"after the move"});
        QCOMPARE(logged(first), "[clock] [Info] before the move\n");
    }
    QCOMPARE(logged(m_dir.filePath("second.log")), "[clock] [Info] after the move\n");
}

QTEST_GUILESS_MAIN(TestLogBurst)
#include "tst_logburst.moc"
