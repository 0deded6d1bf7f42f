#pragma once

#include "logging/qxtlogger.h"

#include <QList>
#include <QVariant>

class QxtLogStreamPrivate;

// Stream-style logging: collects parts and writes one line when the last copy goes away.
class QxtLogStream
{
public:
    QxtLogStream(QxtLogger* logger, QxtLogger::LogLevel level, const QList<QVariant>& parts);
    QxtLogStream(const QxtLogStream& other);
    QxtLogStream& operator=(const QxtLogStream& other);
    ~QxtLogStream();

    QxtLogStream& operator<<(const QVariant& value);

private:
    void release();

    QxtLogStreamPrivate* d;
};
