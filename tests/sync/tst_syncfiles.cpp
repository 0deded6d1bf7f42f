// Action and image files between computers that share one sync folder.
#include "sync/syncfilestestsupport.h"

#include "historytestsupport.h"

#include <QUuid>

using namespace SyncFilesTest;

using ActionTimes = QMap<QString, QString>;

class TestSyncFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_shared;
    Computer m_a;
    Computer m_b;

    QStringList sharedFiles(const QString &prefix) const
    {
        return QDir(m_shared).entryList({prefix + "*"}, QDir::Files | QDir::Hidden, QDir::Name);
    }

    QByteArray sharedFile(const QString &name) const { return readFile(m_shared + "/" + name); }

    // key -> "created" of every action file of the computer in use.
    static ActionTimes localActions()
    {
        ActionTimes times;
        for (const QString &key : QDir(ActionFile::userFolder()).entryList(QDir::Files))
            times.insert(key, readAction(key).value("created").toString());
        return times;
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void testRemoteNamesSplitIntoAtMostThreeParts_data();
    void testRemoteNamesSplitIntoAtMostThreeParts();
    void testActionNameCarriesItsCreationTime_data();
    void testActionNameCarriesItsCreationTime();
    void testActionsCreatedEditedAndDeletedTravel();
    void testEachDirectionBringsTheSidesTogether_data();
    void testEachDirectionBringsTheSidesTogether();
    void testFilesThatDoNotDecipherAreNeverWritten_data();
    void testFilesThatDoNotDecipherAreNeverWritten();
    void testRemoteNamesNeverLeadOutOfTheirFolder();
    void testUnreadableActionsFolderIsNoEmptyOne();
    void testImagesTravelWithTheirThumbnails();
    void testCroppedPictureTravelsAgain_data();
    void testCroppedPictureTravelsAgain();
    void testPictureStaysOnlineWhileALargerHistoryShowsIt();
};

namespace {

SyncStatus syncHistory(Computer &computer, HistoryItemModel *history)
{
    use(computer);
    computer.engine->sync(SyncFile::History, history, BothWays);
    return pass(computer);
}

QString cachePath(const QString &reference)
{
    return Utils::dataPath() + "/images/" + reference;
}

bool holds(const HistoryItemModel &history, const QUuid &id)
{
    for (int row = 0; row < history.rowCount(); ++row) {
        if (history.item(row)->data(IdRole).toUuid() == id)
            return true;
    }
    return false;
}

} // namespace

void TestSyncFiles::initTestCase()
{
    // The settings store is found once, before any computer moves the home.
    QSettings settings = Utils::settings();
    settings.setValue("IncludeImages", true);
    settings.setValue("KeepItems", "20");
    settings.remove("HistoryFilePath");
}

void TestSyncFiles::init()
{
    SyncLogDialog::c_log.clear();
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_shared = m_root->filePath("shared");
    QDir().mkpath(m_shared);
    m_a = makeComputer(m_root->filePath("a"), filesSettings(m_shared));
    m_b = makeComputer(m_root->filePath("b"), filesSettings(m_shared));
}

void TestSyncFiles::cleanup()
{
    QThreadPool::globalInstance()->waitForDone();
}

void TestSyncFiles::testRemoteNamesSplitIntoAtMostThreeParts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("rest");
    const QString id = QUuid::createUuid().toString();
    QTest::newRow("image") << "image_" + id + "_a.png" << id << "a.png";
    QTest::newRow("image name with _") << "image_" + id + "_Screenshot_2024_03.png" << id << "Screenshot_2024_03.png";
    QTest::newRow("action") << "action_20230504T102030_a1.json" << "20230504T102030" << "a1.json";
    QTest::newRow("action name with _") << "action_20230504T102030_my_tool.json" << "20230504T102030" << "my_tool.json";
    QTest::newRow("empty parts") << "image__" << QString() << QString();
    QTest::newRow("too few parts") << "image_a.png" << QString() << QString();
}

void TestSyncFiles::testRemoteNamesSplitIntoAtMostThreeParts()
{
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, rest);
    if (name.count('_') < 2)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("File name has too few parts"));
    const auto [folder, file] = Sync::splitOnlineImageName(name);
    QCOMPARE(folder, first);
    QCOMPARE(file, rest);
    if (name.startsWith("image_") && !file.isEmpty())
        QCOMPARE(Sync::remoteImageName(folder + "/" + file), name);
}

