#pragma once

#include "network/websocketclient.h"

#include <QWebSocket>

// The web socket of the network library: a QWebSocket behind the core's interface.
class QtWebSocketClient : public WebSocketClient
{
    Q_OBJECT

public:
    QtWebSocketClient();
    ~QtWebSocketClient() override;

    void open(const QUrl &url) override;
    void close() override;
    void abort() override;
    bool isValid() const override;
    bool isUnconnected() const override;
    void sendTextMessage(const QString &message) override;
    void setMaxIncomingSize(qint64 bytes) override;
    bool closedForTooMuchData() const override;
    QString errorString() const override;

private:
    QWebSocket m_socket;
};
