#pragma once

#include <QFile>

// The file under a log engine (standard error, standard output, the debug log). While the writing
// thread is inside a LogBurst, what is written to it waits in a fixed buffer and goes out in one
// write() call later; every write that does not wait first sends out what waits for its target,
// so the bytes and their order are what unbatched writes would give.
class BurstLogFile : public QFile
{
public:
    BurstLogFile() = default;
    explicit BurstLogFile(const QString &name);
    ~BurstLogFile() override;

    void close() override;

    // A file whose bytes must never wait still sends out the others' first. For standard output,
    // which the C library buffers as well: a held line could overtake text printf left there.
    void setMayHold(bool mayHold) { m_mayHold = mayHold; }

    // The most one output keeps back.
    static constexpr qint64 HoldLimit = 64 * 1024;

    // The state LogBurst keeps: how deep this thread is in bursts, and whether a crash writer would
    // write out what waits. Writes wait only when both allow it.
    static void enterBurst();
    // True when the outermost burst of this thread ended.
    static bool leaveBurst();
    static void setCrashWriterInstalled(bool installed);
    static bool holding();

    // Writes what every output keeps back. Any thread.
    static void writeAllHeld();
    // The same from a signal handler: no lock, no allocation.
    static void writeAllHeldOnCrash();

protected:
    qint64 writeData(const char *data, qint64 size) override;

private:
    Q_DISABLE_COPY(BurstLogFile)
    bool m_mayHold = true;
};
