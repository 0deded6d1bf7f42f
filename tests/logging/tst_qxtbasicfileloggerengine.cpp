#include "logging/qxtbasicfileloggerengine.h"
#include "logging/qxtlogger.h"
#include "logging/outputcapture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QString timeField = QStringLiteral(R"(\d\d:\d\d:\d\d\.\d{3})");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

// Matches every line against its pattern, with the "[time] " prefix in front of each pattern.
void compareLines(const QByteArray& text, const QStringList& patterns)
{
    QVERIFY2(text.endsWith('\n'), text.constData());
    const QStringList lines = QString::fromUtf8(text.chopped(1)).split('\n');
    QCOMPARE(lines.size(), patterns.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QRegularExpression expected('^' + QRegularExpression::escape("[") + timeField + R"(\] )" + patterns[i] + '$');
        QVERIFY2(expected.match(lines[i]).hasMatch(), qPrintable(lines[i] + " !~ " + expected.pattern()));
    }
}

// Notes whether the file was still open when the logger shut the engine down, and when it was deleted.
class ObservedFileEngine : public QxtBasicFileLoggerEngine
{
public:
    ObservedFileEngine(const QString& fileName, QStringList* events)
        : QxtBasicFileLoggerEngine(fileName)
        , m_events(events)
    {
    }
    ~ObservedFileEngine() override { m_events->append("deleted"); }

    void killLoggerEngine() override
    {
        m_events->append(device() && device()->isOpen() ? "kill while open" : "kill while closed");
        QxtBasicFileLoggerEngine::killLoggerEngine();
    }

private:
    QStringList* m_events;
};

} // namespace

class TestQxtBasicFileLoggerEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testLineFormatAndLevelWords();
    void testEmptyPartListWritesNothing();
    void testExistingLogKeepsItsContentAndIsMadePrivate();
    void testDateFormatAffectsOnlyLaterLines();
    void testUnopenableFileLeavesEngineUninitialisedAndSkipped();
    void testSymlinkIsRefused();
    void testFileOfAnotherUserIsRefused();
    void testHardLinkedFileIsRefused();
    void testRemoveByNameClosesFileBeforeDeleting();
    void testTakenEngineKeepsFileOpen();

private:
    QTemporaryDir m_dir;
};

void TestQxtBasicFileLoggerEngine::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Keep the standard-output engine quiet while these tests log through the logger.
    QxtLogger::getInstance()->removeLoggerEngine("DEFAULT");
}

void TestQxtBasicFileLoggerEngine::testLineFormatAndLevelWords()
{
    const QString path = m_dir.filePath("format.txt");
    {
        QxtBasicFileLoggerEngine engine(path);
        QVERIFY(engine.isInitialized());
        QCOMPARE(engine.dateFormat(), QString("hh:mm:ss.zzz"));
        engine.writeFormatted(QxtLogger::DebugLevel, {"Logging to /tmp/x"});
        engine.writeFormatted(QxtLogger::DebugLevel, {"count", 3});
        engine.writeFormatted(QxtLogger::InfoLevel, {QVariant(), "a", QVariant(), "b"});
        engine.writeFormatted(QxtLogger::InfoLevel, {QVariant(), QVariant()});
        engine.writeFormatted(QxtLogger::WriteLevel, {"msg"});
        engine.writeFormatted(QxtLogger::LogLevel(3), {"odd level"});
        engine.writeFormatted(QxtLogger::TraceLevel, {"t"});
        engine.writeFormatted(QxtLogger::WarningLevel, {"w"});
        engine.writeFormatted(QxtLogger::ErrorLevel, {"e"});
        engine.writeFormatted(QxtLogger::CriticalLevel, {"c"});
        engine.writeFormatted(QxtLogger::FatalLevel, {"f"});
        engine.writeFormatted(QxtLogger::InfoLevel, {QString::fromUtf8("Grüße ✓")});
    }

    compareLines(readAll(path), {
        R"(\[Debug\] Logging to /tmp/x)",
        R"(\[Debug\] count3)",
        R"(\[Info\] ab)",
        R"(\[Info\] )",
        R"(\[\] msg)",
        R"(\[\] odd level)",
        R"(\[Trace\] t)",
        R"(\[Warning\] w)",
        R"(\[Error\] e)",
        R"(\[Critical\] c)",
        R"(\[Fatal\] f)",
        QString::fromUtf8(R"(\[Info\] Grüße ✓)"),
    });
}

void TestQxtBasicFileLoggerEngine::testEmptyPartListWritesNothing()
{
    const QString path = m_dir.filePath("empty.txt");
    QxtBasicFileLoggerEngine engine(path);
    engine.writeFormatted(QxtLogger::InfoLevel, {});
    QCOMPARE(readAll(path), QByteArray());
}

void TestQxtBasicFileLoggerEngine::testExistingLogKeepsItsContentAndIsMadePrivate()
{
    const QString path = m_dir.filePath("existing.txt");
    writeFile(path, "earlier line\n");
    // Left readable by everyone by an earlier version.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    {
        QxtBasicFileLoggerEngine engine(path);
        engine.writeFormatted(QxtLogger::InfoLevel, {"first run"});
    }
    {
        QxtBasicFileLoggerEngine engine(path);
        engine.writeFormatted(QxtLogger::InfoLevel, {"second run"});
    }

    const QByteArray text = readAll(path);
    QVERIFY(text.startsWith("earlier line\n"));
    compareLines(text.mid(13), {R"(\[Info\] first run)", R"(\[Info\] second run)"});
    QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