void TestSyncFiles::testActionNameCarriesItsCreationTime_data()
{
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("name");
    // In UTC, as every computer compares them; a stamp without an offset is local time.
    QTest::newRow("created") << "2023-05-04T10:20:30Z" << "action_20230504T102030_a1.json";
    QTest::newRow("created in another zone") << "2023-05-04T10:20:30+09:00" << "action_20230504T012030_a1.json";
    QTest::newRow("created by an earlier version") << "2023-05-04T10:20:30" << "action_20230504T072030_a1.json";
    QTest::newRow("missing") << QString() << "action_20200101T000000_a1.json";
    QTest::newRow("not a time") << "yesterday" << "action_20200101T000000_a1.json";
}

void TestSyncFiles::testActionNameCarriesItsCreationTime()
{
    QFETCH(QString, created);
    QFETCH(QString, name);
    QCOMPARE(Sync::remoteActionName(action("A", created), "a1.json"), name);
}

void TestSyncFiles::testActionsCreatedEditedAndDeletedTravel()
{
    use(m_a);
    QVERIFY(writeAction("a1.json", action("Shout", "2023-05-04T10:20:30Z")));
    QVERIFY(writeAction("my_tool.json", action("Tool", "2023-05-04T11:00:00Z")));
    const QByteArray shout = readFile(actionPath("a1.json"));
    QCOMPARE(syncActions(m_a), SyncStatus::Success);
    QCOMPARE(sharedFiles("action_"), (QStringList{"action_20230504T102030_a1.json", "action_20230504T110000_my_tool.json"}));
    // Stored whole and uncompressed.
    QCOMPARE(sharedFile("action_20230504T102030_a1.json"), shout);

    QCOMPARE(syncActions(m_b), SyncStatus::Success);
    QCOMPARE(readFile(actionPath("a1.json")), shout);
    QCOMPARE(readAction("my_tool.json").value("title").toString(), QString("Tool"));

    // An edit on A replaces the stored copy and reaches B.
    use(m_a);
    QVERIFY(writeAction("a1.json", action("Shout louder", "2023-05-06T08:00:00Z")));
    QCOMPARE(syncActions(m_a), SyncStatus::Success);
    QCOMPARE(sharedFiles("action_"), (QStringList{"action_20230504T110000_my_tool.json", "action_20230506T080000_a1.json"}));
    QCOMPARE(syncActions(m_b), SyncStatus::Success);
    QCOMPARE(readAction("a1.json").value("title").toString(), QString("Shout louder"));
    QVERIFY(logHas("Sync: online has the newer action file: a1.json"));

    // A deletion on B is a newer copy marked deleted; A keeps it as such.
    QVERIFY(writeAction("a1.json", action("Shout louder", "2023-05-07T09:00:00Z", true)));
    QCOMPARE(syncActions(m_b), SyncStatus::Success);
    QCOMPARE(syncActions(m_a), SyncStatus::Success);
    QVERIFY(ActionFile::isDeleted(readAction("a1.json")));
    QCOMPARE(sharedFiles("action_"), (QStringList{"action_20230504T110000_my_tool.json", "action_20230507T090000_a1.json"}));

    // Once both agree nothing travels.
    const int transfers = logCount("Sync: Upload finished") + logCount("Sync: Download finished");
    QCOMPARE(syncActions(m_a), SyncStatus::Success);
    QCOMPARE(syncActions(m_b), SyncStatus::Success);
    QCOMPARE(logCount("Sync: Upload finished") + logCount("Sync: Download finished"), transfers);
}

