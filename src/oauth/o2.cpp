#include "oauth/o2.h"

#include "oauth/o2replyserver.h"
#include "oauth/oauthlogging.h"

#include <QDateTime>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QUrlQuery>

namespace {

const char *errorName(QNetworkReply::NetworkError error)
{
    const char *name = QMetaEnum::fromType<QNetworkReply::NetworkError>().valueToKey(error);
    return name ? name : "UnknownError";
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch() / 1000;
}

// 128 random bits, URL-safe.
QString randomState()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray bytes(reinterpret_cast<const char *>(words), sizeof(words));
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QVariantMap parseTokenResponse(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        qCWarning(lcOAuth) << "parseTokenResponse: Failed to parse token response due to err:" << error.errorString();
        return {};
    }
    if (!document.isObject()) {
        qCWarning(lcOAuth) << "parseTokenResponse: Token response is not an object";
        return {};
    }
    return document.object().toVariantMap();
}

int httpStatus(QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

O2::O2(QObject *parent)
    : O0BaseAuth(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_replyServer(new O2ReplyServer(this))
{
    qRegisterMetaType<QNetworkReply::NetworkError>("QNetworkReply::NetworkError");
    connect(m_replyServer, &O2ReplyServer::verificationReceived, this, &O2::onVerificationReceived);
}

void O2::setGrantFlow(GrantFlow value)
{
    m_grantFlow = value;
    emit grantFlowChanged();
}

void O2::setUsername(const QString &value)
{
    m_username = value;
    emit usernameChanged();
}

void O2::setPassword(const QString &value)
{
    m_password = value;
    emit passwordChanged();
}

void O2::setScope(const QString &value)
{
    m_scope = value;
    emit scopeChanged();
}

QByteArray O2::replyContent() const
{
    return m_replyServer->replyContent();
}

void O2::setReplyContent(const QByteArray &value)
{
    m_replyServer->setReplyContent(value);
}

void O2::setRequestUrl(const QString &value)
{
    m_requestUrl = QUrl(value);
    emit requestUrlChanged();
}

void O2::setTokenUrl(const QString &value)
{
    m_tokenUrl = QUrl(value);
    emit tokenUrlChanged();
}

void O2::setRefreshTokenUrl(const QString &value)
{
    m_refreshTokenUrl = QUrl(value);
    emit refreshTokenUrlChanged();
}

QString O2::refreshToken()
{
    return storedValue("refreshtoken.%1");
}

void O2::setRefreshToken(const QString &value)
{
    qCDebug(lcOAuth) << "O2::setRefreshToken" << (value.isEmpty() ? "(empty)" : "(set)");
    storeValue("refreshtoken.%1", value);
}

qint64 O2::expires()
{
    bool ok = false;
    const qint64 value = storedValue("expires.%1").toLongLong(&ok);
    return ok ? value : 0;
}

void O2::setExpires(qint64 value)
{
    storeValue("expires.%1", QString::number(value));
}

QString O2::getCode()
{
    return storedValue("code.%1");
}

void O2::setCode(const QString &value)
{
    storeValue("code.%1", value);
}

QByteArray O2::buildRequestBody(const QMap<QString, QString> &parameters)
{
    QList<O0RequestParameter> list;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        list.append(O0RequestParameter(it.key().toUtf8(), it.value().toUtf8()));
    return createQueryParameters(list);
}

void O2::link()
{
    qCDebug(lcOAuth) << "O2::link";
    if (linked()) {
        qCDebug(lcOAuth) << "O2::link: Linked already";
        emit linkingSucceeded();
        return;
    }

    setLinked(false);
    setToken(QString());
    setTokenSecret(QString());
    setExtraTokens(QVariantMap());
    setRefreshToken(QString());
    setExpires(0);

    if (m_grantFlow == GrantFlowAuthorizationCode) {
        startAuthorizationCode();
    } else if (m_grantFlow == GrantFlowResourceOwnerPasswordCredentials) {
        const QList<O0RequestParameter> parameters = {
            {"client_id", m_clientId.toUtf8()},
            {"client_secret", m_clientSecret.toUtf8()},
            {"username", m_username.toUtf8()},
            {"password", m_password.toUtf8()},
            {"grant_type", "password"},
            {"scope", m_scope.toUtf8()},
            {"api_key", m_apiKey.toUtf8()},
        };
        postToTokenEndpoint(m_tokenUrl, createQueryParameters(parameters));
    }
}

void O2::startAuthorizationCode()
{
    if (m_clientId.isEmpty()) {
        qCWarning(lcOAuth) << "O2::link: No client id is set, so the sign-in cannot start";
        emit linkingFailed();
        return;
    }
    // The redirect comes from this computer's browser; nobody else may reach the listener.
    if (!m_replyServer->isListening() && !m_replyServer->listen(QHostAddress::LocalHost, m_localPort)) {
        qCWarning(lcOAuth) << "O2::link: Cannot listen on 127.0.0.1 port" << m_localPort << ":"
                           << m_replyServer->errorString();
        emit linkingFailed();
        return;
    }
    m_redirectUri = m_localhostPolicy.arg(m_replyServer->serverPort());
    m_state = randomState();
    m_replyServer->setExpectedState(m_state);

    const QList<O0RequestParameter> parameters = {
        {"response_type", "code"},
        {"client_id", m_clientId.toUtf8()},
        {"redirect_uri", m_redirectUri.toUtf8()},
        {"scope", m_scope.toUtf8()},
        {"access_type", "offline"},
        {"approval_prompt", "force"},
        {"state", m_state.toUtf8()},
    };
    QUrl url = m_requestUrl;
    url.setQuery(QString::fromLatin1(createQueryParameters(parameters)), QUrl::StrictMode);
    qCDebug(lcOAuth) << "O2::link: Emit openBrowser" << m_requestUrl;
    emit openBrowser(url);
}

void O2::onVerificationReceived(const QMap<QString, QString> &response)
{
    // Names only: the values are secrets.
    qCDebug(lcOAuth) << "O2::onVerificationReceived:" << response.keys();
    qCDebug(lcOAuth) << "O2::onVerificationReceived: Emitting closeBrowser()";
    emit closeBrowser();

    // A redirect is good for one sign-in only, and only with the state sent out for it.
    const QString expectedState = m_state;
    m_state.clear();
    if (expectedState.isEmpty() || response.value("state") != expectedState) {
        qCWarning(lcOAuth) << "O2::onVerificationReceived: The redirect does not carry the state of this sign-in";
        emit linkingFailed();
        return;
    }
    if (response.contains("error")) {
        qCWarning(lcOAuth).nospace() << "O2::onVerificationReceived: Verification failed: " << response.value("error");
        emit linkingFailed();
        return;
    }

    setCode(response.value("code"));
    QUrl url = m_tokenUrl;
    if (!m_apiKey.isEmpty()) {
        QUrlQuery query;
        query.addQueryItem("api_key", m_apiKey);
        url.setQuery(query);
    }
    const QMap<QString, QString> parameters = {
        {"code", getCode()},
        {"client_id", m_clientId},
        {"client_secret", m_clientSecret},
        {"redirect_uri", m_redirectUri},
        {"grant_type", "authorization_code"},
    };
    postToTokenEndpoint(url, buildRequestBody(parameters));
}

void O2::postToTokenEndpoint(const QUrl &url, const QByteArray &body)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QNetworkReply *reply = m_manager->post(request, body);
    m_timedReplies.add(reply);
    limitReplySize(reply);
    connect(reply, &QNetworkReply::finished, this, &O2::onTokenReplyFinished, Qt::QueuedConnection);
    connect(reply, &QNetworkReply::errorOccurred, this, &O2::onTokenReplyError, Qt::QueuedConnection);
}

void O2::limitReplySize(QNetworkReply *reply)
{
    // The abort reports OperationCanceledError through the reply's error handler, like any failure.
    const auto check = [this, reply](qint64 announced) {
        if (!m_timedReplies.find(reply) || qMax(announced, reply->bytesAvailable()) <= c_maxTokenReplySize)
            return;
        qCWarning(lcOAuth) << "O2: the token endpoint's reply is larger than" << c_maxTokenReplySize
                           << "bytes; it is dropped";
        reply->abort();
    };
    connect(reply, &QNetworkReply::readyRead, this, [check] { check(-1); });
    connect(reply, &QNetworkReply::downloadProgress, this, [check](qint64, qint64 total) { check(total); });
}

QNetworkReply *O2::pendingSender() const
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    return reply && m_timedReplies.find(reply) ? reply : nullptr;
}

