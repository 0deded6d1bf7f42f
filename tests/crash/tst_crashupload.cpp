#include "crash/crashhandler.h"
#include "dumpserverstandin.h"
#include "common/utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList g_debugLines;
QtMessageHandler g_previousHandler = nullptr;

void recordMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_debugLines.append(message);
    g_previousHandler(type, context, message);
}

QByteArray patternBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 13) & 0xff);
    return bytes;
}

QString chunkMessage(const QString &file, const QByteArray &bytes)
{
    return QString("{\"content\":\"%1\",\"file\":\"%2\",\"operation\":\"crash-dump\"}")
        .arg(QString::fromLatin1(bytes.toBase64()), file);
}

QString startMessage(const QString &file)
{
    return QString("{\"file\":\"%1\",\"operation\":\"crash-dump-start\"}").arg(file);
}

QString endMessage(const QString &file)
{
    return QString("{\"file\":\"%1\",\"operation\":\"crash-dump-end\",\"version\":\"1.10.120\"}").arg(file);
}

} // namespace

class TestCrashUpload : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dumps;

    QString writeDump(const QString &name, const QByteArray &content)
    {
        const QString path = QDir(m_dumps).filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(content);
        return path;
    }

    static int tries() { return Utils::settings().value("DumpUploadTries", 0).toInt(); }
    static void setTries(int value) { Utils::settings().setValue("DumpUploadTries", value); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("MorvaTest");
        QCoreApplication::setApplicationName("KestovanCrashUploadTest");
        g_previousHandler = qInstallMessageHandler(recordMessages);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->filePath("settings"));
        m_dumps = m_dir->filePath("data");
        QVERIFY(QDir().mkpath(m_dumps));
        qunsetenv("KESTOVAN_NOTIFIER_URL");
        g_debugLines.clear();
    }

    void testDumpIsSentInTheExactMessageSequence()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QByteArray content = patternBytes(1200);
        const QString path = writeDump("8c2b7a3e-1111-4c1a-9d1e-0123456789ab.dmp", content);
        const QString name = QFileInfo(path).fileName();
        setTries(2);

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), 1, 10000);
        QCOMPARE(server.requestPath, QString("/notifier"));
        QCOMPARE(server.received.at(0), startMessage(name));

        // One chunk per "continue", in file order, then the end message.
        const QStringList expected = {
            chunkMessage(name, content.mid(0, 500)),
            chunkMessage(name, content.mid(500, 500)),
            chunkMessage(name, content.mid(1000, 200)),
            endMessage(name),
        };
        for (int i = 0; i < expected.size(); ++i) {
            server.send("{\"crashdump\":\"continue\"}");
            QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), i + 2, 10000);
            QCOMPARE(server.received.at(i + 1), expected.at(i));
        }
        QVERIFY(QFile::exists(path));
        QCOMPARE(tries(), 2);

        server.send("{\"crashdump\":\"done\"}");
        QTRY_VERIFY_WITH_TIMEOUT(server.disconnected, 10000);
        QCOMPARE(server.closeCode, 1000);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tries(), 0);
        QCOMPARE(server.received.size(), 5);
        QCOMPARE(server.connections, 1);
    }

    void testEmptyDumpSendsStartThenEnd()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        server.reply = &DumpServerStandIn::follow;
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QString path = writeDump("empty.dmp", QByteArray());

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_VERIFY_WITH_TIMEOUT(server.disconnected, 10000);
        QCOMPARE(server.received, QStringList({startMessage("empty.dmp"), endMessage("empty.dmp")}));
        QVERIFY(!QFile::exists(path));
    }

    void testDoneBeforeAllChunksStillDeletesTheDump()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        server.reply = [](const QString &message) {
            return message.contains("\"crash-dump\"") ? QString("{\"crashdump\":\"done\"}")
                                                      : QString("{\"crashdump\":\"continue\"}");
        };
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QString path = writeDump("early.dmp", patternBytes(1200));
        setTries(4);

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_VERIFY_WITH_TIMEOUT(server.disconnected, 10000);
        QCOMPARE(server.closeCode, 1000);
        QCOMPARE(server.received.size(), 2);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tries(), 0);
    }

    void testUnexpectedRepliesChangeNothing()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QByteArray content = patternBytes(700);
        const QString path = writeDump("odd.dmp", content);
        setTries(1);

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), 1, 10000);
        server.send("this is not JSON");
        server.send("[\"crashdump\",\"continue\"]");
        server.send("{\"other\":\"continue\"}");
        server.send("{\"crashdump\":\"later\"}");
        // Had any of them counted, this would bring the second chunk or the end.
        server.send("{\"crashdump\":\"continue\"}");
        QTRY_COMPARE_WITH_TIMEOUT(server.received.size(), 2, 10000);
        QCOMPARE(server.received.at(1), chunkMessage("odd.dmp", content.left(500)));
        QVERIFY(QFile::exists(path));
        QCOMPARE(tries(), 1);
        QVERIFY(g_debugLines.contains("CrashHandler: Received message: this is not JSON"));
    }

    void testUnreachableServerCountsOneTryAndKeepsTheDump()
    {
        quint16 port = 0;
        {
            DumpServerStandIn closed;
            QVERIFY(closed.listen());
            port = QUrl(closed.url()).port();
        }
        qputenv("KESTOVAN_NOTIFIER_URL", QString("ws://127.0.0.1:%1/notifier").arg(port).toUtf8());
        const QString path = writeDump("kept.dmp", patternBytes(10));

        for (int expected = 1; expected <= 2; ++expected) {
            Breakpad::CrashHandler handler;
            handler.Init(m_dumps);
            QTRY_COMPARE_WITH_TIMEOUT(tries(), expected, 10000);
            QVERIFY(QFile::exists(path));
        }
        QVERIFY(g_debugLines.filter("CrashHandler: Error occured:").size() >= 2);
    }

    void testSixFailedTriesDeleteTheDumpWithoutConnecting()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QString path = writeDump("stale.dmp", patternBytes(10));
        setTries(6);

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tries(), 0);
        QVERIFY(g_debugLines.filter("CrashHandler: Uploading failed too many times. Deleting the dmp file:").size() == 1);
        QVERIFY(g_debugLines.filter("CrashHandler: Uploading crash file:").isEmpty());
    }

    void testFiveFailedTriesStillUpload()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        server.reply = &DumpServerStandIn::follow;
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        const QString path = writeDump("last-chance.dmp", patternBytes(10));
        setTries(5);

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_VERIFY_WITH_TIMEOUT(server.disconnected, 10000);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(tries(), 0);
    }

    void testDumpsOffDeleteOneDumpPerStart()
    {
        Utils::settings().setValue("SendDumps", false);
        writeDump("a.dmp", patternBytes(10));
        writeDump("b.dmp", patternBytes(10));
        writeDump("notes.txt", "not a dump");
        setTries(3);

        for (int remaining = 1; remaining >= 0; --remaining) {
            Breakpad::CrashHandler handler;
            handler.Init(m_dumps);
            QCOMPARE(QDir(m_dumps).entryList({"*.dmp"}, QDir::Files).size(), remaining);
            QCOMPARE(tries(), 0);
        }
        QVERIFY(QFile::exists(QDir(m_dumps).filePath("notes.txt")));
        QVERIFY(g_debugLines.filter("CrashHandler: Uploading crash file:").isEmpty());
    }

    void testOneDumpIsSentPerStart()
    {
        DumpServerStandIn server;
        QVERIFY(server.listen());
        server.reply = &DumpServerStandIn::follow;
        qputenv("KESTOVAN_NOTIFIER_URL", server.url().toUtf8());
        writeDump("first.dmp", patternBytes(10));
        writeDump("second.dmp", patternBytes(10));

        Breakpad::CrashHandler handler;
        handler.Init(m_dumps);
        QTRY_VERIFY_WITH_TIMEOUT(server.disconnected, 10000);
        QCOMPARE(server.connections, 1);
        QCOMPARE(QDir(m_dumps).entryList({"*.dmp"}, QDir::Files).size(), 1);
    }

    void testInitCreatesTheDumpFolder()
    {
        const QString folder = m_dir->filePath("fresh/Morva/Kestovan");
        QVERIFY(!QDir(folder).exists());
        Breakpad::CrashHandler handler;
        handler.Init(folder);
        QVERIFY(QDir(folder).exists());
    }

    void testServerAddress()
    {
        QCOMPARE(Breakpad::CrashHandler::serverUrl().scheme(), QString("wss"));
        QCOMPARE(Breakpad::CrashHandler::serverUrl().path(), QString("/notifier"));
        qputenv("KESTOVAN_NOTIFIER_URL", "ws://127.0.0.1:1/notifier");
        QCOMPARE(Breakpad::CrashHandler::serverUrl(), QUrl("ws://127.0.0.1:1/notifier"));
    }
};

QTEST_GUILESS_MAIN(TestCrashUpload)
#include "tst_crashupload.moc"
