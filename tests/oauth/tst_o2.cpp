#include "oauth/oauthtestsupport.h"

#include "httpstandin.h"
#include "oauth/googleservice.h"
#include "oauth/o2google.h"
#include "oauth/o2replylist.h"
#include "oauth/o2replyserver.h"

#include <QDateTime>
#include <QSignalSpy>

Q_DECLARE_METATYPE(StandInAnswer)

namespace {

const QString c_clientId = "client-7.apps.example";
const QString c_secret = "Qm7xVb2KpZ9tR4nW-hYc3D_s";
const QString c_scope = "https://api.example/auth/drive.appdata profile";
const QByteArray c_code = "4/C0de-one";
const QByteArray c_tokens = "{\"access_token\":\"ya29.A1-access\",\"expires_in\":3600,\"refresh_token\":\"1//R1-refresh\","
                            "\"id_token\":\"eyJ.id\",\"token_type\":\"Bearer\"}";

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

// Records the client's signals by name, in order.
class SignalLog : public QObject
{
public:
    explicit SignalLog(O2 *o2)
    {
        const QList<QPair<const char *, void (O2::*)()>> plain = {
            {"linkedChanged", &O2::linkedChanged},       {"tokenChanged", &O2::tokenChanged},
            {"tokenSecretChanged", &O2::tokenSecretChanged}, {"extraTokensChanged", &O2::extraTokensChanged},
            {"closeBrowser", &O2::closeBrowser},         {"linkingSucceeded", &O2::linkingSucceeded},
            {"linkingFailed", &O2::linkingFailed},
        };
        for (const auto &[name, signal] : plain)
            connect(o2, signal, this, [this, name = QString(name)] { names.append(name); });
        connect(o2, &O2::openBrowser, this, [this] { names.append("openBrowser"); });
        connect(o2, &O2::refreshFinished, this, [this](QNetworkReply::NetworkError error) {
            names.append("refreshFinished");
            refreshErrors.append(error);
        });
    }

    QStringList names;
    QList<QNetworkReply::NetworkError> refreshErrors;
};

} // namespace

class TestO2 : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_stores = 0;
    std::unique_ptr<HttpStandIn> m_accounts;
    StandInAnswer m_tokenAnswer;

    std::unique_ptr<O2> client()
    {
        auto o2 = std::make_unique<O2>();
        o2->setStore(iniStore(m_dir.filePath(QString("store%1.ini").arg(++m_stores))));
        o2->setClientId(c_clientId);
        o2->setClientSecret(c_secret);
        o2->setScope(c_scope);
        o2->setRequestUrl(m_accounts->url("/auth").toString());
        o2->setTokenUrl(m_accounts->url("/token").toString());
        o2->setRefreshTokenUrl(m_accounts->url("/token").toString());
        o2->setLocalPort(0);
        return o2;
    }

    // Starts a sign-in; the address the browser is sent to, or an empty one.
    static QUrl startLink(O2 &o2)
    {
        QSignalSpy opened(&o2, &O2::openBrowser);
        o2.link();
        return opened.count() == 1 ? opened.first().first().toUrl() : QUrl();
    }

    static QString stateOf(const QUrl &address) { return QUrlQuery(address).queryItemValue("state", QUrl::FullyDecoded); }

    // Plays the browser's redirect to the listener named in the address; the listener's answer.
    static QByteArray redirect(const QUrl &address, const QByteArray &query)
    {
        const QUrl redirectUri(QUrlQuery(address).queryItemValue("redirect_uri", QUrl::FullyDecoded));
        BrowserStandIn browser(quint16(redirectUri.port()));
        browser.send(redirectRequest(query));
        return QTest::qWaitFor([&browser] { return browser.closed; }, 5000) ? browser.received : QByteArray();
    }

    // A client signed in through the whole flow.
    std::unique_ptr<O2> signedIn()
    {
        auto o2 = client();
        const QUrl address = startLink(*o2);
        redirect(address, "code=" + c_code + "&state=" + stateOf(address).toLatin1());
        return QTest::qWaitFor([&o2] { return o2->linked(); }, 5000) ? std::move(o2) : nullptr;
    }

