#include "logging/qxtbasicfileloggerengine.h"

#include "logging/qxtprivate.h"

#include <QDateTime>

class QxtBasicFileLoggerEnginePrivate : public QxtPrivate<QxtBasicFileLoggerEngine>
{
public:
    using QxtPrivate<QxtBasicFileLoggerEngine>::QxtPrivate;

    QString dateFormat;
};

QxtBasicFileLoggerEngine::QxtBasicFileLoggerEngine(const QString& fileName)
    : QxtAbstractFileLoggerEngine(fileName,
                                  QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)
    , d(new QxtBasicFileLoggerEnginePrivate(this))
{
    setDateFormat(QStringLiteral("hh:mm:ss.zzz"));
}

QxtBasicFileLoggerEngine::~QxtBasicFileLoggerEngine()
{
    delete d;
}

QString QxtBasicFileLoggerEngine::dateFormat() const
{
    return d->dateFormat;
}

void QxtBasicFileLoggerEngine::setDateFormat(const QString& format)
{
    d->dateFormat = format;
}

void QxtBasicFileLoggerEngine::writeToFile(const QString& level, const QList<QVariant>& messages)
{
    QIODevice* file = device();
    if (!file || messages.isEmpty())
        return;
    const QString header = QLatin1Char('[') + QDateTime::currentDateTime().toString(d->dateFormat)
        + QStringLiteral("] [") + level + QStringLiteral("] ");
    file->write(header.toUtf8());
    for (const QVariant& part : messages) {
        if (!part.isNull())
            file->write(part.toString().toUtf8());
    }
    file->write("\n");
}
