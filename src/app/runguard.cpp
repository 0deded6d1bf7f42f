#include "app/runguard.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QElapsedTimer>
#include <QThread>

#include <cstring>

namespace {

// How often a starting copy looks whether the segment is free: a holder that quits, or one that
// was killed and whose segment the request removed, is followed at once, not a whole interval later.
const int TakeOverPollMs = 5;

QString generateKeyHash(const QString &key, const QString &salt)
{
    return QString::fromLatin1(QCryptographicHash::hash((key + salt).toUtf8(), QCryptographicHash::Sha1).toHex());
}

// Both locks are already taken by the caller; qint32 is the segment's first word.
void writeFirstWord(QSharedMemory &memory, int value)
{
    if (!memory.lock()) {
        qDebug() << "Unable to lock to the shared memory.";
        return;
    }
    const qint32 word = value;
    std::memcpy(memory.data(), &word, sizeof word);
    memory.unlock();
}

int readFirstWord(QSharedMemory &memory)
{
    if (!memory.lock()) {
        qDebug() << "Unable to lock to the shared memory.";
        return 0;
    }
    qint32 word = 0;
    std::memcpy(&word, memory.constData(), sizeof word);
    memory.unlock();
    return word;
}

} // namespace

RunGuard::RunGuard(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
    , m_memLockKey(generateKeyHash(key, "_memLockKey"))
    , m_sharedmemKey(generateKeyHash(key, "_sharedmemKey"))
    , m_sharedMem(m_sharedmemKey)
    , m_memLock(m_memLockKey, 1)
{
}

QString RunGuard::keyForUser(const QString &key, uint userId)
{
    return key + QLatin1Char('-') + QString::number(userId);
}

RunGuard::~RunGuard()
{
    m_timer.stop();
    // The segment object detaches as it goes; the system removes the segment with its last
    // attachment, so a waiting copy can create it.
}

bool RunGuard::tryToRun()
{
    m_memLock.acquire();
    const bool created = m_sharedMem.create(8, QSharedMemory::ReadWrite);
    // Cleared here, while no other copy can reach the segment: a copy that starts between now and
    // the watch asks for the take-over, and that request must still be there when the watch begins.
    if (created)
        writeFirstWord(m_sharedMem, 0);
    m_memLock.release();
    return created;
}

bool RunGuard::takeOver(int attempts, int intervalMs)
{
    // The request is written once: a value back at 0 afterwards means the holder took it.
    bool requested = false;
    bool taken = false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (tryToRun())
            return true;
        qDebug() << "Another instance is running. Waiting for it to quit...";
        if (!requested) {
            setSharedValue(1);
            requested = true;
        } else if (!taken && sharedValue() == 0) {
            taken = true;
        }
        if (tryToRunWithin(intervalMs))
            return true;
    }
    if (!taken && (!requested || exchangeSharedValue(1, 0))) {
        // Withdrawn: left set, the slow holder would quit on reaching its event loop and nothing
        // would run at all.
        qDebug() << "The running instance did not answer; the request to quit is withdrawn.";
        return tryToRun();
    }
    // The holder is quitting; saving its data may take a moment.
    return tryToRunWithin(attempts * intervalMs);
}

bool RunGuard::tryToRunWithin(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!elapsed.hasExpired(ms)) {
        QThread::msleep(ulong(qBound(qint64(1), ms - elapsed.elapsed(), qint64(TakeOverPollMs))));
        if (tryToRun())
            return true;
    }
    return false;
}

void RunGuard::setSharedValue(int value)
{
    m_memLock.acquire();
    if (m_sharedMem.isAttached()) {
        writeFirstWord(m_sharedMem, value);
    } else if (m_sharedMem.attach(QSharedMemory::ReadWrite)) {
        writeFirstWord(m_sharedMem, value);
        // A holder killed without detaching leaves its segment behind; this detach, as its last
        // attachment, removes it, so the next tryToRun() succeeds.
        m_sharedMem.detach();
    } else {
        qDebug() << "Unable to attach to the shared memory.";
    }
    m_memLock.release();
}

bool RunGuard::exchangeSharedValue(int expected, int value)
{
    m_memLock.acquire();
    const bool holding = m_sharedMem.isAttached();
    const bool attached = holding || m_sharedMem.attach(QSharedMemory::ReadWrite);
    const bool matched = attached && readFirstWord(m_sharedMem) == expected;
    if (matched)
        writeFirstWord(m_sharedMem, value);
    if (attached && !holding)
        m_sharedMem.detach();
    m_memLock.release();
    return matched;
}

int RunGuard::sharedValue()
{
    m_memLock.acquire();
    int value = 0;
    if (m_sharedMem.isAttached()) {
        value = readFirstWord(m_sharedMem);
    } else if (m_sharedMem.attach(QSharedMemory::ReadOnly)) {
        value = readFirstWord(m_sharedMem);
        m_sharedMem.detach();
    }
    m_memLock.release();
    return value;
}

void RunGuard::startTimer()
{
    connect(&m_timer, &QTimer::timeout, this, &RunGuard::checkForQuitRequest, Qt::UniqueConnection);
    m_timer.start(1000);
}

void RunGuard::checkForQuitRequest()
{
    // Taken in one step, so a newer copy that is about to give up knows this one is going.
    if (exchangeSharedValue(1, 0)) {
        qDebug() << "Another instance launched";
        QCoreApplication::quit();
    }
}
