#include "logging/safelogfile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
void refuse(const QFile* file, const char* reason)
{
    // Not through the logger: this runs while the logger may be setting up this very engine.
    std::fprintf(stderr, "Refusing to open log file \"%s\": %s\n",
                 QFile::encodeName(file->fileName()).constData(), reason);
    std::fflush(stderr);
}

int openFlags(QIODevice::OpenMode mode)
{
    int flags = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    const bool writable = mode.testFlag(QIODevice::WriteOnly) || mode.testFlag(QIODevice::Append);
    if (writable && mode.testFlag(QIODevice::ReadOnly))
        flags |= O_RDWR;
    else if (writable)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (writable && !mode.testFlag(QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (writable && mode.testFlag(QIODevice::NewOnly))
        flags |= O_EXCL;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    // O_TRUNC is left out on purpose: the file is only cut after it has passed the checks.
    return flags;
}
#endif

} // namespace

bool openLogFileSafely(QFile* file, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(file->fileName());
    const int fd = ::open(path.constData(), openFlags(mode), 0600);
    if (fd < 0) {
        if (errno == ELOOP)
            refuse(file, "it is a symbolic link");
        return false;
    }

    struct stat info;
    const char* reason = nullptr;
    if (::fstat(fd, &info) != 0)
        reason = "its owner cannot be checked";
    else if (!S_ISREG(info.st_mode))
        reason = "it is not a regular file";
    else if (info.st_uid != ::geteuid())
        reason = "it belongs to another user";
    else if (info.st_nlink > 1)
        reason = "it has other hard links";
    if (reason) {
        refuse(file, reason);
        ::close(fd);
        return false;
    }

    // Non-blocking only guarded the open against a planted FIFO.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool writable = mode.testFlag(QIODevice::WriteOnly) || mode.testFlag(QIODevice::Append);
    // A log left by an earlier run may have been readable by everyone; from now on it is not.
    if (writable && (info.st_mode & 07777) != 0600)
        ::fchmod(fd, 0600);
    if (writable && mode.testFlag(QIODevice::Truncate) && !mode.testFlag(QIODevice::Append)) {
        if (::ftruncate(fd, 0) != 0) {
            ::close(fd);
            return false;
        }
    }

    if (!file->open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    return file->open(mode);
#endif
}
