#include "sync/synctestsupport.h"

#include "oauth/referencecipher.h"

#include "common/safefile.h"

#include <QDir>
#include <QUuid>

using namespace SyncTest;

class TestSyncMerge : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;

    QString shared() const { return m_folder->path(); }
    QString sharedFile(const QString &name) const { return m_folder->filePath(name); }

    std::unique_ptr<Sync> engine(bool encrypt = false, const QString &passphrase = QString(),
        const QString &previous = QString()) const
    {
        auto engine = std::make_unique<Sync>();
        engine->initialize("LocalFolder", ReportState, settingsMap(shared(), encrypt, passphrase, previous));
        return engine;
    }

    QStringList historyFiles() const
    {
        return QDir(shared()).entryList({"History*"}, QDir::Files | QDir::Hidden, QDir::Name);
    }

    // Stores a history version as another computer would, modified at the given second.
    QString placeVersion(const QStringList &items, int second, qint32 magic = c_historyMagic) const
    {
        const QByteArray plain = documentBytes(items, magic);
        const QString name = Sync::addHash(plain, "History.json");
        writeFile(sharedFile(name), qCompress(plain), versionTime(second));
        return name;
    }

    static QDateTime versionTime(int second)
    {
        return QDateTime(QDate(2024, 3, 5), QTime(10, 0), Qt::UTC).addSecs(second);
    }

    static SyncStatus merge(Sync &engine, FakeDocument &document, SyncDirection direction)
    {
        engine.sync(SyncFile::History, &document, direction);
        return runPass(engine);
    }

private slots:
    void init();
    void testFirstVersionIsNamedByItsHashAndCompressed();
    void testEncryptedVersionIsReadableWithoutTheProgram();
    void testEncryptionWithoutPassphraseStoresNothing();
    void testNewestVersionIsMergedAndTiesTakeTheSmallestId();
    void testEqualHashesNeedNoTransfer();
    void testVersionAlreadyDownloadedIsNotFetchedAgain();
    void testDirectionsRespectTheirLimits();
    void testPreviousPassphraseReadsAndWrongPassphraseHalts();
    void testDocumentWithWrongMagicNeverReachesTheMerge_data();
    void testDocumentWithWrongMagicNeverReachesTheMerge();
    void testOldVersionsArePrunedToEleven_data();
    void testOldVersionsArePrunedToEleven();
    void testTwentyVersionsAreKept();
    void testFilesNamedLikeTheDocumentAreNeitherMergedNorPruned();
    void testDifferentRulesDoNotUploadForever();
    void testUploadFailureHalts();
    void testDamagedNewerVersionFallsBackToTheNewestThatReads_data();
    void testDamagedNewerVersionFallsBackToTheNewestThatReads();
    void testDamagedVersionNeverBlocksLaterPasses();
    void testOversizedVersionIsSkippedUnread();
};

void TestSyncMerge::init()
{
    SyncLogDialog::c_log.clear();
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestSyncMerge::testFirstVersionIsNamedByItsHashAndCompressed()
{
    auto a = engine();
    QStringList uploaded;
    connect(a.get(), &Sync::contentUploaded, this, [&uploaded](QString name) { uploaded.append(name); });
    FakeDocument local;
    local.items = {"one", "two"};
    const QByteArray plain = local.serialize();

    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);
    const QString name = "History#" + sha256(plain) + ".json";
    QCOMPARE(historyFiles(), QStringList{name});
    QCOMPARE(uploaded, QStringList{name});
    QCOMPARE(local.lastDownloadId, name);
    QCOMPARE(local.mergedInputs, QList<QByteArray>{QByteArray()});

    // Four-byte big-endian length, then the zlib stream, readable by any zlib.
    const QByteArray stored = readFile(sharedFile(name));
    QCOMPARE(qFromBigEndian<quint32>(stored.constData()), quint32(plain.size()));
    QCOMPARE(quint8(stored.at(4)), quint8(0x78));
    QCOMPARE(qUncompress(stored), plain);
    QVERIFY(logHas("Sync: Upload finished for " + name));
    QVERIFY(logHas("Sync: Merging content for History.json"));
}

