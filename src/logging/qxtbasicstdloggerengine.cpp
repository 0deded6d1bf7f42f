#include "logging/qxtbasicstdloggerengine.h"

#include "logging/burstlogfile.h"
#include "logging/qxtprivate.h"

#include <QDateTime>
#include <QFileDevice>
#include <QIODevice>
#include <QStringEncoder>
#include <QTextStream>
#include <QTime>
#include <QVarLengthArray>

#include <cstdio>

namespace {

constexpr QxtLogger::LogLevels severeLevels = QxtLogger::WarningLevel | QxtLogger::ErrorLevel
    | QxtLogger::CriticalLevel | QxtLogger::FatalLevel;

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

using LineBytes = QVarLengthArray<char, 512>;

// "[hh:mm:ss.zzz] ", as QTime::toString writes the time, without parsing the format for every line.
void appendClock(LineBytes& line, const QTime& time)
{
    const auto digits = [&line](int value, int count) {
        char text[3];
        for (int i = count - 1; i >= 0; --i, value /= 10)
            text[i] = char('0' + value % 10);
        line.append(text, count);
    };
    line.append('[');
    digits(time.hour(), 2);
    line.append(':');
    digits(time.minute(), 2);
    line.append(':');
    digits(time.second(), 2);
    line.append('.');
    digits(time.msec(), 3);
    line.append("] ", 2);
}

// A stream that would write a line's text as its UTF-8 bytes and nothing else.
bool writesPlainUtf8(const QTextStream* stream)
{
    return stream->device() && stream->status() == QTextStream::Ok
        && stream->encoding() == QStringConverter::Utf8 && !stream->generateByteOrderMark()
        && stream->fieldWidth() == 0;
}

// What the stream writes for `*stream << text << Qt::endl`, encoded once and written to its
// device in one call.
void writeThrough(QTextStream* stream, const QString& level, const QList<QVariant>& messages)
{
    QVarLengthArray<char16_t, 256> text;
    const auto appendText = [&text](QStringView piece) { text.append(piece.utf16(), piece.size()); };
    text.append(u'[');
    appendText(level);
    appendText(u"] ");
    for (const QVariant& part : messages) {
        if (part.isNull())
            continue;
        if (part.metaType() == QMetaType::fromType<QString>())
            appendText(*static_cast<const QString*>(part.constData()));
        else
            appendText(part.toString());
    }
    text.append(u'\n');

    LineBytes line;
    appendClock(line, currentTime());
    QStringEncoder encoder(QStringConverter::Utf8);
    const qsizetype used = line.size();
    line.resize(used + encoder.requiredSpace(text.size()));
    line.resize(encoder.appendToBuffer(line.data() + used, QStringView(text.constData(), text.size())) - line.data());

    // Whatever a caller left in the stream goes out before this line.
    stream->flush();
    QIODevice* device = stream->device();
    if (device->write(line.constData(), line.size()) <= 0) {
        stream->setStatus(QTextStream::WriteFailed);
        return;
    }
    if (auto* file = qobject_cast<QFileDevice*>(device))
        file->flush();
}

void writeLine(QTextStream* stream, const QString& level, const QList<QVariant>& messages)
{
    if (!stream || messages.isEmpty())
        return;
    if (writesPlainUtf8(stream)) {
        writeThrough(stream, level, messages);
        return;
    }
    QString line = QLatin1String("[") + QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"))
        + QLatin1String("] [") + level + QLatin1String("] ");
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
    {
        // As QTextStream(FILE*) opens them, on files that keep lines back during a burst.
        errfile.open(stderr, QIODevice::ReadWrite);
        outfile.open(stdout, QIODevice::ReadWrite);
        outfile.setMayHold(false);
        errstream = new QTextStream(&errfile);
        outstream = new QTextStream(&outfile);
    }

    ~QxtBasicSTDLoggerEnginePrivate() override
    {
        errstream->flush();
        outstream->flush();
        delete errstream;
        delete outstream;
    }

    BurstLogFile errfile;
    BurstLogFile outfile;
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
