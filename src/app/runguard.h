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

    // Takes the segment; fails while another copy holds it.
    bool tryToRun();
    void setSharedValue(int value);
    // 0 when the value cannot be read.
    int sharedValue();
    // Clears the request and watches for a newer copy once a second; quits the application when one asks.
    void startTimer();

    QString memLockKey() const { return m_memLockKey; }
    QString sharedmemKey() const { return m_sharedmemKey; }

private:
    void checkForQuitRequest();

    const QString m_key;
    const QString m_memLockKey;
    const QString m_sharedmemKey;
    QSharedMemory m_sharedMem;
    QSystemSemaphore m_memLock;
    QTimer m_timer;
};
