#include "oauth/googleservice.h"

namespace GoogleService {

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

QUrl accountsUrl(const QString &pathAndQuery)
{
    return address("KESTOVAN_GOOGLE_ACCOUNTS_URL", "https://accounts.google.com", pathAndQuery);
}

QUrl apiUrl(const QString &pathAndQuery)
{
    return address("KESTOVAN_GOOGLE_API_URL", "https://www.googleapis.com", pathAndQuery);
}

QString clientId()
{
    const QString given = qEnvironmentVariable("KESTOVAN_GOOGLE_CLIENT_ID");
    return given.isEmpty() ? QStringLiteral(KESTOVAN_GOOGLE_CLIENT_ID) : given;
}

QString clientSecret()
{
    const QString given = qEnvironmentVariable("KESTOVAN_GOOGLE_CLIENT_SECRET");
    return given.isEmpty() ? QStringLiteral(KESTOVAN_GOOGLE_CLIENT_SECRET) : given;
}

bool isConfigured()
{
    return !clientId().isEmpty() && !clientSecret().isEmpty();
}

} // namespace GoogleService