void TestSyncFiles::testEachDirectionBringsTheSidesTogether_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<ActionTimes>("local");
    QTest::addColumn<QStringList>("remote");
    QTest::addColumn<ActionTimes>("expectedLocal");
    QTest::addColumn<QStringList>("expectedRemote");

    const QString t1 = "20230501T000000", t2 = "20230502T000000", t3 = "20230503T000000";
    const auto name = [](const QString &time, const QString &key) { return "action_" + time + "_" + key; };

    QTest::newRow("both ways: the newer local copy replaces the remote one")
        << int(BothWays) << ActionTimes{{"a.json", t2}} << QStringList{name(t1, "a.json")}
        << ActionTimes{{"a.json", t2}} << QStringList{name(t2, "a.json")};
    QTest::newRow("both ways: the newer remote copy is downloaded")
        << int(BothWays) << ActionTimes{{"a.json", t1}} << QStringList{name(t2, "a.json")}
        << ActionTimes{{"a.json", t2}} << QStringList{name(t2, "a.json")};
    // Two computers stored at once; the one that finds its own copy still takes the newer one.
    QTest::newRow("both ways: the newest of two remote copies wins")
        << int(BothWays) << ActionTimes{{"a.json", t1}} << QStringList{name(t1, "a.json"), name(t3, "a.json")}
        << ActionTimes{{"a.json", t3}} << QStringList{name(t1, "a.json"), name(t3, "a.json")};
    QTest::newRow("both ways: each side gets what it lacks")
        << int(BothWays) << ActionTimes{{"b.json", t1}} << QStringList{name(t2, "c.json")}
        << ActionTimes{{"b.json", t1}, {"c.json", t2}} << QStringList{name(t1, "b.json"), name(t2, "c.json")};
    QTest::newRow("both ways: a name with _ is the same action")
        << int(BothWays) << ActionTimes{{"my_tool.json", t1}} << QStringList{name(t2, "my_tool.json")}
        << ActionTimes{{"my_tool.json", t2}} << QStringList{name(t2, "my_tool.json")};
    QTest::newRow("both ways: without a creation time")
        << int(BothWays) << ActionTimes{{"a.json", QString()}} << QStringList{}
        << ActionTimes{{"a.json", QString()}} << QStringList{"action_20200101T000000_a.json"};
    // Saved in Tokyo at 10:00 (01:00 UTC), edited a minute later on a computer in UTC.
    QTest::newRow("both ways: a later edit in another time zone is downloaded")
        << int(BothWays) << ActionTimes{{"a.json", "2023-05-02T10:00:00+09:00"}} << QStringList{name("20230502T010100", "a.json")}
        << ActionTimes{{"a.json", "20230502T010100"}} << QStringList{name("20230502T010100", "a.json")};
    QTest::newRow("from server: the remote side replaces the local one")
        << int(FromServer) << ActionTimes{{"a.json", t3}, {"b.json", t1}} << QStringList{name(t1, "a.json"), name(t2, "a.json")}
        << ActionTimes{{"a.json", t2}} << QStringList{name(t1, "a.json"), name(t2, "a.json")};
    QTest::newRow("to server: the local side replaces the remote one")
        << int(ToServer) << ActionTimes{{"a.json", t1}} << QStringList{name(t2, "a.json"), name(t1, "c.json")}
        << ActionTimes{{"a.json", t1}} << QStringList{name(t1, "a.json")};
}

void TestSyncFiles::testEachDirectionBringsTheSidesTogether()
{
    QFETCH(int, direction);
    QFETCH(ActionTimes, local);
    QFETCH(QStringList, remote);
    QFETCH(ActionTimes, expectedLocal);
    QFETCH(QStringList, expectedRemote);

    use(m_a);
    for (auto it = local.cbegin(); it != local.cend(); ++it)
        QVERIFY(writeAction(it.key(), action(it.key(), isoTime(it.value()))));
    for (const QString &name : remote) {
        const auto [time, key] = Sync::splitOnlineImageName(name);
        QVERIFY(writeFile(m_shared + "/" + name, actionBytes(action(key, isoTime(time)))));
    }

    QCOMPARE(syncActions(m_a, SyncDirection(direction)), SyncStatus::Success);
    ActionTimes expected;
    for (auto it = expectedLocal.cbegin(); it != expectedLocal.cend(); ++it)
        expected.insert(it.key(), isoTime(it.value()));
    QCOMPARE(localActions(), expected);
    QCOMPARE(sharedFiles("action_"), expectedRemote);
}

void TestSyncFiles::testFilesThatDoNotDecipherAreNeverWritten_data()
{
    QTest::addColumn<bool>("image");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("logText");
    QTest::addColumn<QString>("status");
    const QByteArray newer = actionBytes(action("Newer", "2023-05-06T00:00:00"));
    const QString undeciphered = "Decryption failed for %1: the passphrases of your computers may differ.";
    const QString damaged = "Synchronization skipped a damaged file: %1";
    const QString plain = "Synchronization refused what is not encrypted while encryption is on: %1";
    QTest::newRow("action under another passphrase") << false << enciphered(newer, "other secret")
                                                     << "Sync: Decrypt failed for " << undeciphered;
    QTest::newRow("damaged action") << false << enciphered("{\"title\": \"cut sh", "my secret") << "is not an action file"
                                    << damaged;
    QTest::newRow("empty action") << false << QByteArray() << "is empty" << damaged;
    QTest::newRow("image under another passphrase") << true << enciphered(pngBytes(Qt::blue), "other secret")
                                                  << "Sync: Decrypt failed for " << undeciphered;
    // Anybody who can write to the store could plant an action that, by its time, wins for good.
    QTest::newRow("plain action while encrypting") << false << newer << "is not encrypted, and encryption is on" << plain;
    // Parsed, it held the window for seconds; stored, it held every start.
    QJsonObject script = action("Long", "2023-05-06T00:00:00");
    script.insert("script", QString(ActionFile::MaxSize, u'x'));
    QTest::newRow("action larger than a script") << false << enciphered(actionBytes(script), "my secret")
                                                 << "is larger than an action file may be" << damaged;
}