void TestSyncMerge::testEncryptedVersionIsReadableWithoutTheProgram()
{
    auto a = engine(true, "correct horse");
    FakeDocument local;
    local.items = {"secret"};
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);

    const QStringList files = historyFiles();
    QCOMPARE(files.size(), 1);
    const QByteArray stored = readFile(sharedFile(files.first()));
    QVERIFY(stored.startsWith("|ENCRYPTED|"));
    QVERIFY(!stored.contains("secret"));
    QByteArray compressed;
    QVERIFY(ReferenceCipher::decrypt(ReferenceCipher::passphraseKey("correct horse"), stored.mid(11), &compressed));
    const QByteArray plain = qUncompress(compressed);
    QCOMPARE(plain, local.serialize());
    QCOMPARE(files.first(), "History#" + sha256(plain) + ".json");

    // A second computer with the passphrase reads it, also when it does not encrypt itself.
    auto b = engine(false, "correct horse");
    FakeDocument other;
    QCOMPARE(merge(*b, other, FromServer), SyncStatus::Success);
    QCOMPARE(other.items, QStringList{"secret"});
    QVERIFY(logHas("Sync: Downloaded data is compressed and encrypted"));
}

void TestSyncMerge::testEncryptionWithoutPassphraseStoresNothing()
{
    auto a = engine(true, QString());
    FakeDocument local;
    local.items = {"secret"};
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Failed);
    QVERIFY(historyFiles().isEmpty());
    QVERIFY(logHas("Sync: Encryption is on but no passphrase is set"));
    QCOMPARE(local.items, QStringList{"secret"});
}

void TestSyncMerge::testNewestVersionIsMergedAndTiesTakeTheSmallestId()
{
    placeVersion({"old"}, 1);
    const QString newest = placeVersion({"new"}, 5);
    auto a = engine();
    FakeDocument local;
    QCOMPARE(merge(*a, local, FromServer), SyncStatus::Success);
    QCOMPARE(local.items, QStringList{"new"});
    QCOMPARE(local.lastDownloadId, newest);

    // Equal times: the smaller id (the folder file name) is the newest.
    QDir(shared()).removeRecursively();
    QDir().mkpath(shared());
    const QString first = placeVersion({"x"}, 9);
    const QString second = placeVersion({"y"}, 9);
    const QString smaller = qMin(first, second);
    FakeDocument tie;
    auto b = engine();
    QCOMPARE(merge(*b, tie, FromServer), SyncStatus::Success);
    QCOMPARE(tie.lastDownloadId, smaller);
    QCOMPARE(tie.items, QStringList{smaller == first ? "x" : "y"});
}

void TestSyncMerge::testEqualHashesNeedNoTransfer()
{
    FakeDocument local;
    local.items = {"same"};
    const QString name = placeVersion(local.items, 1);
    auto a = engine();
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);
    QVERIFY(logHas("Sync: History.json: Online and local hash are equal (" + local.hash() + "). No need to do anything"));
    QVERIFY(local.mergedInputs.isEmpty());
    QCOMPARE(historyFiles(), QStringList{name});

    // A Download still fetches it.
    QCOMPARE(merge(*a, local, FromServer), SyncStatus::Success);
    QCOMPARE(local.mergedInputs, QList<QByteArray>{local.serialize()});
}

void TestSyncMerge::testVersionAlreadyDownloadedIsNotFetchedAgain()
{
    const QString name = placeVersion({"remote"}, 1);
    auto a = engine();
    FakeDocument local;
    local.items = {"local"};
    // Pretend the remote version was merged before and the local side has changed since.
    local.lastDownloadId = name;
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);
    QVERIFY(logHas("Sync: The online file History.json is the same as local so no need to download it again."));
    QCOMPARE(local.mergedInputs, QList<QByteArray>{QByteArray()});
    QCOMPARE(local.items, QStringList{"local"});
    // The local document is stored as the newer version.
    QCOMPARE(historyFiles().size(), 2);
    QVERIFY(historyFiles().contains(Sync::addHash(local.serialize(), "History.json")));
}

