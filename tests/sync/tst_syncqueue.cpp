#include "sync/synctestsupport.h"

#include "common/globals.h"

#include <QUuid>

using namespace SyncTest;

namespace {

struct StatusLog
{
    explicit StatusLog(Sync *engine)
    {
        QObject::connect(engine, &Sync::syncStatus, engine, [this](SyncStatus status, QString text) {
            entries.append({status, text});
        });
    }
    bool has(SyncStatus status) const
    {
        for (const auto &entry : entries) {
            if (entry.first == status)
                return true;
        }
        return false;
    }
    SyncStatus last() const { return entries.last().first; }
    QList<std::pair<SyncStatus, QString>> entries;
};

// Delivers everything already posted, such as zero-delay answers and statuses.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace

class TestSyncQueue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void testRequestsWaitFiveSecondsAfterTheFirst();
    void testQueuedPassStartsWhenTheTimerFires();
    void testDuplicateTakesTheDirectionAskedForLast();
    void testOnlyOneOperationIsInFlight();
    void testStrayAnswerDoesNotPassForTheFileList();
    void testHaltedQueueReadsTheFileListAgain();
    void testInvalidTargetEmptiesTheQueueSilently();
    void testNothingToSyncReportsSuccessAfterReturning();
    void testFileListFailureKeepsTheQueueAndListensAgain();
    void testFailedPassIsNeverReportedAgainAsASuccess();
    void testUnknownOperationLeavesTheQueueResting();
    void testDeleteOfUnknownFileGoesOn();
    void testTargetChoiceIsExact();
    void testRequestsThatQueueNothing();
};

void TestSyncQueue::init()
{
    SyncLogDialog::c_log.clear();
    demoEnabled = false;
}

void TestSyncQueue::testRequestsWaitFiveSecondsAfterTheFirst()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    FakeDocument history;
    FakeDocument snippets(c_snippetsMagic);

    QCOMPARE(engine.queueDelay(), 5000);
    engine.sync(SyncFile::History, &history, BothWays);
    QVERIFY(engine.queueTimer()->isActive());
    QCOMPARE(engine.queueTimer()->interval(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(engine.queueTimer()->remainingTime() < 4300, 3000);

    // The duplicate is dropped and does not push the start further away.
    const int remaining = engine.queueTimer()->remainingTime();
    engine.sync(SyncFile::History, &history, BothWays);
    QCOMPARE(engine.queue().size(), 1);
    QVERIFY(engine.queueTimer()->remainingTime() <= remaining);

    // A new request does.
    engine.sync(SyncFile::Snippets, &snippets, BothWays);
    QCOMPARE(engine.queue().size(), 2);
    QVERIFY(engine.queueTimer()->remainingTime() > remaining + 300);
    QVERIFY(target.requests.isEmpty());
}

void TestSyncQueue::testQueuedPassStartsWhenTheTimerFires()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    engine.setQueueDelay(50);
    StatusLog statuses(&engine);
    FakeDocument history;
    history.items = {"local"};

    engine.sync(SyncFile::History, &history, BothWays);
    QVERIFY(target.requests.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(statuses.has(SyncStatus::Success), 5000);
    QCOMPARE(target.requests.first(), QString("list"));
    QCOMPARE(target.requestsStartingWith("upload:"), QStringList{"upload:" + Sync::addHash(history.serialize(), "History.json")});
    QVERIFY(engine.queue().isEmpty());
}

void TestSyncQueue::testDuplicateTakesTheDirectionAskedForLast()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    FakeDocument history;

    engine.sync(SyncFile::History, &history, BothWays);
    engine.sync(SyncFile::History, &history, FromServer);
    QCOMPARE(engine.queue().size(), 1);
    QCOMPARE(engine.queue().first().direction, FromServer);

    // An automatic merge after a clipboard change does not undo the user's choice.
    engine.sync(SyncFile::History, &history, BothWays);
    QCOMPARE(engine.queue().first().direction, FromServer);

    engine.sync(SyncFile::History, &history, ToServer);
    QCOMPARE(engine.queue().size(), 1);
    QCOMPARE(engine.queue().first().direction, ToServer);

    // Through the whole pass: a Download must not upload.
    engine.queue().clear();
    target.put("History#aaa.json", qCompress(documentBytes({"remote"})));
    history.items = {"local"};
    engine.sync(SyncFile::History, &history, BothWays);
    engine.sync(SyncFile::History, &history, FromServer);
    engine.handleQueue();
    QTRY_VERIFY_WITH_TIMEOUT(history.items == QStringList{"remote"}, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!engine.isOperationInFlight() && engine.queue().isEmpty(), 5000);
    QVERIFY(target.requestsStartingWith("upload:").isEmpty());
}

