#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QNetworkProxy>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <utility>

// One request as the stand-in server received it. Header names are lower case.
struct StandInRequest
{
    QByteArray method;
    QByteArray target;
    QMap<QByteArray, QByteArray> headers;
    QByteArray body;

    QByteArray path() const { return target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?')); }
    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
};

// How the stand-in answers one request.
struct StandInAnswer
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "application/json";
    // Milliseconds before the answer goes out; negative: held until releaseHeld().
    int delay = 0;
    // Bytes sent after the body, as fast as the client takes them; negative: without end, and
    // without a length, until the client closes the connection.
    qint64 stream = 0;
    // Further header lines, each ending in "\r\n".
    QByteArray headers;
};

// A scripted HTTP/1.1 server on 127.0.0.1 standing in for an outside web service: it records every
// request and answers each through `answer` (404 when unset), one request per connection.
class HttpStandIn : public QObject
{
public:
    HttpStandIn()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    // The connections' handlers count on this object's members: the connections go first, without
    // their handlers, while the members still stand.
    ~HttpStandIn() override
    {
        m_server.close();
        for (QTcpSocket *socket : findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly)) {
            socket->disconnect();
            delete socket;
        }
    }

    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString &pathAndQuery) const
    {
        return QUrl(QString("http://127.0.0.1:%1%2").arg(port()).arg(pathAndQuery));
    }
    QList<StandInRequest> requestsTo(const QByteArray &path) const
    {
        QList<StandInRequest> result;
        for (const StandInRequest &request : requests) {
            if (request.path() == path)
                result.append(request);
        }
        return result;
    }

    // Sends the answers held back so far, to the connections still open.
    void releaseHeld()
    {
        const QList<std::function<void()>> held = std::exchange(m_held, {});
        for (const std::function<void()> &send : held)
            send();
    }

    std::function<StandInAnswer(const StandInRequest &)> answer;
    QList<StandInRequest> requests;
    // Connections the client closed after its request but before the answer went out.
    int dropped = 0;
    // Bytes of streamed answers sent so far.
    qint64 streamed = 0;

private:
    struct Connection
    {
        QByteArray received;
        bool requestComplete = false;
        bool answered = false;
    };

    void serve(QTcpSocket *socket)
    {
        socket->setParent(this);
        auto connection = std::make_shared<Connection>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, connection] {
            connection->received += socket->readAll();
            if (connection->requestComplete)
                return;
            StandInRequest request;
            if (!parse(connection->received, request))
                return;
            connection->requestComplete = true;
            requests.append(request);
            const StandInAnswer reply = answer ? answer(request) : StandInAnswer{404, "not found"};
            QPointer<QTcpSocket> guarded(socket);
            const auto send = [this, guarded, connection, reply] {
                if (!guarded || guarded->state() != QAbstractSocket::ConnectedState)
                    return;
                connection->answered = true;
                guarded->write(response(reply));
                if (reply.stream == 0)
                    guarded->disconnectFromHost();
                else
                    stream(guarded, reply.stream);
            };
            if (reply.delay < 0)
                m_held.append(send);
            else
                QTimer::singleShot(reply.delay, this, send);
        });
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket, connection] {
            if (connection->requestComplete && !connection->answered)
                ++dropped;
            socket->deleteLater();
        });
    }

    // Keeps the client's receive side full until `bytes` are sent, or for ever when negative.
    void stream(QTcpSocket *socket, qint64 bytes)
    {
        static const QByteArray chunk(64 * 1024, 'x');
        auto remaining = std::make_shared<qint64>(bytes);
        const auto fill = [this, socket, remaining] {
            while (*remaining != 0 && socket->state() == QAbstractSocket::ConnectedState
                   && socket->bytesToWrite() < 4 * chunk.size()) {
                const qint64 size = *remaining < 0 ? chunk.size() : qMin<qint64>(*remaining, chunk.size());
                socket->write(chunk.constData(), size);
                streamed += size;
                if (*remaining > 0)
                    *remaining -= size;
            }
            if (*remaining == 0 && socket->state() == QAbstractSocket::ConnectedState)
                socket->disconnectFromHost();
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, fill);
        fill();
    }

    static bool parse(const QByteArray &received, StandInRequest &request)
    {
        const int headEnd = received.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return false;
        const QList<QByteArray> lines = received.left(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const int length = request.header("content-length").toInt();
        if (received.size() < headEnd + 4 + length)
            return false;
        request.body = received.mid(headEnd + 4, length);
        return true;
    }

    static QByteArray response(const StandInAnswer &reply)
    {
        static const QMap<int, QByteArray> reasons = {{200, "OK"}, {400, "Bad Request"}, {401, "Unauthorized"},
                                                      {404, "Not Found"}, {500, "Internal Server Error"}};
        const QByteArray length = reply.stream < 0
            ? QByteArray()
            : "\r\nContent-Length: " + QByteArray::number(reply.body.size() + reply.stream);
        return "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasons.value(reply.status, "Status")
               + "\r\nContent-Type: " + reply.contentType + length + "\r\nConnection: close\r\n" + reply.headers + "\r\n"
               + reply.body;
    }

    QTcpServer m_server;
    QList<std::function<void()>> m_held;
};
