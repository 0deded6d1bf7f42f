#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// The loopback listener that receives the browser's redirect at the end of a sign-in. Only a GET of
// "/" carrying "code" or "error", and the state of the sign-in under way, answers with the reply
// page, ends the listening and is handed on; anything else is refused and the listener keeps
// waiting for the real redirect. Any local process can connect, so connections are few and short.
class O2ReplyServer : public QTcpServer
{
    Q_OBJECT
    Q_PROPERTY(QByteArray replyContent READ replyContent WRITE setReplyContent)

public:
    // The longest request line read; a longer one is refused.
    static constexpr int c_maxRequestLine = 16 * 1024;
    // A browser sends its request at once; a connection that has not within this time is closed.
    static constexpr int c_idleTimeOut = 5000;
    // Connections open at once; a further one closes the oldest.
    static constexpr int c_maxConnections = 16;

    explicit O2ReplyServer(QObject *parent = nullptr);

    QByteArray replyContent() const { return m_replyContent; }
    void setReplyContent(const QByteArray &value) { m_replyContent = value; }
    // The state a redirect must carry; with none set, any is taken.
    void setExpectedState(const QString &state) { m_expectedState = state; }
    // Tests shorten the idle time-out.
    void setIdleTimeOut(int milliseconds) { m_idleTimeOut = milliseconds; }
    // Connections accepted and not yet answered or closed.
    int openConnections() const { return int(m_arrivals.size()); }

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
    void forget(QTcpSocket *socket);
    void drop(QTcpSocket *socket);

    QByteArray m_replyContent;
    QString m_expectedState;
    int m_idleTimeOut = c_idleTimeOut;
    // What each open connection has sent so far, up to the end of its request line.
    QHash<QTcpSocket *, QByteArray> m_received;
    // The same connections, oldest first.
    QList<QTcpSocket *> m_arrivals;
};