void TestSyncQueue::testOnlyOneOperationIsInFlight()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    target.autoAnswer = false;
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    engine.setQueueDelay(10);
    StatusLog statuses(&engine);
    target.put("History#aaa.json", qCompress(documentBytes({"remote"})));
    FakeDocument history;
    history.items = {"local"};
    FakeDocument snippets(c_snippetsMagic);
    snippets.items = {"snippet"};

    engine.sync(SyncFile::History, &history, BothWays);
    QVERIFY(engine.isListening());
    engine.syncAll(BothWays);
    QCOMPARE(target.requests, QStringList{"list"});
    // Outside changes wait until the pass is over.
    QVERIFY(!engine.isListening());
    QVERIFY(target.answerNext());
    QCOMPARE(target.requests.last(), QString("download:History#aaa.json"));

    // While the download is outstanding, new requests, the timer and a direct start all leave
    // the running operation alone.
    engine.sync(SyncFile::Snippets, &snippets, BothWays);
    QTRY_VERIFY_WITH_TIMEOUT(!engine.queueTimer()->isActive(), 2000);
    engine.syncAll(BothWays);
    engine.handleQueue();
    QCOMPARE(target.outstanding, 1);
    QCOMPARE(target.requests.size(), 2);
    QCOMPARE(engine.queue().size(), 1);

    // Answering one request at a time works the queue off in order.
    QTRY_VERIFY_WITH_TIMEOUT(!target.answerNext() && !engine.isOperationInFlight() && engine.queue().isEmpty()
            && statuses.has(SyncStatus::Success),
        5000);
    QCOMPARE(target.maxOutstanding, 1);
    QCOMPARE(history.items, (QStringList{"local", "remote"}));
    QCOMPARE(target.requestsStartingWith("upload:").size(), 2);
    QVERIFY(!statuses.has(SyncStatus::Failed));
    QTRY_VERIFY_WITH_TIMEOUT(engine.isListening(), 3000);
}

// An answer that arrives when no operation is waiting for it must not make a list that was never
// read look read: the merge would then miss the remote version and store a blind copy.
void TestSyncQueue::testStrayAnswerDoesNotPassForTheFileList()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    target.put("History#aaa.json", qCompress(documentBytes({"remote"})));
    FakeDocument history;
    history.items = {"local"};

    engine.sync(SyncFile::History, &history, BothWays);
    SyncData late;
    late.operation = UploadImage;
    late.file = "image_{00000000-0000-0000-0000-000000000001}_a.png";
    late.second = late.file;
    engine.uploadFinished(PlainUpload, late, false);

    QTRY_VERIFY_WITH_TIMEOUT(statuses.has(SyncStatus::Success), 5000);
    QCOMPARE(target.requests.first(), QString("list"));
    QVERIFY(target.requests.contains("download:History#aaa.json"));
    QCOMPARE(history.items, (QStringList{"local", "remote"}));
}

// The rest of a halted queue may run much later; by then other computers have stored and pruned
// versions, and a list kept from before would send every later pass after a file that is gone.
void TestSyncQueue::testHaltedQueueReadsTheFileListAgain()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    target.autoAnswer = false;
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    target.put("History#old.json", qCompress(documentBytes({"old"})));
    FakeDocument history;
    history.items = {"local"};

    engine.sync(SyncFile::History, &history, BothWays);
    engine.handleQueue();
    QVERIFY(target.answerNext());
    QCOMPARE(target.requests.last(), QString("download:History#old.json"));
    // Another computer prunes the version meanwhile.
    target.store.remove("History#old.json");
    target.put("History#new.json", qCompress(documentBytes({"new"})));
    QVERIFY(target.answerNext());
    QCOMPARE(statuses.last(), SyncStatus::Failed);
    QVERIFY(logHas("Sync: Download failed for History.json"));
    QVERIFY(!engine.isFileListRead());

    target.autoAnswer = true;
    engine.sync(SyncFile::History, &history, BothWays);
    QCOMPARE(runPass(engine), SyncStatus::Success);
    QCOMPARE(target.requestsStartingWith("list").size(), 2);
    QCOMPARE(history.items, (QStringList{"local", "new"}));
}

