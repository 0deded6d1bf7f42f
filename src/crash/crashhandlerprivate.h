#pragma once

#include <QString>

namespace Breakpad {

class ExceptionHandler;

// The process-wide dump writer behind CrashHandler.
class CrashHandlerPrivate
{
public:
    // Installs the dump writer for the folder, once per process.
    void InitCrashHandler(const QString &dumpPath);

    // Runs in the fatal-signal handler after a dump: reads nothing but bReportCrashesToSystem.
    static bool DumpCallback(const char *dumpPath, const char *minidumpId, void *context, bool succeeded);

    static ExceptionHandler *pHandler;
    static bool bReportCrashesToSystem;
};

} // namespace Breakpad
