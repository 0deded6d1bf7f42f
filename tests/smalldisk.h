#pragma once

// A small disk of the test's own for full and read-only disk cases: a tmpfs mounted on a temporary
// folder, or over a folder the test names (the data folder). Mounting needs root (CAP_SYS_ADMIN);
// where it is refused, mounted() is false and why() says so, and the test skips with that reason.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes, const QString &mountPoint = QString())
        : m_path(mountPoint.isEmpty() ? m_folder.path() : mountPoint)
    {
        if (!QDir().mkpath(m_path)) {
            m_why = "no folder to mount on";
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
        if (::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, options.constData()) != 0) {
            m_why = QString("a tmpfs cannot be mounted here (%1); the checked write is still covered on /dev/full")
                        .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        m_mounted = true;
    }

    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }

    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString why() const { return m_why; }
    QString path() const { return m_path; }

    // Writes a filler file until not one byte more fits.
    bool fill()
    {
        const int descriptor = ::open(QFile::encodeName(path() + "/filler").constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (descriptor < 0)
            return false;
        const QByteArray block(4096, 'f');
        for (qsizetype size : {qsizetype(4096), qsizetype(1)}) {
            while (::write(descriptor, block.constData(), size_t(size)) == size) {
            }
        }
        const bool full = errno == ENOSPC;
        ::close(descriptor);
        return full;
    }

    // Gives back the space of the filler.
    bool empty() { return QFile::remove(path() + "/filler"); }

    bool setReadOnly(bool readOnly)
    {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        return ::mount(nullptr, QFile::encodeName(path()).constData(), nullptr, flags, nullptr) == 0;
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
    bool m_mounted = false;
    QString m_why;
};

// Declares disk, mounted on folder (a temporary one when empty), or skips the test saying why.
#define KESTOVAN_SMALL_DISK_OR_SKIP(disk, bytes, folder)                                            \
    SmallDisk disk(bytes, folder);                                                                 \
    if (!disk.mounted())                                                                           \
    QSKIP(qPrintable(disk.why()))
