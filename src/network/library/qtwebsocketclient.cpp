#include "network/library/qtwebsocketclient.h"

QtWebSocketClient::QtWebSocketClient()
    : m_socket(QString(), QWebSocketProtocol::Version13)
{
    connect(&m_socket, &QWebSocket::connected, this, &WebSocketClient::connected);
    connect(&m_socket, &QWebSocket::disconnected, this, &WebSocketClient::disconnected);
    connect(&m_socket, &QWebSocket::textMessageReceived, this, &WebSocketClient::textMessageReceived);
    connect(&m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
            [this](QAbstractSocket::SocketError error) { emit errorOccurred(int(error)); });
}

QtWebSocketClient::~QtWebSocketClient()
{
    // The socket's last signals come when this is half gone.
    m_socket.disconnect(this);
}

void QtWebSocketClient::open(const QUrl &url)
{
    m_socket.open(url);
}

void QtWebSocketClient::close()
{
    m_socket.close(QWebSocketProtocol::CloseCodeNormal, QString());
}

void QtWebSocketClient::abort()
{
    m_socket.abort();
}

bool QtWebSocketClient::isValid() const
{
    return m_socket.isValid();
}

bool QtWebSocketClient::isUnconnected() const
{
    return m_socket.state() == QAbstractSocket::UnconnectedState;
}

void QtWebSocketClient::sendTextMessage(const QString &message)
{
    m_socket.sendTextMessage(message);
}

void QtWebSocketClient::setMaxIncomingSize(qint64 bytes)
{
    m_socket.setMaxAllowedIncomingMessageSize(quint64(bytes));
    m_socket.setMaxAllowedIncomingFrameSize(quint64(bytes));
}

bool QtWebSocketClient::closedForTooMuchData() const
{
    return m_socket.closeCode() == QWebSocketProtocol::CloseCodeTooMuchData;
}

QString QtWebSocketClient::errorString() const
{
    return m_socket.errorString();
}
