// The resync after encryption was switched or the passphrase changed: every remote file is stored
// again in the current encoding, and what cannot be read is left as it was.
#include "sync/syncfilestestsupport.h"

#include "oauth/o2google.h"
#include "sync/drivestandin.h"
#include "googledrivetestsupport.h"

#include <QUuid>

using namespace SyncFilesTest;

class TestSyncResync : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_shared;
    Computer m_a;
    // Name -> plain payload (documents compressed) of every file placed in the shared folder.
    QMap<QString, QByteArray> m_placed;
    QString m_imageId;

    QString sharedPath(const QString &name) const { return m_shared + "/" + name; }

    void place(const QString &name, const QByteArray &payload, int minutesAgo)
    {
        QVERIFY(writeFile(sharedPath(name), payload, QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo)));
        m_placed.insert(name, payload);
    }

    // The newest history and snippet versions, an older history version, an action and an image.
    void placeStore()
    {
        const QByteArray oldHistory = documentBytes({"old"});
        place(Sync::addHash(oldHistory, "History.json"), qCompress(oldHistory), 30);
        const QByteArray history = documentBytes({"old", "new"});
        place(Sync::addHash(history, "History.json"), qCompress(history), 10);
        const QByteArray snippets = documentBytes({"snippet"}, c_snippetsMagic);
        place(Sync::addHash(snippets, "Snippets.json"), qCompress(snippets), 10);
        place("action_20230504T102030_my_tool.json", actionBytes(action("Tool", "2023-05-04T10:20:30")), 10);
        m_imageId = QUuid::createUuid().toString();
        place("image_" + m_imageId + "_pic_1.png", pngBytes(Qt::red), 10);
    }

    // The history versions, newest first by modification time.
    QStringList newestFirst() const { return QDir(m_shared).entryList({"History#*"}, QDir::Files, QDir::Time); }

    SyncStatus resync(const QMap<QString, QVariant> &settings, const QString &target = "LocalFolder")
    {
        m_a.engine->initialize(target, ReportState, settings);
        m_a.engine->resyncAll();
        return pass(m_a);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void testEveryRemoteFileIsEncipheredAgainAndStaysReadable();
    void testResyncNeverLosesRemoteContent_data();
    void testResyncNeverLosesRemoteContent();
    void testResyncRunsBeforeTheMergesThatWait();
    void testResyncOnDriveLeavesOneCopyOfEachFile();
};

void TestSyncResync::initTestCase()
{
    // Read when the engines build their Google Drive targets.
    qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "resync.apps.example");
    qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "resync-secret");
    // Nothing listens there: the change notifier must not reach out of the machine.
    qputenv("KESTOVAN_NOTIFIER_URL", "ws://127.0.0.1:9/notifier");
}

void TestSyncResync::init()
{
    SyncLogDialog::c_log.clear();
    m_placed.clear();
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_shared = m_root->filePath("shared");
    QDir().mkpath(m_shared);
    m_a = makeComputer(m_root->filePath("a"), filesSettings(m_shared));
}

void TestSyncResync::cleanup()
{
    QThreadPool::globalInstance()->waitForDone();
}

void TestSyncResync::testEveryRemoteFileIsEncipheredAgainAndStaysReadable()
{
    placeStore();
    QStringList names = QDir(m_shared).entryList(QDir::Files, QDir::Name);
    const QString olderHistory = newestFirst().last();

    // Once encryption is on, no plain copy of the data stays in the store: the older history version
    // goes, and everything else is enciphered.
    QCOMPARE(resync(filesSettings(m_shared, true, "first")), SyncStatus::Success);
    QVERIFY(logHas("Sync: Removing the plain older version " + olderHistory));
    names.removeOne(olderHistory);
    QCOMPARE(QDir(m_shared).entryList(QDir::Files, QDir::Name), names);
    for (const QString &name : names) {
        const QByteArray stored = readFile(sharedPath(name));
        QVERIFY2(stored.startsWith("|ENCRYPTED|"), qPrintable(name));
        QCOMPARE(deciphered(stored, "first"), m_placed.value(name));
    }

    // After a passphrase change every file is readable with the new one alone.
    QCOMPARE(resync(filesSettings(m_shared, true, "second", "first")), SyncStatus::Success);
    for (const QString &name : names)
        QCOMPARE(deciphered(readFile(sharedPath(name)), "second"), m_placed.value(name));

    // Another computer that knows only the new passphrase reads everything.
    Computer b = makeComputer(m_root->filePath("b"), filesSettings(m_shared, true, "second"));
    FakeDocument history;
    b.engine->sync(SyncFile::History, &history, FromServer);
    const QString image = "image_" + m_imageId + "_pic_1.png";
    SyncData download;
    download.operation = DownloadImage;
    download.file = image;
    download.second = image;
    b.engine->addToQueue(download);
    QCOMPARE(syncActions(b), SyncStatus::Success);
    QCOMPARE(history.items, (QStringList{"new", "old"}));
    QCOMPARE(readFile(actionPath("my_tool.json")), m_placed.value("action_20230504T102030_my_tool.json"));
    QCOMPARE(readFile(Utils::dataPath() + "/images/" + m_imageId + "/pic_1.png"), m_placed.value(image));

    // Switched off: the files are back in their plain form, documents still compressed.
    QCOMPARE(resync(filesSettings(m_shared, false, QString(), "second")), SyncStatus::Success);
    for (const QString &name : names)
        QCOMPARE(readFile(sharedPath(name)), m_placed.value(name));
}

