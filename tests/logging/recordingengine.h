#pragma once

// An engine that keeps what it is handed, for checking the logger's routing.

#include "logging/qxtloggerengine.h"

#include <QList>
#include <QStringList>
#include <QThread>
#include <QVariant>

struct RecordedMessage
{
    QxtLogger::LogLevel level;
    QList<QVariant> parts;
    QThread* thread;
};

class RecordingEngine : public QxtLoggerEngine
{
public:
    // events outlives the engine, so a test can see the kill and the deletion.
    explicit RecordingEngine(QStringList* events = nullptr)
        : m_events(events)
    {
    }
    ~RecordingEngine() override { note(QStringLiteral("deleted")); }

    void initLoggerEngine() override { note(QStringLiteral("init")); }
    void killLoggerEngine() override { note(QStringLiteral("kill")); }
    bool isInitialized() const override { return initialized; }
    void writeFormatted(QxtLogger::LogLevel level, const QList<QVariant>& parts) override
    {
        messages.append({level, parts, QThread::currentThread()});
    }

    QList<RecordedMessage> messages;
    bool initialized = true;

private:
    void note(const QString& event)
    {
        if (m_events)
            m_events->append(event);
    }

    QStringList* m_events;
};
