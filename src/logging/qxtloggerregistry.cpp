// The engine registry of QxtLogger: every operation holds the recursive registry lock.

#include "logging/qxtlogger.h"

#include "logging/qxtlogger_p.h"
#include "logging/qxtloggerengine.h"

#include <QMutexLocker>

void QxtLogger::addLoggerEngine(const QString& name, QxtLoggerEngine* engine)
{
    QMutexLocker locker(d->mutex);
    if (!engine || d->engines().contains(name))
        return;
    d->insertEngine(name, engine);
    emit loggerEngineAdded(name);
}

QxtLoggerEngine* QxtLogger::takeLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    QxtLoggerEngine* engine = d->takeEngine(name);
    if (engine)
        emit loggerEngineRemoved(name);
    return engine;
}

void QxtLogger::removeLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    QxtLoggerEngine* engine = takeLoggerEngine(name);
    if (!engine)
        return;
    engine->killLoggerEngine();
    delete engine;
}

void QxtLogger::removeLoggerEngine(QxtLoggerEngine* engine)
{
    QMutexLocker locker(d->mutex);
    const QStringList names = d->engines().keys(engine);
    for (const QString& name : names)
        takeLoggerEngine(name);
}

QxtLoggerEngine* QxtLogger::engine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    return d->engines().value(name);
}

bool QxtLogger::isLoggerEngine(const QString& name) const
{
    QMutexLocker locker(d->mutex);
    return d->engines().contains(name);
}

void QxtLogger::initLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name))
        engine->initLoggerEngine();
}

void QxtLogger::killLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name))
        engine->killLoggerEngine();
}

void QxtLogger::enableLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name)) {
        engine->enableLogging();
        emit loggerEngineEnabled(name);
    }
}

void QxtLogger::disableLoggerEngine(const QString& name)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name)) {
        engine->disableLogging();
        emit loggerEngineDisabled(name);
    }
}

bool QxtLogger::isLoggerEngineEnabled(const QString& name) const
{
    QMutexLocker locker(d->mutex);
    const QxtLoggerEngine* engine = d->engines().value(name);
    return engine && engine->isLoggingEnabled();
}

void QxtLogger::enableLogLevels(LogLevels levels)
{
    QMutexLocker locker(d->mutex);
    for (QxtLoggerEngine* engine : d->engines()) {
        if (engine)
            engine->enableLogLevels(levels);
    }
}

void QxtLogger::enableLogLevels(const QString& name, LogLevels levels)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name))
        engine->enableLogLevels(levels);
}

void QxtLogger::enableAllLogLevels()
{
    enableLogLevels(AllLevels);
}

void QxtLogger::enableAllLogLevels(const QString& name)
{
    enableLogLevels(name, AllLevels);
}

void QxtLogger::disableLogLevels(LogLevels levels)
{
    QMutexLocker locker(d->mutex);
    for (QxtLoggerEngine* engine : d->engines()) {
        if (engine)
            engine->disableLogLevels(levels);
    }
}

void QxtLogger::disableLogLevels(const QString& name, LogLevels levels)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name))
        engine->disableLogLevels(levels);
}

void QxtLogger::disableAllLogLevels()
{
    disableLogLevels(AllLevels);
}

void QxtLogger::disableAllLogLevels(const QString& name)
{
    disableLogLevels(name, AllLevels);
}

void QxtLogger::setMinimumLevel(LogLevel level)
{
    QMutexLocker locker(d->mutex);
    for (QxtLoggerEngine* engine : d->engines()) {
        if (engine)
            d->setMinimumLevel(engine, level);
    }
}

void QxtLogger::setMinimumLevel(const QString& name, LogLevel level)
{
    QMutexLocker locker(d->mutex);
    if (QxtLoggerEngine* engine = d->engines().value(name))
        d->setMinimumLevel(engine, level);
}

bool QxtLogger::isLogLevelEnabled(const QString& name, LogLevel level) const
{
    QMutexLocker locker(d->mutex);
    const QxtLoggerEngine* engine = d->engines().value(name);
    return engine && engine->isLogLevelEnabled(level);
}

QStringList QxtLogger::allLoggerEngines() const
{
    QMutexLocker locker(d->mutex);
    return d->engines().keys();
}

QStringList QxtLogger::allEnabledLoggerEngines() const
{
    QMutexLocker locker(d->mutex);
    QStringList names;
    for (auto it = d->engines().cbegin(); it != d->engines().cend(); ++it) {
        if (it.value() && it.value()->isLoggingEnabled())
            names.append(it.key());
    }
    return names;
}

QStringList QxtLogger::allEnabledLoggerEngines(LogLevel level) const
{
    QMutexLocker locker(d->mutex);
    QStringList names;
    for (auto it = d->engines().cbegin(); it != d->engines().cend(); ++it) {
        if (it.value() && it.value()->isLoggingEnabled() && it.value()->isLogLevelEnabled(level))
            names.append(it.key());
    }
    return names;
}

QStringList QxtLogger::allDisabledLoggerEngines() const
{
    QMutexLocker locker(d->mutex);
    QStringList names;
    for (auto it = d->engines().cbegin(); it != d->engines().cend(); ++it) {
        if (it.value() && !it.value()->isLoggingEnabled())
            names.append(it.key());
    }
    return names;
}
