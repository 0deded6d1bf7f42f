#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class QJSEngine;

// Interrupts a script engine that is still running when the time limit passes. The script runs
// on the caller's thread, so the clock runs on a thread of its own.
class ActionWatchdog
{
public:
    ActionWatchdog(QJSEngine *engine, int seconds);
    ~ActionWatchdog();

    ActionWatchdog(const ActionWatchdog &) = delete;
    ActionWatchdog &operator=(const ActionWatchdog &) = delete;

    // Cancels the limit and waits for the clock thread; safe to call twice.
    void stop();
    bool expired() const;

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopped = false;
    std::atomic<bool> m_expired{false};
    std::thread m_clock;
};