void TestQxtBasicFileLoggerEngine::testDateFormatAffectsOnlyLaterLines()
{
    const QString path = m_dir.filePath("date.txt");
    QxtBasicFileLoggerEngine engine(path);
    engine.writeFormatted(QxtLogger::InfoLevel, {"before"});
    engine.setDateFormat("yyyy-MM-dd hh:mm");
    engine.writeFormatted(QxtLogger::InfoLevel, {"after"});

    const QStringList lines = QString::fromUtf8(readAll(path)).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(QRegularExpression('^' + QRegularExpression::escape("[") + timeField + R"(\] \[Info\] before$)")
                 .match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QVERIFY2(QRegularExpression(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d\] \[Info\] after$)").match(lines[1]).hasMatch(),
             qPrintable(lines[1]));
}

void TestQxtBasicFileLoggerEngine::testUnopenableFileLeavesEngineUninitialisedAndSkipped()
{
    QxtBasicFileLoggerEngine unnamed{QString()};
    QVERIFY(!unnamed.isInitialized());

    QxtLogger* logger = QxtLogger::getInstance();
    const QString missingFolder = m_dir.filePath("no/such/folder/log.txt");
    auto* engine = new QxtBasicFileLoggerEngine(missingFolder);
    QVERIFY(!engine->isInitialized());
    QVERIFY(engine->device() == nullptr);
    logger->addLoggerEngine("file", engine);
    logger->info("dropped");
    QVERIFY(logger->isLoggerEngine("file"));
    QVERIFY(logger->isLoggerEngineEnabled("file"));

    // A new name retries the open.
    const QString path = m_dir.filePath("retry.txt");
    engine->setLogFileName(path);
    QVERIFY(engine->isInitialized());
    logger->info("written");
    logger->removeLoggerEngine("file");
    compareLines(readAll(path), {R"(\[Info\] written)"});
}

void TestQxtBasicFileLoggerEngine::testSymlinkIsRefused()
{
    const QString target = m_dir.filePath("precious.txt");
    const QString link = m_dir.filePath("link-log.txt");
    writeFile(target, "keep me\n");
    QVERIFY(QFile::link(target, link));
    const QString dangling = m_dir.filePath("dangling-log.txt");
    const QString danglingTarget = m_dir.filePath("created-through-link.txt");
    QVERIFY(QFile::link(danglingTarget, dangling));

    OutputCapture err(2);
    QxtBasicFileLoggerEngine engine(link);
    engine.writeFormatted(QxtLogger::InfoLevel, {"must not land in the target"});
    QxtBasicFileLoggerEngine danglingEngine(dangling);
    const QByteArray warning = err.finish();

    QVERIFY(!engine.isInitialized());
    QVERIFY(!danglingEngine.isInitialized());
    QCOMPARE(readAll(target), QByteArray("keep me\n"));
    QVERIFY(!QFile::exists(danglingTarget));
    QVERIFY2(warning.contains("symbolic link"), warning.constData());
    QVERIFY(warning.contains(QFile::encodeName(link)));
}

void TestQxtBasicFileLoggerEngine::testFileOfAnotherUserIsRefused()
{
    if (::geteuid() != 0)
        QSKIP("Giving a file to another user needs root");
    const QString path = m_dir.filePath("foreign.txt");
    writeFile(path, "theirs\n");
    QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);

    OutputCapture err(2);
    QxtBasicFileLoggerEngine engine(path);
    const QByteArray warning = err.finish();

    QVERIFY(!engine.isInitialized());
    QCOMPARE(readAll(path), QByteArray("theirs\n"));
    QVERIFY2(warning.contains("another user"), warning.constData());
}

void TestQxtBasicFileLoggerEngine::testHardLinkedFileIsRefused()
{
    const QString victim = m_dir.filePath("victim.txt");
    const QString path = m_dir.filePath("hardlink-log.txt");
    writeFile(victim, "unrelated\n");
    QVERIFY(::link(QFile::encodeName(victim).constData(), QFile::encodeName(path).constData()) == 0);

    OutputCapture err(2);
    QxtBasicFileLoggerEngine engine(path);
    const QByteArray warning = err.finish();

    QVERIFY(!engine.isInitialized());
    QCOMPARE(readAll(victim), QByteArray("unrelated\n"));
    QVERIFY2(warning.contains("hard link"), warning.constData());
}

void TestQxtBasicFileLoggerEngine::testRemoveByNameClosesFileBeforeDeleting()
{
    QxtLogger* logger = QxtLogger::getInstance();
    const QString path = m_dir.filePath("removed.txt");
    QStringList events;
    logger->addLoggerEngine("file", new ObservedFileEngine(path, &events));
    logger->warning("count", 3);

    logger->removeLoggerEngine("file");

    QCOMPARE(events, (QStringList{"kill while open", "deleted"}));
    compareLines(readAll(path), {R"(\[Warning\] count3)"});
}

void TestQxtBasicFileLoggerEngine::testTakenEngineKeepsFileOpen()
{
    QxtLogger* logger = QxtLogger::getInstance();
    const QString path = m_dir.filePath("taken.txt");
    QStringList events;
    auto* engine = new ObservedFileEngine(path, &events);
    logger->addLoggerEngine("file", engine);

    QCOMPARE(logger->takeLoggerEngine("file"), engine);

    QVERIFY(events.isEmpty());
    QVERIFY(engine->device() && engine->device()->isOpen());
    engine->writeFormatted(QxtLogger::InfoLevel, {"still writable"});
    delete engine;
    compareLines(readAll(path), {R"(\[Info\] still writable)"});
}

QTEST_GUILESS_MAIN(TestQxtBasicFileLoggerEngine)
#include "tst_qxtbasicfileloggerengine.moc"
