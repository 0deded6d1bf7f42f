#pragma once

#include <csignal>
#include <string>
#include <vector>

namespace Breakpad {

// Catches the fatal signals and writes a minidump of the process into a folder, under a fresh
// "<uuid>.dmp" name: written as "<uuid>.dmp.part" first and renamed when complete, so a reader
// never sees half a dump. Then the process dies by its signal as it would have without it.
//
// One handler is installed at a time; the signal handler uses only async-signal-safe calls.
class ExceptionHandler
{
public:
    // Called after each dump with the folder, the dump's id (its name without ".dmp") and whether
    // the dump was written. Returning true marks a crash as handled: the default action of the
    // signal follows. Otherwise the handlers that were there before get the signal.
    using MinidumpCallback = bool (*)(const char *dumpPath, const char *minidumpId, void *context, bool succeeded);

    ExceptionHandler(const std::string &dumpPath, MinidumpCallback callback, void *callbackContext,
                     bool installHandler);
    ~ExceptionHandler();

    ExceptionHandler(const ExceptionHandler &) = delete;
    ExceptionHandler &operator=(const ExceptionHandler &) = delete;

    // A dump of the running process now, from normal (not signal) context.
    bool WriteMinidump();

private:
    static void signalHandler(int signalNumber, siginfo_t *info, void *context);
    void install();
    void uninstall();
    // Picks the name of the next dump; normal context only.
    void prepareNextName();
    bool writeDump(int signalNumber, const siginfo_t *info, const void *context);

    MinidumpCallback m_callback;
    void *m_callbackContext;
    bool m_installed = false;
    std::string m_dumpPath;
    // Filled before any crash, so the signal handler only reads them.
    char m_id[40] = {};
    char m_partPath[4096] = {};
    char m_finalPath[4096] = {};
    std::vector<char> m_alternateStack;
    stack_t m_previousStack = {};
    bool m_replacedStack = false;
};

} // namespace Breakpad
