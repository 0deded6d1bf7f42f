// Two computers share one sync folder: each has its own engine, history and snippets, and its own
// data files. The settings store is one per process, so each computer's turn starts by pointing the
// document paths and add rules at that computer.
#include "sync/synctestsupport.h"

#include "historytestsupport.h"
#include "oauth/o2google.h"
#include "oauth/referencecipher.h"
#include "snippets/snippetmodel.h"
#include "sync/drivestandin.h"
#include "sync/notifier.h"
#include "googledrivetestsupport.h"
#include "websocketstandin.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>
#include <thread>

using namespace SyncTest;

namespace {

struct Computer
{
    QString dataFolder;
    Sync *engine = nullptr;
    HistoryItemModel *history = nullptr;
    SnippetModel *snippets = nullptr;
    int keepItems = 20;
    int passesEnded = 0;
    int uploads = 0;
    QString lastStatus;
};

QStandardItem *snippetGroup(const QString &title)
{
    auto *group = new QStandardItem(title);
    group->setData(QUuid::createUuid(), IdRole);
    group->setData(QDateTime::currentDateTime(), TimeRole);
    return group;
}

QStandardItem *snippet(const QString &title, const QString &text)
{
    auto *item = new QStandardItem(title);
    item->setData(text, TextRole);
    item->setData(QUuid::createUuid(), IdRole);
    item->setData(QDateTime::currentDateTime(), TimeRole);
    return item;
}

QStringList snippetTexts(const SnippetModel &model)
{
    QStringList result;
    for (int g = 0; g < model.rowCount(); ++g) {
        for (int s = 0; s < model.item(g)->rowCount(); ++s)
            result.append(model.item(g)->child(s)->data(TextRole).toString());
    }
    return result;
}

} // namespace

class TestSyncTwoComputers : public QObject
{
    Q_OBJECT

    QObject m_owner;
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_shared;
    Computer m_a;
    // The process-wide models belong to this computer, so change notices and syncAll reach it.
    Computer m_b;

    void setUp(Computer &computer, const QString &name, bool encrypt, const QString &passphrase)
    {
        computer.dataFolder = m_root->filePath(name);
        QDir().mkpath(computer.dataFolder);
        computer.engine->initialize("LocalFolder", ReportState, settingsMap(m_shared, encrypt, passphrase));
        computer.engine->setQueueDelay(50);
        computer.keepItems = 20;
        computer.history->clear();
        computer.history->lastDownloadId.clear();
        computer.snippets->clear();
        computer.snippets->removedItems.clear();
        computer.snippets->lastDownloadId.clear();
    }

    void use(const Computer &computer)
    {
        QSettings settings = Utils::settings();
        settings.setValue("HistoryFilePath", computer.dataFolder + "/History.json");
        settings.setValue("SnippetFilePath", computer.dataFolder + "/Snippets.json");
        settings.setValue("KeepItems", QString::number(computer.keepItems));
    }

    // Lets the computer's queue run (the debounce timer starts it) until its pass has ended.
    static bool waitForPass(Computer &computer, int passesBefore)
    {
        return QTest::qWaitFor(
            [&] {
                return computer.passesEnded > passesBefore && !computer.engine->queueTimer()->isActive()
                    && computer.engine->queue().isEmpty() && !computer.engine->isOperationInFlight();
            },
            10000);
    }

    // A change on the computer: its documents are saved and handed to its engine, as on a copy.
    bool saveAndSync(Computer &computer)
    {
        use(computer);
        const int before = computer.passesEnded;
        computer.history->save(true);
        computer.snippets->save(true, nullptr);
        return waitForPass(computer, before);
    }

    // What a change notice or the tray's sync does: a merge of both documents.
    bool mergeBoth(Computer &computer)
    {
        use(computer);
        const int before = computer.passesEnded;
        computer.engine->sync(SyncFile::History, computer.history, BothWays);
        computer.engine->sync(SyncFile::Snippets, computer.snippets, BothWays);
        return waitForPass(computer, before);
    }

