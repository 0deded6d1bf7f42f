#include "oauth/oauthtestsupport.h"

#include "httpstandin.h"
#include "oauth/o2reply.h"
#include "oauth/o2replylist.h"
#include "oauth/o2replyserver.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>

namespace {

using Parameters = QMap<QString, QString>;

const QByteArray c_defaultAnswer = "HTTP/1.0 200 OK \r\n"
                                   "Content-Type: text/html; charset=\"utf-8\"\r\n"
                                   "Content-Length: 13\r\n\r\n"
                                   "<HTML></HTML>";

} // namespace

class TestO2ReplyServer : public QObject
{
    Q_OBJECT

private slots:
    void testRedirectGetsThePageAndEndsListening()
    {
        O2ReplyServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy received(&server, &O2ReplyServer::verificationReceived);
        BrowserStandIn browser(server.serverPort());
        browser.send(redirectRequest("code=4%2FX%20Y&scope=a+b&state=s1"));
        QTRY_VERIFY(browser.closed);
        QCOMPARE(browser.received, c_defaultAnswer);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().value<Parameters>(),
                 Parameters({{"code", "4/X Y"}, {"scope", "a+b"}, {"state", "s1"}}));
        QVERIFY(!server.isListening());

        BrowserStandIn late(server.serverPort());
        QVERIFY(!late.waitConnected());
    }

    void testCustomPageIsSentWithItsLength()
    {
        O2ReplyServer server;
        server.setReplyContent("<p>Fertig – ä</p>");
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        BrowserStandIn browser(server.serverPort());
        browser.send(redirectRequest("error=access_denied"));
        QTRY_VERIFY(browser.closed);
        QVERIFY(browser.received.endsWith("\r\nContent-Length: 20\r\n\r\n<p>Fertig – ä</p>"));
    }

    void testQueryParameters_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<Parameters>("expected");
        QTest::newRow("plain") << QByteArray("GET /?code=X&scope=Y HTTP/1.1\r\n\r\n") << Parameters{{"code", "X"}, {"scope", "Y"}};
        QTest::newRow("escapes in names and values")
            << QByteArray("GET /?c%6Fde=%C3%A4%20b HTTP/1.1\r\n") << Parameters{{"code", "ä b"}};
        QTest::newRow("trimmed") << QByteArray("GET /?code=%20X%20&state HTTP/1.1\r\n") << Parameters{{"code", "X"}, {"state", ""}};
        QTest::newRow("later name wins") << QByteArray("GET /?a=1&a=2 HTTP/1.1\r\n") << Parameters{{"a", "2"}};
        // Another protocol version stays out of the last value.
        QTest::newRow("HTTP/1.0") << QByteArray("GET /?code=X HTTP/1.0\r\n") << Parameters{{"code", "X"}};
        QTest::newRow("no query") << QByteArray("GET / HTTP/1.1\r\n") << Parameters{};
        QTest::newRow("garbage") << QByteArray("\x01\xff?code=1\r\n", 11) << Parameters{};
    }

    void testQueryParameters()
    {
        QFETCH(QByteArray, request);
        QFETCH(Parameters, expected);
        O2ReplyServer server;
        QCOMPARE(server.parseQueryParams(&request), expected);
    }

    // Anything but the real redirect is refused and the listener keeps waiting for it.
    void testOtherRequestsLeaveTheListenerWaiting_data()
    {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QByteArray>("status");
        const QByteArray huge(O2ReplyServer::c_maxRequestLine + 100, 'a');
        QTest::newRow("favicon") << QList<QByteArray>{"GET /favicon.ico HTTP/1.1\r\nHost: x\r\n\r\n"} << QByteArray("HTTP/1.0 404 Not Found");
        QTest::newRow("other path with code") << QList<QByteArray>{"GET /x?code=1 HTTP/1.1\r\n\r\n"} << QByteArray("HTTP/1.0 404 Not Found");
        QTest::newRow("POST") << QList<QByteArray>{"POST /?code=1 HTTP/1.1\r\n\r\n"} << QByteArray("HTTP/1.0 404 Not Found");
        QTest::newRow("no code or error") << QList<QByteArray>{"GET /?state=1 HTTP/1.1\r\n\r\n"} << QByteArray("HTTP/1.0 400 Bad Request");
        QTest::newRow("random bytes") << QList<QByteArray>{QByteArray("\x16\x03\x01\x02\x00\x01\x00\xff\n", 9)} << QByteArray("HTTP/1.0 400 Bad Request");
        QTest::newRow("no version") << QList<QByteArray>{"GET /?code=1\r\n"} << QByteArray("HTTP/1.0 400 Bad Request");
        QTest::newRow("endless line") << QList<QByteArray>{"GET /?code=", huge, huge} << QByteArray("HTTP/1.0 400 Bad Request");
        QTest::newRow("long line") << QList<QByteArray>{"GET /?code=" + huge + " HTTP/1.1\r\n\r\n"} << QByteArray("HTTP/1.0 400 Bad Request");
        // Held open, such connections once kept hundreds of descriptors.
        QTest::newRow("half a line, then idle") << QList<QByteArray>{"GET /?code=1&st"} << QByteArray();
    }

    void testOtherRequestsLeaveTheListenerWaiting()
    {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QByteArray, status);
        O2ReplyServer server;
        server.setIdleTimeOut(300);
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy received(&server, &O2ReplyServer::verificationReceived);
        {
            BrowserStandIn hostile(server.serverPort());
            QVERIFY(hostile.waitConnected());
            for (const QByteArray &piece : pieces)
                hostile.send(piece);
            QTRY_VERIFY(hostile.closed);
            QCOMPARE(hostile.statusLine(), status);
        }
        QVERIFY(server.isListening());
        QCOMPARE(received.count(), 0);

        BrowserStandIn browser(server.serverPort());
        browser.send(redirectRequest("code=real"));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().value<Parameters>().value("code"), QString("real"));
    }

    void testRequestLineMayArriveInPieces()
    {
        O2ReplyServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy received(&server, &O2ReplyServer::verificationReceived);
        BrowserStandIn browser(server.serverPort());
        QVERIFY(browser.waitConnected());
        browser.send("GET /?co");
        QTest::qWait(100);
        browser.send("de=whole&state=s HTTP/1.1\r");
        QTest::qWait(100);
        QCOMPARE(received.count(), 0);
        browser.send("\nHost: 127.0.0.1\r\n\r\n");
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().value<Parameters>(), Parameters({{"code", "whole"}, {"state", "s"}}));
    }

    void testLineOfTheLargestSizeIsRead()
    {
        O2ReplyServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy received(&server, &O2ReplyServer::verificationReceived);
        const QByteArray head = "GET /?code=";
        const QByteArray tail = " HTTP/1.1";
        const QByteArray code(O2ReplyServer::c_maxRequestLine - head.size() - tail.size(), 'c');
        BrowserStandIn browser(server.serverPort());
        browser.send(head + code + tail + "\r\n\r\n");
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().value<Parameters>().value("code").size(), code.size());
    }

    void testOtherConnectionsEndWithTheRedirect()
    {
        O2ReplyServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QSignalSpy received(&server, &O2ReplyServer::verificationReceived);
        BrowserStandIn waiting(server.serverPort());
        QVERIFY(waiting.waitConnected());
        waiting.send("GET /?code=sec");
        BrowserStandIn browser(server.serverPort());
        browser.send(redirectRequest("code=first"));
        QTRY_VERIFY(waiting.closed);
        waiting.send("ond HTTP/1.1\r\n\r\n");
        QTRY_VERIFY(browser.closed);
        QTest::qWait(100);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.first().first().value<Parameters>().value("code"), QString("first"));
    }

    // 900 half-sent connections held 929 descriptors.
    void testOpenConnectionsAreCapped()
    {
        O2ReplyServer server;
        server.setIdleTimeOut(60000);
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        std::vector<std::unique_ptr<BrowserStandIn>> flood;
        for (int i = 0; i < 2 * O2ReplyServer::c_maxConnections; ++i) {
            flood.push_back(std::make_unique<BrowserStandIn>(server.serverPort()));
            flood.back()->send("GET /?code=");
        }
        QTRY_COMPARE(std::count_if(flood.cbegin(), flood.cend(), [](const auto &client) { return client->closed; }),
            std::ptrdiff_t(O2ReplyServer::c_maxConnections));
        QCOMPARE(server.openConnections(), O2ReplyServer::c_maxConnections);
    }

    void testTimeOutReportsThroughTheReply()
    {
        HttpStandIn standIn;
        standIn.answer = [](const StandInRequest &) { return StandInAnswer{200, "late", "text/plain", -1}; };
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(QNetworkRequest(standIn.url("/slow")));
        QSignalSpy errors(reply, &QNetworkReply::errorOccurred);
        O2Reply timeOut(reply, 100);
        QTRY_COMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().value<QNetworkReply::NetworkError>(), QNetworkReply::TimeoutError);
    }

    void testRemoveStopsTheTimeOut()
    {
        HttpStandIn standIn;
        standIn.answer = [](const StandInRequest &) { return StandInAnswer{200, "late", "text/plain", -1}; };
        QNetworkAccessManager manager;
        std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(standIn.url("/slow"))));
        std::unique_ptr<QNetworkReply> other(manager.get(QNetworkRequest(standIn.url("/other"))));
        QSignalSpy errors(reply.get(), &QNetworkReply::errorOccurred);
        const int defaultTimeOut = O2ReplyList::defaultTimeOut();
        QCOMPARE(defaultTimeOut, 60000);
        O2ReplyList::setDefaultTimeOut(100);
        O2ReplyList list;
        list.add(reply.get());
        O2ReplyList::setDefaultTimeOut(defaultTimeOut);
        QVERIFY(list.find(reply.get()));
        QCOMPARE(list.find(reply.get())->interval(), 100);
        QVERIFY(!list.find(other.get()));
        list.remove(other.get());
        QVERIFY(list.find(reply.get()));
        list.remove(reply.get());
        QVERIFY(!list.find(reply.get()));
        QTest::qWait(300);
        QCOMPARE(errors.count(), 0);
    }
};

KESTOVAN_OAUTH_TEST_MAIN(TestO2ReplyServer)
#include "tst_o2replyserver.moc"
