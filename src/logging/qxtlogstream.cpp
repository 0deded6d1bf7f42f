#include "logging/qxtlogstream.h"

#include "logging/qxtprivate.h"

// The record all copies of one stream share.
class QxtLogStreamPrivate : public QxtPrivate<QxtLogStream>
{
public:
    QxtLogStreamPrivate(QxtLogStream* owner, QxtLogger* logger, QxtLogger::LogLevel level,
                        const QList<QVariant>& parts)
        : QxtPrivate<QxtLogStream>(owner)
        , logger(logger)
        , level(level)
        , parts(parts)
    {
    }

    QxtLogger* logger;
    QxtLogger::LogLevel level;
    QList<QVariant> parts;
    int refcount = 1;
};

QxtLogStream::QxtLogStream(QxtLogger* logger, QxtLogger::LogLevel level, const QList<QVariant>& parts)
    : d(new QxtLogStreamPrivate(this, logger, level, parts))
{
}

QxtLogStream::QxtLogStream(const QxtLogStream& other)
    : d(other.d)
{
    ++d->refcount;
}

QxtLogStream& QxtLogStream::operator=(const QxtLogStream& other)
{
    if (d != other.d) {
        ++other.d->refcount;
        release();
        d = other.d;
    }
    return *this;
}

QxtLogStream::~QxtLogStream()
{
    release();
}

QxtLogStream& QxtLogStream::operator<<(const QVariant& value)
{
    d->parts.append(value);
    return *this;
}

void QxtLogStream::release()
{
    if (--d->refcount > 0)
        return;
    if (d->logger)
        d->logger->log(d->level, d->parts);
    delete d;
    d = nullptr;
}
