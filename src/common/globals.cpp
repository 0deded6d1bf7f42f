#include "common/globals.h"

#include <QStandardPaths>

bool debugEnabled = false;
bool perfTestEnabled = false;
bool demoEnabled = false;
bool portable = false;
const QString logPath = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/Kestovan-debug-log.txt";