    // A copies a text; B merges it by itself, on a change notice, and nothing else.
    bool copyOnAReachesB(const QString &text)
    {
        // B's pass must wait until A's has ended and the documents are B's again.
        m_b.engine->setQueueDelay(1000);
        use(m_a);
        m_a.history->addItem(HistoryTest::textItem(text, QDateTime::currentDateTime()));
        const int before = m_b.passesEnded;
        if (!saveAndSync(m_a))
            return false;
        use(m_b);
        return waitForPass(m_b, before) && HistoryTest::texts(*m_b.history) == QStringList{text};
    }

    QStringList sharedFiles(const QString &prefix) const
    {
        return QDir(m_shared).entryList({prefix + "#*.json"}, QDir::Files, QDir::Time);
    }

    // The newest stored version of a document, read with a decoder of the test's own.
    QByteArray newestVersion(const QString &prefix, const QString &passphrase = QString()) const
    {
        const QStringList files = sharedFiles(prefix);
        if (files.isEmpty())
            return QByteArray();
        QByteArray stored = readFile(m_shared + "/" + files.first());
        if (stored.startsWith("|ENCRYPTED|")) {
            QByteArray compressed;
            if (!ReferenceCipher::decrypt(ReferenceCipher::passphraseKey(passphrase), stored.mid(11), &compressed))
                return QByteArray();
            stored = compressed;
        }
        return qUncompress(stored);
    }

private slots:
    void initTestCase()
    {
        // Read when the engines build their Google Drive targets.
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "two-computers.apps.example");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "two-computers-secret");
        for (Computer *computer : {&m_a, &m_b}) {
            computer->engine = new Sync(&m_owner);
            connect(computer->engine, &Sync::syncStatus, this, [computer](SyncStatus status, QString text) {
                if (status != SyncStatus::Busy)
                    ++computer->passesEnded;
                computer->lastStatus = text;
            });
            connect(computer->engine, &Sync::contentUploaded, this, [computer] { ++computer->uploads; });
        }
        m_a.history = new HistoryItemModel(&m_owner, m_a.engine);
        m_a.snippets = new SnippetModel(&m_owner, m_a.engine);
        HistoryItemModel::initialize(&m_owner, m_b.engine, nullptr);
        SnippetModel::initialize(&m_owner, m_b.engine);
        m_b.history = HistoryItemModel::instance();
        m_b.snippets = SnippetModel::instance();

        // The snippet model keeps a daily backup in the data folder.
        QDir().mkpath(Utils::dataPath() + "/backups");
        QSettings settings = Utils::settings();
        settings.setValue("IgnoreSize", "4");
        settings.setValue("IgnoreLength", "3");
        settings.setValue("IncludeImages", true);
    }

    void init()
    {
        SyncLogDialog::c_log.clear();
        m_root = std::make_unique<QTemporaryDir>();
        m_shared = m_root->filePath("shared");
        QDir().mkpath(m_shared);
        setUp(m_a, "a", false, QString());
        setUp(m_b, "b", false, QString());
    }

    void testChangesReachTheOtherComputerBothWays();
    void testEncryptedFolderConverges();
    void testChangeNoticesStartAMerge();
    void testSharedFolderChangeReachesTheOtherComputerByItself();
    void testDriveChangeReachesTheOtherComputerThroughANotice();
    void testDifferentKeepItemsSettle();
    void testDifferentPassphrasesAreReportedOnEveryPass();
    void testMissingFolderIsReportedAndSyncResumesByItself();
    void testThousandsOfFilesKeepTheWindowAnswering();
    void testChangeAtQuitReachesTheSharedFolder();
};

