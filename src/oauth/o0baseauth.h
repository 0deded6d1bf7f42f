#pragma once

#include "oauth/o0requestparameter.h"

#include <QList>
#include <QObject>
#include <QUrl>
#include <QVariantMap>

class O0AbstractStore;

// Base of the OAuth client. Every piece of the sign-in lives in the store under keys that carry the
// client id, so a sign-in survives restarts and every client built with the same id sees it at once.
class O0BaseAuth : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool linked READ linked WRITE setLinked NOTIFY linkedChanged)
    Q_PROPERTY(QString token READ token WRITE setToken NOTIFY tokenChanged)
    Q_PROPERTY(QString tokenSecret READ tokenSecret WRITE setTokenSecret NOTIFY tokenSecretChanged)
    Q_PROPERTY(QVariantMap extraTokens READ extraTokens NOTIFY extraTokensChanged)
    Q_PROPERTY(QString clientId READ clientId WRITE setClientId NOTIFY clientIdChanged)
    Q_PROPERTY(QString clientSecret READ clientSecret WRITE setClientSecret NOTIFY clientSecretChanged)
    Q_PROPERTY(int localPort READ localPort WRITE setLocalPort NOTIFY localPortChanged)

public:
    explicit O0BaseAuth(QObject *parent = nullptr);

    // The old store goes later; a null store means a fresh enciphered settings store.
    void setStore(O0AbstractStore *store);

    bool linked();
    void setLinked(bool value);
    QString token();
    void setToken(const QString &value);
    QString tokenSecret();
    void setTokenSecret(const QString &value);
    QVariantMap extraTokens();
    void setExtraTokens(const QVariantMap &extraTokens);
    // The extra tokens stored for the client `clientId`, read without a client.
    static QVariantMap storedExtraTokens(const QString &clientId);

    QString clientId() const { return m_clientId; }
    void setClientId(const QString &value);
    QString clientSecret() const { return m_clientSecret; }
    void setClientSecret(const QString &value);
    int localPort() const { return m_localPort; }
    void setLocalPort(int value);

    // "name=value" pairs joined by "&", everything but the unreserved characters percent-encoded.
    static QByteArray createQueryParameters(const QList<O0RequestParameter> &parameters);

public slots:
    virtual void link() = 0;
    virtual void unlink() = 0;

signals:
    // The user must open this address; the application decides how (normally the default browser).
    void openBrowser(const QUrl &url);
    void closeBrowser();
    void linkingSucceeded();
    void linkingFailed();
    void linkedChanged();
    void tokenChanged();
    void tokenSecretChanged();
    void extraTokensChanged();
    void clientIdChanged();
    void clientSecretChanged();
    void localPortChanged();

protected:
    // The store key of a value of this client.
    QString storeKey(const char *name) const;
    QString storedValue(const char *name) const;
    void storeValue(const char *name, const QString &value);

    QString m_clientId;
    QString m_clientSecret;
    QString m_redirectUri;
    quint16 m_localPort = 1965;
    O0AbstractStore *m_store = nullptr;
    QVariantMap m_extraTokens;
};
