#pragma once

#include <QtGlobal>

class ISyncTarget;
class Sync;
class WebSocketClient;

// Everything that talks to the network (Qt Network, Qt WebSockets and, through them, Kerberos and
// the proxy libraries) lives in a library of its own (libkestovannet.so), which the program loads
// the first time it needs the network, so that the dynamic loader does not read those libraries at
// every start. The program reaches it only through these entry points, found by name.
extern "C" {

// The Google Drive sync target of `sync`, owned by it (defined beside the target, in sync/).
Q_DECL_EXPORT ISyncTarget *kestovanNetworkGoogleDrive(Sync *sync);
// A new web socket without a parent.
Q_DECL_EXPORT WebSocketClient *kestovanNetworkWebSocket();
// Logs the versions of the TLS library and whether it works.
Q_DECL_EXPORT void kestovanNetworkLogTls();
}

namespace NetworkEntryPoints {
using GoogleDrive = decltype(&kestovanNetworkGoogleDrive);
using WebSocket = decltype(&kestovanNetworkWebSocket);
using LogTls = decltype(&kestovanNetworkLogTls);
} // namespace NetworkEntryPoints
