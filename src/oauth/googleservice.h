#pragma once

#include <QString>
#include <QUrl>

// Google's addresses and this build's client identity for signing in to Google.
//
// The addresses can be pointed elsewhere (a stand-in server in tests) with the environment
// variables KESTOVAN_GOOGLE_ACCOUNTS_URL (sign-in and tokens) and KESTOVAN_GOOGLE_API_URL (the
// APIs), each a base address such as "http://127.0.0.1:8080".
namespace GoogleService {

// An address on the accounts host; `pathAndQuery` starts with "/".
QUrl accountsUrl(const QString &pathAndQuery);
// An address on the API host; `pathAndQuery` starts with "/".
QUrl apiUrl(const QString &pathAndQuery);

// The client identity this build was configured with, unless KESTOVAN_GOOGLE_CLIENT_ID and
// KESTOVAN_GOOGLE_CLIENT_SECRET give the deployment's own; empty when there is none, and then
// nobody can sign in to Google.
QString clientId();
QString clientSecret();
// Whether there is a client identity at all.
bool isConfigured();

} // namespace GoogleService