void TestSyncMerge::testDirectionsRespectTheirLimits()
{
    auto a = engine();
    FakeDocument local;
    local.items = {"local"};

    // Nothing online and Download: nothing is stored.
    QCOMPARE(merge(*a, local, FromServer), SyncStatus::Success);
    QVERIFY(historyFiles().isEmpty());

    // Upload never downloads, even when a newer version exists.
    const QString remote = placeVersion({"remote"}, 1);
    QCOMPARE(merge(*a, local, ToServer), SyncStatus::Success);
    QCOMPARE(local.mergedInputs.last(), QByteArray());
    QCOMPARE(local.items, QStringList{"local"});
    QCOMPARE(historyFiles().size(), 2);

    // Download replaces the local content and stores nothing.
    // Later than the version just stored with the current time.
    const QString newest = placeVersion({"newest"}, int(versionTime(0).secsTo(QDateTime::currentDateTimeUtc())) + 3600);
    QCOMPARE(merge(*a, local, FromServer), SyncStatus::Success);
    QCOMPARE(local.items, QStringList{"newest"});
    QCOMPARE(historyFiles().size(), 3);
    QVERIFY(historyFiles().contains(remote));
    QVERIFY(historyFiles().contains(newest));
}

void TestSyncMerge::testPreviousPassphraseReadsAndWrongPassphraseHalts()
{
    auto writer = engine(true, "first");
    FakeDocument written;
    written.items = {"enciphered"};
    QCOMPARE(merge(*writer, written, BothWays), SyncStatus::Success);

    auto changed = engine(true, "second", "first");
    FakeDocument reader;
    QCOMPARE(merge(*changed, reader, FromServer), SyncStatus::Success);
    QCOMPARE(reader.items, QStringList{"enciphered"});

    auto stranger = engine(true, "third", "second");
    FakeDocument outsider;
    outsider.items = {"mine"};
    QList<std::pair<SyncStatus, QString>> statuses;
    connect(stranger.get(), &Sync::syncStatus, this, [&statuses](SyncStatus s, QString t) { statuses.append({s, t}); });
    QCOMPARE(merge(*stranger, outsider, BothWays), SyncStatus::Failed);
    QCOMPARE(statuses.last().second, QString("Decryption failed for History.json: the passphrases of your computers may differ."));
    QVERIFY(logHas("Sync: Decrypt failed"));
    QVERIFY(outsider.lastDownloadId.isEmpty());
    QVERIFY(outsider.mergedInputs.isEmpty());
    QCOMPARE(outsider.items, QStringList{"mine"});
    QCOMPARE(historyFiles().size(), 1);
    // A failure that repeats must not leave outside changes unnoticed for good.
    QTRY_VERIFY_WITH_TIMEOUT(stranger->isListening(), 3000);
}

void TestSyncMerge::testDocumentWithWrongMagicNeverReachesTheMerge_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("encrypt");

    const QByteArray snippets = documentBytes({"snippet"}, c_snippetsMagic);
    for (int direction : {int(BothWays), int(FromServer)}) {
        const char *suffix = direction == BothWays ? " both ways" : " download";
        QTest::newRow(QByteArray("snippet document") + suffix) << qCompress(snippets) << direction << false;
        QTest::newRow(QByteArray("plain snippet document") + suffix) << snippets << direction << false;
        QTest::newRow(QByteArray("no magic") + suffix) << qCompress(QByteArray("{\"items\":[\"x\"]}")) << direction << false;
        QTest::newRow(QByteArray("garbage") + suffix) << QByteArray("\x00\x00\x00\x10garbage!", 12) << direction << false;
        QTest::newRow(QByteArray("empty file") + suffix) << QByteArray() << direction << false;
        QTest::newRow(QByteArray("truncated") + suffix) << qCompress(documentBytes({"cut"})).left(12) << direction << false;
        // Anybody who can write to the store could plant a history; with encryption on it is refused.
        QTest::newRow(QByteArray("plain history while encrypting") + suffix)
            << qCompress(documentBytes({"planted"})) << direction << true;
    }
}

