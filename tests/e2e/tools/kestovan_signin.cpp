// Stores a Google sign-in in Kestovan's token store before the end-to-end cases start the program,
// as a sign-in through the browser would have left it:
//   kestovan_signin ACCESS_TOKEN USER_ID
// The client id is the program's (KESTOVAN_GOOGLE_CLIENT_ID in these cases); USER_ID becomes the
// "sub" of the identity token. The store is the one the program opens, under XDG_CONFIG_HOME.

#include "oauth/googleservice.h"
#include "oauth/o2google.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

QByteArray encoded(const QByteArray &bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Morva");
    QCoreApplication::setApplicationName("Kestovan");
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() != 2 || GoogleService::clientId().isEmpty()) {
        std::fputs("usage: KESTOVAN_GOOGLE_CLIENT_ID=... kestovan_signin ACCESS_TOKEN USER_ID\n", stderr);
        return 2;
    }

    const QByteArray claims = QJsonDocument(QJsonObject{{"sub", arguments.at(1)}}).toJson(QJsonDocument::Compact);
    const QByteArray identity = encoded(R"({"alg":"RS256","typ":"JWT"})") + '.' + encoded(claims) + '.' + encoded("e2e");
    O2Google o2;
    o2.setClientId(GoogleService::clientId());
    o2.setToken(arguments.at(0));
    o2.setRefreshToken("e2e-refresh");
    o2.setExpires(QDateTime::currentSecsSinceEpoch() + 3600);
    o2.setExtraTokens({{"id_token", QString::fromLatin1(identity)}});
    o2.setLinked(true);
    return o2.linked() ? 0 : 1;
}
