#include "oauth/o2google.h"

namespace {

QUrl address(const char *variable, const char *defaultBase, const QString &pathAndQuery)
{
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty())
        base = QString::fromLatin1(defaultBase);
    while (base.endsWith('/'))
        base.chop(1);
    return QUrl(base + pathAndQuery);
}

} // namespace

O2Google::O2Google(QObject *parent)
    : O2(parent)
{
    setRequestUrl(accountsUrl("/o/oauth2/auth").toString());
    setTokenUrl(accountsUrl("/o/oauth2/token").toString());
    setRefreshTokenUrl(accountsUrl("/o/oauth2/token").toString());
}

QUrl O2Google::accountsUrl(const QString &pathAndQuery)
{
    return address("KESTOVAN_GOOGLE_ACCOUNTS_URL", "https://accounts.google.com", pathAndQuery);
}

QUrl O2Google::apiUrl(const QString &pathAndQuery)
{
    return address("KESTOVAN_GOOGLE_API_URL", "https://www.googleapis.com", pathAndQuery);
}

QString O2Google::builtInClientId()
{
    const QString given = qEnvironmentVariable("KESTOVAN_GOOGLE_CLIENT_ID");
    return given.isEmpty() ? QStringLiteral(KESTOVAN_GOOGLE_CLIENT_ID) : given;
}

QString O2Google::builtInClientSecret()
{
    const QString given = qEnvironmentVariable("KESTOVAN_GOOGLE_CLIENT_SECRET");
    return given.isEmpty() ? QStringLiteral(KESTOVAN_GOOGLE_CLIENT_SECRET) : given;
}
