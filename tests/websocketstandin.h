#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWebSocket>
#include <QWebSocketServer>

#include <functional>

// A web-socket server on 127.0.0.1 standing in for the notification service. It records every text
// message, answers each through `reply` (nothing when it returns an empty text), and can send to
// its clients or drop them.
class WebSocketStandIn : public QObject
{
public:
    explicit WebSocketStandIn(const QString &name = "notification stand-in")
        : m_server(name, QWebSocketServer::NonSecureMode)
    {
        connect(&m_server, &QWebSocketServer::newConnection, this, [this] {
            while (QWebSocket *socket = m_server.nextPendingConnection())
                accept(socket);
        });
    }

    bool listen(quint16 port = 0) { return m_server.listen(QHostAddress::LocalHost, port); }
    quint16 port() const { return m_server.serverPort(); }
    QString url() const { return QString("ws://127.0.0.1:%1/notifier").arg(m_server.serverPort()); }
    // Stops accepting; the open connections stay.
    void stopListening() { m_server.close(); }

    // Sends to the newest connection.
    void send(const QString &message)
    {
        if (m_socket)
            m_socket->sendTextMessage(message);
    }
    // Sends to every open connection but one.
    void sendToOthers(const QWebSocket *except, const QString &message)
    {
        for (const QPointer<QWebSocket> &socket : std::as_const(sockets)) {
            if (socket && socket != except && socket->isValid())
                socket->sendTextMessage(message);
        }
    }
    // Ends every open connection without a closing handshake, as a lost network does.
    void drop()
    {
        for (const QPointer<QWebSocket> &socket : std::as_const(sockets)) {
            if (socket)
                socket->abort();
        }
    }
    int openConnections() const
    {
        int count = 0;
        for (const QPointer<QWebSocket> &socket : sockets)
            count += socket && socket->isValid() ? 1 : 0;
        return count;
    }

    std::function<QString(const QString &)> reply;
    // Called for each message after it was recorded, with the connection it came on.
    std::function<void(QWebSocket *, const QString &)> onMessage;
    QStringList received;
    QString requestPath;
    int connections = 0;
    bool disconnected = false;
    int closeCode = -1;
    QList<QPointer<QWebSocket>> sockets;

private:
    void accept(QWebSocket *socket)
    {
        socket->setParent(this);
        ++connections;
        requestPath = socket->requestUrl().path();
        m_socket = socket;
        sockets.append(socket);
        connect(socket, &QWebSocket::textMessageReceived, this, [this, socket](const QString &message) {
            received.append(message);
            if (reply) {
                const QString answer = reply(message);
                if (!answer.isEmpty())
                    socket->sendTextMessage(answer);
            }
            if (onMessage)
                onMessage(socket, message);
        });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            closeCode = socket->closeCode();
            disconnected = true;
        });
    }

    QWebSocketServer m_server;
    QPointer<QWebSocket> m_socket;
};
