#pragma once

#include <QStringList>
#include <QtGlobal>

// Keeps every message the program logs while it lives, and passes each on to the handler before it.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        s_messages = &messages;
        s_previous = qInstallMessageHandler(record);
    }
    ~MessageRecorder()
    {
        qInstallMessageHandler(s_previous);
        s_messages = nullptr;
    }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList messages;

private:
    static void record(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (s_messages)
            s_messages->append(message);
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList *s_messages = nullptr;
};
