#pragma once

#include "logging/qxtloggerengine.h"

class QIODevice;
class QxtAbstractIOLoggerEnginePrivate;

// An engine that writes to an I/O device.
class QxtAbstractIOLoggerEngine : public QxtLoggerEngine
{
public:
    explicit QxtAbstractIOLoggerEngine(QIODevice* device = nullptr);
    ~QxtAbstractIOLoggerEngine() override;

    QIODevice* device() const;
    void setDevice(QIODevice* device);

private:
    Q_DISABLE_COPY(QxtAbstractIOLoggerEngine)
    QxtAbstractIOLoggerEnginePrivate* d;
};
