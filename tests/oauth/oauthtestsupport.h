#pragma once

#include "isolatedhome.h"

#include "oauth/o0cryptkey.h"
#include "oauth/o0settingsstore.h"
#include "oauth/o2.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

// OAuth tests run with a home of their own, so the default token store never reaches the user's.
#define KESTOVAN_OAUTH_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        if (!home.isValid())                                                                       \
            return 1;                                                                              \
        isolateTestHome(home);                                                                     \
        QCoreApplication::setOrganizationName("MorvaTest");                                        \
        QCoreApplication::setApplicationName("KestovanOAuthTest");                                 \
        QCoreApplication app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// A token store in an INI file of the test's own.
inline O0SettingsStore *iniStore(const QString &fileName)
{
    return new O0SettingsStore(new QSettings(fileName, QSettings::IniFormat),
                               QString::fromLatin1(O0CryptKey::c_storePassPhrase));
}

// The query items of an address, decoded, in their order.
inline QList<QPair<QString, QString>> queryItems(const QUrl &url)
{
    return QUrlQuery(url).queryItems(QUrl::FullyDecoded);
}

// Plays the browser at the end of a sign-in: sends raw bytes to the loopback listener, in pieces
// when asked, and keeps what comes back until the listener closes the connection.
class BrowserStandIn : public QObject
{
public:
    explicit BrowserStandIn(quint16 port)
    {
        connect(&socket, &QTcpSocket::connected, this, [this] {
            socket.write(m_unsent);
            m_unsent.clear();
        });
        connect(&socket, &QTcpSocket::readyRead, this, [this] { received += socket.readAll(); });
        connect(&socket, &QTcpSocket::disconnected, this, [this] { closed = true; });
        connect(&socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::ConnectionRefusedError)
                refused = true;
            else if (error == QAbstractSocket::RemoteHostClosedError)
                closed = true;
        });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    bool waitConnected() { return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState || refused; }, 5000) && !refused; }
    void send(const QByteArray &bytes)
    {
        if (socket.state() == QAbstractSocket::ConnectedState)
            socket.write(bytes);
        else
            m_unsent += bytes;
    }
    // The status line of the answer, without its line end.
    QByteArray statusLine() const { return received.left(received.indexOf("\r\n")); }

    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
    bool refused = false;

private:
    QByteArray m_unsent;
};

// The redirect the browser follows after the user signed in.
inline QByteArray redirectRequest(const QByteArray &query)
{
    return "GET /?" + query + " HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/html\r\n\r\n";
}
