#include "sync/synctestsupport.h"

#include "sync/synclocalfolder.h"
#include "sync/syncnone.h"
#include "common/utils.h"

#include <QDir>
#include <QSettings>

#include <csignal>
#include <sys/resource.h>

using namespace SyncTest;

namespace {

// Records every answer a target gives, and whether it came while the request call was running.
class RecordingEngine : public Sync
{
public:
    struct Answer
    {
        QString kind;
        SyncData data;
        QByteArray bytes;
        OnlineFiles files;
        bool error = false;
        bool duringRequest = false;
    };

    void getFilesFinished(OnlineFiles files, bool error) override { record({"list", {}, {}, files, error}); }
    void downloadFinished(DownloadFinishedCallback, SyncData data, QByteArray bytes, bool error) override
    {
        record({"download", data, bytes, {}, error});
    }
    void uploadFinished(UploadFinishedCallback, SyncData data, bool error) override { record({"upload", data, {}, {}, error}); }
    void deleteFinished(SyncData data, bool error) override { record({"delete", data, {}, {}, error}); }

    // Runs a request and tells whether it was answered before it returned.
    template<typename Request>
    bool answeredDuring(Request request)
    {
        inRequest = true;
        const int before = answers.size();
        request();
        inRequest = false;
        return answers.size() > before;
    }

    QList<Answer> answers;
    bool inRequest = false;

private:
    void record(Answer answer)
    {
        answer.duringRequest = inRequest;
        answers.append(answer);
    }
};

SyncData named(const QString &name)
{
    SyncData data;
    data.file = name;
    data.second = name;
    return data;
}

QStringList everyEntry(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Makes writes beyond a size fail, even for root, for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestSyncLocalFolder : public QObject
{
    Q_OBJECT

private slots:
    void testListingHoldsOnlyPlainTopLevelFiles();
    void testListingTimesAreUtcWithMilliseconds();
    void testSuccessIsAnsweredAfterTheRequestReturns();
    void testFailureIsAnsweredOnceBeforeTheRequestReturns();
    void testUploadReplacesTheFileWithoutLeavingTemporaryFiles();
    void testFailedWriteKeepsTheOldFile();
    void testNamesThatLeaveTheFolderAreRefused();
    void testInitializeReportsTheFolderState();
    void testNoneTargetAnswersAtOnceButIsNeverValid();
};

void TestSyncLocalFolder::testListingHoldsOnlyPlainTopLevelFiles()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));

    // An empty folder still lists as read.
    QVERIFY(!engine.answeredDuring([&] { target.getFiles(); }));
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 1, 2000);
    QCOMPARE(engine.answers[0].files.size(), 1);
    QCOMPARE(engine.answers[0].files.value(QString()), std::make_pair(QString(), QString()));
    QVERIFY(!engine.answers[0].error);

    QVERIFY(writeFile(folder.filePath("History#abc.json"), "h"));
    QVERIFY(writeFile(folder.filePath("action_20230101T000000_a.json"), "a"));
    QVERIFY(writeFile(folder.filePath(".History#hidden.json"), "x"));
    QVERIFY(QDir(folder.path()).mkdir("sub"));
    QVERIFY(writeFile(folder.filePath("sub/History#deep.json"), "x"));

    target.getFiles();
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 2, 2000);
    const OnlineFiles files = engine.answers[1].files;
    QCOMPARE(files.keys(), (QStringList{QString(), "History#abc.json", "action_20230101T000000_a.json"}));
    QCOMPARE(files.value("History#abc.json").first, QString("History#abc.json"));
}

void TestSyncLocalFolder::testListingTimesAreUtcWithMilliseconds()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));

    // Two versions 400 ms apart, in a zone with a clock change: they must sort as written.
    const QDateTime first = QDateTime(QDate(2023, 10, 29), QTime(0, 59, 59, 800), Qt::UTC);
    QVERIFY(writeFile(folder.filePath("History#old.json"), "1", first));
    QVERIFY(writeFile(folder.filePath("History#new.json"), "2", first.addMSecs(400)));

    target.getFiles();
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 1, 2000);
    const OnlineFiles files = engine.answers[0].files;
    QCOMPARE(files.value("History#old.json").second, QString("2023-10-29T00:59:59.800Z"));
    QCOMPARE(files.value("History#new.json").second, QString("2023-10-29T01:00:00.200Z"));
    QVERIFY(files.value("History#old.json").second < files.value("History#new.json").second);
}

