#pragma once

// Put around a loop that logs a line per item. While one is alive, the lines this thread writes
// to standard error and the debug log wait, and go out in one write() call per output when the
// outermost burst of the thread ends, or once 64 KB wait for one output. The bytes and their
// order are those of writing each line at once.
//
// Lines wait only while a crash handler writes them out before the process dies; without one a
// crash would lose them, so nothing waits.
class LogBurst
{
public:
    LogBurst();
    ~LogBurst();

    LogBurst(const LogBurst &) = delete;
    LogBurst &operator=(const LogBurst &) = delete;

    // Whether a line written now on this thread may wait.
    static bool holding();

    static void setCrashWriterInstalled(bool installed);
    // Writes every waiting line now: before a line that must not wait behind them, from any thread.
    static void writeHeld();
    // The same from a signal handler.
    static void writeHeldOnCrash();
};
