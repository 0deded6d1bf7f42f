#pragma once

#include <QString>

// Process-wide flags, set once by main() before any window exists and only read afterwards.
extern bool debugEnabled;
extern bool perfTestEnabled;
extern bool demoEnabled;
extern bool portable;
extern const QString logPath;
