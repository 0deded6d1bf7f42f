#include "crash/exceptionhandler.h"

#include "crash/minidumpwriter.h"
#include "logging/logburst.h"

#include <QUuid>

#include <fcntl.h>
#include <sys/syscall.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace Breakpad {

namespace {

const int fatalSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS, SIGTRAP};
constexpr int fatalSignalCount = int(sizeof fatalSignals / sizeof fatalSignals[0]);
struct sigaction g_previousActions[fatalSignalCount];
ExceptionHandler *g_installedHandler = nullptr;
// The thread writing a dump, 0 when none: one dump at a time, and a crash inside the writer ends
// the process instead of starting over.
std::atomic<pid_t> g_writingThread{0};

pid_t currentThreadId()
{
    return pid_t(::syscall(SYS_gettid));
}

// False when this thread already writes: it crashed inside the writer.
bool acquireWriter(pid_t self)
{
    pid_t expected = 0;
    while (!g_writingThread.compare_exchange_strong(expected, self)) {
        if (expected == self)
            return false;
        expected = 0;
        const timespec pause{0, 1000000};
        ::nanosleep(&pause, nullptr);
    }
    return true;
}

void setDefaultAction(int signalNumber)
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    sigemptyset(&action.sa_mask);
    action.sa_handler = SIG_DFL;
    ::sigaction(signalNumber, &action, nullptr);
}

void restorePreviousActions()
{
    for (int i = 0; i < fatalSignalCount; ++i)
        ::sigaction(fatalSignals[i], &g_previousActions[i], nullptr);
}

} // namespace

ExceptionHandler::ExceptionHandler(const std::string &dumpPath, MinidumpCallback callback, void *callbackContext,
                                   bool installHandler)
    : m_callback(callback)
    , m_callbackContext(callbackContext)
    , m_dumpPath(dumpPath)
{
    MinidumpWriter::prepare();
    prepareNextName();
    if (installHandler)
        install();
}

ExceptionHandler::~ExceptionHandler()
{
    uninstall();
}

void ExceptionHandler::prepareNextName()
{
    const QByteArray id = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
    std::snprintf(m_id, sizeof m_id, "%s", id.constData());
    std::snprintf(m_finalPath, sizeof m_finalPath, "%s/%s.dmp", m_dumpPath.c_str(), m_id);
    std::snprintf(m_partPath, sizeof m_partPath, "%s/%s.dmp.part", m_dumpPath.c_str(), m_id);
}

void ExceptionHandler::install()
{
    if (g_installedHandler)
        return;

    // A stack overflow leaves no room on the thread's own stack for the handler.
    stack_t current;
    if (::sigaltstack(nullptr, &current) == 0 && ((current.ss_flags & SS_DISABLE) || current.ss_size < 65536)) {
        const long minimum = ::sysconf(_SC_SIGSTKSZ);
        m_alternateStack.resize(std::max<size_t>(65536, minimum > 0 ? size_t(minimum) * 4 : 0));
        stack_t replacement;
        replacement.ss_sp = m_alternateStack.data();
        replacement.ss_size = m_alternateStack.size();
        replacement.ss_flags = 0;
        m_previousStack = current;
        m_replacedStack = ::sigaltstack(&replacement, nullptr) == 0;
    }

    g_installedHandler = this;
    for (int i = 0; i < fatalSignalCount; ++i)
        ::sigaction(fatalSignals[i], nullptr, &g_previousActions[i]);
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    sigemptyset(&action.sa_mask);
    // A second fatal signal while writing takes the default action at once.
    for (int signalNumber : fatalSignals)
        sigaddset(&action.sa_mask, signalNumber);
    action.sa_sigaction = &ExceptionHandler::signalHandler;
    action.sa_flags = SA_ONSTACK | SA_SIGINFO;
    for (int signalNumber : fatalSignals)
        ::sigaction(signalNumber, &action, nullptr);
    m_installed = true;
    LogBurst::setCrashWriterInstalled(true);
}

void ExceptionHandler::uninstall()
{
    if (!m_installed)
        return;
    LogBurst::setCrashWriterInstalled(false);
    restorePreviousActions();
    g_installedHandler = nullptr;
    if (m_replacedStack) {
        ::sigaltstack(&m_previousStack, nullptr);
        m_replacedStack = false;
    }
    m_installed = false;
}

bool ExceptionHandler::writeDump(int signalNumber, const siginfo_t *info, const void *context)
{
    MinidumpWriter::Crash crash;
    crash.signalNumber = signalNumber;
    crash.signalCode = info ? info->si_code : 0;
    crash.faultAddress = info ? reinterpret_cast<uintptr_t>(info->si_addr) : 0;
    crash.threadId = currentThreadId();
    crash.context = static_cast<const ucontext_t *>(context);

    bool written = false;
    const int fd = ::open(m_partPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        written = MinidumpWriter::write(fd, crash);
        written = ::fsync(fd) == 0 && written;
        written = ::close(fd) == 0 && written;
        if (written)
            written = ::rename(m_partPath, m_finalPath) == 0;
        if (!written)
            ::unlink(m_partPath);
    }
    return written;
}

void ExceptionHandler::signalHandler(int signalNumber, siginfo_t *info, void *context)
{
    const pid_t self = currentThreadId();
    // Taken for good: the process ends with this signal, and a crash of another thread meanwhile
    // waits here until it does.
    bool handled = false;
    if (acquireWriter(self) && g_installedHandler) {
        // Log lines held back by a burst, before anything else can go wrong.
        LogBurst::writeHeldOnCrash();
        ExceptionHandler *handler = g_installedHandler;
        const bool written = handler->writeDump(signalNumber, info, context);
        handled = handler->m_callback
            ? handler->m_callback(handler->m_dumpPath.c_str(), handler->m_id, handler->m_callbackContext, written)
            : written;
    }
    if (handled)
        setDefaultAction(signalNumber);
    else
        restorePreviousActions();

    // A fault comes back by itself when the instruction runs again; a sent signal (kill, raise,
    // abort) does not, so send it again. It is blocked until this handler returns.
    if (info->si_code <= 0 || signalNumber == SIGABRT) {
        if (::syscall(SYS_tgkill, ::getpid(), self, signalNumber) < 0)
            ::_exit(1);
    }
}

bool ExceptionHandler::WriteMinidump()
{
    ucontext_t context;
    if (::getcontext(&context) != 0)
        return false;
    if (!acquireWriter(currentThreadId()))
        return false;
    const bool written = writeDump(0, nullptr, &context);
    if (m_callback)
        m_callback(m_dumpPath.c_str(), m_id, m_callbackContext, written);
    prepareNextName();
    g_writingThread.store(0);
    return written;
}

} // namespace Breakpad