void O2::discard(QNetworkReply *reply)
{
    m_timedReplies.remove(reply);
    reply->disconnect(this);
    // A reply that timed out may still be running; it must never answer later.
    reply->abort();
    reply->deleteLater();
}

void O2::onTokenReplyFinished()
{
    qCDebug(lcOAuth) << "O2::onTokenReplyFinished";
    QNetworkReply *reply = pendingSender();
    if (!reply || reply->error() != QNetworkReply::NoError)
        return;

    QVariantMap tokens = parseTokenResponse(reply->readAll());
    discard(reply);
    if (!tokens.contains("access_token")) {
        qCWarning(lcOAuth) << "O2::onTokenReplyFinished: oauth_token missing from response, it holds"
                           << tokens.keys();
        emit linkingFailed();
        return;
    }

    setToken(tokens.take("access_token").toString());
    bool ok = false;
    const qint64 expiresIn = tokens.take("expires_in").toLongLong(&ok);
    if (ok) {
        qCDebug(lcOAuth) << "O2::onTokenReplyFinished: Token expires in" << expiresIn << "seconds";
        setExpires(now() + expiresIn);
    }
    setRefreshToken(tokens.take("refresh_token").toString());
    setExtraTokens(tokens);
    setLinked(true);
    emit linkingSucceeded();
}

