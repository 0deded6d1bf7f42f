#pragma once

#include "logging/qxtlogger.h"
#include "logging/qxtprivate.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QRecursiveMutex>

class QxtLoggerEngine;

class QxtLoggerPrivate : public QObject, public QxtPrivate<QxtLogger>
{
    Q_OBJECT

public:
    explicit QxtLoggerPrivate(QxtLogger* owner);
    ~QxtLoggerPrivate() override;

    // The logger while it can still be used; null once its teardown has begun. Engines and the
    // message handler go through this, because the logger is a static that may already be gone.
    static QxtLogger* liveInstance();
    static QxtLoggerPrivate* of(QxtLogger* logger) { return logger->d; }

    void setMinimumLevel(QxtLoggerEngine* engine, QxtLogger::LogLevel level);

    // The registry by name. It changes only through the two calls below, which keep the delivery
    // order with it.
    const QHash<QString, QxtLoggerEngine*>& engines() const { return m_engines; }
    void insertEngine(const QString& name, QxtLoggerEngine* engine);
    QxtLoggerEngine* takeEngine(const QString& name);

    QRecursiveMutex* mutex;

public slots:
    void log(QxtLogger::LogLevel level, const QList<QVariant>& msgs);

private:
    QHash<QString, QxtLoggerEngine*> m_engines;
    // The values of the registry, kept apart because walking a hash visits every empty bucket too.
    QList<QxtLoggerEngine*> m_deliveryOrder;
};