// A download that replaces the local content clears it first; an unusable remote copy must not
// get that far.
void TestSyncMerge::testDocumentWithWrongMagicNeverReachesTheMerge()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, direction);
    QFETCH(bool, encrypt);

    const QString bad = "History#" + QString(64, 'b') + ".json";
    QVERIFY(writeFile(sharedFile(bad), stored, versionTime(1)));
    auto a = encrypt ? engine(true, "secret") : engine();
    FakeDocument local;
    local.items = {"precious"};
    const SyncStatus status = merge(*a, local, SyncDirection(direction));

    for (const QByteArray &input : std::as_const(local.mergedInputs))
        QVERIFY(input.isEmpty());
    QCOMPARE(local.items, QStringList{"precious"});
    QCOMPARE(logCount("Sync: " + bad + " cannot be read ("), 1);
    QCOMPARE(status, SyncStatus::Failed);
    if (direction == FromServer) {
        QCOMPARE(historyFiles(), QStringList{bad});
    } else {
        // The local document is stored as the newer version; the status line names the damaged one.
        QCOMPARE(historyFiles().size(), 2);
        QVERIFY(historyFiles().contains(Sync::addHash(local.serialize(), "History.json")));
    }
}

void TestSyncMerge::testOldVersionsArePrunedToEleven_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("spacing");
    QTest::newRow("twenty-one") << 21 << 60;
    // Ten a pass, a folder of hundreds or thousands never shrank.
    QTest::newRow("hundreds") << 400 << 1;
    // Versions of one time counted as one, and were never pruned.
    QTest::newRow("stored in one second") << 30 << 0;
}

void TestSyncMerge::testOldVersionsArePrunedToEleven()
{
    QFETCH(int, count);
    QFETCH(int, spacing);
    QList<std::pair<int, QString>> versions;
    for (int i = 0; i < count; ++i)
        versions.append({i * spacing, placeVersion({QString("item %1").arg(i, 4, 10, QChar('0'))}, i * spacing)});
    std::sort(versions.begin(), versions.end());

    auto a = engine();
    FakeDocument local;
    local.items = {"local"};
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);

    QStringList expected = {Sync::addHash(local.serialize(), "History.json")};
    for (int i = count - Sync::c_keptVersions; i < count; ++i)
        expected.append(versions.at(i).second);
    expected.sort();
    QCOMPARE(historyFiles(), expected);
    QCOMPARE(logCount("Sync: Cleanup for "), count - Sync::c_keptVersions);
    QCOMPARE(logCount("Sync: Delete finished for "), count - Sync::c_keptVersions);
    const QString oldest = versions.first().second;
    QVERIFY(logHas("Sync: Cleanup for " + oldest + " (2024-03-05T10:00:00.000Z) " + oldest));
}

void TestSyncMerge::testTwentyVersionsAreKept()
{
    for (int i = 0; i < 20; ++i)
        placeVersion({QString("item %1").arg(i)}, i * 60);
    auto a = engine();
    FakeDocument local;
    local.items = {"local"};
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);
    QCOMPARE(historyFiles().size(), 21);
    QCOMPARE(logCount("Sync: Cleanup for "), 0);
}

// Actions and copied files keep their own names behind a prefix; one called History.json must not
// be taken for the history, nor deleted as an old version of it.
void TestSyncMerge::testFilesNamedLikeTheDocumentAreNeitherMergedNorPruned()
{
    const QString action = "action_20240305T100000_History.json";
    const QString image = "image_" + QUuid::createUuid().toString() + "_History#1.json";
    QVERIFY(writeFile(sharedFile(action), documentBytes({"action"}), versionTime(-100)));
    QVERIFY(writeFile(sharedFile(image), qCompress(documentBytes({"image"})), versionTime(100000)));
    for (int i = 0; i < 21; ++i)
        placeVersion({QString("item %1").arg(i, 2, 10, QChar('0'))}, i * 60);

    auto a = engine();
    FakeDocument local;
    local.items = {"local"};
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);

    QVERIFY(QFile::exists(sharedFile(action)));
    QVERIFY(QFile::exists(sharedFile(image)));
    QVERIFY(!local.items.contains("image"));
    QVERIFY(!local.items.contains("action"));
    QVERIFY(local.items.contains("item 20"));
    QCOMPARE(logCount("Sync: Cleanup for "), 10);
}