void TestSyncFiles::testFilesThatDoNotDecipherAreNeverWritten()
{
    QFETCH(bool, image);
    QFETCH(QByteArray, stored);
    QFETCH(QString, logText);
    QFETCH(QString, status);
    m_a = makeComputer(m_root->filePath("a"), filesSettings(m_shared, true, "my secret"));
    const QString id = QUuid::createUuid().toString();
    const QString imagePath = Utils::dataPath() + "/images/" + id + "/pic.png";
    const QByteArray localImage = pngBytes(Qt::red);
    QVERIFY(QDir().mkpath(QFileInfo(imagePath).absolutePath()));
    QVERIFY(writeFile(imagePath, localImage));
    QVERIFY(writeAction("a.json", action("Older", "2023-05-01T00:00:00")));
    const QByteArray localAction = readFile(actionPath("a.json"));

    SyncData data;
    data.file = image ? "image_" + id + "_pic.png" : "action_20230506T000000_a.json";
    data.second = data.file;
    data.operation = image ? DownloadImage : DownloadAction;
    QVERIFY(writeFile(m_shared + "/" + data.file, stored));
    m_a.engine->addToQueue(data);
    QString shown;
    connect(m_a.engine.get(), &Sync::syncStatus, this, [&shown](SyncStatus, QString text) { shown = text; });

    QCOMPARE(pass(m_a), SyncStatus::Failed);
    QCOMPARE(shown, status.arg(data.file));
    QVERIFY2(logTexts().filter(logText).size() == 1, qPrintable(logTexts().join('\n')));
    QCOMPARE(readFile(actionPath("a.json")), localAction);
    QCOMPARE(readFile(imagePath), localImage);
    QCOMPARE(sharedFile(data.file), stored);

    // The next pass without it succeeds.
    QCOMPARE(syncActions(m_a, ToServer), SyncStatus::Success);
}

