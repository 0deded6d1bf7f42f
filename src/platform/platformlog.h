#pragma once

#include <QLoggingCategory>

// Debug output of the desktop services, key synthesis and key monitor.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
