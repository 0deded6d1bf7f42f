#include "app/warmupthread.h"

WarmUpThread::WarmUpThread(std::function<void()> work)
    : m_thread(std::move(work))
{
}

WarmUpThread::~WarmUpThread()
{
    m_thread.join();
}
