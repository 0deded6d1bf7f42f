#include "logging/qxtloggerengine.h"

#include "logging/qxtlogger_p.h"
#include "logging/qxtprivate.h"

class QxtLoggerEnginePrivate : public QxtPrivate<QxtLoggerEngine>
{
public:
    using QxtPrivate<QxtLoggerEngine>::QxtPrivate;

    QxtLogger::LogLevels levels = QxtLogger::AllLevels;
    bool enabled = true;
};

QxtLoggerEngine::QxtLoggerEngine()
    : d(new QxtLoggerEnginePrivate(this))
{
}

QxtLoggerEngine::~QxtLoggerEngine()
{
    // Leave no dangling entry behind; skipped while the logger itself is deleting its engines.
    if (QxtLogger* logger = QxtLoggerPrivate::liveInstance())
        logger->removeLoggerEngine(this);
    delete d;
}

void QxtLoggerEngine::setLoggingEnabled(bool enable)
{
    d->enabled = enable;
}

void QxtLoggerEngine::setLogLevelsEnabled(QxtLogger::LogLevels levels, bool enable)
{
    if (enable)
        d->levels |= levels;
    else
        d->levels &= ~levels;
}

bool QxtLoggerEngine::isLoggingEnabled() const
{
    return d->enabled;
}

void QxtLoggerEngine::enableLogging()
{
    setLoggingEnabled(true);
}

void QxtLoggerEngine::disableLogging()
{
    setLoggingEnabled(false);
}

bool QxtLoggerEngine::isLogLevelEnabled(QxtLogger::LogLevel level) const
{
    return (d->levels & level).toInt() != 0;
}

void QxtLoggerEngine::enableLogLevels(QxtLogger::LogLevels levels)
{
    setLogLevelsEnabled(levels, true);
}

void QxtLoggerEngine::disableLogLevels(QxtLogger::LogLevels levels)
{
    setLogLevelsEnabled(levels, false);
}
