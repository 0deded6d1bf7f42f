#pragma once

#include "history/historysnapshot.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>

// Writes the history file on a thread of its own, so that a capture into a large history does not
// stop the window while the file is written. A write starts as soon as it is asked for; those asked
// for while one is under way become one write that starts right after it, from the rows as they
// are then. The owner calls flush() before it goes, so that nothing asked for is lost.
class HistorySaver : public QObject
{
    Q_OBJECT

public:
    // One write: what it needs, taken on the GUI thread, and its outcome.
    struct Job
    {
        QString path;
        HistorySnapshot snapshot;
        // Written instead of the snapshot when set.
        QByteArray bytes;
        bool sync = false;
        // Keeps the snapshot, the bytes written and their SHA-256 (lower-case hex) in the job
        // after the write, for the sync pass that follows it.
        bool keepDocument = false;
        QString sha256;
        // The owner's count of bytes added when the job was taken.
        qint64 addedBefore = 0;

        // The size of the document written, or -1 when none was built.
        qint64 size = -1;
        bool written = false;
        bool openFailed = false;
        QString error;
    };

    // prepare fills a job on the GUI thread and returns false when nothing may be written;
    // finish reports a job's outcome on the GUI thread.
    HistorySaver(QObject *parent, std::function<bool(Job &)> prepare, std::function<void(const Job &)> finish);
    ~HistorySaver() override;

    void request(bool sync);
    // Waits for the write under way and reports it; then writes what was asked for meanwhile.
    void flush();
    // Waits for the write under way and reports it; what was asked for meanwhile is dropped, since
    // the caller writes the rows itself. Returns whether that asked for a sync.
    bool settle();
    bool isWriting() const { return bool(m_running); }

    // The write itself, on any thread: the checked, atomic replacement of the file.
    static void write(Job &job);

private:
    void start(bool sync);
    void finished(quint64 generation);
    void finishRunning();

    std::function<bool(Job &)> m_prepare;
    std::function<void(const Job &)> m_finish;
    QThreadPool m_pool;
    std::shared_ptr<Job> m_running;
    quint64 m_generation = 0;
    bool m_pending = false;
    bool m_pendingSync = false;
};