// With a keep limit on one computer and none on the other, both would otherwise store their own
// version after every merge of the other's, each waking the other, for ever.
void TestSyncMerge::testDifferentRulesDoNotUploadForever()
{
    auto a = engine();
    auto b = engine();
    FakeDocument unlimited;
    unlimited.items = {"a1", "a2", "a3", "a4"};
    FakeDocument limited;
    limited.keep = 2;
    limited.items = {"b1"};
    int uploads = 0;
    for (Sync *engine : {a.get(), b.get()})
        connect(engine, &Sync::contentUploaded, this, [&uploads] { ++uploads; });

    QList<int> uploadsPerRound;
    for (int round = 0; round < 6; ++round) {
        const int before = uploads;
        QCOMPARE(merge(*a, unlimited, BothWays), SyncStatus::Success);
        QCOMPARE(merge(*b, limited, BothWays), SyncStatus::Success);
        uploadsPerRound.append(uploads - before);
    }
    QCOMPARE(uploadsPerRound.mid(3), (QList<int>{0, 0, 0}));
    QVERIFY(historyFiles().size() <= 4);
    QVERIFY(logCount("Sync: History#") > 0);
    QCOMPARE(limited.items.size(), 2);
}

void TestSyncMerge::testUploadFailureHalts()
{
    auto a = engine();
    FakeDocument local;
    local.items = {"local"};
    // A folder where the version file would go makes the write fail.
    QVERIFY(QDir(shared()).mkdir(Sync::addHash(local.serialize(), "History.json")));
    FakeDocument snippets(c_snippetsMagic);
    snippets.items = {"s"};
    a->sync(SyncFile::History, &local, BothWays);
    a->sync(SyncFile::Snippets, &snippets, BothWays);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to write to file"));
    QCOMPARE(runPass(*a), SyncStatus::Failed);
    QVERIFY(logHas("Sync: Upload failed for " + Sync::addHash(local.serialize(), "History.json")));
    // The history waits to be tried again, before the snippets.
    QCOMPARE(a->queue().size(), 2);
    QCOMPARE(a->queue().first().file, QString("History.json"));
    QVERIFY(a->queueTimer()->isActive());
    QVERIFY(local.lastDownloadId.isEmpty());
}

void TestSyncMerge::testDamagedNewerVersionFallsBackToTheNewestThatReads_data()
{
    QTest::addColumn<QByteArray>("damaged");
    QByteArray bomb = qCompress(QByteArray(4 * 1024 * 1024, '{'));
    bomb[0] = bomb[1] = bomb[2] = 0;
    bomb[3] = 16; // claims 16 bytes, yields four megabytes
    QByteArray claimsTooMuch = qCompress(documentBytes({"claims"}));
    claimsTooMuch[0] = char(0x7f);
    QTest::newRow("truncated") << qCompress(documentBytes({"damaged"})).left(30);
    // Told as a passphrase that differs, though the passphrase (here the empty one) was the same.
    const QByteArray enciphered = O0SimpleCrypt(O0CryptKey::fromBytes(QByteArray()))
                                      .encryptToByteArray(qCompress(documentBytes({"half written"})));
    QTest::newRow("half-written enciphered") << Sync::c_encryptedPrefix + enciphered.left(enciphered.size() / 2);
    QTest::newRow("stream larger than it claims") << bomb;
    QTest::newRow("claims more than 256 MB") << claimsTooMuch;
    QTest::newRow("not a document") << qCompress(QByteArray("{\"items\":[\"x\"]}"));
    QTest::newRow("unreadable to the partner") << qCompress(documentBytes({"x"}).replace("\"items\"", "\"items\":7,\"z\""));
}