void TestSyncTwoComputers::testChangesReachTheOtherComputerBothWays()
{
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("copied on A", QDateTime::currentDateTime().addSecs(-60)));
    QStandardItem *group = snippetGroup("Greetings");
    m_a.snippets->addItems(group, {snippet("Hello", "Hello from A")});
    QVERIFY(saveAndSync(m_a));

    // The folder holds one version of each, named by the hash of exactly what A keeps on disk.
    const QStringList history = sharedFiles("History");
    QCOMPARE(history.size(), 1);
    const QByteArray historyOnDisk = readFile(m_a.dataFolder + "/History.json");
    QCOMPARE(newestVersion("History"), historyOnDisk);
    QCOMPARE(history.first(), "History#" + sha256(historyOnDisk) + ".json");
    QCOMPARE(QJsonDocument::fromJson(historyOnDisk).object().value("magic").toInt(), c_historyMagic);
    QVERIFY(historyOnDisk.contains("copied on A"));
    const QStringList snippets = sharedFiles("Snippets");
    QCOMPARE(snippets.size(), 1);
    QCOMPARE(newestVersion("Snippets"), readFile(m_a.dataFolder + "/Snippets.json"));
    QCOMPARE(QJsonDocument::fromJson(newestVersion("Snippets")).object().value("magic").toInt(), c_snippetsMagic);

    // B starts empty and takes both documents on its first full sync.
    use(m_b);
    const int before = m_b.passesEnded;
    m_b.engine->syncAll(BothWays);
    QVERIFY(waitForPass(m_b, before));
    QCOMPARE(HistoryTest::texts(*m_b.history), QStringList{"copied on A"});
    QCOMPARE(snippetTexts(*m_b.snippets), QStringList{"Hello from A"});
    QVERIFY(readFile(m_b.dataFolder + "/History.json").contains("copied on A"));
    QVERIFY(readFile(m_b.dataFolder + "/Snippets.json").contains("Hello from A"));

    // B's own change goes back to A.
    use(m_b);
    m_b.history->addItem(HistoryTest::textItem("copied on B", QDateTime::currentDateTime()));
    m_b.snippets->addItems(snippetGroup("Replies"), {snippet("Thanks", "Thanks from B")});
    QVERIFY(saveAndSync(m_b));
    QVERIFY(mergeBoth(m_a));
    QCOMPARE(HistoryTest::texts(*m_a.history), (QStringList{"copied on B", "copied on A"}));
    QCOMPARE(snippetTexts(*m_a.snippets).size(), 2);
    QVERIFY(snippetTexts(*m_a.snippets).contains("Thanks from B"));

    // Once both have merged, they hold the same documents and nothing more is stored.
    QVERIFY(mergeBoth(m_b));
    use(m_a);
    const QString historyHashA = m_a.history->hash();
    const QString snippetHashA = m_a.snippets->hash();
    use(m_b);
    QCOMPARE(m_b.history->hash(), historyHashA);
    QCOMPARE(m_b.snippets->hash(), snippetHashA);
    const int uploads = m_a.uploads + m_b.uploads;
    QVERIFY(mergeBoth(m_a));
    QVERIFY(mergeBoth(m_b));
    QCOMPARE(m_a.uploads + m_b.uploads, uploads);
    QVERIFY(!logTexts().contains("Sync: Merge failed for History.json"));
}

