#include "oauth/oauthtestsupport.h"

#include "httpstandin.h"
#include "oauth/o2replylist.h"
#include "oauth/o2requestor.h"

#include <QSignalSpy>

namespace {

using Finished = std::tuple<int, QNetworkReply::NetworkError, QByteArray>;

Finished finishedAt(const QSignalSpy &spy, int index)
{
    const QList<QVariant> &arguments = spy.at(index);
    return {arguments[0].toInt(), arguments[1].value<QNetworkReply::NetworkError>(), arguments[2].toByteArray()};
}

} // namespace

class TestO2Requestor : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_stores = 0;
    std::unique_ptr<HttpStandIn> m_server;
    std::unique_ptr<O2> m_o2;
    QNetworkAccessManager m_manager;
    // The bearer token the API accepts; anything else gets 401.
    QByteArray m_acceptedToken = "A2";
    StandInAnswer m_refreshAnswer;
    int m_slowDelay = 0;

    QNetworkRequest request(const QString &path) const { return QNetworkRequest(m_server->url(path)); }

private slots:
    void init()
    {
        m_server = std::make_unique<HttpStandIn>();
        m_acceptedToken = "A2";
        m_slowDelay = 0;
        m_refreshAnswer = StandInAnswer{200, "{\"access_token\":\"A2\",\"expires_in\":3600}"};
        m_server->answer = [this](const StandInRequest &request) {
            if (request.path() == "/token")
                return m_refreshAnswer;
            if (request.path() == "/api/slow")
                return StandInAnswer{200, "slow", "text/plain", m_slowDelay};
            if (request.path() == "/api/missing")
                return StandInAnswer{404, "missing", "text/plain"};
            if (request.header("Authorization") != "Bearer " + m_acceptedToken)
                return StandInAnswer{401, "{\"error\":{\"code\":401}}"};
            return StandInAnswer{200, "ok " + request.method + ' ' + request.body, "text/plain"};
        };
        m_o2 = std::make_unique<O2>();
        m_o2->setStore(iniStore(m_dir.filePath(QString("store%1.ini").arg(++m_stores))));
        m_o2->setClientId("client");
        m_o2->setClientSecret("secret");
        m_o2->setRefreshTokenUrl(m_server->url("/token").toString());
        m_o2->setLinked(true);
        m_o2->setToken("A1");
        m_o2->setRefreshToken("R1");
    }

    void cleanup() { O2ReplyList::setDefaultTimeOut(60000); }

    void testRequestCarriesTheBearerToken()
    {
        m_acceptedToken = "A1";
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const int id = requestor.get(request("/api/item"));
        QVERIFY(id >= 0);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finishedAt(finished, 0), Finished(id, QNetworkReply::NoError, "ok GET "));
        QCOMPARE(m_server->requests.size(), 1);
        QCOMPARE(m_server->requests[0].header("Authorization"), QByteArray("Bearer A1"));
    }

    void testUnauthorisedRequestIsRefreshedAndSentOnceMore_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("body");
        for (const QByteArray method : {"GET", "POST", "PUT", "PATCH", "DELETE"}) {
            const bool hasBody = method == "POST" || method == "PUT" || method == "PATCH";
            QTest::newRow(method.constData()) << method << (hasBody ? QByteArray("body of " + method) : QByteArray());
        }
    }

    void testUnauthorisedRequestIsRefreshedAndSentOnceMore()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, body);
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const QNetworkRequest req = request("/api/item");
        const QMap<QByteArray, std::function<int()>> send = {
            {"GET", [&] { return requestor.get(req); }},
            {"POST", [&] { return requestor.post(req, body); }},
            {"PUT", [&] { return requestor.put(req, body); }},
            {"PATCH", [&] { return requestor.patch(req, body); }},
            {"DELETE", [&] { return requestor.deleteResource(req); }},
        };
        const int id = send[method]();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finishedAt(finished, 0), Finished(id, QNetworkReply::NoError, "ok " + method + ' ' + body));

        const QList<StandInRequest> attempts = m_server->requestsTo("/api/item");
        QCOMPARE(attempts.size(), 2);
        QCOMPARE(m_server->requestsTo("/token").size(), 1);
        QCOMPARE(attempts[0].header("Authorization"), QByteArray("Bearer A1"));
        QCOMPARE(attempts[1].header("Authorization"), QByteArray("Bearer A2"));
        for (const StandInRequest &attempt : attempts) {
            QCOMPARE(attempt.method, method);
            QCOMPARE(attempt.body, body);
        }
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
    }

    void testUnauthorisedAgainEndsTheRequest()
    {
        m_acceptedToken = "never";
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const int id = requestor.get(request("/api/item"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(std::get<0>(finishedAt(finished, 0)), id);
        QCOMPARE(std::get<1>(finishedAt(finished, 0)), QNetworkReply::AuthenticationRequiredError);
        QCOMPARE(m_server->requestsTo("/api/item").size(), 2);
        QCOMPARE(m_server->requestsTo("/token").size(), 1);
    }

    void testFailedRefreshEndsTheRequestAndUnlinks()
    {
        m_refreshAnswer = StandInAnswer{400, "{\"error\":\"invalid_grant\"}"};
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        requestor.get(request("/api/item"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(std::get<1>(finishedAt(finished, 0)), QNetworkReply::ProtocolInvalidOperationError);
        QCOMPARE(m_server->requestsTo("/api/item").size(), 1);
        QVERIFY(!m_o2->linked());
    }

    void testOneRequestAtATimeAndIdsNeverRepeat()
    {
        m_acceptedToken = "A1";
        O2Requestor first(&m_manager, m_o2.get());
        O2Requestor second(&m_manager, m_o2.get());
        QSignalSpy finished(&first, &O2Requestor::finished);
        const int id = first.get(request("/api/item"));
        QTest::ignoreMessage(QtWarningMsg, "O2Requestor::setup: Another request pending");
        QCOMPARE(first.get(request("/api/other")), -1);
        QCOMPARE(second.get(request("/api/item")), id + 1);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(std::get<0>(finishedAt(finished, 0)), id);
        QCOMPARE(m_server->requestsTo("/api/other").size(), 0);
        QCOMPARE(first.get(request("/api/item")), id + 2);
    }

    void testTimedOutRequestFinishesOnce()
    {
        // Long enough for the request to reach the stand-in on a busy machine.
        O2ReplyList::setDefaultTimeOut(500);
        m_slowDelay = -1;
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const int id = requestor.get(request("/api/slow"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finishedAt(finished, 0), Finished(id, QNetworkReply::TimeoutError, QByteArray()));
        QTRY_COMPARE(m_server->dropped, 1);
        // The answer comes late, to any connection still open.
        m_server->releaseHeld();
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
    }

    // One requestor's refresh must not send another's pending request again nor end it early.
    void testOnlyItsOwnRefreshRestartsARequest()
    {
        m_slowDelay = -1;
        O2Requestor waiting(&m_manager, m_o2.get());
        O2Requestor refreshing(&m_manager, m_o2.get());
        QSignalSpy waitingFinished(&waiting, &O2Requestor::finished);
        QSignalSpy refreshingFinished(&refreshing, &O2Requestor::finished);
        const int slowId = waiting.get(request("/api/slow"));
        QTRY_COMPARE(m_server->requestsTo("/api/slow").size(), 1);
        refreshing.get(request("/api/item"));
        QTRY_COMPARE(refreshingFinished.count(), 1);
        QCOMPARE(std::get<1>(finishedAt(refreshingFinished, 0)), QNetworkReply::NoError);
        QTest::qWait(300);
        QCOMPARE(waitingFinished.count(), 0);
        m_server->releaseHeld();
        QTRY_COMPARE(waitingFinished.count(), 1);
        QCOMPARE(finishedAt(waitingFinished, 0), Finished(slowId, QNetworkReply::NoError, "slow"));
        QCOMPARE(m_server->requestsTo("/api/slow").size(), 1);
    }

    void testErrorAnswerReachesTheCaller()
    {
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const int id = requestor.get(request("/api/missing"));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finishedAt(finished, 0), Finished(id, QNetworkReply::ContentNotFoundError, "missing"));
    }

    void testUploadProgressCarriesTheId()
    {
        m_acceptedToken = "A1";
        O2Requestor requestor(&m_manager, m_o2.get());
        QSignalSpy progress(&requestor, &O2Requestor::uploadProgress);
        QSignalSpy finished(&requestor, &O2Requestor::finished);
        const QByteArray body(200000, 'u');
        const int id = requestor.post(request("/api/upload"), body);
        QTRY_COMPARE(finished.count(), 1);
        bool sentAll = false;
        for (const QList<QVariant> &report : progress) {
            QCOMPARE(report.at(0).toInt(), id);
            sentAll = sentAll || report.at(1).toLongLong() == body.size();
        }
        QVERIFY(sentAll);
    }
};

KESTOVAN_OAUTH_TEST_MAIN(TestO2Requestor)
#include "tst_o2requestor.moc"
