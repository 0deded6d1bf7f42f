#pragma once

#include <functional>
#include <thread>

// Start-up work whose result some later step would otherwise wait for: it runs on a thread of
// its own while the start goes on, and is waited for when this object goes.
class WarmUpThread
{
public:
    explicit WarmUpThread(std::function<void()> work);
    ~WarmUpThread();

    WarmUpThread(const WarmUpThread &) = delete;
    WarmUpThread &operator=(const WarmUpThread &) = delete;

private:
    std::thread m_thread;
};
