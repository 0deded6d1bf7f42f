#pragma once

// A named pipe made where a file is expected, for reads that must never wait on it. A read that
// waits all the same is let go after the time-out: the pipe's other end is opened and closed, so
// the read ends with nothing and the test fails on released() instead of hanging the suite.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class PipeInPlace
{
public:
    explicit PipeInPlace(const QString &path, std::chrono::milliseconds timeout = std::chrono::seconds(5))
        : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        if (m_made)
            m_watch = std::thread([this, timeout] { watch(timeout); });
    }

    ~PipeInPlace()
    {
        m_done = true;
        if (m_watch.joinable())
            m_watch.join();
    }

    PipeInPlace(const PipeInPlace &) = delete;
    PipeInPlace &operator=(const PipeInPlace &) = delete;

    bool made() const { return m_made; }
    // Whether a reader waited on the pipe past the time-out.
    bool released() const { return m_released; }

private:
    void watch(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!m_done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() < deadline)
                continue;
            // Past the time-out, every waiting reader is let go until the test is over. This open
            // succeeds only while a reader waits, and never waits itself.
            const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                m_released = true;
                ::close(writer);
            }
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_released = false;
    std::atomic<bool> m_done = false;
    std::thread m_watch;
};
