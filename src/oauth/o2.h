#pragma once

#include "oauth/o0baseauth.h"
#include "oauth/o2replylist.h"

#include <QMap>
#include <QNetworkReply>
#include <QString>

class QNetworkAccessManager;
class O2ReplyServer;

// OAuth 2 client: signs in with the authorisation-code grant through a loopback redirect, keeps the
// tokens in the enciphered store and renews the access token with the refresh token.
//
// link() asks for the sign-in page through openBrowser() and ends with linkingSucceeded() or
// linkingFailed(); linkingSucceeded() also follows unlink(), so receivers read linked() to tell
// the two apart. A failed refresh() unlinks.
class O2 : public O0BaseAuth
{
    Q_OBJECT
    Q_PROPERTY(GrantFlow grantFlow READ grantFlow WRITE setGrantFlow NOTIFY grantFlowChanged)
    Q_PROPERTY(QString username READ username WRITE setUsername NOTIFY usernameChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY passwordChanged)
    Q_PROPERTY(QString scope READ scope WRITE setScope NOTIFY scopeChanged)
    Q_PROPERTY(QString localhostPolicy READ localhostPolicy WRITE setLocalhostPolicy)
    Q_PROPERTY(QString apiKey READ apiKey WRITE setApiKey)
    Q_PROPERTY(QByteArray replyContent READ replyContent WRITE setReplyContent)
    Q_PROPERTY(bool ignoreSslErrors READ ignoreSslErrors WRITE setIgnoreSslErrors)
    Q_PROPERTY(QString requestUrl READ requestUrl WRITE setRequestUrl NOTIFY requestUrlChanged)
    Q_PROPERTY(QString tokenUrl READ tokenUrl WRITE setTokenUrl NOTIFY tokenUrlChanged)
    Q_PROPERTY(QString refreshTokenUrl READ refreshTokenUrl WRITE setRefreshTokenUrl NOTIFY refreshTokenUrlChanged)

public:
    enum GrantFlow {
        GrantFlowAuthorizationCode = 0,
        GrantFlowImplicit = 1,
        GrantFlowResourceOwnerPasswordCredentials = 2,
    };
    Q_ENUM(GrantFlow)

    // A token answer is a small JSON object; a longer one is dropped and the request fails.
    static constexpr qint64 c_maxTokenReplySize = 4 * 1024 * 1024;

    explicit O2(QObject *parent = nullptr);

    GrantFlow grantFlow() const { return m_grantFlow; }
    void setGrantFlow(GrantFlow value);
    QString username() const { return m_username; }
    void setUsername(const QString &value);
    QString password() const { return m_password; }
    void setPassword(const QString &value);
    QString scope() const { return m_scope; }
    void setScope(const QString &value);
    QString localhostPolicy() const { return m_localhostPolicy; }
    void setLocalhostPolicy(const QString &value) { m_localhostPolicy = value; }
    QString apiKey() const { return m_apiKey; }
    void setApiKey(const QString &value) { m_apiKey = value; }
    QByteArray replyContent() const;
    void setReplyContent(const QByteArray &value);
    bool ignoreSslErrors() const { return m_timedReplies.ignoreSslErrors(); }
    void setIgnoreSslErrors(bool ignore) { m_timedReplies.setIgnoreSslErrors(ignore); }
    QString requestUrl() const { return m_requestUrl.toString(); }
    void setRequestUrl(const QString &value);
    QString tokenUrl() const { return m_tokenUrl.toString(); }
    void setTokenUrl(const QString &value);
    QString refreshTokenUrl() const { return m_refreshTokenUrl.toString(); }
    void setRefreshTokenUrl(const QString &value);

    QString refreshToken();
    void setRefreshToken(const QString &value);
    // Seconds since the Unix epoch at which the access token runs out; 0 when unknown.
    qint64 expires();
    void setExpires(qint64 value);
    QString getCode();
    void setCode(const QString &value);

    // A form body of the fields in ascending key order, encoded as createQueryParameters() does.
    static QByteArray buildRequestBody(const QMap<QString, QString> &parameters);

public slots:
    void link() override;
    void unlink() override;
    // Asks for a new access token; ends with refreshFinished().
    void refresh();
    virtual void onVerificationReceived(const QMap<QString, QString> &response);
    virtual void onTokenReplyFinished();
    virtual void onTokenReplyError(QNetworkReply::NetworkError error);
    virtual void onRefreshFinished();
    virtual void onRefreshError(QNetworkReply::NetworkError error);

signals:
    void refreshFinished(QNetworkReply::NetworkError error);
    void grantFlowChanged();
    void usernameChanged();
    void passwordChanged();
    void scopeChanged();
    void requestUrlChanged();
    void tokenUrlChanged();
    void refreshTokenUrlChanged();

private:
    void startAuthorizationCode();
    // Every token request has a time-out, the password grant's too.
    void postToTokenEndpoint(const QUrl &url, const QByteArray &body);
    // Aborts the reply as soon as it passes c_maxTokenReplySize, announced or received.
    void limitReplySize(QNetworkReply *reply);
    // The reply that sent the current signal while it is still pending, else null: a reply that
    // timed out or failed before is never acted on again.
    QNetworkReply *pendingSender() const;
    void discard(QNetworkReply *reply);
    void failRefresh(QNetworkReply *reply, QNetworkReply::NetworkError error);

    QString m_username;
    QString m_password;
    QUrl m_requestUrl;
    QUrl m_tokenUrl;
    QUrl m_refreshTokenUrl;
    QString m_scope;
    QString m_localhostPolicy = QStringLiteral("http://127.0.0.1:%1/");
    QString m_apiKey;
    QNetworkAccessManager *m_manager;
    O2ReplyServer *m_replyServer;
    O2ReplyList m_timedReplies;
    GrantFlow m_grantFlow = GrantFlowAuthorizationCode;
    // The random state of the sign-in under way; a redirect must bring it back.
    QString m_state;
};
