#pragma once

#include "oauth/o2.h"

// The OAuth client preset for Google's sign-in.
//
// Google's addresses can be pointed elsewhere (a stand-in server in tests) with the environment
// variables KESTOVAN_GOOGLE_ACCOUNTS_URL (sign-in and tokens) and KESTOVAN_GOOGLE_API_URL (the
// APIs), each a base address such as "http://127.0.0.1:8080".
class O2Google : public O2
{
    Q_OBJECT

public:
    explicit O2Google(QObject *parent = nullptr);

    // An address on the accounts host; `pathAndQuery` starts with "/".
    static QUrl accountsUrl(const QString &pathAndQuery);
    // An address on the API host; `pathAndQuery` starts with "/".
    static QUrl apiUrl(const QString &pathAndQuery);

    // The client identity this build was configured with, unless KESTOVAN_GOOGLE_CLIENT_ID and
    // KESTOVAN_GOOGLE_CLIENT_SECRET give the deployment's own; empty when there is none, and then
    // nobody can sign in to Google.
    static QString builtInClientId();
    static QString builtInClientSecret();
};
