#include "logging/qxtbasicstdloggerengine.h"

#include "logging/qxtprivate.h"

#include <QIODevice>
#include <QDateTime>
#include <QTextStream>
#include <QTime>

#include <cstdio>

namespace {

constexpr QxtLogger::LogLevels severeLevels = QxtLogger::WarningLevel | QxtLogger::ErrorLevel
    | QxtLogger::CriticalLevel | QxtLogger::FatalLevel;

// "hh:mm:ss.zzz", as QTime::toString writes it, without parsing the format for every line.
QString clockText(const QTime& time)
{
    QString text(12, Qt::Uninitialized);
    QChar* out = text.data();
    const auto digits = [&out](int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            out[i] = QChar(u'0' + value % 10);
        out += count;
    };
    digits(time.hour(), 2);
    *out++ = u':';
    digits(time.minute(), 2);
    *out++ = u':';
    digits(time.second(), 2);
    *out++ = u'.';
    digits(time.msec(), 3);
    return text;
}

// QTime::currentTime() converts to local time for every call; the local time of a second is
// worked out once, at the first line in it.
QTime currentTime()
{
    thread_local qint64 cachedSecond = -1;
    thread_local QTime cachedTime;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = now / 1000;
    if (second != cachedSecond) {
        cachedSecond = second;
        cachedTime = QDateTime::fromMSecsSinceEpoch(second * 1000).time();
    }
    return cachedTime.addMSecs(int(now - second * 1000));
}

void writeLine(QTextStream* stream, const QString& level, const QList<QVariant>& messages)
{
    if (!stream || messages.isEmpty())
        return;
    // One string per line: the stream converts and writes every piece it is given on its own.
    QString line = u'[' + clockText(currentTime()) + QLatin1String("] [") + level + QLatin1String("] ");
    for (const QVariant& part : messages) {
        if (!part.isNull())
            line += part.toString();
    }
    *stream << line << Qt::endl;
}

} // namespace

class QxtBasicSTDLoggerEnginePrivate : public QxtPrivate<QxtBasicSTDLoggerEngine>
{
public:
    explicit QxtBasicSTDLoggerEnginePrivate(QxtBasicSTDLoggerEngine* owner)
        : QxtPrivate<QxtBasicSTDLoggerEngine>(owner)
        , errstream(new QTextStream(stderr, QIODevice::ReadWrite))
        , outstream(new QTextStream(stdout, QIODevice::ReadWrite))
    {
    }

    ~QxtBasicSTDLoggerEnginePrivate() override
    {
        errstream->flush();
        outstream->flush();
        delete errstream;
        delete outstream;
    }

    QTextStream* errstream;
    QTextStream* outstream;
};

QxtBasicSTDLoggerEngine::QxtBasicSTDLoggerEngine()
    : d(new QxtBasicSTDLoggerEnginePrivate(this))
{
    enableLogLevels(QxtLogger::DebugLevel | severeLevels);
    enableLogging();
}

QxtBasicSTDLoggerEngine::~QxtBasicSTDLoggerEngine()
{
    delete d;
}

void QxtBasicSTDLoggerEngine::initLoggerEngine()
{
}

void QxtBasicSTDLoggerEngine::killLoggerEngine()
{
}

bool QxtBasicSTDLoggerEngine::isInitialized() const
{
    return d->errstream && d->outstream;
}

QTextStream* QxtBasicSTDLoggerEngine::stdErrStream() const
{
    return d->errstream;
}

QTextStream* QxtBasicSTDLoggerEngine::stdOutStream() const
{
    return d->outstream;
}

void QxtBasicSTDLoggerEngine::setLogLevelEnabled(QxtLogger::LogLevels levels, bool enable)
{
    if (enable) {
        enableLogLevels(levels | severeLevels);
    } else {
        disableLogLevels(levels | severeLevels);
        enableLogLevels(severeLevels);
    }
}

void QxtBasicSTDLoggerEngine::writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& messages)
{
    switch (level) {
    case QxtLogger::TraceLevel:
        writeToStdOut(QStringLiteral("Trace"), messages);
        break;
    case QxtLogger::DebugLevel:
        writeToStdErr(QStringLiteral("DEBUG"), messages);
        break;
    case QxtLogger::InfoLevel:
        writeToStdOut(QStringLiteral("INFO"), messages);
        break;
    case QxtLogger::WarningLevel:
        writeToStdOut(QStringLiteral("Warning"), messages);
        break;
    case QxtLogger::ErrorLevel:
        writeToStdErr(QStringLiteral("Error"), messages);
        break;
    case QxtLogger::CriticalLevel:
        writeToStdErr(QStringLiteral("Critical"), messages);
        break;
    case QxtLogger::FatalLevel:
        writeToStdErr(QStringLiteral("!!FATAL!!"), messages);
        break;
    default:
        writeToStdOut(QString(), messages);
        break;
    }
}

void QxtBasicSTDLoggerEngine::writeToStdErr(const QString& level, const QList<QVariant>& messages)
{
    writeLine(d->errstream, level, messages);
}

void QxtBasicSTDLoggerEngine::writeToStdOut(const QString& level, const QList<QVariant>& messages)
{
    writeLine(d->outstream, level, messages);
}
