#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWebSocket>
#include <QWebSocketServer>

#include <functional>

// Stand-in for the notification service's crash-dump endpoint on 127.0.0.1. It records every text
// message and answers each through `reply` (nothing when it returns an empty text).
class DumpServerStandIn : public QObject
{
public:
    DumpServerStandIn()
        : m_server("dump stand-in", QWebSocketServer::NonSecureMode)
    {
        connect(&m_server, &QWebSocketServer::newConnection, this, [this] {
            while (QWebSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                ++connections;
                requestPath = socket->requestUrl().path();
                m_socket = socket;
                connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString &message) {
                    received.append(message);
                    if (reply) {
                        const QString answer = reply(message);
                        if (!answer.isEmpty())
                            socket->sendTextMessage(answer);
                    }
                });
                connect(socket, &QWebSocket::disconnected, this, [this, socket] {
                    closeCode = socket->closeCode();
                    disconnected = true;
                });
            }
        });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    QString url() const { return QString("ws://127.0.0.1:%1/notifier").arg(m_server.serverPort()); }
    void send(const QString &message)
    {
        if (m_socket)
            m_socket->sendTextMessage(message);
    }

    // Answers the client's protocol: "continue" until the end message, then "done".
    static QString follow(const QString &message)
    {
        return message.contains("\"crash-dump-end\"") ? QString("{\"crashdump\":\"done\"}")
                                                       : QString("{\"crashdump\":\"continue\"}");
    }

    std::function<QString(const QString &)> reply;
    QStringList received;
    QString requestPath;
    int connections = 0;
    bool disconnected = false;
    int closeCode = -1;

private:
    QWebSocketServer m_server;
    QPointer<QWebSocket> m_socket;
};
