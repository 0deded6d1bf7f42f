#include "logging/logburst.h"

#include "logging/burstlogfile.h"

#include <atomic>

namespace {

thread_local int t_depth = 0;
std::atomic<bool> g_crashWriterInstalled{false};

} // namespace

LogBurst::LogBurst()
{
    ++t_depth;
}

LogBurst::~LogBurst()
{
    if (--t_depth == 0)
        BurstLogFile::writeAllHeld();
}

bool LogBurst::holding()
{
    return t_depth > 0 && g_crashWriterInstalled.load(std::memory_order_relaxed);
}

void LogBurst::setCrashWriterInstalled(bool installed)
{
    g_crashWriterInstalled.store(installed, std::memory_order_relaxed);
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
