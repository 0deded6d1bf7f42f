#pragma once

// Redirects a standard file descriptor (1 or 2) into a temporary file while alive, so tests can
// read what the engines really wrote. Keep the capture short: test output goes there too.

#include <QByteArray>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

class OutputCapture
{
public:
    explicit OutputCapture(int fd)
        : m_fd(fd)
    {
        m_file.open();
        std::fflush(stdout);
        std::fflush(stderr);
        m_saved = ::dup(m_fd);
        ::dup2(m_file.handle(), m_fd);
    }

    ~OutputCapture() { finish(); }

    // Restores the descriptor and returns everything written to it meanwhile.
    QByteArray finish()
    {
        if (m_saved >= 0) {
            std::fflush(stdout);
            std::fflush(stderr);
            ::dup2(m_saved, m_fd);
            ::close(m_saved);
            m_saved = -1;
            m_file.seek(0);
            m_text = m_file.readAll();
        }
        return m_text;
    }

private:
    int m_fd;
    int m_saved = -1;
    QTemporaryFile m_file;
    QByteArray m_text;
};
