#include "logging/logburst.h"

#include "logging/burstlogfile.h"

LogBurst::LogBurst()
{
    BurstLogFile::enterBurst();
}

LogBurst::~LogBurst()
{
    if (BurstLogFile::leaveBurst())
        BurstLogFile::writeAllHeld();
}

bool LogBurst::holding()
{
    return BurstLogFile::holding();
}

void LogBurst::setCrashWriterInstalled(bool installed)
{
    BurstLogFile::setCrashWriterInstalled(installed);
    if (!installed)
        BurstLogFile::writeAllHeld();
}

void LogBurst::writeHeld()
{
    BurstLogFile::writeAllHeld();
}

void LogBurst::writeHeldOnCrash()
{
    BurstLogFile::writeAllHeldOnCrash();
}
