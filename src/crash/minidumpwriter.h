#pragma once

#include <sys/types.h>
#include <ucontext.h>

#include <cstdint>

namespace Breakpad {

// Writes a minidump of the running process: system information, the exception (the signal and
// the crashing thread's registers), the thread list with the crashing thread's stack memory, and
// the module list from /proc/self/maps.
//
// Runs inside a fatal-signal handler: only async-signal-safe system calls, no allocation, no
// locks. Its working memory is static, so one dump is written at a time (the caller serialises).
class MinidumpWriter
{
public:
    struct Crash
    {
        int signalNumber = 0; // 0 for a dump the program asked for
        int signalCode = 0;
        uintptr_t faultAddress = 0;
        pid_t threadId = 0;
        const ucontext_t *context = nullptr;
    };

    // Caches what is not safe to look up inside a signal handler. Call once before any crash.
    static void prepare();
    static bool write(int fd, const Crash &crash);
};

} // namespace Breakpad