void TestSyncTwoComputers::testEncryptedFolderConverges()
{
    setUp(m_a, "a", true, "shared secret");
    setUp(m_b, "b", true, "shared secret");
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("private note", QDateTime::currentDateTime()));
    m_a.snippets->addItems(snippetGroup("Private"), {snippet("Pin", "1234 5678")});
    QVERIFY(saveAndSync(m_a));

    for (const QString &prefix : {QString("History"), QString("Snippets")}) {
        const QStringList files = sharedFiles(prefix);
        QCOMPARE(files.size(), 1);
        const QByteArray stored = readFile(m_shared + "/" + files.first());
        QVERIFY(stored.startsWith("|ENCRYPTED|"));
        QVERIFY(!stored.contains("private note"));
        const QByteArray plain = newestVersion(prefix, "shared secret");
        QCOMPARE(plain, readFile(m_a.dataFolder + "/" + prefix + ".json"));
        QCOMPARE(files.first(), prefix + "#" + sha256(plain) + ".json");
    }

    QVERIFY(mergeBoth(m_b));
    QCOMPARE(HistoryTest::texts(*m_b.history), QStringList{"private note"});
    QCOMPARE(snippetTexts(*m_b.snippets), QStringList{"1234 5678"});

    // A third computer with another passphrase reads nothing and loses nothing.
    setUp(m_b, "c", true, "other secret");
    use(m_b);
    m_b.history->addItem(HistoryTest::textItem("mine only", QDateTime::currentDateTime()));
    const int before = m_b.passesEnded;
    m_b.history->save(true);
    QVERIFY(waitForPass(m_b, before));
    QVERIFY(logHas("Sync: Decrypt failed"));
    QCOMPARE(HistoryTest::texts(*m_b.history), QStringList{"mine only"});
    QCOMPARE(sharedFiles("History").size(), 1);
}

void TestSyncTwoComputers::testChangeNoticesStartAMerge()
{
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("noticed", QDateTime::currentDateTime()));
    QVERIFY(saveAndSync(m_a));
    const QString version = sharedFiles("History").first();

    // The notification server passes on the version name another computer stored.
    use(m_b);
    int before = m_b.passesEnded;
    m_b.engine->onDataUpdated(version);
    QCOMPARE(m_b.engine->queue().size(), 1);
    QCOMPARE(m_b.engine->queue().first().file, QString("History.json"));
    QVERIFY(waitForPass(m_b, before));
    QCOMPARE(HistoryTest::texts(*m_b.history), QStringList{"noticed"});

    // The folder watcher passes on the plain name.
    before = m_b.passesEnded;
    m_b.engine->onDataUpdated("Snippets.json");
    QCOMPARE(m_b.engine->queue().first().file, QString("Snippets.json"));
    QVERIFY(waitForPass(m_b, before));

    // Other files are no documents.
    QTest::ignoreMessage(QtWarningMsg, "Unknown data content: \"action_20240101T000000_History.json\"");
    m_b.engine->onDataUpdated("action_20240101T000000_History.json");
    QTest::ignoreMessage(QtWarningMsg, "Unknown data content: \"history.json\"");
    m_b.engine->onDataUpdated("history.json");
    QVERIFY(m_b.engine->queue().isEmpty());
}

void TestSyncTwoComputers::testSharedFolderChangeReachesTheOtherComputerByItself()
{
    // Only B watches the folder: the process has one set of models, and they are B's.
    Utils::settings().setValue("SyncFolder", m_shared);
    m_b.engine->notifier()->initialize("LocalFolder");
    QCOMPARE(m_b.engine->notifier()->watchedFolder(), m_shared);
    QVERIFY(m_a.engine->notifier()->watchedFolder() != m_shared);

    QVERIFY(copyOnAReachesB("seen in the folder"));
    QVERIFY(logHas("Notifier: Changes in path " + m_shared));
    m_b.engine->notifier()->close();
}

