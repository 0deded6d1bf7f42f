#include "logging/burstlogfile.h"

#include "common/writefully.h"

#include <QBasicMutex>
#include <QMutexLocker>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local int t_burstDepth = 0;
std::atomic<bool> g_crashWriterInstalled{false};

// The bytes one output keeps back. Fixed storage, so a crash handler can read it at any moment:
// the bytes are in place before `size` counts them. All zero at first, so the slots cost nothing
// until used.
struct Held
{
    std::atomic<const BurstLogFile *> owner{nullptr};
    std::atomic<int> fd{0};
    // What the descriptor writes to: standard output and standard error often share it.
    dev_t device = 0;
    ino_t inode = 0;
    std::atomic<qint64> size{0};
    char bytes[BurstLogFile::HoldLimit] = {};
};

// Standard error and the debug log, and room to spare; an output that finds no
// free slot writes at once.
Held g_held[4];
// Every write of a BurstLogFile, held or not, goes under it: one order for all outputs.
QBasicMutex g_lock;

// The rest run under g_lock.

bool writeOut(Held &held)
{
    const bool written = writeFully(held.fd.load(std::memory_order_relaxed), held.bytes,
                                    size_t(held.size.load(std::memory_order_relaxed)));
    held.size.store(0, std::memory_order_release);
    held.owner.store(nullptr, std::memory_order_release);
    return written;
}

Held *slotOf(const BurstLogFile *file)
{
    for (Held &held : g_held) {
        if (held.owner.load(std::memory_order_relaxed) == file)
            return &held;
    }
    return nullptr;
}

// A slot for the file's bytes. What another output keeps for the same place goes out first: it
// was written before.
Held *claim(const BurstLogFile *file)
{
    const int fd = file->handle();
    struct stat info;
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return nullptr;
    Held *free = nullptr;
    for (Held &held : g_held) {
        if (held.owner.load(std::memory_order_relaxed)) {
            if (held.device != info.st_dev || held.inode != info.st_ino)
                continue;
            writeOut(held);
        }
        if (!free)
            free = &held;
    }
    if (!free)
        return nullptr;
    free->fd.store(fd, std::memory_order_relaxed);
    free->device = info.st_dev;
    free->inode = info.st_ino;
    free->owner.store(file, std::memory_order_release);
    return free;
}

bool hold(const BurstLogFile *file, const char *data, qint64 size)
{
    Held *held = slotOf(file);
    if (held && held->size.load(std::memory_order_relaxed) + size > BurstLogFile::HoldLimit) {
        if (!writeOut(*held))
            return false;
        held = nullptr;
    }
    if (!held)
        held = claim(file);
    if (!held)
        return false;
    const qint64 used = held->size.load(std::memory_order_relaxed);
    std::memcpy(held->bytes + used, data, size_t(size));
    held->size.store(used + size, std::memory_order_release);
    return true;
}

// False when the file's own bytes could not be written.
bool writeAllOut(const BurstLogFile *file)
{
    bool written = true;
    for (Held &held : g_held) {
        const BurstLogFile *owner = held.owner.load(std::memory_order_relaxed);
        if (owner && !writeOut(held) && owner == file)
            written = false;
    }
    return written;
}

} // namespace

BurstLogFile::BurstLogFile(const QString &name)
    : QFile(name)
{
}

BurstLogFile::~BurstLogFile()
{
    QMutexLocker locker(&g_lock);
    if (Held *held = slotOf(this))
        writeOut(*held);
}

void BurstLogFile::close()
{
    {
        QMutexLocker locker(&g_lock);
        if (Held *held = slotOf(this))
            writeOut(*held);
    }
    QFile::close();
}

void BurstLogFile::enterBurst()
{
    ++t_burstDepth;
}

bool BurstLogFile::leaveBurst()
{
    return --t_burstDepth == 0;
}

void BurstLogFile::setCrashWriterInstalled(bool installed)
{
    g_crashWriterInstalled.store(installed, std::memory_order_relaxed);
}

bool BurstLogFile::holding()
{
    return t_burstDepth > 0 && g_crashWriterInstalled.load(std::memory_order_relaxed);
}

qint64 BurstLogFile::writeData(const char *data, qint64 size)
{
    QMutexLocker locker(&g_lock);
    // Bytes in QFile's own buffer would come out after the held ones.
    if (m_mayHold && size <= HoldLimit && holding() && bytesToWrite() == 0 && hold(this, data, size))
        return size;
    if (!writeAllOut(this))
        return -1;
    return QFile::writeData(data, size);
}

void BurstLogFile::writeAllHeld()
{
    QMutexLocker locker(&g_lock);
    writeAllOut(nullptr);
}

void BurstLogFile::writeAllHeldOnCrash()
{
    const int savedErrno = errno;
    for (Held &held : g_held) {
        if (!held.owner.load(std::memory_order_acquire))
            continue;
        writeFully(held.fd.load(std::memory_order_relaxed), held.bytes, size_t(held.size.load(std::memory_order_acquire)));
    }
    errno = savedErrno;
}
