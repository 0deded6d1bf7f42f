#pragma once

#include "logging/qxtloggerengine.h"

#include <QString>

class QTextStream;
class QxtBasicSTDLoggerEnginePrivate;

// Writes log lines to standard output and standard error, the stream chosen by level.
class QxtBasicSTDLoggerEngine : public QxtLoggerEngine
{
public:
    QxtBasicSTDLoggerEngine();
    ~QxtBasicSTDLoggerEngine() override;

    void initLoggerEngine() override;
    void killLoggerEngine() override;
    bool isInitialized() const override;
    void writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& messages) override;

    QTextStream* stdErrStream() const;
    QTextStream* stdOutStream() const;

    // Warnings, errors, critical and fatal messages stay on whatever is asked.
    void setLogLevelEnabled(QxtLogger::LogLevels levels, bool enable = true);

protected:
    virtual void writeToStdErr(const QString& level, const QList<QVariant>& messages);
    virtual void writeToStdOut(const QString& level, const QList<QVariant>& messages);

private:
    Q_DISABLE_COPY(QxtBasicSTDLoggerEngine)
    QxtBasicSTDLoggerEnginePrivate* d;
};