void TestSyncLocalFolder::testSuccessIsAnsweredAfterTheRequestReturns()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));

    SyncData upload = named("History#1.json");
    upload.second.clear();
    QVERIFY(!engine.answeredDuring([&] { target.upload(MergeUpload, upload, "payload"); }));
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 1, 2000);
    QCOMPARE(engine.answers[0].kind, QString("upload"));
    QVERIFY(!engine.answers[0].error);
    // The online id of a folder file is its name.
    QCOMPARE(engine.answers[0].data.second, QString("History#1.json"));
    QCOMPARE(readFile(folder.filePath("History#1.json")), QByteArray("payload"));

    QVERIFY(!engine.answeredDuring([&] { target.download(JsonDownloaded, named("History#1.json")); }));
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 2, 2000);
    QCOMPARE(engine.answers[1].bytes, QByteArray("payload"));
    QVERIFY(!engine.answers[1].error);

    QVERIFY(!engine.answeredDuring([&] { target.remove(named("History#1.json")); }));
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 3, 2000);
    QVERIFY(!engine.answers[2].error);
    QVERIFY(!QFile::exists(folder.filePath("History#1.json")));
    QCOMPARE(engine.answers.size(), 3);
}

void TestSyncLocalFolder::testFailureIsAnsweredOnceBeforeTheRequestReturns()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to open file for reading .*missing.json"));
    QVERIFY(engine.answeredDuring([&] { target.download(JsonDownloaded, named("missing.json")); }));
    QVERIFY(engine.answers.last().error);
    QVERIFY(engine.answers.last().bytes.isEmpty());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to remove file .*missing.json"));
    QVERIFY(engine.answeredDuring([&] { target.remove(named("missing.json")); }));
    QVERIFY(engine.answers.last().error);

    // A folder that cannot be read is no empty one: the engine would take every file for deleted.
    QVERIFY(writeFile(folder.filePath("History#1.json"), "h"));
    const QRegularExpression unreadable("^Unable to read the folder");
    QTest::ignoreMessage(QtWarningMsg, unreadable);
    // Listed on another thread, so answered after the request returned, and once. That thread is
    // made by the first listing; a thread needs descriptors of its own.
    target.getFiles();
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 3, 5000);
    {
        NoDescriptorLeft limit;
        QVERIFY(!engine.answeredDuring([&] { target.getFiles(); }));
        QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 4, 5000);
    }
    QVERIFY(engine.answers.last().error);
    QVERIFY(engine.answers.last().files.isEmpty());

    QTemporaryDir gone;
    const QString goneFolder = gone.path();
    target.initialize(ReportState, settingsMap(goneFolder));
    gone.remove();
    QVERIFY(!target.isValid());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^The folder doesn't exist"));
    QVERIFY(engine.answeredDuring([&] { target.getFiles(); }));
    QVERIFY(engine.answers.last().error);

    QCoreApplication::processEvents();
    QCOMPARE(engine.answers.size(), 5);
}

void TestSyncLocalFolder::testUploadReplacesTheFileWithoutLeavingTemporaryFiles()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));
    QVERIFY(writeFile(folder.filePath("image_x_a.png"), "old content"));

    const QByteArray large(3 * 1024 * 1024, 'n');
    target.upload(PlainUpload, named("image_x_a.png"), large);
    QCOMPARE(readFile(folder.filePath("image_x_a.png")), large);
    QCOMPARE(everyEntry(folder.path()), QStringList{"image_x_a.png"});
    QTRY_COMPARE_WITH_TIMEOUT(engine.answers.size(), 1, 2000);
    QVERIFY(!engine.answers[0].error);
}

