#pragma once

#include <QFlags>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

class QxtLoggerEngine;
class QxtLoggerPrivate;
class QxtLogStream;

// Process-wide logger: routes every message to the named engines that accept its level, and
// receives Qt's own messages once installed as the message handler.
class QxtLogger : public QObject
{
    Q_OBJECT

public:
    enum LogLevel {
        NoLevels = 0,
        TraceLevel = 1,
        DebugLevel = 2,
        InfoLevel = 4,
        WarningLevel = 8,
        ErrorLevel = 16,
        CriticalLevel = 32,
        FatalLevel = 64,
        WriteLevel = 128,
        AllLevels = 255
    };
    Q_ENUM(LogLevel)
    Q_DECLARE_FLAGS(LogLevels, LogLevel)
    Q_FLAG(LogLevels)

    static QxtLogger* getInstance();

    static QString logLevelToString(LogLevel level);
    static LogLevel stringToLogLevel(const QString& level);

    void installAsMessageHandler();
    void removeAsMessageHandler();

    QxtLogStream stream(LogLevel level);
    QxtLogStream trace();
    QxtLogStream debug();
    QxtLogStream info();
    QxtLogStream warning();
    QxtLogStream error();
    QxtLogStream critical();
    QxtLogStream fatal();
    QxtLogStream write();

    // Engine registry; the logger owns every registered engine.
    void addLoggerEngine(const QString& name, QxtLoggerEngine* engine);
    QxtLoggerEngine* takeLoggerEngine(const QString& name);
    void removeLoggerEngine(const QString& name);
    void removeLoggerEngine(QxtLoggerEngine* engine);
    QxtLoggerEngine* engine(const QString& name);
    bool isLoggerEngine(const QString& name) const;

    void initLoggerEngine(const QString& name);
    void killLoggerEngine(const QString& name);
    void enableLoggerEngine(const QString& name);
    void disableLoggerEngine(const QString& name);
    bool isLoggerEngineEnabled(const QString& name) const;

    void enableLogLevels(LogLevels levels);
    void enableLogLevels(const QString& name, LogLevels levels);
    void enableAllLogLevels();
    void enableAllLogLevels(const QString& name);
    void disableLogLevels(LogLevels levels);
    void disableLogLevels(const QString& name, LogLevels levels);
    void disableAllLogLevels();
    void disableAllLogLevels(const QString& name);
    void setMinimumLevel(LogLevel level);
    void setMinimumLevel(const QString& name, LogLevel level);
    bool isLogLevelEnabled(const QString& name, LogLevel level) const;

    QStringList allLoggerEngines() const;
    QStringList allEnabledLoggerEngines() const;
    QStringList allEnabledLoggerEngines(LogLevel level) const;
    QStringList allDisabledLoggerEngines() const;

signals:
    void loggerEngineAdded(const QString& engineName);
    void loggerEngineRemoved(const QString& engineName);
    void loggerEngineEnabled(const QString& engineName);
    void loggerEngineDisabled(const QString& engineName);

public slots:
    void trace(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
               const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
               const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
               const QVariant& msg9 = QVariant());
    void debug(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
               const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
               const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
               const QVariant& msg9 = QVariant());
    void info(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
              const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
              const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
              const QVariant& msg9 = QVariant());
    void warning(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
                 const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
                 const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
                 const QVariant& msg9 = QVariant());
    void error(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
               const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
               const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
               const QVariant& msg9 = QVariant());
    void critical(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
                  const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
                  const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
                  const QVariant& msg9 = QVariant());
    void fatal(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
               const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
               const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
               const QVariant& msg9 = QVariant());
    void write(const QVariant& message, const QVariant& msg1 = QVariant(), const QVariant& msg2 = QVariant(),
               const QVariant& msg3 = QVariant(), const QVariant& msg4 = QVariant(), const QVariant& msg5 = QVariant(),
               const QVariant& msg6 = QVariant(), const QVariant& msg7 = QVariant(), const QVariant& msg8 = QVariant(),
               const QVariant& msg9 = QVariant());

    void trace(const QList<QVariant>& args);
    void debug(const QList<QVariant>& args);
    void info(const QList<QVariant>& args);
    void warning(const QList<QVariant>& args);
    void error(const QList<QVariant>& args);
    void critical(const QList<QVariant>& args);
    void fatal(const QList<QVariant>& args);
    void write(const QList<QVariant>& args);

    void log(QxtLogger::LogLevel level, const QList<QVariant>& args);

private:
    QxtLogger();
    ~QxtLogger() override;
    Q_DISABLE_COPY(QxtLogger)

    void logParts(LogLevel level, const QVariant& message, const QVariant& msg1, const QVariant& msg2,
                  const QVariant& msg3, const QVariant& msg4, const QVariant& msg5, const QVariant& msg6,
                  const QVariant& msg7, const QVariant& msg8, const QVariant& msg9);

    friend class QxtLoggerPrivate;
    QxtLoggerPrivate* d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(QxtLogger::LogLevels)

// Qt message handler that hands every qDebug/qInfo/qWarning/qCritical/qFatal to the logger.
void QxtLoggerMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);
