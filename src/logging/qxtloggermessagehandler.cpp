// Qt's message handler for the logger.

#include "logging/qxtlogger.h"

#include "logging/logburst.h"
#include "logging/qxtlogger_p.h"

#include <QMutexLocker>
#include <QThread>
#include <QTime>

#include <cstdio>
#include <cstdlib>

namespace {

void writeToStdErr(const char* levelWord, const QString& message)
{
    const QByteArray line = QStringLiteral("[%1] [%2] %3\n")
                                .arg(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")),
                                     QLatin1String(levelWord), message)
                                .toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

// What logger->debug(message) and its kin do, without making and dropping nine empty parts for
// every message.
void deliver(QxtLogger* logger, QxtLogger::LogLevel level, const QString& message)
{
    QMutexLocker locker(QxtLoggerPrivate::of(logger)->mutex);
    logger->log(level, QList<QVariant>{message});
}

} // namespace

void QxtLoggerMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Q_UNUSED(context)

    QxtLogger* logger = QxtLoggerPrivate::liveInstance();
    if (!logger) {
        // Torn down while this message was on its way; don't let it vanish.
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        if (type == QtFatalMsg)
            std::abort();
        return;
    }

    switch (type) {
    case QtDebugMsg:
        deliver(logger, QxtLogger::DebugLevel, message);
        break;
    case QtWarningMsg:
        deliver(logger, QxtLogger::WarningLevel, message);
        break;
    case QtCriticalMsg:
        deliver(logger, QxtLogger::CriticalLevel, message);
        break;
    case QtFatalMsg:
        // Lines held back by a burst come before this one, and must not die with the process.
        LogBurst::writeHeld();
        // From another thread the line is only queued, and the abort below would lose it.
        if (QThread::currentThread() != QxtLoggerPrivate::of(logger)->thread())
            writeToStdErr("!!FATAL!!", message);
        deliver(logger, QxtLogger::FatalLevel, message);
        LogBurst::writeHeld();
        std::abort();
    case QtInfoMsg:
        deliver(logger, QxtLogger::InfoLevel, message);
        break;
    }
}