// A full disk while a file is replaced must not destroy the only stored copy.
void TestSyncLocalFolder::testFailedWriteKeepsTheOldFile()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(folder.path()));
    QVERIFY(writeFile(folder.filePath("action_20200101T000000_a.json"), "old content"));

    {
        FileSizeLimit limit(64 * 1024);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to write to file"));
        QVERIFY(engine.answeredDuring(
            [&] { target.upload(PlainUpload, named("action_20200101T000000_a.json"), QByteArray(256 * 1024, 'n')); }));
    }
    QVERIFY(engine.answers.last().error);
    QCOMPARE(readFile(folder.filePath("action_20200101T000000_a.json")), QByteArray("old content"));
    QCOMPARE(everyEntry(folder.path()), QStringList{"action_20200101T000000_a.json"});

    // A name taken by a folder cannot be replaced either; nothing is left behind.
    QVERIFY(QDir(folder.path()).mkdir("History#taken.json"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to write to file"));
    QVERIFY(engine.answeredDuring([&] { target.upload(MergeUpload, named("History#taken.json"), "x"); }));
    QVERIFY(engine.answers.last().error);
    QCOMPARE(everyEntry(folder.path()), (QStringList{"History#taken.json", "action_20200101T000000_a.json"}));
}

void TestSyncLocalFolder::testNamesThatLeaveTheFolderAreRefused()
{
    QTemporaryDir root;
    const QString shared = root.filePath("shared");
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(writeFile(root.filePath("outside.txt"), "keep"));
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    target.initialize(ReportState, settingsMap(shared));

    QVERIFY(engine.answeredDuring([&] { target.upload(PlainUpload, named("../outside.txt"), "overwritten"); }));
    QVERIFY(engine.answers.last().error);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to remove file"));
    QVERIFY(engine.answeredDuring([&] { target.remove(named("../outside.txt")); }));
    QVERIFY(engine.answers.last().error);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to open file for reading"));
    QVERIFY(engine.answeredDuring([&] { target.download(JsonDownloaded, named("../outside.txt")); }));
    QVERIFY(engine.answers.last().error);
    QCOMPARE(readFile(root.filePath("outside.txt")), QByteArray("keep"));
}

void TestSyncLocalFolder::testInitializeReportsTheFolderState()
{
    QTemporaryDir folder;
    RecordingEngine engine;
    SyncLocalFolder target(&engine);
    QList<bool> results;
    connect(&target, &SyncLocalFolder::initialized, this, [&results](bool success) { results.append(success); });

    target.initialize(ReportState, settingsMap(folder.path()));
    target.initialize(InteractiveIfNeeded, settingsMap(folder.path()));
    target.initialize(ReportState, settingsMap(folder.filePath("missing")));
    QCOMPARE(results, (QList<bool>{true, true, false}));
    QVERIFY(!target.isValid());

    // An empty path would name the current folder; it is no folder at all.
    target.initialize(ReportState, settingsMap(QString()));
    QCOMPARE(results.last(), false);
    QVERIFY(!target.isValid());
    QCOMPARE(target.title(), QString("Local folder"));

    target.initialize(ReportState, settingsMap(folder.path()));
    QVERIFY(target.isValid());
    QVERIFY(folder.remove());
    QVERIFY(!target.isValid());
}

void TestSyncLocalFolder::testNoneTargetAnswersAtOnceButIsNeverValid()
{
    RecordingEngine engine;
    SyncNone target(&engine);
    QList<bool> results;
    connect(&target, &SyncNone::initialized, this, [&results](bool success) { results.append(success); });
    target.initialize(Interactive, {});
    QCOMPARE(results, QList<bool>{true});
    QVERIFY(!target.isValid());
    QCOMPARE(target.title(), QString());

    QVERIFY(engine.answeredDuring([&] { target.getFiles(); }));
    QCOMPARE(engine.answers.last().files.size(), 1);
    QVERIFY(engine.answers.last().files.contains(QString()));
    QVERIFY(engine.answeredDuring([&] { target.download(JsonDownloaded, named("a")); }));
    QVERIFY(engine.answeredDuring([&] { target.upload(MergeUpload, named("a"), "x"); }));
    QCOMPARE(engine.answers.last().data.second, QString("a"));
    QVERIFY(engine.answeredDuring([&] { target.remove(named("a")); }));
    for (const auto &answer : std::as_const(engine.answers))
        QVERIFY(!answer.error);
    QCOMPARE(engine.answers.size(), 4);
}

KESTOVAN_SYNC_TEST_MAIN(TestSyncLocalFolder)
#include "tst_synclocalfolder.moc"