void TestSyncTwoComputers::testDriveChangeReachesTheOtherComputerThroughANotice()
{
    DriveStandIn drive;
    WebSocketStandIn service;
    QVERIFY(service.listen());
    // The service passes each notice on to the user's other computers.
    service.onMessage = [&service](QWebSocket *from, const QString &message) {
        const QJsonObject object = QJsonDocument::fromJson(message.toUtf8()).object();
        if (object.value("operation") == "notify")
            service.sendToOthers(from, QJsonDocument(object).toJson(QJsonDocument::Compact));
    };
    qputenv("KESTOVAN_GOOGLE_API_URL", drive.base().toUtf8());
    qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", drive.base().toUtf8());
    qputenv("KESTOVAN_NOTIFIER_URL", service.url().toUtf8());
    O2Google *o2 = googleDriveOf(*m_a.engine)->o2();
    o2->setToken(drive.accessToken);
    o2->setRefreshToken("refresh-1");
    o2->setExtraTokens({{"id_token", "e30.eyJzdWIiOiJzYW1lLXVzZXIifQ.c2ln"}});
    o2->setLinked(true);
    for (Computer *computer : {&m_a, &m_b})
        computer->engine->initialize("GoogleDrive", ReportState, settingsMap());
    QTRY_COMPARE_WITH_TIMEOUT(service.received.filter("\"register\"").size(), 2, 10000);
    QVERIFY(service.received.first().contains("\"user\":\"same-user\""));
    // B's models are the process's: A's notices would merge them under A's name.
    disconnect(m_a.engine->notifier(), &Notifier::dataUpdated, nullptr, nullptr);

    QVERIFY(copyOnAReachesB("seen through Drive"));
    const QStringList notices = service.received.filter("\"notify\"");
    QVERIFY(!notices.isEmpty());
    QVERIFY(notices.first().startsWith("{\"content\":\"History#"));
    QVERIFY(logCount("Notifier: Received message: {\"content\":\"History#") > 0);

    connect(m_a.engine->notifier(), &Notifier::dataUpdated, m_a.engine, &Sync::onDataUpdated);
    o2->unlink();
}

// A keeps 200 clippings and B 20: B's merge trims what A stored, and A's merge restores it. Each
// stored version wakes the other computer, so without care they would store versions for ever.
void TestSyncTwoComputers::testDifferentKeepItemsSettle()
{
    m_a.keepItems = 200;
    m_b.keepItems = 20;
    use(m_a);
    const QDateTime start = QDateTime::currentDateTime().addSecs(-3600);
    for (int i = 0; i < 30; ++i)
        m_a.history->addItem(HistoryTest::textItem(QString("clipping %1").arg(i), start.addSecs(i)));
    QVERIFY(saveAndSync(m_a));

    QList<int> uploadsPerRound;
    for (int round = 0; round < 5; ++round) {
        const int before = m_a.uploads + m_b.uploads;
        QVERIFY(mergeBoth(m_b));
        QVERIFY(mergeBoth(m_a));
        uploadsPerRound.append(m_a.uploads + m_b.uploads - before);
    }
    QCOMPARE(uploadsPerRound.mid(2), (QList<int>{0, 0, 0}));
    QVERIFY(sharedFiles("History").size() <= 3);
    use(m_a);
    QCOMPARE(m_a.history->rowCount(), 30);
    use(m_b);
    QVERIFY(m_b.history->rowCount() <= 20);
}

// A reads none of B's versions and merges its own older one instead. That used to be said once;
// later passes skipped B's versions in silence and said "successful" while the histories drifted.
void TestSyncTwoComputers::testDifferentPassphrasesAreReportedOnEveryPass()
{
    setUp(m_a, "a", true, "old secret");
    setUp(m_b, "b", true, "new secret");
    // B was given the new passphrase and still reads the old one; A was not.
    m_b.engine->initialize("LocalFolder", ReportState, settingsMap(m_shared, true, "new secret", "old secret"));
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("from A", QDateTime::currentDateTime().addSecs(-60)));
    QVERIFY(saveAndSync(m_a));
    use(m_b);
    m_b.history->addItem(HistoryTest::textItem("from B", QDateTime::currentDateTime()));
    QVERIFY(saveAndSync(m_b));
    QCOMPARE(HistoryTest::texts(*m_b.history), (QStringList{"from B", "from A"}));

    for (int pass = 0; pass < 3; ++pass) {
        QVERIFY(mergeBoth(m_a));
        QVERIFY2(m_a.lastStatus.startsWith("Decryption failed for History.json")
                && m_a.lastStatus.contains("the passphrases of your computers may differ."),
            qPrintable(m_a.lastStatus));
    }
    // The newest version A can read stays in use: nothing is blocked or lost.
    use(m_a);
    QCOMPARE(HistoryTest::texts(*m_a.history), QStringList{"from A"});
    QVERIFY(logHas("Sync: Decrypt failed"));
}

