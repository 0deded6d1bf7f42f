#include "oauth/o0baseauth.h"

#include "oauth/o0cryptkey.h"
#include "oauth/o0settingsstore.h"
#include "oauth/oauthlogging.h"

#include <QDataStream>
#include <QIODevice>

namespace {

QVariantMap decodeExtraTokens(const QString &stored)
{
    const QByteArray bytes = QByteArray::fromBase64(stored.toLatin1());
    QDataStream stream(bytes);
    QVariantMap map;
    stream >> map;
    return stream.status() == QDataStream::Ok ? map : QVariantMap();
}

} // namespace

O0BaseAuth::O0BaseAuth(QObject *parent)
    : QObject(parent)
    , m_store(new O0SettingsStore(QString::fromLatin1(O0CryptKey::c_storePassPhrase), this))
{
}

void O0BaseAuth::setStore(O0AbstractStore *store)
{
    if (m_store)
        m_store->deleteLater();
    if (store) {
        m_store = store;
        m_store->setParent(this);
    } else {
        m_store = new O0SettingsStore(QString::fromLatin1(O0CryptKey::c_storePassPhrase), this);
    }
}

QString O0BaseAuth::storeKey(const char *name) const
{
    return QString::fromLatin1(name).arg(m_clientId);
}

QString O0BaseAuth::storedValue(const char *name) const
{
    return m_store->value(storeKey(name));
}

void O0BaseAuth::storeValue(const char *name, const QString &value)
{
    m_store->setValue(storeKey(name), value);
}

bool O0BaseAuth::linked()
{
    const bool result = !storedValue("linked.%1").isEmpty();
    qCDebug(lcOAuth) << "O0BaseAuth::linked:" << (result ? "Yes" : "No");
    return result;
}

void O0BaseAuth::setLinked(bool value)
{
    qCDebug(lcOAuth) << "O0BaseAuth::setLinked:" << (value ? "true" : "false");
    const bool previous = linked();
    storeValue("linked.%1", value ? QStringLiteral("1") : QString());
    if (previous != value)
        emit linkedChanged();
}

QString O0BaseAuth::token()
{
    return storedValue("token.%1");
}

void O0BaseAuth::setToken(const QString &value)
{
    storeValue("token.%1", value);
    emit tokenChanged();
}

QString O0BaseAuth::tokenSecret()
{
    return storedValue("tokensecret.%1");
}

void O0BaseAuth::setTokenSecret(const QString &value)
{
    storeValue("tokensecret.%1", value);
    emit tokenSecretChanged();
}

QVariantMap O0BaseAuth::extraTokens()
{
    m_extraTokens = decodeExtraTokens(storedValue("extratokens.%1"));
    return m_extraTokens;
}

QVariantMap O0BaseAuth::storedExtraTokens(const QString &clientId)
{
    O0SettingsStore store(QString::fromLatin1(O0CryptKey::c_storePassPhrase));
    return decodeExtraTokens(store.value(QString::fromLatin1("extratokens.%1").arg(clientId)));
}

void O0BaseAuth::setExtraTokens(const QVariantMap &extraTokens)
{
    m_extraTokens = extraTokens;
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << extraTokens;
    storeValue("extratokens.%1", QString::fromLatin1(bytes.toBase64()));
    emit extraTokensChanged();
}

void O0BaseAuth::setClientId(const QString &value)
{
    m_clientId = value;
    emit clientIdChanged();
}

void O0BaseAuth::setClientSecret(const QString &value)
{
    m_clientSecret = value;
    emit clientSecretChanged();
}

void O0BaseAuth::setLocalPort(int value)
{
    qCDebug(lcOAuth) << "O0BaseAuth::setLocalPort:" << value;
    m_localPort = quint16(value);
    emit localPortChanged();
}

QByteArray O0BaseAuth::createQueryParameters(const QList<O0RequestParameter> &parameters)
{
    QByteArray result;
    for (const O0RequestParameter &parameter : parameters) {
        if (!result.isEmpty())
            result += '&';
        result += QByteArray(parameter.name).toPercentEncoding() + '=' + QByteArray(parameter.value).toPercentEncoding();
    }
    return result;
}
