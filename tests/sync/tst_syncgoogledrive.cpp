// The Google Drive target against a Drive stand-in on 127.0.0.1: the requests it sends, what it
// makes of the answers, and the sign-in states.
#include "sync/synctestsupport.h"

#include "browsercatcher.h"
#include "common/safefile.h"
#include "common/translation.h"
#include "oauth/o2google.h"
#include "oauth/o2replylist.h"
#include "oauth/o2requestor.h"
#include "oauth/oauthtestsupport.h"
#include "sync/drivestandin.h"
#include "googledrivetestsupport.h"

#include <QSet>

using namespace SyncTest;

namespace {

const char *const c_clientId = "drive-test.apps.example";
const char *const c_listQuery = "/drive/v3/files?spaces=appDataFolder&fields=nextPageToken,files(id,name,createdTime)&pageSize=1000";

// Takes the place of the engine and keeps every answer of the target.
class AnswerRecorder : public Sync
{
public:
    struct Answer
    {
        QString call;
        SyncData data;
        QByteArray bytes;
        OnlineFiles files;
        bool error = false;
        int callback = -1;
    };

    void getFilesFinished(OnlineFiles files, bool error) override { answers.append({"list", {}, {}, files, error}); }
    void downloadFinished(DownloadFinishedCallback callback, SyncData data, QByteArray bytes, bool error) override
    {
        answers.append({"download", data, bytes, {}, error, callback});
    }
    void uploadFinished(UploadFinishedCallback callback, SyncData data, bool error) override
    {
        answers.append({"upload", data, {}, {}, error, callback});
    }
    void deleteFinished(SyncData data, bool error) override { answers.append({"delete", data, {}, {}, error}); }

    // The only answer, once it has come.
    const Answer *single()
    {
        if (!QTest::qWaitFor([this] { return !answers.isEmpty(); }, 20000))
            return nullptr;
        QTest::qWait(50);
        return answers.size() == 1 ? &answers.first() : nullptr;
    }

    QList<Answer> answers;
};


SyncData fileData(const QString &name, const QString &id = QString())
{
    SyncData data;
    data.operation = DownloadAction;
    data.file = name;
    data.second = id;
    return data;
}

// One request of the kind a row names ("list", "download", "upload", "delete"); the download and
// removal are of the file with the id "id-1".
void sendRequest(SyncGoogleDrive &target, const QString &operation, const QString &name)
{
    if (operation == "list")
        target.getFiles();
    else if (operation == "download")
        target.download(JsonDownloaded, fileData(name, "id-1"));
    else if (operation == "upload")
        target.upload(PlainUpload, fileData("action_a.json"), "payload");
    else
        target.remove(fileData(name, "id-1"));
}

QByteArray binary()
{
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes.append(char(i * 7 % 256));
    return bytes;
}

} // namespace

class TestSyncGoogleDrive : public QObject
{
    Q_OBJECT

    std::unique_ptr<DriveStandIn> m_drive;
    std::unique_ptr<AnswerRecorder> m_engine;
    QSet<QByteArray> m_boundaries;