// A folder that went away (unmounted, removed) left each change logging only "No valid sync
// available" while the window still said "Synchronization successful.".
void TestSyncTwoComputers::testMissingFolderIsReportedAndSyncResumesByItself()
{
    const QString away = m_shared + "-away";
    QVERIFY(QDir().rename(m_shared, away));
    use(m_b);
    m_b.history->addItem(HistoryTest::textItem("copied while away", QDateTime::currentDateTime()));
    m_b.history->save(true);
    QTRY_COMPARE_WITH_TIMEOUT(m_b.lastStatus,
        "Synchronization is not working: the sync folder " + m_shared + " cannot be found.", 10000);
    QVERIFY(!m_b.engine->queue().isEmpty());

    QVERIFY(QDir().rename(away, m_shared));
    QTRY_COMPARE_WITH_TIMEOUT(sharedFiles("History").size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_b.lastStatus, QString("Synchronization successful."), 10000);
    QVERIFY(newestVersion("History").contains("copied while away"));
}

// 3,000 versions dropped into the folder kept the window dead for 40 s: each change event had the
// whole folder scanned on the GUI thread.
void TestSyncTwoComputers::testThousandsOfFilesKeepTheWindowAnswering()
{
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("one of thousands", QDateTime::currentDateTime()));
    const QByteArray version = qCompress(m_a.history->serialize());
    Utils::settings().setValue("SyncFolder", m_shared);
    m_b.engine->notifier()->initialize("LocalFolder");
    use(m_b);

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        longestGap = qMax(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    clock.start();
    tick.start(10);
    std::atomic<bool> written{false};
    std::thread writer([this, &version, &written] {
        for (int i = 0; i < 3000; ++i)
            writeFile(m_shared + QString("/History#%1.json").arg(i, 64, 16, QChar('0')), version);
        written = true;
    });
    const bool merged = QTest::qWaitFor(
        [&] {
            return written && HistoryTest::texts(*m_b.history) == QStringList{"one of thousands"}
                && m_b.engine->queue().isEmpty() && !m_b.engine->isOperationInFlight();
        },
        60000);
    writer.join();
    tick.stop();
    m_b.engine->notifier()->close();
    QVERIFY(merged);
    QVERIFY2(longestGap < 2000, qPrintable(QString("the GUI thread stood still for %1 ms").arg(longestGap)));
    // Each check covers every change before it.
    QVERIFY2(logCount("Notifier: Changes in path") < 20, qPrintable(QString::number(logCount("Notifier: Changes in path"))));
}

// A change saved moments before quitting, such as the removals of "Clear history on exit", waited
// out the queue delay, and the program was gone by then: the newest shared version still held the
// cleared text until this computer started again.
void TestSyncTwoComputers::testChangeAtQuitReachesTheSharedFolder()
{
    use(m_a);
    m_a.history->addItem(HistoryTest::textItem("cleared at quit", QDateTime::currentDateTime().addSecs(-60)));
    QVERIFY(saveAndSync(m_a));
    m_a.engine->setQueueDelay(600000);
    m_a.history->markAllAsRemoved();
    m_a.history->flushSaves();
    QCOMPARE(m_a.engine->queue().size(), 1);

    m_a.engine->syncBeforeQuit();
    QCOMPARE(sharedFiles("History").size(), 2);
    const QJsonArray clippings = QJsonDocument::fromJson(newestVersion("History")).object().value("clippings").toArray();
    QCOMPARE(clippings.size(), 1);
    QVERIFY(clippings.first().toObject().value("removed").toBool());
    QVERIFY(!newestVersion("History").contains("cleared at quit"));
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncTwoComputers)
#include "tst_synctwocomputers.moc"
