#include "oauth/o2replyserver.h"

#include "oauth/oauthlogging.h"

#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

struct RequestLine
{
    QByteArray method;
    QByteArray path;
    QByteArray query;
    bool valid = false;
};

// "METHOD target HTTP/x.y"; the target's fragment, if a client sends one, is dropped.
RequestLine splitRequestLine(const QByteArray &line)
{
    RequestLine result;
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/") || !parts[1].startsWith('/'))
        return result;
    QByteArray target = parts[1];
    target.truncate(target.indexOf('#') < 0 ? target.size() : target.indexOf('#'));
    const int question = target.indexOf('?');
    result.method = parts[0];
    result.path = question < 0 ? target : target.left(question);
    result.query = question < 0 ? QByteArray() : target.mid(question + 1);
    result.valid = true;
    return result;
}

QByteArray firstLine(const QByteArray &data)
{
    const int end = data.indexOf('\n');
    QByteArray line = end < 0 ? data : data.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

QString decodedPart(const QByteArray &part)
{
    return QUrl::fromPercentEncoding(part.trimmed()).trimmed();
}

} // namespace

O2ReplyServer::O2ReplyServer(QObject *parent)
    : QTcpServer(parent)
    , m_replyContent("<HTML></HTML>")
{
    connect(this, &QTcpServer::newConnection, this, &O2ReplyServer::onIncomingConnection);
}

void O2ReplyServer::onIncomingConnection()
{
    while (QTcpSocket *socket = nextPendingConnection()) {
        // Each holds a descriptor; a flood of them must not hold hundreds.
        if (m_arrivals.size() >= c_maxConnections)
            drop(m_arrivals.first());
        m_received.insert(socket, QByteArray());
        m_arrivals.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, &O2ReplyServer::onBytesReady, Qt::UniqueConnection);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { forget(socket); });
        // Answered or not, no connection stays longer.
        QTimer::singleShot(m_idleTimeOut, socket, [this, socket] {
            qCDebug(lcOAuth) << "O2ReplyServer: closed an idle connection";
            drop(socket);
        });
    }
}

void O2ReplyServer::onBytesReady()
{
    qCDebug(lcOAuth) << "O2ReplyServer::onBytesReady";
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || !m_received.contains(socket))
        return;

    // Read everything so that closing never resets the connection before the browser has the
    // answer, but keep no more than one request line.
    QByteArray &received = m_received[socket];
    const QByteArray incoming = socket->readAll();
    received += incoming.left(qMax(0, c_maxRequestLine + 2 - int(received.size())));
    if (!received.contains('\n')) {
        if (received.size() > c_maxRequestLine + 1)
            refuse(socket, "400 Bad Request");
        return;
    }

    const QByteArray line = firstLine(received);
    const RequestLine request = splitRequestLine(line);
    if (!request.valid || line.size() > c_maxRequestLine) {
        refuse(socket, "400 Bad Request");
        return;
    }
    if (request.method != "GET" || request.path != "/") {
        refuse(socket, "404 Not Found");
        return;
    }
    QByteArray data = received;
    const QMap<QString, QString> parameters = parseQueryParams(&data);
    if (!parameters.contains("code") && !parameters.contains("error")) {
        refuse(socket, "400 Bad Request");
        return;
    }
    // Any local process can send a code or an error; only the browser knows the state.
    if (!m_expectedState.isEmpty() && parameters.value("state") != m_expectedState) {
        qCWarning(lcOAuth) << "O2ReplyServer: refused a redirect that does not carry the state of this sign-in";
        refuse(socket, "400 Bad Request");
        return;
    }

    answer(socket, "200 OK ", m_replyContent);
    close();
    closeOtherConnections(socket);
    emit verificationReceived(parameters);
}

QMap<QString, QString> O2ReplyServer::parseQueryParams(QByteArray *data)
{
    qCDebug(lcOAuth) << "O2ReplyServer::parseQueryParams";
    QMap<QString, QString> parameters;
    const RequestLine request = splitRequestLine(firstLine(*data));
    if (!request.valid || request.query.isEmpty())
        return parameters;
    for (const QByteArray &item : request.query.split('&')) {
        const int equals = item.indexOf('=');
        const QString name = decodedPart(equals < 0 ? item : item.left(equals));
        if (name.isEmpty())
            continue;
        parameters.insert(name, equals < 0 ? QString() : decodedPart(item.mid(equals + 1)));
    }
    return parameters;
}

void O2ReplyServer::answer(QTcpSocket *socket, const QByteArray &status, const QByteArray &body)
{
    forget(socket);
    disconnect(socket, &QTcpSocket::readyRead, this, &O2ReplyServer::onBytesReady);
    connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
    socket->write("HTTP/1.0 " + status + "\r\n"
                  "Content-Type: text/html; charset=\"utf-8\"\r\n"
                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

void O2ReplyServer::refuse(QTcpSocket *socket, const QByteArray &status)
{
    qCDebug(lcOAuth) << "O2ReplyServer: refused a request:" << status;
    answer(socket, status, QByteArray());
}

void O2ReplyServer::closeOtherConnections(QTcpSocket *kept)
{
    const QList<QTcpSocket *> sockets = m_arrivals;
    for (QTcpSocket *socket : sockets) {
        if (socket != kept)
            drop(socket);
    }
}

void O2ReplyServer::forget(QTcpSocket *socket)
{
    m_received.remove(socket);
    m_arrivals.removeOne(socket);
}

void O2ReplyServer::drop(QTcpSocket *socket)
{
    forget(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
