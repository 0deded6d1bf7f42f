// The change notifier against a notification service stand-in on 127.0.0.1, and watching a folder.
#include "sync/synctestsupport.h"

#include "common/utils.h"
#include "googledrivetestsupport.h"
#include "httpstandin.h"
#include "oauth/googleservice.h"
#include "oauth/o2google.h"
#include "sync/notifier.h"
#include "websocketstandin.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHostInfo>
#include <QTcpServer>

#include <utility>

using namespace SyncTest;


namespace {

using Clients = QList<QMap<QString, QString>>;

// A JSON web token carrying the claims; header and signature only have to be there.
QByteArray webToken(const QByteArray &claims)
{
    const auto encode = [](const QByteArray &bytes) {
        return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    };
    return encode(R"({"alg":"RS256","typ":"JWT"})") + '.' + encode(claims) + '.' + encode("signature");
}

// Stores a sign-in's identity token where every client with the program's client id finds it.
void storeIdentityToken(const QByteArray &token)
{
    O2Google o2;
    o2.setClientId(GoogleService::clientId());
    o2.setExtraTokens(token.isEmpty() ? QVariantMap() : QVariantMap{{"id_token", QString::fromLatin1(token)}});
}

// What the notifier told its listeners, in order.
struct Recorder
{
    explicit Recorder(Notifier *notifier)
    {
        QObject::connect(notifier, &Notifier::status, notifier, [this](Notifier::CONNECTION_STATUS s) {
            statuses.append(s);
            times.append(clock.elapsed());
        });
        QObject::connect(notifier, &Notifier::dataUpdated, notifier, [this](QString content) { updates.append(content); });
        QObject::connect(notifier, &Notifier::clientList, notifier, [this](Clients list) { clientLists.append(list); });
        clock.start();
    }
    int count(Notifier::CONNECTION_STATUS status) const { return int(statuses.count(status)); }

    QElapsedTimer clock;
    QList<Notifier::CONNECTION_STATUS> statuses;
    QList<qint64> times;
    QStringList updates;
    QList<Clients> clientLists;
};

// Runs a step once, as the first queued call reaches the object: for the notifier that is the
// result of a folder scan, while it still counts the scan as under way.
class BeforeQueuedCall : public QObject
{
public:
    BeforeQueuedCall(QObject *target, std::function<void()> step)
        : m_step(std::move(step))
    {
        target->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MetaCall && m_step)
            std::exchange(m_step, nullptr)();
        return false;
    }

private:
    std::function<void()> m_step;
};

QString registration()
{
    return QString(R"({"name":"%1","operation":"register","type":"Linux","user":"user-7"})").arg(QHostInfo::localHostName());
}

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

    std::unique_ptr<WebSocketStandIn> m_server;
    std::unique_ptr<QTemporaryDir> m_folder;

    // A notifier connected to the stand-in and registered.
    std::unique_ptr<Notifier> connected()
    {
        auto notifier = std::make_unique<Notifier>();
        notifier->initialize("GoogleDrive");
        if (!QTest::qWaitFor([this] { return m_server->received.contains(registration()); }, 10000))
            return nullptr;
        return notifier;
    }

    std::unique_ptr<Notifier> watching()
    {
        auto notifier = std::make_unique<Notifier>();
        notifier->setFolderCheckDelay(100);
        notifier->initialize("LocalFolder");
        return notifier;
    }

    // Lets the checks of changes made so far run.
    void letChecksRun() { QTest::qWait(600); }

