#include "sync/synclogging.h"

Q_LOGGING_CATEGORY(lcSync, "Sync")
