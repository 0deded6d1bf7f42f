#include "crash/crashhandlerprivate.h"

#include "crash/exceptionhandler.h"

#include <QFile>

namespace Breakpad {

ExceptionHandler *CrashHandlerPrivate::pHandler = nullptr;
bool CrashHandlerPrivate::bReportCrashesToSystem = false;

void CrashHandlerPrivate::InitCrashHandler(const QString &dumpPath)
{
    if (pHandler)
        return;
    // Owned through pHandler and deleted by ~CrashHandler.
    pHandler = new ExceptionHandler(QFile::encodeName(dumpPath).toStdString(), &DumpCallback, nullptr, true);
}

bool CrashHandlerPrivate::DumpCallback(const char *, const char *, void *, bool succeeded)
{
    return !bReportCrashesToSystem || succeeded;
}

} // namespace Breakpad
