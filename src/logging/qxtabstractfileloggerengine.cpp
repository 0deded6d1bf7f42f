#include "logging/qxtabstractfileloggerengine.h"

#include "logging/burstlogfile.h"
#include "logging/qxtprivate.h"
#include "logging/safelogfile.h"

class QxtAbstractFileLoggerEnginePrivate : public QxtPrivate<QxtAbstractFileLoggerEngine>
{
public:
    QxtAbstractFileLoggerEnginePrivate(QxtAbstractFileLoggerEngine* owner, const QString& fileName,
                                       QIODevice::OpenMode mode)
        : QxtPrivate<QxtAbstractFileLoggerEngine>(owner)
        , logFile(fileName)
        , mode(mode)
    {
    }

    QString logFile;
    QIODevice::OpenMode mode;
};

QxtAbstractFileLoggerEngine::QxtAbstractFileLoggerEngine(const QString& fileName, QIODevice::OpenMode mode)
    : QxtAbstractIOLoggerEngine(nullptr)
    , d(new QxtAbstractFileLoggerEnginePrivate(this, fileName, mode))
{
    QxtAbstractFileLoggerEngine::initLoggerEngine();
}

QxtAbstractFileLoggerEngine::~QxtAbstractFileLoggerEngine()
{
    QxtAbstractFileLoggerEngine::killLoggerEngine();
    delete d;
}

void QxtAbstractFileLoggerEngine::initLoggerEngine()
{
    QxtAbstractFileLoggerEngine::killLoggerEngine();
    if (d->logFile.isEmpty())
        return;

    // The engine owns the file; killLoggerEngine() closes and deletes it.
    auto* file = new BurstLogFile(d->logFile);
    setDevice(file);
    if (openLogFileSafely(file, d->mode) && file->isWritable())
        enableLogging();
    else
        QxtAbstractFileLoggerEngine::killLoggerEngine();
}

void QxtAbstractFileLoggerEngine::killLoggerEngine()
{
    QIODevice* file = device();
    if (!file)
        return;
    if (file->isOpen())
        file->close();
    delete file;
    setDevice(nullptr);
}

bool QxtAbstractFileLoggerEngine::isInitialized() const
{
    return device() != nullptr;
}

void QxtAbstractFileLoggerEngine::writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& messages)
{
    switch (level) {
    case QxtLogger::TraceLevel:
        writeToFile(QStringLiteral("Trace"), messages);
        break;
    case QxtLogger::DebugLevel:
        writeToFile(QStringLiteral("Debug"), messages);
        break;
    case QxtLogger::InfoLevel:
        writeToFile(QStringLiteral("Info"), messages);
        break;
    case QxtLogger::WarningLevel:
        writeToFile(QStringLiteral("Warning"), messages);
        break;
    case QxtLogger::ErrorLevel:
        writeToFile(QStringLiteral("Error"), messages);
        break;
    case QxtLogger::CriticalLevel:
        writeToFile(QStringLiteral("Critical"), messages);
        break;
    case QxtLogger::FatalLevel:
        writeToFile(QStringLiteral("Fatal"), messages);
        break;
    default:
        writeToFile(QString(), messages);
        break;
    }
}

QString QxtAbstractFileLoggerEngine::logFileName() const
{
    return d->logFile;
}

void QxtAbstractFileLoggerEngine::setLogFileName(const QString& fileName)
{
    d->logFile = fileName;
    initLoggerEngine();
}
