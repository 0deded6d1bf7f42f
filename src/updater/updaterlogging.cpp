#include "updater/updaterlogging.h"

Q_LOGGING_CATEGORY(logQtAutoUpdater, "QtAutoUpdater", QtWarningMsg)
