#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <utility>

// Collects the messages logged while it lives, besides passing them on.
class MessageLog
{
public:
    MessageLog()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&MessageLog::handler);
    }
    ~MessageLog()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }

    // Messages of the type containing the text.
    int count(QtMsgType type, const QString &text) const
    {
        int n = 0;
        for (const auto &message : m_messages) {
            if (message.first == type && message.second.contains(text))
                ++n;
        }
        return n;
    }
    void clear() { m_messages.clear(); }

    // Runs for every message of the type containing the text, when it is logged.
    std::function<void()> onMessage;
    QString onMessageText;

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (MessageLog *log = s_current) {
            log->m_messages.append({type, text});
            if (log->onMessage && !log->onMessageText.isEmpty() && text.contains(log->onMessageText))
                log->onMessage();
            if (log->m_previous)
                log->m_previous(type, context, text);
        }
    }

    QList<std::pair<QtMsgType, QString>> m_messages;
    QtMessageHandler m_previous = nullptr;
    static inline MessageLog *s_current = nullptr;
};
