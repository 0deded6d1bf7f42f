#include "network/networklibrary.h"

#include "common/ownlibrary.h"
#include "network/websocketclient.h"

#include <QDebug>
#include <QObject>

namespace {

std::unique_ptr<NetworkLibrary> &current()
{
    static std::unique_ptr<NetworkLibrary> library;
    return library;
}

template <typename Function>
bool resolve(const QString &path, const char *symbol, Function &function, QString &error)
{
    function = reinterpret_cast<Function>(OwnLibrary::resolve(path, symbol, error));
    return function != nullptr;
}

} // namespace

NetworkLibrary::NetworkLibrary(const QString &path)
{
    // Either all or none: isLoaded() tells by the last one.
    if (resolve(path, "kestovanNetworkGoogleDrive", m_googleDrive, m_loadError)
        && resolve(path, "kestovanNetworkWebSocket", m_webSocket, m_loadError))
        resolve(path, "kestovanNetworkLogTls", m_logTls, m_loadError);
    if (!m_logTls) {
        m_googleDrive = nullptr;
        m_webSocket = nullptr;
    }
}

const NetworkLibrary &NetworkLibrary::instance()
{
    std::unique_ptr<NetworkLibrary> &library = current();
    if (!library)
        library = std::make_unique<NetworkLibrary>(OwnLibrary::path(QStringLiteral("kestovannet")));
    return *library;
}

void NetworkLibrary::setInstancePath(const QString &path)
{
    current() = std::make_unique<NetworkLibrary>(path);
}

QString NetworkLibrary::loadFailure() const
{
    return QObject::tr("The network library could not be loaded: %1").arg(m_loadError);
}

ISyncTarget *NetworkLibrary::newGoogleDrive(Sync *sync) const
{
    return m_googleDrive ? m_googleDrive(sync) : nullptr;
}

std::unique_ptr<WebSocketClient> NetworkLibrary::newWebSocket() const
{
    return std::unique_ptr<WebSocketClient>(m_webSocket ? m_webSocket() : nullptr);
}

void NetworkLibrary::logTlsLibrary() const
{
    if (m_logTls)
        m_logTls();
    else
        qWarning().noquote() << "No TLS library:" << loadFailure();
}
