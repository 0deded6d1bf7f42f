#include "actions/script/actionwatchdog.h"

#include <QJSEngine>

#include <chrono>

ActionWatchdog::ActionWatchdog(QJSEngine *engine, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    m_clock = std::thread([this, engine, deadline] {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_until(lock, deadline, [this] { return m_stopped; }))
            return;
        m_expired = true;
        // Thread-safe by contract; the engine aborts the running script at its next check.
        engine->setInterrupted(true);
    });
}

ActionWatchdog::~ActionWatchdog()
{
    stop();
}

void ActionWatchdog::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
    }
    m_wake.notify_all();
    if (m_clock.joinable())
        m_clock.join();
}

bool ActionWatchdog::expired() const
{
    return m_expired;
}