private slots:
    void initTestCase()
    {
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "notifier-test.apps.example");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "notifier-test-secret");
        qRegisterMetaType<Clients>();
    }

    void init()
    {
        SyncLogDialog::c_log.clear();
        m_server = std::make_unique<WebSocketStandIn>();
        QVERIFY(m_server->listen());
        qputenv("KESTOVAN_NOTIFIER_URL", m_server->url().toUtf8());
        storeIdentityToken(webToken(R"({"iss":"accounts","sub":"user-7","name":"Somebody"})"));
        m_folder = std::make_unique<QTemporaryDir>();
        Utils::settings().setValue("SyncFolder", m_folder->path());
    }

    void testFramesToAndFromTheService()
    {
        auto notifier = std::make_unique<Notifier>();
        Recorder recorder(notifier.get());
        notifier->initialize("GoogleDrive");
        QTRY_COMPARE_WITH_TIMEOUT(m_server->received.size(), 1, 10000);
        QCOMPARE(m_server->requestPath, QString("/notifier"));
        QCOMPARE(m_server->received.first(), registration());
        QCOMPARE(recorder.statuses, (QList<Notifier::CONNECTION_STATUS>{Notifier::CONNECTING, Notifier::CONNECTED}));
        QVERIFY(notifier->isConnected());
        QVERIFY(logHas("Notifier: Connecting to " + m_server->url()));
        QVERIFY(logHas("Notifier: Connection established"));
        QVERIFY(logHas("Notifier: Sending: " + registration()));

        notifier->notify("History#0a1b.json");
        notifier->update();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->received.size(), 3, 10000);
        QCOMPARE(m_server->received.mid(1), (QStringList{R"({"content":"History#0a1b.json","operation":"notify"})",
                                                         R"({"operation":"request-client-list"})"}));

        // (Escaped, not raw: moc misreads a raw string with this content.)
        const QString notice = "{\"operation\":\"notify\",\"content\":\"Snippets#e7f0.json\"}";
        m_server->send(notice);
        m_server->send(R"({"operation":"clientList","clients":[{"name":"desk","type":"Windows","time":"2024-03-05T10:20:30"},)"
                       R"({"name":"phone","type":"Android","time":"2024-03-06T08:00:00"}]})");
        QTRY_COMPARE_WITH_TIMEOUT(recorder.clientLists.size(), 1, 10000);
        QCOMPARE(recorder.updates, QStringList{"Snippets#e7f0.json"});
        QCOMPARE(recorder.clientLists.first(),
            (Clients{{{"name", "desk"}, {"type", "Windows"}, {"time", "2024-03-05T10:20:30"}},
                {{"name", "phone"}, {"type", "Android"}, {"time", "2024-03-06T08:00:00"}}}));
        QVERIFY(logHas("Notifier: Received message: " + notice));

        notifier->close();
        QTRY_VERIFY_WITH_TIMEOUT(m_server->disconnected, 10000);
        QCOMPARE(m_server->closeCode, 1000);
        QVERIFY(logHas("Notifier: Closing connection"));
        QVERIFY(!notifier->isConnected());
        QCOMPARE(notifier->target(), QString());
    }

    void testNothingIsSentWithoutConnectionOrIdentity()
    {
        storeIdentityToken(QByteArray());
        Notifier notifier;
        Recorder recorder(&notifier);
        QTest::ignoreMessage(QtWarningMsg, "Unable to connect to the websocket since the user id is not defined");
        notifier.initialize("GoogleDrive");
        QTest::ignoreMessage(QtWarningMsg, "Notification not send because the connection is not established");
        notifier.notify("History#1.json");
        notifier.update();
        QTest::qWait(300);
        QCOMPARE(m_server->connections, 0);
        QVERIFY(recorder.statuses.isEmpty());

        // Folder mode never talks to the service.
        storeIdentityToken(webToken(R"({"sub":"user-7"})"));
        notifier.initialize("LocalFolder");
        notifier.update();
        QTest::qWait(300);
        QCOMPARE(m_server->connections, 0);
    }

    void testIdentityComesFromTheStoredToken_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QString>("userId");

        // "~~~" and "???" encode to "-" and "_" in the address-safe alphabet.
        const QByteArray safeAlphabet = R"({"sub":"~~~???~~~??","x":"~~??~~~???"})";
        QTest::newRow("address-safe alphabet") << webToken(safeAlphabet) << "~~~???~~~??";
        QTest::newRow("no sub") << webToken(R"({"iss":"accounts"})") << "";
        QTest::newRow("sub of another type") << webToken(R"({"sub":42})") << "";
        QTest::newRow("two parts") << QByteArray("eyJhbGciOiJub25lIn0.eyJzdWIiOiJ1c2VyIn0") << "previous";
        QTest::newRow("four parts") << QByteArray("a.eyJzdWIiOiJ1c2VyIn0.c.d") << "previous";
        QTest::newRow("not Base64") << QByteArray("a.!!!.c") << "previous";
        QTest::newRow("no token") << QByteArray() << "previous";
    }

    void testIdentityComesFromTheStoredToken()
    {
        QFETCH(QByteArray, token);
        QFETCH(QString, userId);
        if (QByteArray(QTest::currentDataTag()) == "address-safe alphabet") {
            const QByteArray claims = token.split('.').at(1);
            QVERIFY(claims.contains('-') && claims.contains('_'));
        }
        storeIdentityToken(webToken(R"({"sub":"previous"})"));
        Notifier notifier;
        notifier.updateID();
        QCOMPARE(notifier.userId(), QString("previous"));

        storeIdentityToken(token);
        notifier.updateID();
        QCOMPARE(notifier.userId(), userId);
    }

    void testMessagesFromTheService_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("updates");
        QTest::addColumn<QList<Clients>>("lists");
        QTest::addColumn<QString>("ignored");

        const QList<Clients> none;
        QTest::newRow("notice of a version") << R"({"operation":"notify","content":"History#ab12.json"})"
                                             << QStringList{"History#ab12.json"} << none << "";
        QTest::newRow("empty client list") << R"({"operation":"clientList","clients":[]})" << QStringList()
                                           << QList<Clients>{Clients()} << "";
        QTest::newRow("members missing or of other types")
            << R"({"operation":"clientList","clients":[{"name":"pc"},{"name":5,"type":null,"time":["x"]},7]})"
            << QStringList()
            << QList<Clients>{Clients{{{"name", "pc"}, {"type", ""}, {"time", ""}},
                   {{"name", ""}, {"type", ""}, {"time", ""}}, {{"name", ""}, {"type", ""}, {"time", ""}}}}
            << "";
        QTest::newRow("not JSON") << "notify History.json" << QStringList() << none
                                  << "Notifier: Ignored a message that is not a JSON object";
        QTest::newRow("JSON array") << R"(["notify","History.json"])" << QStringList() << none
                                    << "Notifier: Ignored a message that is not a JSON object";
        QTest::newRow("content a number") << R"({"operation":"notify","content":12})" << QStringList() << none
                                          << "Notifier: Ignored a notice without a content text";
        QTest::newRow("content missing") << R"({"operation":"notify"})" << QStringList() << none
                                         << "Notifier: Ignored a notice without a content text";
        QTest::newRow("content empty") << R"({"operation":"notify","content":""})" << QStringList() << none
                                       << "Notifier: Ignored a notice without a content text";
        QTest::newRow("clients an object") << R"({"operation":"clientList","clients":{"name":"pc"}})" << QStringList()
                                           << none << "Notifier: Ignored a client list without a clients array";
        QTest::newRow("operation a number") << R"({"operation":1,"content":"History.json"})" << QStringList() << none
                                            << "Notifier: Ignored a message with an unknown operation";
        QTest::newRow("unknown operation") << R"({"operation":"ping"})" << QStringList() << none
                                           << "Notifier: Ignored a message with an unknown operation";
    }

    void testMessagesFromTheService()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, updates);
        QFETCH(QList<Clients>, lists);
        QFETCH(QString, ignored);

        auto notifier = connected();
        QVERIFY(notifier);
        Recorder recorder(notifier.get());
        m_server->send(message);
        // A notice after it shows that the message before has been handled.
        m_server->send(R"({"operation":"notify","content":"end"})");
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("end"), 10000);
        recorder.updates.removeAll("end");
        QCOMPARE(recorder.updates, updates);
        QCOMPARE(recorder.clientLists, lists);
        QVERIFY(logHas("Notifier: Received message: " + message));
        QCOMPARE(logCount("Notifier: Ignored"), ignored.isEmpty() ? 0 : 1);
        if (!ignored.isEmpty())
            QVERIFY(logHas(ignored));
        QVERIFY(notifier->isConnected());
    }

    void testLongMessagesAreCutInTheLogAndHugeOnesEndTheConnection()
    {
        auto notifier = connected();
        QVERIFY(notifier);
        notifier->setReconnectUnit(50);
        Recorder recorder(notifier.get());

        const QString longContent(200000, 'n');
        m_server->send(QString("{\"operation\":\"notify\",\"content\":\"") + longContent + "\"}");
        QTRY_COMPARE_WITH_TIMEOUT(recorder.updates.size(), 1, 10000);
        for (const QString &line : logTexts())
            QVERIFY2(line.size() < 1100, qPrintable(line.left(80)));

        m_server->send(QString("{\"operation\":\"notify\",\"content\":\"") + QString(Notifier::c_maxMessageSize + 1, 'h') + "\"}");
        QTRY_VERIFY_WITH_TIMEOUT(recorder.statuses.contains(Notifier::DISCONNECTED), 10000);
        QCOMPARE(recorder.updates.size(), 1);
        QVERIFY(logCount("Notifier: Ignored a message over 1048576 bytes") > 0);
        // The connection comes back and registers again.
        QTRY_COMPARE_WITH_TIMEOUT(m_server->received.count(registration()), 2, 10000);
        for (const QString &line : logTexts())
            QVERIFY(line.size() < 1100);
    }

    void testReconnectionDelays_data()
    {
        QTest::addColumn<int>("disconnections");
        QTest::addColumn<int>("delay");
        QTest::newRow("first") << 1 << 15000;
        QTest::newRow("second") << 2 << 30000;
        QTest::newRow("fourth") << 4 << 60000;
        QTest::newRow("239th") << 239 << 3585000;
        QTest::newRow("240th") << 240 << 3600000;
        QTest::newRow("241st") << 241 << 3600000;
        QTest::newRow("100000th") << 100000 << 3600000;
    }

    void testReconnectionDelays()
    {
        QFETCH(int, disconnections);
        QFETCH(int, delay);
        QCOMPARE(Notifier::reconnectDelayAfter(disconnections, Notifier::c_reconnectUnit), delay);
    }

    void testLostConnectionIsRetriedLaterEachTime()
    {
        const int unit = 200;
        auto notifier = connected();
        QVERIFY(notifier);
        notifier->setReconnectUnit(unit);
        Recorder recorder(notifier.get());
        const quint16 port = m_server->port();

        // The service goes away: every attempt fails, and each waits one unit longer.
        m_server->stopListening();
        m_server->drop();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.count(Notifier::CONNECTING) >= 3, 20000);
        QVERIFY(notifier->reconnectCount() >= 3);
        QVERIFY(!notifier->isConnected());
        QVERIFY(logHas("Notifier: Disconnected"));
        QVERIFY(logCount("Notifier: Error ") > 0);
        QList<qint64> attempts;
        for (int i = 0; i < recorder.statuses.size(); ++i) {
            if (recorder.statuses[i] == Notifier::CONNECTING)
                attempts.append(recorder.times[i]);
        }
        // The first attempt waited one unit after the loss, the next two and then three units.
        QVERIFY2(attempts[1] - attempts[0] >= 2 * unit - 20, qPrintable(QString::number(attempts[1] - attempts[0])));
        QVERIFY2(attempts[2] - attempts[1] >= 3 * unit - 20, qPrintable(QString::number(attempts[2] - attempts[1])));

        // Back again: the next attempt connects, registers and starts the count anew.
        QVERIFY(m_server->listen(port));
        QTRY_COMPARE_WITH_TIMEOUT(m_server->received.count(registration()), 2, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(notifier->isConnected(), 10000);
        QCOMPARE(notifier->reconnectCount(), 0);
        QCOMPARE(recorder.statuses.last(), Notifier::CONNECTED);
    }

    // A server that took the connection and never answered kept the notifier "connecting" for good.
    void testSilentServerIsLeftAndRetried()
    {
        QTcpServer silent;
        // Takes connections and never answers.
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        qputenv("KESTOVAN_NOTIFIER_URL", QString("ws://127.0.0.1:%1/notifier").arg(silent.serverPort()).toUtf8());
        Notifier notifier;
        notifier.setHandshakeTimeOut(300);
        notifier.setReconnectUnit(200);
        Recorder recorder(&notifier);
        notifier.initialize("GoogleDrive");
        QTRY_COMPARE_WITH_TIMEOUT(recorder.statuses.mid(0, 3),
            (QList<Notifier::CONNECTION_STATUS>{Notifier::CONNECTING, Notifier::DISCONNECTED, Notifier::CONNECTING}), 10000);
        QVERIFY(logHas("Notifier: The notification server did not answer within 0.3 seconds"));
        notifier.close();
    }

    // A failed token refresh signs the user out; the connection made for that user must end with it.
    void testSignOutByAFailedRefreshEndsTheConnection()
    {
        HttpStandIn accounts;
        accounts.answer = [](const StandInRequest &) { return StandInAnswer{400, R"({"error":"invalid_grant"})"}; };
        qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", accounts.url("").toString().toUtf8());
        Sync engine;
        O2Google *o2 = googleDriveOf(engine)->o2();
        o2->setToken("access-1");
        o2->setRefreshToken("refresh-1");
        o2->setLinked(true);
        engine.notifier()->setReconnectUnit(100);
        engine.initialize("GoogleDrive", ReportState, settingsMap());
        QTRY_VERIFY_WITH_TIMEOUT(engine.notifier()->isConnected(), 10000);

        o2->refresh();
        QTRY_VERIFY_WITH_TIMEOUT(m_server->disconnected, 10000);
        QVERIFY(!o2->linked());
        QVERIFY(!engine.notifier()->isConnected());
        QVERIFY(engine.notifier()->userId().isEmpty());
        QTest::qWait(500);
        QCOMPARE(m_server->connections, 1);
    }

    void testCloseEndsRetriesAndAttempts()
    {
        auto notifier = connected();
        QVERIFY(notifier);
        notifier->setReconnectUnit(50);
        m_server->drop();
        QTRY_VERIFY_WITH_TIMEOUT(!notifier->isConnected(), 10000);
        notifier->close();
        QTest::qWait(500);
        QCOMPARE(m_server->connections, 1);

        // Closed while the connection is being set up: it never registers.
        Notifier starting;
        starting.initialize("GoogleDrive");
        starting.close();
        QTest::qWait(500);
        QCOMPARE(m_server->received.count(registration()), 1);
        QCOMPARE(m_server->openConnections(), 0);
        QVERIFY(!starting.isConnected());
    }

    void testRepeatedInitializeKeepsOneConnection()
    {
        Notifier notifier;
        notifier.initialize("GoogleDrive");
        notifier.initialize("GoogleDrive");
        QTRY_VERIFY_WITH_TIMEOUT(notifier.isConnected(), 10000);
        notifier.initialize("GoogleDrive");
        QTest::qWait(300);
        QCOMPARE(m_server->connections, 1);
        QCOMPARE(m_server->received, QStringList{registration()});

        // Another target ends the connection.
        notifier.initialize("LocalFolder");
        QTRY_COMPARE_WITH_TIMEOUT(m_server->openConnections(), 0, 10000);
        QCOMPARE(notifier.watchedFolder(), m_folder->path());
    }

    void testFolderChangesNameTheirDocument_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("updates");
        QTest::newRow("history version") << "History#0123abcd.json" << QStringList{"History.json"};
        QTest::newRow("snippet version") << "Snippets#0123abcd.json" << QStringList{"Snippets.json"};
        QTest::newRow("action") << "action_20240101T000000_History#.json" << QStringList();
        QTest::newRow("image") << "image_{8d7c1f0e-0000-4000-8000-000000000001}_pic.png" << QStringList();
        QTest::newRow("hidden part of an upload") << ".History#0123.json.1f.part" << QStringList();
    }

    void testFolderChangesNameTheirDocument()
    {
        QFETCH(QString, fileName);
        QFETCH(QStringList, updates);
        auto notifier = watching();
        Recorder recorder(notifier.get());
        QVERIFY(logHas("Notifier: Monitoring folder: " + m_folder->path()));
        QTest::qWait(20);
        QVERIFY(writeFile(m_folder->filePath(fileName), "{}"));
        QTRY_VERIFY_WITH_TIMEOUT(logHas("Notifier: Changes in path " + m_folder->path()), 10000);
        if (updates.isEmpty())
            letChecksRun();
        else
            QTRY_VERIFY_WITH_TIMEOUT(!recorder.updates.isEmpty(), 10000);
        recorder.updates.removeDuplicates();
        QCOMPARE(recorder.updates, updates);
    }

    void testChangesWhileNotListeningComeWithTheNextCheck()
    {
        auto notifier = watching();
        Recorder recorder(notifier.get());
        QTest::qWait(20);
        notifier->setListening(false);
        QVERIFY(writeFile(m_folder->filePath("History#1.json"), "{}"));
        letChecksRun();
        QCOMPARE(logCount("Notifier: Changes in path"), 0);
        QVERIFY(recorder.updates.isEmpty());

        // Listening again, it checks what came meanwhile without waiting for another change.
        notifier->setListening(true);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("History.json"), 10000);
        QCOMPARE(logCount("Notifier: Changes in path"), 1);

        // Nothing missed, nothing checked.
        letChecksRun();
        notifier->setListening(false);
        notifier->setListening(true);
        letChecksRun();
        QCOMPARE(logCount("Notifier: Changes in path"), 1);
    }

    void testOneWatcherWhateverTheInitializations()
    {
        auto notifier = watching();
        notifier->initialize("LocalFolder");
        notifier->initialize("LocalFolder");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(notifier->findChildren<QFileSystemWatcher *>().size(), 1);
        Recorder recorder(notifier.get());
        QTest::qWait(20);
        QVERIFY(writeFile(m_folder->filePath("History#3.json"), "{}"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("History.json"), 10000);

        notifier->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(notifier->findChildren<QFileSystemWatcher *>().isEmpty());
        recorder.updates.clear();
        const int changes = logCount("Notifier: Changes in path");
        QVERIFY(writeFile(m_folder->filePath("History#4.json"), "{}"));
        letChecksRun();
        QCOMPARE(logCount("Notifier: Changes in path"), changes);
        QVERIFY(recorder.updates.isEmpty());
    }

    void testWatchComesBackWithTheFolder()
    {
        auto notifier = watching();
        Recorder recorder(notifier.get());
        QVERIFY(QDir(m_folder->path()).removeRecursively());
        letChecksRun();
        QVERIFY(QDir().mkpath(m_folder->path()));
        QVERIFY(writeFile(m_folder->filePath("History#5.json"), "{}"));
        // The engine listens again after each pass.
        notifier->setListening(false);
        notifier->setListening(true);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("History.json"), 10000);
        QCOMPARE(logCount("Notifier: Monitoring folder: "), 2);

        recorder.updates.clear();
        QTest::qWait(20);
        QVERIFY(writeFile(m_folder->filePath("Snippets#6.json"), "{}"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("Snippets.json"), 10000);
    }

    void testChangeDuringAScanIsCheckedAfterItWhateverTheFolder()
    {
        QTemporaryDir other;
        // Newer than the switch below, yet there before the folder is watched: only a check that
        // follows the change noticed during the scan finds it.
        QVERIFY(writeFile(other.filePath("History#8.json"), "{}", QDateTime::currentDateTime().addSecs(60)));
        auto notifier = watching();
        Recorder recorder(notifier.get());
        BeforeQueuedCall whileScanning(notifier.get(), [&] {
            Utils::settings().setValue("SyncFolder", other.path());
            notifier->initialize("LocalFolder");
            notifier->onDirectoryChanged(other.path());
        });
        QTest::qWait(20);
        QVERIFY(writeFile(m_folder->filePath("Snippets#8.json"), "{}"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.updates.contains("History.json"), 10000);
        QCOMPARE(notifier->watchedFolder(), other.path());
        // The old folder's result came after the switch.
        QVERIFY(!recorder.updates.contains("Snippets.json"));
    }

    void testFailedPassLeavesTheFolderWatched()
    {
        TestSync engine;
        engine.initialize("LocalFolder", ReportState, settingsMap(m_folder->path()));
        QCOMPARE(engine.notifier()->watchedFolder(), m_folder->path());
        engine.notifier()->setFolderCheckDelay(100);
        ScriptedTarget failing(&engine);
        failing.listFails = true;
        engine.target = &failing;
        FakeDocument history;
        engine.sync(SyncFile::History, &history, BothWays);
        QCOMPARE(runPass(engine), SyncStatus::Failed);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isListening(), 5000);

        QStringList updates;
        connect(engine.notifier(), &Notifier::dataUpdated, this, [&updates](QString content) { updates.append(content); });
        QVERIFY(writeFile(m_folder->filePath("History#7.json"), "{}"));
        QTRY_VERIFY_WITH_TIMEOUT(updates.contains("History.json"), 10000);
    }
};

KESTOVAN_SYNC_TEST_MAIN(TestNotifier)
#include "tst_notifier.moc"