    // A target signed in with the stand-in's current token (or another one).
    SyncGoogleDrive *signedInTarget(const QString &token = "access-1")
    {
        auto *target = new SyncGoogleDrive(m_engine.get());
        target->o2()->setToken(token);
        target->o2()->setRefreshToken("refresh-1");
        target->o2()->setExpires(QDateTime::currentSecsSinceEpoch() + 3600);
        target->o2()->setLinked(true);
        return target;
    }

private slots:
    void initTestCase()
    {
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", c_clientId);
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "drive-test-secret");
    }

    void init()
    {
        SyncLogDialog::c_log.clear();
        m_drive = std::make_unique<DriveStandIn>();
        qputenv("KESTOVAN_GOOGLE_API_URL", m_drive->base().toUtf8());
        qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", m_drive->base().toUtf8());
        // An address nobody answers: these tests are about Drive.
        qputenv("KESTOVAN_NOTIFIER_URL", "ws://127.0.0.1:1/notifier");
        m_engine = std::make_unique<AnswerRecorder>();
        googleDriveOf(*m_engine)->o2()->unlink();
    }

    void cleanup()
    {
        O2ReplyList::setDefaultTimeOut(60000);
        Translation::selectLanguage("English");
    }

    void testListingFollowsEveryPage_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("pageLimit");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty folder") << 0 << 1000 << 1;
        QTest::newRow("one page") << 5 << 1000 << 1;
        QTest::newRow("pages of Drive's default size") << 250 << 100 << 3;
        QTest::newRow("full pages") << 2500 << 1000 << 3;
    }

    void testListingFollowsEveryPage()
    {
        QFETCH(int, files);
        QFETCH(int, pageLimit);
        QFETCH(int, pages);
        m_drive->pageLimit = pageLimit;
        for (int i = 0; i < files; ++i)
            m_drive->add(i % 2 ? "History#same.json" : QString("image_%1.png").arg(i), "x");

        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->getFiles();
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->call, QString("list"));
        QVERIFY(!answer->error);
        // Every file, same names included, and the entry that marks a read list.
        QCOMPARE(answer->files.size(), files + 1);
        QCOMPARE(answer->files.value(QString()), (std::pair<QString, QString>()));
        for (const DriveStandIn::File &file : std::as_const(m_drive->files))
            QCOMPARE(answer->files.value(file.id), std::make_pair(file.name, file.createdTime));

        const QList<StandInRequest> requests = m_drive->http.requests;
        QCOMPARE(requests.size(), pages);
        for (int page = 0; page < pages; ++page) {
            QCOMPARE(requests[page].method, QByteArray("GET"));
            QCOMPARE(requests[page].header("authorization"), QByteArray("Bearer access-1"));
            const QByteArray sent = requests[page].target;
            if (page == 0) {
                QCOMPARE(sent, QByteArray(c_listQuery));
                continue;
            }
            QVERIFY(sent.startsWith(QByteArray(c_listQuery) + "&pageToken="));
            const QUrlQuery query(QString::fromLatin1(sent.mid(sent.indexOf('?') + 1)));
            QCOMPARE(query.queryItemValue("pageToken", QUrl::FullyDecoded),
                QString("next page/+=:%1").arg(page * pageLimit));
        }
    }

    void testListingFailures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("stream");
        QTest::addColumn<bool>("error");
        QTest::newRow("server error") << 500 << QByteArray("{}") << qint64(0) << true;
        // A list that does not read is no empty store: the engine would take every file for deleted.
        QTest::newRow("captive portal page") << 200 << QByteArray("<html>busy</html>") << qint64(0) << true;
        QTest::newRow("empty body") << 200 << QByteArray("") << qint64(0) << true;
        QTest::newRow("files not an array") << 200 << QByteArray(R"({"files":{"id":"x"}})") << qint64(0) << true;
        QTest::newRow("error object") << 200 << QByteArray("{\"error\":{\"code\":403,\"message\":\"Rate Limit Exceeded\"}}")
                                      << qint64(0) << true;
        QTest::newRow("file without an id") << 200 << QByteArray("{\"files\":[{\"name\":\"History#1.json\",\"createdTime\":\"2024\"}]}")
                                            << qint64(0) << true;
        QTest::newRow("the same page again") << 200 << QByteArray(R"({"files":[],"nextPageToken":"again"})") << qint64(0) << true;
        // Read whole, an endless answer filled the memory until the time-out.
        QTest::newRow("endless body") << 200 << QByteArray("{\"files\":[") << qint64(-1) << true;
    }

    void testListingFailures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(qint64, stream);
        QFETCH(bool, error);
        m_drive->listStatus = status;
        m_drive->listBody = body;
        m_drive->listStream = stream;
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        const bool endless = QByteArray(QTest::currentDataTag()) == "the same page again";
        if (endless)
            QTest::ignoreMessage(QtWarningMsg, "The Google Drive file list does not end");
        target->getFiles();
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->error, error);
        const OnlineFiles onlyTheMark{{QString(), {QString(), QString()}}};
        QCOMPARE(answer->files, error ? OnlineFiles() : onlyTheMark);
        QCOMPARE(m_drive->http.requests.size(), endless ? 2 : 1);
        QVERIFY(m_drive->http.streamed < 64 * O2Requestor::c_defaultMaxReplySize);
    }

    void testFailedListingIsTriedAgain_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<bool>("change");
        QTest::newRow("after the wait Drive asks for") << 429 << QByteArray("Retry-After: 1\r\n") << false;
        QTest::newRow("at the next change") << 503 << QByteArray() << true;
    }

    // The merge stayed queued with no timer to run it, later changes were dropped as already
    // queued, and nothing was uploaded until a restart.
    void testFailedListingIsTriedAgain()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, headers);
        QFETCH(bool, change);
        Sync engine;
        O2Google *o2 = googleDriveOf(engine)->o2();
        o2->setToken("access-1");
        o2->setRefreshToken("refresh-1");
        o2->setExpires(QDateTime::currentSecsSinceEpoch() + 3600);
        o2->setLinked(true);
        engine.initialize("GoogleDrive", ReportState, settingsMap());
        engine.setQueueDelay(50);
        engine.setRetryDelay(600000);
        QList<SyncStatus> statuses;
        connect(&engine, &Sync::syncStatus, this, [&statuses](SyncStatus status) { statuses.append(status); });
        m_drive->listStatus = status;
        m_drive->listHeaders = headers;
        FakeDocument history;
        history.items = {"local"};

        engine.sync(SyncFile::History, &history, BothWays);
        QTRY_VERIFY_WITH_TIMEOUT(statuses.contains(SyncStatus::Failed), 10000);
        m_drive->listStatus = 200;
        m_drive->listHeaders.clear();
        if (change)
            engine.sync(SyncFile::History, &history, BothWays);
        QTRY_COMPARE_WITH_TIMEOUT(statuses.last(), SyncStatus::Success, 10000);
        QCOMPARE(m_drive->files.size(), 1);
        QCOMPARE(m_drive->files.first().name, Sync::addHash(history.serialize(), "History.json"));
        o2->unlink();
    }

    void testListingOfEndlessPagesStops()
    {
        m_drive->pageLimit = 1;
        for (int i = 0; i < 20; ++i)
            m_drive->add(QString("f%1").arg(i), "x");
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->setMaxPages(5);
        QTest::ignoreMessage(QtWarningMsg, "The Google Drive file list does not end");
        target->getFiles();
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
        QVERIFY(answer->files.isEmpty());
        QCOMPARE(m_drive->http.requests.size(), 5);
    }

    void testListingFailsWhenALaterPageFails()
    {
        m_drive->pageLimit = 2;
        for (int i = 0; i < 5; ++i)
            m_drive->add(QString("f%1").arg(i), "x");
        m_drive->http.answer = [serve = m_drive->http.answer](const StandInRequest &request) {
            return request.target.contains("pageToken") ? StandInAnswer{500, "{}"} : serve(request);
        };
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->getFiles();
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
        QVERIFY(answer->files.isEmpty());
    }

    void testDownloadHandsOverTheBytes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary") << binary();
        QTest::newRow("empty") << QByteArray();
        // Over the limit of JSON replies: a file may be as large as a document.
        QTest::newRow("large") << QByteArray(O2Requestor::c_defaultMaxReplySize + 1, 'L');
    }

    void testDownloadHandsOverTheBytes()
    {
        QFETCH(QByteArray, content);
        const QString id = m_drive->add("action_x.json", content).id;
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->download(ActionDownloaded, fileData("action_x.json", id));
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->call, QString("download"));
        QCOMPARE(answer->callback, int(ActionDownloaded));
        QVERIFY(!answer->error);
        QCOMPARE(answer->bytes, content);
        QCOMPARE(answer->data.file, QString("action_x.json"));
        QCOMPARE(answer->data.second, id);
        QCOMPARE(m_drive->http.requests.size(), 1);
        QCOMPARE(m_drive->http.requests.first().method, QByteArray("GET"));
        QCOMPARE(m_drive->http.requests.first().target, "/drive/v3/files/" + id.toLatin1() + "?alt=media");
    }

    void testDownloadOfAMissingFileFails()
    {
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->download(JsonDownloaded, fileData("History#1.json", "gone"));
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
        QCOMPARE(answer->callback, int(JsonDownloaded));
    }

    // Replies were read whole, however long: an endless one filled the memory until the time-out.
    void testDownloadOverTheDocumentLimitFails()
    {
        m_drive->http.answer = [](const StandInRequest &) {
            return StandInAnswer{200, "{", "application/json", 0, SafeFile::MaxDocumentSize};
        };
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^O2Requestor: the reply is larger than"));
        target->download(JsonDownloaded, fileData("History#1.json", "id-1"));
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
        QVERIFY(answer->bytes.isEmpty());
        QCOMPARE(logCount("Sync: Google Drive sent too much for "), 1);
    }

    void testUploadSendsOneMultipartRequest_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << binary();
        QTest::newRow("holds the old fixed boundary") << QByteArray("{\n--boundary\nContent-Type: text/plain\n\n--boundary--\n}");
        QTest::newRow("carriage returns") << QByteArray("line\r\nline\r\n");
        QTest::newRow("large") << QByteArray(3 * 1024 * 1024, 'U');
    }

    void testUploadSendsOneMultipartRequest()
    {
        QFETCH(QByteArray, payload);
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        SyncData data = fileData("History#abc.json", "old-id");
        data.operation = MergeDocument;
        target->upload(MergeUpload, data, payload);
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->call, QString("upload"));
        QCOMPARE(answer->callback, int(MergeUpload));
        QVERIFY(!answer->error);

        QCOMPARE(m_drive->http.requests.size(), 1);
        const StandInRequest &request = m_drive->http.requests.first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.target, QByteArray("/upload/drive/v3/files?uploadType=multipart"));
        QCOMPARE(request.header("authorization"), QByteArray("Bearer access-1"));
        QByteArray boundary;
        QJsonObject metadata;
        QByteArray received;
        QVERIFY(DriveStandIn::splitUpload(request, &boundary, &metadata, &received));
        QCOMPARE(received, payload);
        QCOMPARE(metadata, (QJsonObject{{"name", "History#abc.json"}, {"mimeType", "application/octet-stream"},
                               {"description", "Kestovan snippets file"}, {"parents", QJsonArray{"appDataFolder"}}}));
        // Line feeds only around the parts, and a boundary of its own for every request.
        QVERIFY(!request.body.left(request.body.indexOf("application/octet-stream")).contains('\r'));
        QVERIFY(request.body.endsWith(payload + "\n--" + boundary + "--\n"));
        QVERIFY(!m_boundaries.contains(boundary));
        m_boundaries.insert(boundary);
        QVERIFY(!payload.contains(boundary));

        QCOMPARE(m_drive->files.size(), 1);
        QCOMPARE(answer->data.second, m_drive->files.first().id);
        QCOMPARE(m_drive->files.first().content, payload);
    }

    void testBoundaryIsAbsentFromBothParts()
    {
        const QByteArray metadata = "{\n    \"name\": \"x\"\n}\n";
        for (int i = 0; i < 100; ++i) {
            const QByteArray boundary = SyncGoogleDrive::newBoundary(metadata, binary());
            QVERIFY(boundary.size() >= 32);
            QVERIFY(!m_boundaries.contains(boundary));
            m_boundaries.insert(boundary);
        }
        QCOMPARE(SyncGoogleDrive::multipartBody("{}\n", "", "b"),
            QByteArray("--b\nContent-Type: application/json; charset=UTF-8\n\n{}\n\n--b\n"
                       "Content-Type: application/octet-stream\n\n\n--b--\n"));
    }

    void testUploadAnswersThatFail_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("warning");
        QTest::newRow("error object") << 200 << QByteArray("{\"error\":{\"code\":403,\"message\":\"The Drive storage quota has been exceeded.\"}}")
                                      << "Upload failed: \"The Drive storage quota has been exceeded.\"";
        QTest::newRow("no id") << 200 << QByteArray("{\"name\":\"History#abc.json\"}") << "Upload answered without a file id";
        QTest::newRow("not JSON") << 200 << QByteArray("ok") << "Upload answered without a file id";
        QTest::newRow("server error") << 500 << QByteArray("{\"id\":\"never\"}") << "";
    }

    void testUploadAnswersThatFail()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, warning);
        m_drive->http.answer = [status, body](const StandInRequest &) { return StandInAnswer{status, body}; };
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->upload(PlainUpload, fileData("action_a.json", "old-id"), "{}");
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
        QCOMPARE(answer->data.second, QString("old-id"));
    }

    void testRemoveDeletesById()
    {
        const QString id = m_drive->add("History#old.json", "x").id;
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget());
        target->remove(fileData("History#old.json", id));
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->call, QString("delete"));
        QVERIFY(!answer->error);
        QCOMPARE(answer->data.second, id);
        QVERIFY(m_drive->files.isEmpty());
        QCOMPARE(m_drive->http.requests.first().method, QByteArray("DELETE"));
        QCOMPARE(m_drive->http.requests.first().target, "/drive/v3/files/" + id.toLatin1());

        m_engine->answers.clear();
        target->remove(fileData("History#old.json", id));
        answer = m_engine->single();
        QVERIFY(answer);
        QVERIFY(answer->error);
    }

    void testExpiredTokenIsRefreshedOnce_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("list") << "list" << QByteArray("GET") << QByteArray("/drive/v3/files");
        QTest::newRow("download") << "download" << QByteArray("GET") << QByteArray("/drive/v3/files/id-1");
        QTest::newRow("upload") << "upload" << QByteArray("POST") << QByteArray("/upload/drive/v3/files");
        QTest::newRow("delete") << "delete" << QByteArray("DELETE") << QByteArray("/drive/v3/files/id-1");
    }

    void testExpiredTokenIsRefreshedOnce()
    {
        QFETCH(QString, operation);
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, path);
        m_drive->add("History#abc.json", "stored");
        std::unique_ptr<SyncGoogleDrive> target(signedInTarget("stale"));
        sendRequest(*target, operation, "History#abc.json");
        const AnswerRecorder::Answer *answer = m_engine->single();
        QVERIFY(answer);
        QCOMPARE(answer->call, operation);
        QVERIFY(!answer->error);

        const QList<StandInRequest> &requests = m_drive->http.requests;
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests[0].method, method);
        QCOMPARE(requests[0].path(), path);
        QCOMPARE(requests[0].header("authorization"), QByteArray("Bearer stale"));
        QCOMPARE(requests[1].method, QByteArray("POST"));
        QCOMPARE(requests[1].path(), QByteArray("/o/oauth2/token"));
        QVERIFY(requests[1].body.contains("grant_type=refresh_token"));
        QVERIFY(requests[1].body.contains("refresh_token=refresh-1"));
        QCOMPARE(requests[2].method, method);
        QCOMPARE(requests[2].target, requests[0].target);
        QCOMPARE(requests[2].header("authorization"), QByteArray("Bearer access-2"));
        QCOMPARE(requests[2].body, requests[0].body);
        QCOMPARE(target->o2()->token(), QString("access-2"));
    }

    void testSignInStates()
    {
        BrowserCatcher browser;
        Sync engine;
        QList<bool> results;
        connect(googleDriveOf(engine), &SyncGoogleDrive::initialized, this, [&results](bool ok) { results.append(ok); });
        SyncGoogleDrive *target = googleDriveOf(engine);
        target->o2()->setLocalPort(0);
        QCOMPARE(target->title(), QString("Google Drive"));

        // Not signed in: asking only reports it.
        target->initialize(ReportState, {});
        QCOMPARE(results, QList<bool>{false});
        QVERIFY(!target->isValid());

        // Signing in when needed opens the browser at Google's sign-in with both scopes.
        target->initialize(InteractiveIfNeeded, {});
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened.size(), 1, 10000);
        const QUrl address = browser.opened.first();
        QCOMPARE(address.adjusted(QUrl::RemoveQuery).toString(), m_drive->base() + "/o/oauth2/auth");
        const QUrlQuery query(address);
        QCOMPARE(query.queryItemValue("scope", QUrl::FullyDecoded), QString("https://www.googleapis.com/auth/drive.appdata profile"));
        QCOMPARE(query.queryItemValue("client_id"), QString(c_clientId));

        // The browser comes back with a code; the reply page says so.
        m_drive->http.answer = [](const StandInRequest &) {
            return StandInAnswer{200, R"({"access_token":"access-1","refresh_token":"refresh-1","expires_in":3600})"};
        };
        const QUrl redirect(query.queryItemValue("redirect_uri", QUrl::FullyDecoded));
        BrowserStandIn back(quint16(redirect.port()));
        back.send(redirectRequest("code=4/granted&state=" + query.queryItemValue("state").toLatin1()));
        QTRY_COMPARE_WITH_TIMEOUT(results, (QList<bool>{false, true}), 10000);
        QVERIFY(target->isValid());
        QTRY_VERIFY_WITH_TIMEOUT(back.closed, 10000);
        QVERIFY(back.received.contains("You may close the browser window now."));
        QVERIFY(back.received.contains("Authentication succeeded!"));

        // Signed in: nothing more to do, and nothing goes to the network or the browser.
        const int requests = m_drive->http.requests.size();
        target->initialize(InteractiveIfNeeded, {});
        target->initialize(Interactive, {});
        target->initialize(ReportState, {});
        QCOMPARE(results, (QList<bool>{false, true, true, true, true}));
        QTest::qWait(100);
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(m_drive->http.requests.size(), requests);

        // Signing out settles the state too; whether a sign-in exists is isValid's to say.
        engine.revoke();
        QCOMPARE(results.last(), true);
        QCOMPARE(results.size(), 6);
        QVERIFY(!target->isValid());
        QVERIFY(!engine.isValid());
    }

    // The page the browser shows after the sign-in speaks the language chosen when it began.
    void testReplyPageSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("failed");
        QTest::addColumn<QString>("close");
        QTest::newRow("English") << "English" << "en" << "Authentication failed!" << "You may close the browser window now.";
        QTest::newRow("German") << "German" << "de" << "Anmeldung fehlgeschlagen!"
                                << "Sie können das Browserfenster jetzt schließen.";
        QTest::newRow("Chinese") << "Chinese" << "zh" << "身份验证失败！" << "现在可以关闭浏览器窗口了。";
    }

    void testReplyPageSpeaksTheChosenLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, code);
        QFETCH(QString, failed);
        QFETCH(QString, close);
        BrowserCatcher browser;
        Sync engine;
        SyncGoogleDrive *target = googleDriveOf(engine);
        target->o2()->setLocalPort(0);
        Translation::selectLanguage(language);
        target->initialize(Interactive, {});
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened.size(), 1, 10000);

        const QUrlQuery query(browser.opened.first());
        const QUrl redirect(query.queryItemValue("redirect_uri", QUrl::FullyDecoded));
        BrowserStandIn back(quint16(redirect.port()));
        back.send(redirectRequest("error=access_denied&state=" + query.queryItemValue("state").toLatin1()));
        QTRY_VERIFY_WITH_TIMEOUT(back.closed, 10000);
        const QString page = QString::fromUtf8(back.received);
        QVERIFY(page.contains(QString("<html lang=\"%1\">").arg(code)));
        QVERIFY2(page.contains(">" + failed + "<"), qPrintable(page));
        QVERIFY(page.contains(">" + close + "<"));
        QVERIFY(!page.contains("{{"));
        if (language != "English")
            QVERIFY(!page.contains("browser window"));
    }

    void testWithoutClientIdentityDriveSaysSo_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("status");
        QTest::newRow("at start") << int(ReportState) << "";
        QTest::newRow("chosen") << int(Interactive)
                                << "Google Drive sync is not available: this build has no Google client id and secret.";
        QTest::newRow("chosen if needed") << int(InteractiveIfNeeded)
                                          << "Google Drive sync is not available: this build has no Google client id and secret.";
    }

    void testWithoutClientIdentityDriveSaysSo()
    {
        QFETCH(int, options);
        QFETCH(QString, status);
        BrowserCatcher browser;
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", "");
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "");
        Sync engine;
        QList<std::pair<SyncStatus, QString>> statuses;
        QList<bool> results;
        connect(&engine, &Sync::syncStatus, this, [&statuses](SyncStatus s, QString text) { statuses.append({s, text}); });
        connect(&engine, &Sync::initialized, this, [&results](bool ok) { results.append(ok); });
        engine.initialize("GoogleDrive", InitOptions(options), settingsMap());
        qputenv("KESTOVAN_GOOGLE_CLIENT_ID", c_clientId);
        qputenv("KESTOVAN_GOOGLE_CLIENT_SECRET", "drive-test-secret");

        QCOMPARE(results, QList<bool>{false});
        QVERIFY(!engine.isValid());
        QCOMPARE(engine.getSync()->title(), QString("Google Drive"));
        if (status.isEmpty())
            QVERIFY(statuses.isEmpty());
        else
            QCOMPARE(statuses, (QList<std::pair<SyncStatus, QString>>{{SyncStatus::Failed, status}}));
        QVERIFY(logHas("Sync: Google Drive needs a Google client id and secret, and this build has none"));
        QTest::qWait(100);
        QVERIFY(browser.opened.isEmpty());
        QVERIFY(m_drive->http.requests.isEmpty());
    }
};

KESTOVAN_SYNC_TEST_MAIN(TestSyncGoogleDrive)
#include "tst_syncgoogledrive.moc"
