#include "history/historysaver.h"

#include "common/safefile.h"

#include <QCryptographicHash>
#include <QMetaObject>

HistorySaver::HistorySaver(QObject *parent, std::function<bool(Job &)> prepare, std::function<void(const Job &)> finish)
    : QObject(parent)
    , m_prepare(std::move(prepare))
    , m_finish(std::move(finish))
{
    // One writer: the file is replaced by one write at a time, in the order they were taken.
    m_pool.setMaxThreadCount(1);
}

HistorySaver::~HistorySaver()
{
    // The owner flushes first; its callbacks cannot run while it is being destroyed.
    m_pool.waitForDone();
}

void HistorySaver::write(Job &job)
{
    if (job.bytes.isNull())
        job.bytes = job.snapshot.toJson();
    if (!job.keepDocument)
        job.snapshot = HistorySnapshot();
    job.size = job.bytes.size();
    // A history file linked elsewhere on purpose stays linked.
    job.written = SafeFile::writeDocument(job.path, job.bytes, &job.error, &job.openFailed, SafeFile::Links::WriteThrough);
    if (job.keepDocument && job.written)
        job.sha256 = QString::fromLatin1(QCryptographicHash::hash(job.bytes, QCryptographicHash::Sha256).toHex());
    else
        job.bytes.clear();
}

void HistorySaver::request(bool sync)
{
    if (m_running) {
        m_pending = true;
        m_pendingSync = m_pendingSync || sync;
        return;
    }
    start(sync);
}

void HistorySaver::start(bool sync)
{
    auto job = std::make_shared<Job>();
    job->sync = sync;
    if (!m_prepare(*job))
        return;
    m_running = job;
    const quint64 generation = ++m_generation;
    m_pool.start([this, job, generation] {
        write(*job);
        QMetaObject::invokeMethod(this, [this, generation] { finished(generation); }, Qt::QueuedConnection);
    });
}

void HistorySaver::finished(quint64 generation)
{
    // A flush may have taken this write's outcome already.
    if (!m_running || generation != m_generation)
        return;
    finishRunning();
    if (m_pending) {
        const bool sync = m_pendingSync;
        m_pending = false;
        m_pendingSync = false;
        start(sync);
    }
}

void HistorySaver::finishRunning()
{
    const std::shared_ptr<Job> job = std::move(m_running);
    m_running.reset();
    m_finish(*job);
}

bool HistorySaver::settle()
{
    if (m_running) {
        m_pool.waitForDone();
        ++m_generation;
        finishRunning();
    }
    const bool sync = m_pending && m_pendingSync;
    m_pending = false;
    m_pendingSync = false;
    return sync;
}

void HistorySaver::flush()
{
    const bool asked = m_pending;
    const bool sync = settle();
    if (!asked)
        return;
    Job job;
    job.sync = sync;
    if (!m_prepare(job))
        return;
    write(job);
    m_finish(job);
}
