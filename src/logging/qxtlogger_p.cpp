#include "logging/qxtlogger_p.h"

#include "logging/qxtloggerengine.h"

#include <QAtomicInt>
#include <QSet>

namespace {

enum LoggerState { NotCreated, Alive, TornDown };
QAtomicInt loggerState(NotCreated);

} // namespace

QxtLoggerPrivate::QxtLoggerPrivate(QxtLogger* owner)
    : QObject(nullptr)
    , QxtPrivate<QxtLogger>(owner)
    , mutex(new QRecursiveMutex)
{
    loggerState.storeRelease(Alive);
}

QxtLoggerPrivate::~QxtLoggerPrivate()
{
    // From here on engine destructors must not call back into the registry being torn down.
    loggerState.storeRelease(TornDown);

    const QHash<QString, QxtLoggerEngine*> snapshot = m_engines;
    m_engines.clear();
    m_deliveryOrder.clear();
    // One engine may be registered under several names; delete it once.
    QSet<QxtLoggerEngine*> deleted;
    for (QxtLoggerEngine* engine : snapshot) {
        if (!engine || deleted.contains(engine))
            continue;
        deleted.insert(engine);
        engine->killLoggerEngine();
        delete engine;
    }
    delete mutex;
}

QxtLogger* QxtLoggerPrivate::liveInstance()
{
    if (loggerState.loadAcquire() == TornDown)
        return nullptr;
    return QxtLogger::getInstance();
}

void QxtLoggerPrivate::insertEngine(const QString& name, QxtLoggerEngine* engine)
{
    m_engines.insert(name, engine);
    m_deliveryOrder = m_engines.values();
}

QxtLoggerEngine* QxtLoggerPrivate::takeEngine(const QString& name)
{
    QxtLoggerEngine* engine = m_engines.take(name);
    m_deliveryOrder = m_engines.values();
    return engine;
}

void QxtLoggerPrivate::setMinimumLevel(QxtLoggerEngine* engine, QxtLogger::LogLevel level)
{
    static const QxtLogger::LogLevel singleLevels[] = {
        QxtLogger::TraceLevel, QxtLogger::DebugLevel, QxtLogger::InfoLevel, QxtLogger::WarningLevel,
        QxtLogger::ErrorLevel, QxtLogger::CriticalLevel, QxtLogger::FatalLevel, QxtLogger::WriteLevel,
    };
    for (QxtLogger::LogLevel single : singleLevels) {
        if (single >= level)
            engine->enableLogLevels(single);
        else
            engine->disableLogLevels(single);
    }
}

void QxtLoggerPrivate::log(QxtLogger::LogLevel level, const QList<QVariant>& msgs)
{
    // Copy under the lock so a registry change from another thread cannot race the read; the
    // engines themselves are written without it.
    QList<QxtLoggerEngine*> snapshot;
    {
        QMutexLocker locker(mutex);
        snapshot = m_deliveryOrder;
    }
    for (QxtLoggerEngine* engine : std::as_const(snapshot)) {
        if (!engine)
            continue;
        if (engine->isInitialized() && engine->isLoggingEnabled() && engine->isLogLevelEnabled(level))
            engine->writeFormatted(level, msgs);
    }
}
