#include "oauth/oauthlogging.h"

Q_LOGGING_CATEGORY(lcOAuth, "OAuth", QtInfoMsg)