void TestSyncQueue::testInvalidTargetEmptiesTheQueueSilently()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    target.valid = false;
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    FakeDocument history;

    engine.sync(SyncFile::History, &history, BothWays);
    QTest::ignoreMessage(QtWarningMsg, "No valid sync available");
    engine.handleQueue();
    QVERIFY(engine.queue().isEmpty());
    QVERIFY(target.requests.isEmpty());
    settle();
    QVERIFY(statuses.entries.isEmpty());

    // The real engine without a target behaves the same.
    Sync none;
    none.initialize("None", ReportState, settingsMap());
    StatusLog noneStatuses(&none);
    none.sync(SyncFile::History, &history, BothWays);
    QTest::ignoreMessage(QtWarningMsg, "No valid sync available");
    none.syncAll(BothWays);
    QVERIFY(none.queue().isEmpty());
    QVERIFY(logHas("Sync all: 0"));
    QVERIFY(noneStatuses.entries.isEmpty());
}

void TestSyncQueue::testNothingToSyncReportsSuccessAfterReturning()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    QMap<QString, QVariant> map = settingsMap();
    map["SyncHistory"] = false;
    map["SyncSnippets"] = false;
    engine.initialize("Scripted", ReportState, map);
    StatusLog statuses(&engine);
    FakeDocument history;

    engine.sync(SyncFile::History, &history, BothWays);
    engine.syncAll(FromServer);
    QVERIFY(logHas("Sync all: 1"));
    QVERIFY(statuses.entries.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(statuses.entries.size(), 1, 2000);
    QCOMPARE(statuses.entries.first(), std::make_pair(SyncStatus::Success, QString("Synchronization successful.")));
    QVERIFY(target.requests.isEmpty());
    QVERIFY(engine.onlineFiles().isEmpty());
    QVERIFY(!engine.isFileListRead());
}

// A full sync starts at once, while the timer of its requests still runs.
void TestSyncQueue::testFailedPassIsNeverReportedAgainAsASuccess()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    engine.setQueueDelay(300);
    StatusLog statuses(&engine);
    SyncData missing;
    missing.operation = DownloadImage;
    missing.file = "image_" + QUuid::createUuid().toString() + "_gone.png";
    missing.second = missing.file;

    engine.addToQueue(missing);
    engine.handleQueue();
    QTRY_VERIFY_WITH_TIMEOUT(statuses.has(SyncStatus::Failed), 2000);
    QTest::qWait(600);
    QCOMPARE(statuses.last(), SyncStatus::Failed);
    QVERIFY(!statuses.has(SyncStatus::Success));
    QVERIFY(logHas("Sync: Download failed for " + missing.file));

    // The failure belongs to that pass only.
    FakeDocument history;
    history.items = {"local"};
    engine.sync(SyncFile::History, &history, BothWays);
    engine.handleQueue();
    QTRY_COMPARE_WITH_TIMEOUT(statuses.last(), SyncStatus::Success, 2000);
}

void TestSyncQueue::testFileListFailureKeepsTheQueueAndListensAgain()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    target.listFails = true;
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    FakeDocument history;
    history.items = {"local"};

    engine.sync(SyncFile::History, &history, BothWays);
    engine.handleQueue();
    QTRY_VERIFY_WITH_TIMEOUT(statuses.has(SyncStatus::Failed), 2000);
    QCOMPARE(statuses.entries.last().second, QString("Synchronization failed."));
    QVERIFY(logHas("Sync: Reading file list"));
    QVERIFY(logHas("Sync: Failed to read the file list"));
    QCOMPARE(engine.queue().size(), 1);
    QVERIFY(!engine.isFileListRead());
    // A failure that repeats must not leave outside changes unnoticed for good.
    QVERIFY(!engine.isListening());
    QTRY_VERIFY_WITH_TIMEOUT(engine.isListening(), 3000);

    target.listFails = false;
    engine.handleQueue();
    QTRY_COMPARE_WITH_TIMEOUT(statuses.last(), SyncStatus::Success, 2000);
    QCOMPARE(target.requestsStartingWith("list").size(), 2);
    QCOMPARE(target.requestsStartingWith("upload:").size(), 1);
}

