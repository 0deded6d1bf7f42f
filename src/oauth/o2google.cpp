#include "oauth/o2google.h"

#include "oauth/googleservice.h"

O2Google::O2Google(QObject *parent)
    : O2(parent)
{
    setRequestUrl(GoogleService::accountsUrl("/o/oauth2/auth").toString());
    setTokenUrl(GoogleService::accountsUrl("/o/oauth2/token").toString());
    setRefreshTokenUrl(GoogleService::accountsUrl("/o/oauth2/token").toString());
}