void TestSyncResync::testResyncNeverLosesRemoteContent_data()
{
    QTest::addColumn<QString>("passphrase");
    QTest::addColumn<bool>("storeUnreadableFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("logText");
    QTest::newRow("a file from two passphrases ago") << "second" << true << int(SyncStatus::Failed) << "Sync: Resync decrypt failed for action_";
    QTest::newRow("encryption without a passphrase") << QString() << false << int(SyncStatus::Failed) << "Sync: Encryption is on but no passphrase is set";
}

void TestSyncResync::testResyncNeverLosesRemoteContent()
{
    QFETCH(QString, passphrase);
    QFETCH(bool, storeUnreadableFile);
    QFETCH(int, status);
    QFETCH(QString, logText);

    placeStore();
    const QString unreadable = "action_20230101T000000_old.json";
    if (storeUnreadableFile)
        place(unreadable, enciphered(actionBytes(action("Old", "2023-01-01T00:00:00")), "zeroth"), 10);
    const QMap<QString, QByteArray> before = [this] {
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(m_shared).entryList(QDir::Files))
            files.insert(name, readFile(sharedPath(name)));
        return files;
    }();

    const QString olderHistory = newestFirst().last();
    QCOMPARE(int(resync(filesSettings(m_shared, true, passphrase, "first"))), status);
    QVERIFY2(!logTexts().filter(logText).isEmpty(), qPrintable(logTexts().join('\n')));
    // Only a plain older version goes, and only when the rest could be enciphered.
    const bool enciphered = !passphrase.isEmpty();
    QCOMPARE(QDir(m_shared).entryList(QDir::Files).size(), before.size() - (enciphered ? 1 : 0));
    QCOMPARE(QFile::exists(sharedPath(olderHistory)), !enciphered);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QByteArray stored = readFile(sharedPath(it.key()));
        if (!enciphered || it.key() == unreadable)
            QCOMPARE(stored, it.value());
        else if (it.key() != olderHistory)
            QCOMPARE(deciphered(stored, passphrase), m_placed.value(it.key()));
    }
}

// The settings dialog asks for a resync and then a full sync. A merge that stored a new version
// before the resync stored the old one again would leave the old one looking newest.
void TestSyncResync::testResyncRunsBeforeTheMergesThatWait()
{
    // Nothing stored yet: nothing to resync, and nothing fails.
    FakeDocument local;
    local.items = {"local"};
    m_a.engine->initialize("LocalFolder", ReportState, filesSettings(m_shared, true, "first"));
    m_a.engine->resyncAll();
    QCOMPARE(pass(m_a), SyncStatus::Success);
    QVERIFY(logTexts().filter("Resync").isEmpty());

    placeStore();
    m_a.engine->resyncAll();
    m_a.engine->sync(SyncFile::History, &local, BothWays);
    QCOMPARE(pass(m_a), SyncStatus::Success);
    const QStringList log = logTexts();
    const int resynced = log.indexOf(QRegularExpression("Sync: Resync upload finished for History#.*"));
    const int merged = log.indexOf(QRegularExpression("Sync: Upload finished for History#.*"));
    QVERIFY2(resynced >= 0 && merged > resynced, qPrintable(log.join('\n')));
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncResync)
#include "tst_syncresync.moc"

// Google Drive keeps every upload as a new file: the copy in the old encoding must go, or other
// computers could go on reading it.
void TestSyncResync::testResyncOnDriveLeavesOneCopyOfEachFile()
{
    DriveStandIn drive;
    qputenv("KESTOVAN_GOOGLE_API_URL", drive.base().toUtf8());
    qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", drive.base().toUtf8());
    const QByteArray history = documentBytes({"on drive"});
    const QMap<QString, QByteArray> placed{{Sync::addHash(history, "History.json"), qCompress(history)},
        {"action_20230504T102030_my_tool.json", actionBytes(action("Tool", "2023-05-04T10:20:30"))},
        {"image_" + QUuid::createUuid().toString() + "_pic_1.png", pngBytes(Qt::red)}};
    QStringList oldIds;
    for (auto it = placed.cbegin(); it != placed.cend(); ++it)
        oldIds.append(drive.add(it.key(), it.value()).id);

    O2Google *o2 = googleDriveOf(*m_a.engine)->o2();
    o2->setToken(drive.accessToken);
    o2->setRefreshToken("refresh-1");
    o2->setLinked(true);
    QCOMPARE(resync(filesSettings(QString(), true, "first"), "GoogleDrive"), SyncStatus::Success);
    QCOMPARE(drive.files.size(), placed.size());
    for (const DriveStandIn::File &file : std::as_const(drive.files)) {
        QVERIFY2(!oldIds.contains(file.id), qPrintable(file.name));
        QCOMPARE(deciphered(file.content, "first"), placed.value(file.name));
        QVERIFY(logHas("Sync: Removing the superseded copy of " + file.name));
    }

    // Another computer reads the new copies.
    Computer b = makeComputer(m_root->filePath("b"), filesSettings(QString(), false, "first"));
    b.engine->initialize("GoogleDrive", ReportState, filesSettings(QString(), false, "first"));
    FakeDocument other;
    b.engine->sync(SyncFile::History, &other, FromServer);
    QCOMPARE(syncActions(b), SyncStatus::Success);
    QCOMPARE(other.items, QStringList{"on drive"});
    QCOMPARE(readFile(actionPath("my_tool.json")), placed.value("action_20230504T102030_my_tool.json"));
    o2->unlink();
}
