#include "network/library/networkentrypoints.h"

#include "network/library/qtwebsocketclient.h"
#include "sync/syncgoogledrive.h"

#include <QDebug>
#include <QSslSocket>

ISyncTarget *kestovanNetworkGoogleDrive(Sync *sync)
{
    return new SyncGoogleDrive(sync);
}

WebSocketClient *kestovanNetworkWebSocket()
{
    return new QtWebSocketClient;
}

void kestovanNetworkLogTls()
{
    qDebug() << QSslSocket::sslLibraryBuildVersionString() << QSslSocket::sslLibraryVersionString()
             << QSslSocket::supportsSsl();
}