void TestSyncFiles::testRemoteNamesNeverLeadOutOfTheirFolder()
{
    use(m_a);
    ScriptedTarget target(m_a.engine.get());
    m_a.engine->target = &target;
    const QByteArray payload = actionBytes(action("Evil", "2024-01-01T00:00:00"));
    const QStringList names{"action_20240101T000000_../../evil.json", "action_20240101T000000_sub/evil.json",
        "action_20240101T000000_.hidden.json", "action_yesterday_evil.json", "image_notanid_evil.png",
        "image_" + QUuid::createUuid().toString() + "_../evil.png"};
    for (const QString &name : names)
        target.put(name, payload);
    for (const QString &name : names.mid(4)) {
        SyncData data;
        data.operation = DownloadImage;
        data.file = name;
        data.second = name;
        m_a.engine->addToQueue(data);
    }
    m_a.engine->syncActions(BothWays);

    QCOMPARE(pass(m_a), SyncStatus::Failed);
    for (const QString &name : names)
        QVERIFY2(logHas("Sync: Incorrect filename format for " + name), qPrintable(name));
    // Only the two images got as far as a download.
    QCOMPARE(target.requestsStartingWith("download:").size(), 2);
    QCOMPARE(QDir(ActionFile::userFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QDirIterator everything(m_a.home, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (everything.hasNext())
        QVERIFY2(!everything.next().contains("evil"), qPrintable(everything.filePath()));
    QVERIFY(!QFileInfo::exists(m_root->filePath("evil.json")));
    m_a.engine->target = nullptr;
}

// Read as empty, an actions folder that cannot be read made an Upload delete every stored action.
void TestSyncFiles::testUnreadableActionsFolderIsNoEmptyOne()
{
    use(m_a);
    ScriptedTarget target(m_a.engine.get());
    m_a.engine->target = &target;
    const QString stored = "action_20230504T102030_a.json";
    target.put(stored, actionBytes(action("Stored", "2023-05-04T10:20:30")));
    QVERIFY(writeAction("a.json", action("Local", "2023-05-04T10:20:30")));
    m_a.engine->syncActions(ToServer);
    {
        NoDescriptorLeft limit;
        QCOMPARE(runPass(*m_a.engine), SyncStatus::Failed);
    }
    QVERIFY(target.requestsStartingWith("remove:").isEmpty());
    QVERIFY(target.requestsStartingWith("upload:").isEmpty());
    QVERIFY(target.store.contains(stored));
    QCOMPARE(logTexts().filter("Sync: The actions folder cannot be read (").size(), 1);
    m_a.engine->target = nullptr;
}

void TestSyncFiles::testImagesTravelWithTheirThumbnails()
{
    QObject owner;
    use(m_a);
    auto *historyA = new HistoryItemModel(&owner, m_a.engine.get());
    use(m_b);
    auto *historyB = new HistoryItemModel(&owner, m_b.engine.get());

    // A picture whose cache name has "_" in it, and a stored image that no clipping uses any more.
    use(m_a);
    const QUuid id = QUuid::createUuid();
    const QString reference = id.toString() + "/Screenshot_2024_03.png";
    const QByteArray picture = pngBytes(QColor(200, 0, 200));
    QVERIFY(QDir().mkpath(Utils::dataPath() + "/images/" + id.toString()));
    QVERIFY(writeFile(Utils::dataPath() + "/images/" + reference, picture));
    historyA->addItem(HistoryTest::imageItem("Screenshot_2024_03.png", QDateTime::currentDateTime(), "Viewer", id));
    const QString unused = "image_" + QUuid::createUuid().toString() + "_old.png";
    QVERIFY(writeFile(m_shared + "/" + unused, pngBytes(Qt::green)));

    m_a.engine->sync(SyncFile::History, historyA, BothWays);
    QCOMPARE(pass(m_a), SyncStatus::Success);
    const QString remoteName = Sync::remoteImageName(reference);
    QCOMPARE(sharedFiles("image_"), QStringList{remoteName});
    QCOMPARE(sharedFile(remoteName), picture);

    QList<QUuid> thumbnailIds;
    connect(m_b.engine.get(), &ISync::thumbnail, this, [&thumbnailIds](QImage, QUuid id) { thumbnailIds.append(id); });
    use(m_b);
    m_b.engine->sync(SyncFile::History, historyB, BothWays);
    QCOMPARE(pass(m_b), SyncStatus::Success);
    QCOMPARE(readFile(Utils::dataPath() + "/images/" + reference), picture);
    QCOMPARE(historyB->rowCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(thumbnailIds, QList<QUuid>{id}, 5000);
    const QImage thumbnail = historyB->item(0)->data(ThumbnailRole).value<QImage>();
    QCOMPARE(thumbnail.size(), QSize(160, 120));
    QCOMPARE(thumbnail.pixelColor(80, 60), QColor(200, 0, 200));

    // Present on both sides: nothing more travels.
    const int transfers = logCount("Sync: Upload finished for image_") + logCount("Sync: Download finished for image_");
    m_b.engine->sync(SyncFile::History, historyB, BothWays);
    QCOMPARE(pass(m_b), SyncStatus::Success);
    QCOMPARE(logCount("Sync: Upload finished for image_") + logCount("Sync: Download finished for image_"), transfers);
}

// After a crop on A, B's row said "100 x 100" while B's file and the stored one stayed as they were:
// the names of a picture's files do not change with the picture. A picture removed on B before the
// crop came back to B as the old picture.
void TestSyncFiles::testCroppedPictureTravelsAgain_data()
{
    QTest::addColumn<bool>("removedOnB");
    QTest::newRow("kept on B") << false;
    QTest::newRow("removed on B before the crop") << true;
}

void TestSyncFiles::testCroppedPictureTravelsAgain()
{
    QFETCH(bool, removedOnB);
    QObject owner;
    use(m_a);
    auto *historyA = new HistoryItemModel(&owner, m_a.engine.get());
    use(m_b);
    auto *historyB = new HistoryItemModel(&owner, m_b.engine.get());
    const QUuid id = QUuid::createUuid();
    const QString reference = id.toString() + "/Viewer-200x200.png";
    use(m_a);
    QVERIFY(QDir().mkpath(cachePath(id.toString())));
    QVERIFY(writeFile(cachePath(reference), pngBytes(Qt::red, QSize(200, 200))));
    ClippingItem *picture = HistoryTest::imageItem("Viewer-200x200.png", QDateTime::currentDateTime().addSecs(-60), "Viewer", id);
    picture->setData("200 x 200 (Viewer)", Qt::DisplayRole);
    picture->setData("200 x 200 (Viewer)", TextRole);
    historyA->addItem(picture);
    QCOMPARE(syncHistory(m_a, historyA), SyncStatus::Success);
    QCOMPARE(syncHistory(m_b, historyB), SyncStatus::Success);
    QCOMPARE(QImage(cachePath(reference)).size(), QSize(200, 200));
    if (removedOnB) {
        historyB->markItemAsRemoved(historyB->index(0, 0));
        // Not yet synced, and earlier than the crop.
        historyB->item(0)->setData(QDateTime::currentDateTime().addSecs(-30), TimeRole);
    }

    use(m_a);
    QImage cropped(100, 100, QImage::Format_RGB32);
    cropped.fill(Qt::blue);
    historyA->updateItem(historyA->index(0, 0), cropped);
    historyA->flushSaves();
    QCOMPARE(syncHistory(m_a, historyA), SyncStatus::Success);
    QVERIFY(logHas("Sync: Changed local image: " + reference));
    const QByteArray croppedFile = readFile(cachePath(reference));
    QCOMPARE(QImage(cachePath(reference)).size(), QSize(100, 100));
    QCOMPARE(sharedFile(Sync::remoteImageName(reference)), croppedFile);

    QCOMPARE(syncHistory(m_b, historyB), SyncStatus::Success);
    QCOMPARE(historyB->item(0)->data(Qt::DisplayRole).toString(), QString("100 x 100 (Viewer)"));
    QCOMPARE(readFile(cachePath(reference)), croppedFile);

    // In step again: nothing more travels.
    const int transfers = logCount("Sync: Upload finished for image_") + logCount("Sync: Download finished for image_");
    QCOMPARE(syncHistory(m_a, historyA), SyncStatus::Success);
    QCOMPARE(syncHistory(m_b, historyB), SyncStatus::Success);
    QCOMPARE(logCount("Sync: Upload finished for image_") + logCount("Sync: Download finished for image_"), transfers);
}

// B keeps 3 clippings and A 20: B's merge trims A's picture away, and B used to delete the stored
// picture at every pass while A stored it again.
void TestSyncFiles::testPictureStaysOnlineWhileALargerHistoryShowsIt()
{
    QObject owner;
    use(m_a);
    auto *historyA = new HistoryItemModel(&owner, m_a.engine.get());
    use(m_b);
    auto *historyB = new HistoryItemModel(&owner, m_b.engine.get());
    const QUuid id = QUuid::createUuid();
    const QString reference = id.toString() + "/picture.png";
    const QString remoteName = Sync::remoteImageName(reference);
    const QDateTime start = QDateTime::currentDateTime().addSecs(-3600);
    use(m_a);
    QVERIFY(QDir().mkpath(cachePath(id.toString())));
    QVERIFY(writeFile(cachePath(reference), pngBytes(Qt::red)));
    historyA->addItem(HistoryTest::imageItem("picture.png", start, "Viewer", id));
    for (int i = 1; i <= 4; ++i)
        historyA->addItem(HistoryTest::textItem(QString("text %1").arg(i), start.addSecs(i)));
    QCOMPARE(syncHistory(m_a, historyA), SyncStatus::Success);

    for (int round = 0; round < 3; ++round) {
        HistoryTest::setSetting("KeepItems", "3");
        historyB->addItem(HistoryTest::textItem(QString("copied on B %1").arg(round), QDateTime::currentDateTime()));
        QCOMPARE(syncHistory(m_b, historyB), SyncStatus::Success);
        QVERIFY(!holds(*historyB, id));
        HistoryTest::setSetting("KeepItems", "20");
        QCOMPARE(syncHistory(m_a, historyA), SyncStatus::Success);
        QVERIFY(holds(*historyA, id));
    }
    QVERIFY(!logHas("Sync: Old online image: " + remoteName));
    QCOMPARE(logCount("Sync: Upload finished for " + remoteName), 1);
    QCOMPARE(sharedFile(remoteName), pngBytes(Qt::red));
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncFiles)
#include "tst_syncfiles.moc"
