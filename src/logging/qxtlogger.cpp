#include "logging/qxtlogger.h"

#include "logging/qxtbasicstdloggerengine.h"
#include "logging/qxtlogger_p.h"
#include "logging/qxtloggerengine.h"
#include "logging/qxtlogstream.h"

#include <QMetaObject>
#include <QMetaType>
#include <QMutexLocker>
#include <QThread>

QxtLogger::QxtLogger()
    : d(new QxtLoggerPrivate(this))
{
    qRegisterMetaType<QxtLogger::LogLevel>();
    qRegisterMetaType<QxtLogger::LogLevels>();
    qRegisterMetaType<QList<QVariant>>();

    addLoggerEngine(QStringLiteral("DEFAULT"), new QxtBasicSTDLoggerEngine());
    setMinimumLevel(QStringLiteral("DEFAULT"), InfoLevel);
}

QxtLogger::~QxtLogger()
{
    // A message sent after this point (from another static's destructor or Qt's own cleanup)
    // must reach Qt's default output, not a logger that no longer exists.
    removeAsMessageHandler();
    delete d;
    d = nullptr;
}

QxtLogger* QxtLogger::getInstance()
{
    static QxtLogger instance;
    return &instance;
}

QString QxtLogger::logLevelToString(LogLevel level)
{
    switch (level) {
    case TraceLevel:
        return QStringLiteral("TraceLevel");
    case DebugLevel:
        return QStringLiteral("DebugLevel");
    case InfoLevel:
        return QStringLiteral("InfoLevel");
    case WarningLevel:
        return QStringLiteral("WarningLevel");
    case ErrorLevel:
        return QStringLiteral("ErrorLevel");
    case CriticalLevel:
        return QStringLiteral("CriticalLevel");
    case FatalLevel:
        return QStringLiteral("FatalLevel");
    case WriteLevel:
        return QStringLiteral("WriteLevel");
    case AllLevels:
        return QStringLiteral("AllLevels");
    default:
        return QStringLiteral("NoLevels");
    }
}

QxtLogger::LogLevel QxtLogger::stringToLogLevel(const QString& level)
{
    static const struct {
        const char* name;
        LogLevel level;
    } names[] = {
        {"alllevels", AllLevels}, {"writelevel", WriteLevel}, {"fatallevel", FatalLevel},
        {"criticallevel", CriticalLevel}, {"errorlevel", ErrorLevel}, {"warnlevel", WarningLevel},
        {"infolevel", InfoLevel}, {"debuglevel", DebugLevel}, {"tracelevel", TraceLevel},
    };
    const QString lower = level.toLower();
    for (const auto& entry : names) {
        if (lower == QLatin1String(entry.name))
            return entry.level;
    }
    return NoLevels;
}

void QxtLogger::installAsMessageHandler()
{
    QMutexLocker locker(d->mutex);
    qInstallMessageHandler(QxtLoggerMessageHandler);
}

void QxtLogger::removeAsMessageHandler()
{
    QMutexLocker locker(d->mutex);
    // Only take out our own handler; one installed after ours stays in place.
    const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    if (previous != QxtLoggerMessageHandler)
        qInstallMessageHandler(previous);
}

// ---- Logging ----

void QxtLogger::logParts(LogLevel level, const QVariant& message, const QVariant& msg1, const QVariant& msg2,
                         const QVariant& msg3, const QVariant& msg4, const QVariant& msg5, const QVariant& msg6,
                         const QVariant& msg7, const QVariant& msg8, const QVariant& msg9)
{
    QMutexLocker locker(d->mutex);
    QList<QVariant> args{message};
    for (const QVariant* part : {&msg1, &msg2, &msg3, &msg4, &msg5, &msg6, &msg7, &msg8, &msg9}) {
        if (!part->isNull())
            args.append(*part);
    }
    log(level, args);
}

void QxtLogger::log(QxtLogger::LogLevel level, const QList<QVariant>& args)
{
    // Delivery always runs in the logger's thread: a direct call there, queued from any other.
    if (QThread::currentThread() == d->thread()) {
        d->log(level, args);
        return;
    }
    QMetaObject::invokeMethod(d, "log", Qt::QueuedConnection, Q_ARG(QxtLogger::LogLevel, level),
                              Q_ARG(QVariantList, args));
}

#define QXT_LOG_SLOTS(name, level)                                                                        \
    void QxtLogger::name(const QVariant& message, const QVariant& msg1, const QVariant& msg2,             \
                         const QVariant& msg3, const QVariant& msg4, const QVariant& msg5,                \
                         const QVariant& msg6, const QVariant& msg7, const QVariant& msg8,                \
                         const QVariant& msg9)                                                            \
    {                                                                                                     \
        logParts(level, message, msg1, msg2, msg3, msg4, msg5, msg6, msg7, msg8, msg9);                   \
    }                                                                                                     \
    void QxtLogger::name(const QList<QVariant>& args) { log(level, args); }                               \
    QxtLogStream QxtLogger::name() { return stream(level); }

QXT_LOG_SLOTS(trace, TraceLevel)
QXT_LOG_SLOTS(debug, DebugLevel)
QXT_LOG_SLOTS(info, InfoLevel)
QXT_LOG_SLOTS(warning, WarningLevel)
QXT_LOG_SLOTS(error, ErrorLevel)
QXT_LOG_SLOTS(critical, CriticalLevel)
QXT_LOG_SLOTS(fatal, FatalLevel)
QXT_LOG_SLOTS(write, WriteLevel)

#undef QXT_LOG_SLOTS

QxtLogStream QxtLogger::stream(LogLevel level)
{
    return QxtLogStream(this, level, QList<QVariant>());
}
