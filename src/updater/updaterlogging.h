#pragma once

#include <QLoggingCategory>

// The update checker's own category, so its debug output can be switched on alone.
Q_DECLARE_LOGGING_CATEGORY(logQtAutoUpdater)
