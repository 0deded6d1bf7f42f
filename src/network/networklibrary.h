#pragma once

#include "network/library/networkentrypoints.h"

#include <QString>

#include <memory>

class ISyncTarget;
class Sync;
class WebSocketClient;

// The program's side of the network library: loads it once and makes its objects. When it cannot
// be loaded every maker returns null and loadFailure() says why.
class NetworkLibrary
{
public:
    explicit NetworkLibrary(const QString &path);
    // The library next to the program, loaded on first use; main thread only.
    static const NetworkLibrary &instance();
    // Tests load another file in its place; the one loaded before stays loaded.
    static void setInstancePath(const QString &path);

    bool isLoaded() const { return m_logTls != nullptr; }
    // Translated when asked, in the language chosen by then.
    QString loadFailure() const;

    ISyncTarget *newGoogleDrive(Sync *sync) const;
    std::unique_ptr<WebSocketClient> newWebSocket() const;
    // Logs the TLS library's versions, or why there are none.
    void logTlsLibrary() const;

private:
    NetworkEntryPoints::GoogleDrive m_googleDrive = nullptr;
    NetworkEntryPoints::WebSocket m_webSocket = nullptr;
    NetworkEntryPoints::LogTls m_logTls = nullptr;
    QString m_loadError;
};
