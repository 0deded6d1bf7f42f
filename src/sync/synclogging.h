#pragma once

#include <QLoggingCategory>

// Debug output of the sync engine and its targets ("Sync.debug=true" switches it on).
Q_DECLARE_LOGGING_CATEGORY(lcSync)
