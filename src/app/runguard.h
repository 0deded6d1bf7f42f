#pragma once

#include <QObject>
#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>
#include <QTimer>

// Keeps one copy of the program running, the newest one: the holder of a small named shared-memory
// segment watches its first word, and a copy that starts later writes 1 there to ask it to quit.
class RunGuard : public QObject
{
    Q_OBJECT

public:
    explicit RunGuard(const QString &key, QObject *parent = nullptr);
    ~RunGuard() override;

    // The segment's names are machine-wide: key for the copies of one user only, so another
    // user's copy is neither asked to quit nor mistaken for this user's.
    static QString keyForUser(const QString &key, uint userId);

    // Takes the segment; fails while another copy holds it.
    bool tryToRun();
    // Newest copy wins: takes the segment, asking the copy that holds it to quit, for up to
    // attempts intervals; it is taken as soon as it is free. A copy that gives up withdraws its
    // request, so a holder that was only slow to reach its event loop keeps running; one that took
    // the request and is quitting is waited for a little longer.
    bool takeOver(int attempts, int intervalMs);
    void setSharedValue(int value);
    // 0 when the value cannot be read.
    int sharedValue();
    // Watches for a newer copy once a second; quits the application when one asks, also when it
    // asked before the watch began.
    void startTimer();

    QString memLockKey() const { return m_memLockKey; }
    QString sharedmemKey() const { return m_sharedmemKey; }

private:
    void checkForQuitRequest();
    // Tries to take the segment every few milliseconds for up to ms; whether it was taken.
    bool tryToRunWithin(int ms);
    // Sets the value to value when it is expected, in one step; whether it was.
    bool exchangeSharedValue(int expected, int value);

    const QString m_key;
    const QString m_memLockKey;
    const QString m_sharedmemKey;
    QSharedMemory m_sharedMem;
    QSystemSemaphore m_memLock;
    QTimer m_timer;
};