// One damaged version with the newest time used to stop sync between computers while every pass
// said "Merge succeeded".
void TestSyncMerge::testDamagedNewerVersionFallsBackToTheNewestThatReads()
{
    QFETCH(QByteArray, damaged);
    placeVersion({"older"}, 1);
    placeVersion({"good"}, 5);
    const QString bad = "History#" + QString(64, 'd') + ".json";
    QVERIFY(writeFile(sharedFile(bad), damaged, versionTime(3600)));

    // A download takes the newest version that reads.
    auto b = engine();
    FakeDocument fresh;
    fresh.items = {"replaced"};
    QCOMPARE(merge(*b, fresh, FromServer), SyncStatus::Failed);
    QCOMPARE(fresh.items, QStringList{"good"});

    auto a = engine();
    FakeDocument local;
    local.items = {"mine"};
    QList<std::pair<SyncStatus, QString>> statuses;
    connect(a.get(), &Sync::syncStatus, this, [&statuses](SyncStatus s, QString t) { statuses.append({s, t}); });
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Failed);
    QCOMPARE(local.items, (QStringList{"good", "mine"}));
    QCOMPARE(local.mergedInputs.last(), documentBytes({"good"}));
    QCOMPARE(logCount("Sync: " + bad + " cannot be read ("), 2);
    QCOMPARE(statuses.last().second, "Synchronization skipped a damaged file: " + bad);
    QVERIFY(historyFiles().contains(Sync::addHash(local.serialize(), "History.json")));
    QVERIFY(historyFiles().contains(bad));
}

void TestSyncMerge::testDamagedVersionNeverBlocksLaterPasses()
{
    placeVersion({"first"}, 1);
    const QString bad = "History#" + QString(64, 'e') + ".json";
    QVERIFY(writeFile(sharedFile(bad), QByteArray("\x00\x00\x01\x00" "damaged", 11), versionTime(3600)));
    auto a = engine();
    FakeDocument local;
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Failed);
    QCOMPARE(local.items, QStringList{"first"});

    // Another computer stores a version, older in time than the damaged one: it is merged, and the
    // damaged one is not fetched again.
    placeVersion({"from the other computer"}, 60);
    SyncLogDialog::c_log.clear();
    QList<std::pair<SyncStatus, QString>> statuses;
    connect(a.get(), &Sync::syncStatus, this, [&statuses](SyncStatus s, QString t) { statuses.append({s, t}); });
    // While it is the newest, every pass says so.
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Failed);
    QCOMPARE(statuses.last().second, "Synchronization skipped a damaged file: " + bad);
    QCOMPARE(local.items, (QStringList{"first", "from the other computer"}));
    QCOMPARE(logCount("Sync: Download finished for "), 1);
    QCOMPARE(logCount("Sync: " + bad), 0);

    // Rewritten (another program finished writing it), it is read again.
    QVERIFY(writeFile(sharedFile(bad), qCompress(documentBytes({"completed"})), QDateTime::currentDateTimeUtc().addSecs(3600)));
    QCOMPARE(merge(*a, local, BothWays), SyncStatus::Success);
    QVERIFY(local.items.contains("completed"));
}

void TestSyncMerge::testOversizedVersionIsSkippedUnread()
{
    const QString good = placeVersion({"good"}, 5);
    const QString huge = "History#" + QString(64, 'f') + ".json";
    QFile file(sharedFile(huge));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(SafeFile::MaxDocumentSize + 1));
    QVERIFY(file.setFileTime(versionTime(3600), QFileDevice::FileModificationTime));
    file.close();

    auto a = engine();
    FakeDocument local;
    QCOMPARE(merge(*a, local, FromServer), SyncStatus::Failed);
    QCOMPARE(local.items, QStringList{"good"});
    QCOMPARE(logCount("Sync: Not reading " + huge + ": "), 1);
    QCOMPARE(logCount("Sync: " + huge + " cannot be read ("), 1);
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncMerge)
#include "tst_syncmerge.moc"