private slots:
    void init()
    {
        m_accounts = std::make_unique<HttpStandIn>();
        m_tokenAnswer = StandInAnswer{200, c_tokens};
        m_accounts->answer = [this](const StandInRequest &request) {
            return request.path() == "/token" ? m_tokenAnswer : StandInAnswer{404, "{}"};
        };
    }

    void cleanup() { O2ReplyList::setDefaultTimeOut(60000); }

    void testAuthorisationAddress()
    {
        auto o2 = client();
        SignalLog log(o2.get());
        const QUrl address = startLink(*o2);
        QCOMPARE(log.names, QStringList({"tokenChanged", "tokenSecretChanged", "extraTokensChanged", "openBrowser"}));
        QCOMPARE(address.adjusted(QUrl::RemoveQuery), m_accounts->url("/auth"));

        auto *server = o2->findChild<O2ReplyServer *>();
        QVERIFY(server->isListening());
        QCOMPARE(server->serverAddress(), QHostAddress(QHostAddress::LocalHost));
        const QString redirectUri = QString("http://127.0.0.1:%1/").arg(server->serverPort());
        const QString state = stateOf(address);
        QCOMPARE(queryItems(address), (QList<QPair<QString, QString>>{{"response_type", "code"},
                                                                     {"client_id", c_clientId},
                                                                     {"redirect_uri", redirectUri},
                                                                     {"scope", c_scope},
                                                                     {"access_type", "offline"},
                                                                     {"approval_prompt", "force"},
                                                                     {"state", state}}));
        QVERIFY(state.size() >= 22);
        QVERIFY(state != stateOf(startLink(*client())));
    }

    void testSignInStoresTheTokens()
    {
        auto o2 = client();
        const QUrl address = startLink(*o2);
        SignalLog log(o2.get());
        const QByteArray page = redirect(address, "code=" + c_code + "&scope=x&state=" + stateOf(address).toLatin1());
        QVERIFY(page.startsWith("HTTP/1.0 200 OK \r\n"));
        QTRY_VERIFY(o2->linked());

        const QList<StandInRequest> posts = m_accounts->requestsTo("/token");
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts[0].method, QByteArray("POST"));
        QCOMPARE(posts[0].header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        const QByteArray redirectUri = QUrlQuery(address).queryItemValue("redirect_uri", QUrl::FullyDecoded).toLatin1();
        QCOMPARE(posts[0].body, "client_id=client-7.apps.example&client_secret=Qm7xVb2KpZ9tR4nW-hYc3D_s&code=4%2FC0de-one"
                                "&grant_type=authorization_code&redirect_uri="
                                    + redirectUri.toPercentEncoding());

        QCOMPARE(log.names, QStringList({"closeBrowser", "tokenChanged", "extraTokensChanged", "linkedChanged",
                                         "linkingSucceeded"}));
        QCOMPARE(o2->token(), QString("ya29.A1-access"));
        QCOMPARE(o2->refreshToken(), QString("1//R1-refresh"));
        QCOMPARE(o2->getCode(), QString(c_code));
        QVERIFY(qAbs(o2->expires() - (now() + 3600)) <= 5);
        QCOMPARE(o2->extraTokens(), QVariantMap({{"id_token", "eyJ.id"}, {"token_type", "Bearer"}}));
        QVERIFY(!o2->findChild<O2ReplyServer *>()->isListening());
    }

    void testRedirectsThatMustNotLink_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<bool>("endsSignIn");
        QTest::newRow("refused by the user") << QByteArray("error=access_denied&state=%1") << true;
        // Any local process can reach the listener; only the browser knows the state.
        QTest::newRow("wrong state") << QByteArray("code=4/stolen&state=forged") << false;
        QTest::newRow("no state") << QByteArray("code=4/stolen") << false;
        QTest::newRow("error without state") << QByteArray("error=access_denied") << false;
        QTest::newRow("empty state") << QByteArray("code=4/stolen&state=") << false;
    }

    void testRedirectsThatMustNotLink()
    {
        QFETCH(QByteArray, query);
        QFETCH(bool, endsSignIn);
        auto o2 = client();
        const QUrl address = startLink(*o2);
        SignalLog log(o2.get());
        const QByteArray page = redirect(address, query.replace("%1", stateOf(address).toLatin1()));
        if (endsSignIn)
            QTRY_COMPARE(log.names, QStringList({"closeBrowser", "linkingFailed"}));
        else
            QVERIFY(page.startsWith("HTTP/1.0 400 Bad Request\r\n"));
        QTest::qWait(200);
        QVERIFY(m_accounts->requests.isEmpty());
        QVERIFY(!o2->linked());
        QVERIFY(o2->getCode().isEmpty());
        QCOMPARE(o2->findChild<O2ReplyServer *>()->isListening(), !endsSignIn);
    }

    void testLinkWhileLinkedOnlyReportsSuccess()
    {
        auto o2 = client();
        o2->setLinked(true);
        SignalLog log(o2.get());
        o2->link();
        QCOMPARE(log.names, QStringList({"linkingSucceeded"}));
        QVERIFY(!o2->findChild<O2ReplyServer *>()->isListening());
    }

    void testSignInThatCannotStartFailsBeforeTheBrowser_data()
    {
        QTest::addColumn<bool>("portTaken");
        QTest::addColumn<QString>("clientId");
        QTest::newRow("port taken") << true << c_clientId;
        QTest::newRow("no client id") << false << QString();
    }

    void testSignInThatCannotStartFailsBeforeTheBrowser()
    {
        QFETCH(bool, portTaken);
        QFETCH(QString, clientId);
        QTcpServer blocker;
        QVERIFY(blocker.listen(QHostAddress::LocalHost, 0));
        auto o2 = client();
        o2->setClientId(clientId);
        if (portTaken)
            o2->setLocalPort(blocker.serverPort());
        SignalLog log(o2.get());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("O2::link: .*"));
        o2->link();
        QVERIFY(!log.names.contains("openBrowser"));
        QCOMPARE(log.names.last(), QString("linkingFailed"));
    }

    void testTokenReplyFailures_data()
    {
        QTest::addColumn<StandInAnswer>("answer");
        QTest::newRow("no access token") << StandInAnswer{200, "{\"refresh_token\":\"1//R9\"}"};
        QTest::newRow("not JSON") << StandInAnswer{200, "<html>"};
        QTest::newRow("refused") << StandInAnswer{400, "{\"error\":\"invalid_grant\"}"};
        QTest::newRow("endless body") << StandInAnswer{200, "{\"access_token\":\"", "application/json", 0, -1};
    }

    void testTokenReplyFailures()
    {
        QFETCH(StandInAnswer, answer);
        m_tokenAnswer = answer;
        auto o2 = client();
        const QUrl address = startLink(*o2);
        QSignalSpy failed(o2.get(), &O2::linkingFailed);
        QSignalSpy succeeded(o2.get(), &O2::linkingSucceeded);
        redirect(address, "code=" + c_code + "&state=" + stateOf(address).toLatin1());
        QTRY_COMPARE(failed.count(), 1);
        QTest::qWait(100);
        QCOMPARE(succeeded.count(), 0);
        QVERIFY(!o2->linked());
        QVERIFY(o2->token().isEmpty());
        QVERIFY(o2->refreshToken().isEmpty());
    }

    // A token answer that comes after the time-out must not sign in after the failure was reported.
    void testTimedOutTokenReplyNeverLinksLater()
    {
        // Long enough for the request to reach the stand-in on a busy machine.
        O2ReplyList::setDefaultTimeOut(500);
        m_tokenAnswer.delay = -1;
        auto o2 = client();
        const QUrl address = startLink(*o2);
        QSignalSpy failed(o2.get(), &O2::linkingFailed);
        QSignalSpy succeeded(o2.get(), &O2::linkingSucceeded);
        redirect(address, "code=" + c_code + "&state=" + stateOf(address).toLatin1());
        QTRY_COMPARE(failed.count(), 1);
        QTRY_COMPARE(m_accounts->dropped, 1);
        // The answer comes late, to any connection still open.
        m_accounts->releaseHeld();
        QTest::qWait(100);
        QCOMPARE(succeeded.count(), 0);
        QCOMPARE(failed.count(), 1);
        QVERIFY(!o2->linked());
        QVERIFY(o2->token().isEmpty());
    }

    void testRefreshRenewsTheAccessToken_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("refreshToken");
        QTest::newRow("same refresh token") << QByteArray("{\"access_token\":\"ya29.A2\",\"expires_in\":60}") << "1//R1-refresh";
        QTest::newRow("rotated refresh token")
            << QByteArray("{\"access_token\":\"ya29.A2\",\"expires_in\":60,\"refresh_token\":\"1//R2\"}") << "1//R2";
    }

    void testRefreshRenewsTheAccessToken()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, refreshToken);
        auto o2 = signedIn();
        QVERIFY(o2);
        m_tokenAnswer = StandInAnswer{200, answer};
        SignalLog log(o2.get());
        o2->refresh();
        QTRY_COMPARE(log.refreshErrors, QList<QNetworkReply::NetworkError>{QNetworkReply::NoError});
        QCOMPARE(log.names, QStringList({"tokenChanged", "linkingSucceeded", "refreshFinished"}));
        QCOMPARE(m_accounts->requestsTo("/token").last().body,
                 QByteArray("client_id=client-7.apps.example&client_secret=Qm7xVb2KpZ9tR4nW-hYc3D_s"
                            "&grant_type=refresh_token&refresh_token=1%2F%2FR1-refresh"));
        QCOMPARE(o2->token(), QString("ya29.A2"));
        QCOMPARE(o2->refreshToken(), refreshToken);
        QVERIFY(qAbs(o2->expires() - (now() + 60)) <= 5);
        QVERIFY(o2->linked());
    }

    void testFailedRefreshUnlinks_data()
    {
        QTest::addColumn<bool>("storeRefreshToken");
        QTest::addColumn<StandInAnswer>("answer");
        QTest::addColumn<QNetworkReply::NetworkError>("error");
        QTest::addColumn<int>("timeOut");
        QTest::newRow("refused") << true << StandInAnswer{400, "{\"error\":\"invalid_grant\"}"}
                                 << QNetworkReply::ProtocolInvalidOperationError << 60000;
        QTest::newRow("no access token") << true << StandInAnswer{200, "{\"expires_in\":60}"}
                                         << QNetworkReply::AuthenticationRequiredError << 60000;
        QTest::newRow("timed out, answered late")
            << true << StandInAnswer{200, "{\"access_token\":\"late\"}", "application/json", -1}
            << QNetworkReply::TimeoutError << 500;
        QTest::newRow("no refresh token") << false << StandInAnswer{} << QNetworkReply::AuthenticationRequiredError << 60000;
        QTest::newRow("endless body") << true << StandInAnswer{200, "{", "application/json", 0, -1}
                                      << QNetworkReply::OperationCanceledError << 60000;
    }

    void testFailedRefreshUnlinks()
    {
        QFETCH(bool, storeRefreshToken);
        QFETCH(StandInAnswer, answer);
        QFETCH(QNetworkReply::NetworkError, error);
        QFETCH(int, timeOut);
        O2ReplyList::setDefaultTimeOut(timeOut);
        auto o2 = client();
        o2->setLinked(true);
        o2->setToken("ya29.A1-access");
        if (storeRefreshToken)
            o2->setRefreshToken("1//R1-refresh");
        m_tokenAnswer = answer;
        SignalLog log(o2.get());
        o2->refresh();
        QTRY_COMPARE(log.refreshErrors, QList<QNetworkReply::NetworkError>{error});
        QCOMPARE(log.names, QStringList({"linkedChanged", "tokenChanged", "extraTokensChanged", "linkingSucceeded",
                                         "refreshFinished"}));
        QVERIFY(!o2->linked());
        QCOMPARE(m_accounts->requests.size(), storeRefreshToken ? 1 : 0);
        // A held answer comes late, to any connection still open.
        m_accounts->releaseHeld();
        QTest::qWait(100);
        QCOMPARE(log.refreshErrors.size(), 1);
        QVERIFY(!o2->linked());
        QVERIFY(o2->token().isEmpty());
    }

    void testPasswordGrantPostsTheCredentials()
    {
        auto o2 = client();
        o2->setGrantFlow(O2::GrantFlowResourceOwnerPasswordCredentials);
        o2->setUsername("ann");
        o2->setPassword("p&ss word");
        QSignalSpy succeeded(o2.get(), &O2::linkingSucceeded);
        o2->link();
        QTRY_COMPARE(succeeded.count(), 1);
        QCOMPARE(m_accounts->requests.first().body,
                 "client_id=client-7.apps.example&client_secret=Qm7xVb2KpZ9tR4nW-hYc3D_s&username=ann"
                 "&password=p%26ss%20word&grant_type=password&scope="
                     + c_scope.toUtf8().toPercentEncoding() + "&api_key=");
        QVERIFY(o2->linked());
    }

    void testNothingSecretIsLogged()
    {
        static QStringList messages;
        messages.clear();
        QLoggingCategory::setFilterRules("OAuth.debug=true");
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            messages.append(text);
        });

        auto o2 = client();
        const QUrl address = startLink(*o2);
        const QByteArray state = stateOf(address).toLatin1();
        redirect(address, "code=" + c_code + "&state=" + state);
        const bool linked = QTest::qWaitFor([&o2] { return o2->linked(); }, 5000);
        m_tokenAnswer = StandInAnswer{200, "{\"access_token\":\"ya29.A2-renewed\",\"refresh_token\":\"1//R2-rotated\"}"};
        QSignalSpy refreshed(o2.get(), &O2::refreshFinished);
        o2->refresh();
        const bool refreshedOnce = QTest::qWaitFor([&refreshed] { return refreshed.count() == 1; }, 5000);
        m_tokenAnswer = StandInAnswer{200, "{\"refresh_token\":\"1//R3-unused\",\"id_token\":\"eyJ.leak\"}"};
        o2->refresh();
        const bool refreshedTwice = QTest::qWaitFor([&refreshed] { return refreshed.count() == 2; }, 5000);

        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
        QVERIFY(linked && refreshedOnce && refreshedTwice);
        const QString all = messages.join('\n');
        QVERIFY2(all.contains("O2::link"), "the debug lines were not captured");
        for (const QString &secret : {QString(c_code), QString("C0de"), c_secret, QString("A1-access"),
                                      QString("R1-refresh"), QString("A2-renewed"), QString("R2-rotated"),
                                      QString("R3-unused"), QString("eyJ"), QString(state)})
            QVERIFY2(!all.contains(secret), qPrintable(secret));
    }

    void testGoogleAddressesCanBeOverridden_data()
    {
        QTest::addColumn<QByteArray>("accounts");
        QTest::addColumn<QByteArray>("api");
        QTest::addColumn<QString>("requestUrl");
        QTest::addColumn<QString>("tokenUrl");
        QTest::addColumn<QString>("filesUrl");
        QTest::newRow("Google") << QByteArray() << QByteArray() << "https://accounts.google.com/o/oauth2/auth"
                                << "https://accounts.google.com/o/oauth2/token"
                                << "https://www.googleapis.com/drive/v3/files?fields=files(id,name)";
        QTest::newRow("stand-ins") << QByteArray("http://127.0.0.1:9/accounts/") << QByteArray("http://127.0.0.1:8")
                                   << "http://127.0.0.1:9/accounts/o/oauth2/auth"
                                   << "http://127.0.0.1:9/accounts/o/oauth2/token"
                                   << "http://127.0.0.1:8/drive/v3/files?fields=files(id,name)";
    }

    void testGoogleAddressesCanBeOverridden()
    {
        QFETCH(QByteArray, accounts);
        QFETCH(QByteArray, api);
        QFETCH(QString, requestUrl);
        QFETCH(QString, tokenUrl);
        QFETCH(QString, filesUrl);
        qputenv("KESTOVAN_GOOGLE_ACCOUNTS_URL", accounts);
        qputenv("KESTOVAN_GOOGLE_API_URL", api);
        O2Google google;
        qunsetenv("KESTOVAN_GOOGLE_ACCOUNTS_URL");
        qunsetenv("KESTOVAN_GOOGLE_API_URL");
        QCOMPARE(google.requestUrl(), requestUrl);
        QCOMPARE(google.tokenUrl(), tokenUrl);
        QCOMPARE(google.refreshTokenUrl(), tokenUrl);
        qputenv("KESTOVAN_GOOGLE_API_URL", api);
        QCOMPARE(GoogleService::apiUrl("/drive/v3/files?fields=files(id,name)").toString(), filesUrl);
        qunsetenv("KESTOVAN_GOOGLE_API_URL");
    }
};

KESTOVAN_OAUTH_TEST_MAIN(TestO2)
#include "tst_o2.moc"
