#pragma once

#include <QLoggingCategory>

// Debug output of the OAuth client ("OAuth.debug=true" switches it on). Nothing logged here may
// carry a token, an authorisation code, a state or the client secret.
Q_DECLARE_LOGGING_CATEGORY(lcOAuth)
