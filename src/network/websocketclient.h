#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// A web socket as the program's core sees it. The implementation lives in the network library,
// which is loaded when the first socket is made (see NetworkLibrary).
class WebSocketClient : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void open(const QUrl &url) = 0;
    // Closes an open connection normally.
    virtual void close() = 0;
    // Drops a connection still being set up.
    virtual void abort() = 0;
    // True while connected.
    virtual bool isValid() const = 0;
    // True when neither connected nor connecting.
    virtual bool isUnconnected() const = 0;
    virtual void sendTextMessage(const QString &message) = 0;
    // A longer message or frame ends the connection.
    virtual void setMaxIncomingSize(qint64 bytes) = 0;
    // True when the last connection ended because a message was over that size.
    virtual bool closedForTooMuchData() const = 0;
    virtual QString errorString() const = 0;

signals:
    void connected();
    void disconnected();
    void textMessageReceived(const QString &message);
    // `error` is a QAbstractSocket::SocketError.
    void errorOccurred(int error);
};
