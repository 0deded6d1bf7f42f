#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// The loopback listener that receives the browser's redirect at the end of a sign-in. Only a GET of
// "/" carrying "code" or "error" answers with the reply page, ends the listening and is handed on;
// anything else is refused and the listener keeps waiting for the real redirect.
class O2ReplyServer : public QTcpServer
{
    Q_OBJECT
    Q_PROPERTY(QByteArray replyContent READ replyContent WRITE setReplyContent)

public:
    // The longest request line read; a longer one is refused.
    static constexpr int c_maxRequestLine = 16 * 1024;

    explicit O2ReplyServer(QObject *parent = nullptr);

    QByteArray replyContent() const { return m_replyContent; }
    void setReplyContent(const QByteArray &value) { m_replyContent = value; }

signals:
    void verificationReceived(const QMap<QString, QString> &parameters);

public slots:
    void onIncomingConnection();
    void onBytesReady();
    // The query parameters of the request line at the start of the data, trimmed and decoded.
    QMap<QString, QString> parseQueryParams(QByteArray *data);

private:
    void answer(QTcpSocket *socket, const QByteArray &status, const QByteArray &body);
    void refuse(QTcpSocket *socket, const QByteArray &status);
    void closeOtherConnections(QTcpSocket *kept);

    QByteArray m_replyContent;
    // What each open connection has sent so far, up to the end of its request line.
    QHash<QTcpSocket *, QByteArray> m_received;
};