void TestSyncQueue::testUnknownOperationLeavesTheQueueResting()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    FakeDocument history;

    SyncData unknown;
    unknown.operation = 3;
    unknown.file = "three";
    engine.addToQueue(unknown);
    engine.sync(SyncFile::History, &history, BothWays);
    QTest::ignoreMessage(QtWarningMsg, "Unknown operation 3");
    engine.handleQueue();
    QTRY_VERIFY_WITH_TIMEOUT(target.requests == QStringList{"list"} && engine.queue().size() == 1, 2000);
    settle();
    QVERIFY(!statuses.has(SyncStatus::Success));
    QVERIFY(!engine.isOperationInFlight());
    QVERIFY(target.requestsStartingWith("upload:").isEmpty());
}

void TestSyncQueue::testDeleteOfUnknownFileGoesOn()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    StatusLog statuses(&engine);
    FakeDocument history;
    history.items = {"local"};
    target.put("keep.json", "x");

    SyncData removal;
    removal.operation = DeleteFile;
    removal.file = "History#gone.json";
    removal.second = "History#gone.json";
    engine.addToQueue(removal);
    SyncData present = removal;
    present.file = "keep.json";
    present.second = "keep.json";
    engine.addToQueue(present);
    engine.sync(SyncFile::History, &history, BothWays);
    engine.handleQueue();
    QTRY_COMPARE_WITH_TIMEOUT(statuses.has(SyncStatus::Success), true, 5000);
    QVERIFY(logHas("Sync: Unable to delete History#gone.json. File not found."));
    QVERIFY(logHas("Sync: Delete finished for keep.json"));
    QVERIFY(!target.store.contains("keep.json"));
    QCOMPARE(target.requestsStartingWith("remove:"), QStringList{"remove:keep.json"});
    QCOMPARE(target.requestsStartingWith("upload:").size(), 1);
}

void TestSyncQueue::testTargetChoiceIsExact()
{
    QTemporaryDir folder;
    Sync engine;
    QList<bool> results;
    connect(&engine, &Sync::initialized, this, [&results](bool success) { results.append(success); });

    engine.initialize("googledrive", ReportState, settingsMap(folder.path()));
    QCOMPARE(results, QList<bool>{true});
    QVERIFY(!engine.isValid());
    QCOMPARE(engine.getSync()->title(), QString());

    // Nobody has signed in to Google Drive here.
    engine.initialize("GoogleDrive", ReportState, settingsMap(folder.path()));
    QCOMPARE(results, (QList<bool>{true, false}));
    QVERIFY(!engine.isValid());
    QCOMPARE(engine.getSync()->title(), QString("Google Drive"));

    engine.initialize("LocalFolder", ReportState, settingsMap(folder.path()));
    QCOMPARE(results, (QList<bool>{true, false, true}));
    QVERIFY(engine.isValid());
    QCOMPARE(engine.getSync()->title(), QString("Local folder"));

    engine.initialize("localfolder", ReportState, settingsMap(folder.path()));
    QVERIFY(!engine.isValid());
}

void TestSyncQueue::testRequestsThatQueueNothing()
{
    TestSync engine;
    ScriptedTarget target(&engine);
    engine.target = &target;
    engine.initialize("Scripted", ReportState, settingsMap());
    FakeDocument history;

    demoEnabled = true;
    engine.sync(SyncFile::History, &history, BothWays);
    demoEnabled = false;
    QVERIFY(engine.queue().isEmpty());

    QTest::ignoreMessage(QtWarningMsg, "Unknown sync file: 5");
    engine.sync(SyncFile(5), &history, BothWays);
    QVERIFY(engine.queue().isEmpty());

    // Without a model there is nothing to merge.
    engine.sync(SyncFile::History, nullptr, BothWays);
    QVERIFY(engine.queue().isEmpty());

    // The builders carry no file: one of each kind waits, so a resync asked for with a full sync
    // keeps the action sync.
    QMap<QString, QVariant> map = settingsMap();
    map["SyncActions"] = true;
    engine.initialize("Scripted", ReportState, map);
    engine.syncActions(BothWays);
    engine.resyncAll();
    engine.syncActions(FromServer);
    engine.resyncAll();
    QCOMPARE(engine.queue().size(), 2);
    QCOMPARE(engine.queue().first().operation, qint32(BuildActionOperations));
    QCOMPARE(engine.queue().first().direction, FromServer);
    QCOMPARE(engine.queue().last().operation, qint32(BuildResyncOperations));
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncQueue)
#include "tst_syncqueue.moc"