void O2::onTokenReplyError(QNetworkReply::NetworkError error)
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (reply && !m_timedReplies.find(reply))
        return;
    qCWarning(lcOAuth).nospace() << "O2::onTokenReplyError: " << errorName(error) << ", HTTP status "
                                 << (reply ? httpStatus(reply) : 0);
    setToken(QString());
    setRefreshToken(QString());
    if (reply)
        discard(reply);
    emit linkingFailed();
}

void O2::refresh()
{
    qCDebug(lcOAuth) << "O2::refresh";
    if (refreshToken().isEmpty()) {
        qCWarning(lcOAuth) << "O2::refresh: No refresh token";
        failRefresh(nullptr, QNetworkReply::AuthenticationRequiredError);
        return;
    }
    if (m_refreshTokenUrl.isEmpty()) {
        qCWarning(lcOAuth) << "O2::refresh: Refresh token URL not set";
        failRefresh(nullptr, QNetworkReply::AuthenticationRequiredError);
        return;
    }

    QNetworkRequest request(m_refreshTokenUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    const QMap<QString, QString> parameters = {
        {"client_id", m_clientId},
        {"client_secret", m_clientSecret},
        {"refresh_token", refreshToken()},
        {"grant_type", "refresh_token"},
    };
    QNetworkReply *reply = m_manager->post(request, buildRequestBody(parameters));
    m_timedReplies.add(reply);
    limitReplySize(reply);
    connect(reply, &QNetworkReply::finished, this, &O2::onRefreshFinished, Qt::QueuedConnection);
    connect(reply, &QNetworkReply::errorOccurred, this, &O2::onRefreshError, Qt::QueuedConnection);
}

void O2::onRefreshFinished()
{
    QNetworkReply *reply = pendingSender();
    if (!reply)
        return;
    qCDebug(lcOAuth) << "O2::onRefreshFinished: Error" << int(reply->error()) << "HTTP status" << httpStatus(reply);
    if (reply->error() != QNetworkReply::NoError)
        return;

    QVariantMap tokens = parseTokenResponse(reply->readAll());
    const QString accessToken = tokens.value("access_token").toString();
    if (accessToken.isEmpty()) {
        qCWarning(lcOAuth) << "O2::onRefreshFinished: access_token missing from response, it holds"
                           << tokens.keys();
        failRefresh(reply, QNetworkReply::AuthenticationRequiredError);
        return;
    }

    discard(reply);
    setToken(accessToken);
    setExpires(now() + tokens.value("expires_in").toLongLong());
    // A provider that hands out a new refresh token retires the old one.
    const QString newRefreshToken = tokens.value("refresh_token").toString();
    if (!newRefreshToken.isEmpty())
        setRefreshToken(newRefreshToken);
    setLinked(true);
    emit linkingSucceeded();
    emit refreshFinished(QNetworkReply::NoError);
    qCDebug(lcOAuth) << " New token expires in" << expires() << "seconds";
}

void O2::onRefreshError(QNetworkReply::NetworkError error)
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (reply && !m_timedReplies.find(reply))
        return;
    failRefresh(reply, error);
}

void O2::failRefresh(QNetworkReply *reply, QNetworkReply::NetworkError error)
{
    qCWarning(lcOAuth).nospace() << "O2::onRefreshError: " << errorName(error) << ", HTTP status "
                                 << (reply ? httpStatus(reply) : 0);
    if (reply)
        discard(reply);
    unlink();
    emit refreshFinished(error);
}

void O2::unlink()
{
    qCDebug(lcOAuth) << "O2::unlink";
    setLinked(false);
    setToken(QString());
    setRefreshToken(QString());
    setExpires(0);
    setExtraTokens(QVariantMap());
    emit linkingSucceeded();
}
