#pragma once

#include "logging/qxtlogger.h"

#include <QList>
#include <QVariant>

class QxtLoggerEnginePrivate;

// One output of the logger: its own on/off switch and level mask, and the line it writes.
class QxtLoggerEngine
{
public:
    QxtLoggerEngine();
    virtual ~QxtLoggerEngine();

    virtual void initLoggerEngine() = 0;
    virtual void killLoggerEngine() = 0;
    virtual bool isInitialized() const = 0;
    virtual void writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& messages) = 0;
    virtual void setLoggingEnabled(bool enable = true);
    virtual void setLogLevelsEnabled(QxtLogger::LogLevels levels, bool enable = true);

    bool isLoggingEnabled() const;
    void enableLogging();
    void disableLogging();

    bool isLogLevelEnabled(QxtLogger::LogLevel level) const;
    void enableLogLevels(QxtLogger::LogLevels levels);
    void disableLogLevels(QxtLogger::LogLevels levels);

private:
    Q_DISABLE_COPY(QxtLoggerEngine)
    QxtLoggerEnginePrivate* d;
};
