#include "logging/qxtabstractiologgerengine.h"

#include "logging/qxtprivate.h"

class QxtAbstractIOLoggerEnginePrivate : public QxtPrivate<QxtAbstractIOLoggerEngine>
{
public:
    QxtAbstractIOLoggerEnginePrivate(QxtAbstractIOLoggerEngine* owner, QIODevice* device)
        : QxtPrivate<QxtAbstractIOLoggerEngine>(owner)
        , device(device)
    {
    }

    QIODevice* device;
};

QxtAbstractIOLoggerEngine::QxtAbstractIOLoggerEngine(QIODevice* device)
    : d(new QxtAbstractIOLoggerEnginePrivate(this, device))
{
}

QxtAbstractIOLoggerEngine::~QxtAbstractIOLoggerEngine()
{
    delete d;
}

QIODevice* QxtAbstractIOLoggerEngine::device() const
{
    return d->device;
}

void QxtAbstractIOLoggerEngine::setDevice(QIODevice* device)
{
    d->device = device;
}
