#include "network/library/networkentrypoints.h"

#include "network/library/qtwebsocketclient.h"

#include <QDebug>
#include <QSslSocket>

WebSocketClient *kestovanNetworkWebSocket()
{
    return new QtWebSocketClient;
}

void kestovanNetworkLogTls()
{
    qDebug() << QSslSocket::sslLibraryBuildVersionString() << QSslSocket::sslLibraryVersionString()
             << QSslSocket::supportsSsl();
}
