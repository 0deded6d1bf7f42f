#include "sync/notifier.h"

#include "common/utils.h"
#include "history/historyitemmodel.h"
#include "network/networklibrary.h"
#include "network/websocketclient.h"
#include "oauth/googleservice.h"
#include "oauth/o0baseauth.h"
#include "snippets/snippetmodel.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>
#include <QTimer>

#include <utility>

namespace {

const char *const c_driveTarget = "GoogleDrive";
const char *const c_folderTarget = "LocalFolder";

// "History.json" -> "History#": the start of the names of its versions.
QString versionPrefix(QString documentName)
{
    return documentName.replace(".json", "#");
}

struct ChangedDocuments
{
    bool history = false;
    bool snippets = false;
};

// On any thread: which documents have a version in the folder modified after `since`.
ChangedDocuments changedDocuments(const QString &path, const QDateTime &since, const QString &historyPrefix,
    const QString &snippetPrefix)
{
    ChangedDocuments changed;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.lastModified() <= since)
            continue;
        const QString baseName = entry.fileName().section('.', 0, 0);
        if (baseName.startsWith(historyPrefix))
            changed.history = true;
        else if (baseName.startsWith(snippetPrefix))
            changed.snippets = true;
        else
            continue;
        qCDebug(lcSync) << "Notifier: File changed:" << entry.filePath() << entry.lastModified();
    }
    return changed;
}

} // namespace

Notifier::Notifier(QObject *parent)
    : QObject(parent)
{
    m_handshakeTimer.setSingleShot(true);
    connect(&m_handshakeTimer, &QTimer::timeout, this, &Notifier::handshakeTimedOut);
    m_scanPool.setMaxThreadCount(1);
    m_scanPool.setExpiryTimeout(-1);
}

Notifier::~Notifier()
{
    // A scan under way reports to this object.
    m_scanPool.waitForDone();
    // The socket's last signals must not reach a half-destroyed notifier.
    if (m_socket)
        m_socket->disconnect(this);
}

WebSocketClient *Notifier::socket()
{
    if (m_socket)
        return m_socket.get();
    m_socket = NetworkLibrary::instance().newWebSocket();
    if (!m_socket)
        return nullptr;
    // The service's messages are small; a longer one ends the connection before it fills memory.
    m_socket->setMaxIncomingSize(c_maxMessageSize);
    connect(m_socket.get(), &WebSocketClient::connected, this, &Notifier::onConnected);
    connect(m_socket.get(), &WebSocketClient::disconnected, this, &Notifier::onDisconnected);
    connect(m_socket.get(), &WebSocketClient::textMessageReceived, this, &Notifier::onReceived);
    connect(m_socket.get(), &WebSocketClient::errorOccurred, this, &Notifier::onError);
    return m_socket.get();
}

QString Notifier::getType()
{
    return "Linux";
}

void Notifier::initialize(QString target)
{
    // A connection that is being set up counts as well: opening it again would drop it.
    if (target == m_target && target == c_driveTarget
        && (m_connected || (m_socket && !m_socket->isUnconnected())))
        return;
    if (!m_target.isEmpty() && m_target != target)
        close();

    m_target = target;
    if (target == c_driveTarget)
        connectToServer();
    else if (target == c_folderTarget)
        watchFolder(Utils::settings().value("SyncFolder").toString());
}

void Notifier::updateID()
{
    const QList<QByteArray> parts =
        O0BaseAuth::storedExtraTokens(GoogleService::clientId()).value("id_token").toString().toUtf8().split('.');
    if (parts.size() != 3)
        return;
    const QByteArray::FromBase64Result claims = QByteArray::fromBase64Encoding(parts.at(1),
        QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals | QByteArray::AbortOnBase64DecodingErrors);
    if (!claims)
        return;
    m_userId = QJsonDocument::fromJson(claims.decoded).object().value("sub").toString();
}

void Notifier::connectToServer()
{
    if (m_userId.isEmpty())
        updateID();
    if (m_userId.isEmpty()) {
        qCWarning(lcSync) << "Unable to connect to the websocket since the user id is not defined";
        return;
    }
    WebSocketClient *client = socket();
    if (!client) {
        const QString failure = NetworkLibrary::instance().loadFailure();
        qCWarning(lcSync).noquote() << "Notifier:" << failure;
        SyncLogDialog::add("Notifier: " + failure);
        emit status(ERROR);
        return;
    }
    const QUrl url = Utils::notifierUrl();
    emit status(CONNECTING);
    SyncLogDialog::add("Notifier: Connecting to " + url.toString());
    m_attemptOpen = true;
    m_handshakeTimer.start(m_handshakeTimeOut);
    client->open(url);
}

void Notifier::handshakeTimedOut()
{
    if (!m_socket || m_socket->isValid() || m_socket->isUnconnected())
        return;
    SyncLogDialog::add(QString("Notifier: The notification server did not answer within %1 seconds")
                           .arg(m_handshakeTimeOut / 1000.0));
    m_socket->abort();
    // A connection still being made ends without a disconnected signal; it is retried all the same.
    if (m_attemptOpen)
        onDisconnected();
}

void Notifier::close()
{
    m_handshakeTimer.stop();
    m_attemptOpen = false;
    if (!m_socket) {
        // Never connected: nothing to close.
    } else if (m_socket->isValid()) {
        m_socket->close();
        emit status(DISCONNECTED);
        SyncLogDialog::add("Notifier: Closing connection");
    } else if (!m_socket->isUnconnected()) {
        // An attempt still under way must not register this computer after all.
        m_socket->abort();
    }
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    m_folder.clear();
    m_connected = false;
    m_target.clear();
    // The next connection reads the identity again: the user may have signed out, or in as
    // somebody else.
    m_userId.clear();
}

void Notifier::update()
{
    if (m_target == c_driveTarget && !m_userId.isEmpty() && m_socket && m_socket->isValid())
        send({{"operation", "request-client-list"}});
}

void Notifier::notify(QString content)
{
    if (!m_userId.isEmpty() && m_socket && m_socket->isValid())
        send({{"operation", "notify"}, {"content", content}});
    else
        qCWarning(lcSync) << "Notification not send because the connection is not established";
}

void Notifier::send(const QJsonObject &message)
{
    const QString text = QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
    if (m_socket)
        m_socket->sendTextMessage(text);
    SyncLogDialog::add("Notifier: Sending: " + text);
}

int Notifier::reconnectDelayAfter(int disconnections, int unit)
{
    return qMin(disconnections, c_maxReconnectUnits) * unit;
}

void Notifier::onConnected()
{
    m_handshakeTimer.stop();
    m_attemptOpen = false;
    SyncLogDialog::add("Notifier: Connection established");
    emit status(CONNECTED);
    m_reconnectCount = 0;
    send({{"operation", "register"}, {"user", m_userId}, {"name", QSysInfo::machineHostName()}, {"type", getType()}});
    m_connected = true;
}

void Notifier::onDisconnected()
{
    m_handshakeTimer.stop();
    m_attemptOpen = false;
    SyncLogDialog::add("Notifier: Disconnected");
    if (m_socket && m_socket->closedForTooMuchData())
        ignore("a message over " + QString::number(c_maxMessageSize) + " bytes, and the connection with it");
    emit status(DISCONNECTED);
    ++m_reconnectCount;
    m_connected = false;
    QTimer::singleShot(reconnectDelay(), this, [this] {
        // Only the connection is retried; after close, or in folder mode, there is nothing to do.
        if (m_target == c_driveTarget)
            initialize(m_target);
    });
}

void Notifier::onError(int error)
{
    SyncLogDialog::add(QString("Notifier: Error %1 %2").arg(error).arg(m_socket ? m_socket->errorString() : QString()));
    emit status(ERROR);
}

void Notifier::ignore(const QString &reason)
{
    SyncLogDialog::add("Notifier: Ignored " + reason);
}

void Notifier::onReceived(QString message)
{
    QString logged = message.left(c_maxLoggedMessage);
    if (logged.size() < message.size())
        logged += QString("... (%1 characters)").arg(message.size());
    SyncLogDialog::add("Notifier: Received message: " + logged);

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        ignore("a message that is not a JSON object");
        return;
    }
    const QJsonObject object = document.object();
    const QString operation = object.value("operation").toString();
    if (operation == "notify") {
        const QJsonValue content = object.value("content");
        if (!content.isString() || content.toString().isEmpty()) {
            ignore("a notice without a content text");
            return;
        }
        emit dataUpdated(content.toString());
    } else if (operation == "clientList") {
        const QJsonValue clients = object.value("clients");
        if (!clients.isArray()) {
            ignore("a client list without a clients array");
            return;
        }
        QList<QMap<QString, QString>> list;
        for (const QJsonValue &value : clients.toArray()) {
            const QJsonObject client = value.toObject();
            // Members of another type read as empty texts, like missing ones.
            list.append({{"name", client.value("name").toString()},
                {"type", client.value("type").toString()},
                {"time", client.value("time").toString()}});
        }
        emit clientList(list);
    } else {
        ignore("a message with an unknown operation");
    }
}

QString Notifier::watchedFolder() const
{
    return m_watcher ? m_folder : QString();
}

void Notifier::watchFolder(const QString &folder)
{
    SyncLogDialog::add("Notifier: Monitoring folder: " + folder);
    // One watcher: every further one would post a check of its own for each change.
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
    }
    m_watcher = new QFileSystemWatcher(this);
    m_folder = folder;
    if (folder.isEmpty() || !m_watcher->addPath(folder))
        SyncLogDialog::add("Notifier: Unable to monitor folder: " + folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &Notifier::onDirectoryChanged);
    m_lastCheck = QDateTime::currentDateTime();
    m_listening = true;
    m_missedChange = false;
}

void Notifier::setListening(bool listening)
{
    m_listening = listening;
    if (!listening || !m_watcher)
        return;
    // Whatever arrived while not listening, or while the folder was not watched.
    const bool missed = std::exchange(m_missedChange, false);
    if (rewatchFolder() || missed)
        onDirectoryChanged(m_folder);
}

bool Notifier::rewatchFolder()
{
    if (!m_watcher || m_folder.isEmpty() || m_watcher->directories().contains(m_folder) || !QFileInfo(m_folder).isDir())
        return false;
    if (!m_watcher->addPath(m_folder))
        return false;
    SyncLogDialog::add("Notifier: Monitoring folder: " + m_folder);
    return true;
}

void Notifier::onDirectoryChanged(const QString &path)
{
    if (!m_listening) {
        m_missedChange = true;
        return;
    }
    // Thousands of files arriving at once made a scan of the whole folder each.
    if (m_checkScheduled)
        return;
    if (m_scanning) {
        m_changedWhileScanning = true;
        return;
    }
    m_checkScheduled = true;
    SyncLogDialog::add("Notifier: Changes in path " + path);
    QTimer::singleShot(m_folderCheckDelay, this, [this, path] {
        m_checkScheduled = false;
        // Nothing is reported once the folder mode has ended.
        if (m_watcher)
            checkFolder(path);
    });
}

void Notifier::checkFolder(const QString &path)
{
    m_scanning = true;
    // Taken before the scan: a file written during it is reported by the next check.
    const QDateTime checkTime = QDateTime::currentDateTime().addMSecs(-c_fileTimeMargin);
    const QDateTime since = m_lastCheck;
    const QString historyPrefix = versionPrefix(HistoryItemModel::getFileName());
    const QString snippetPrefix = versionPrefix(SnippetModel::getFileName());
    m_scanPool.start([this, path, since, historyPrefix, snippetPrefix, checkTime] {
        const ChangedDocuments changed = changedDocuments(path, since, historyPrefix, snippetPrefix);
        QMetaObject::invokeMethod(this, [this, path, changed, checkTime] {
            folderScanned(path, changed.history, changed.snippets, checkTime);
        }, Qt::QueuedConnection);
    });
}

void Notifier::folderScanned(const QString &path, bool history, bool snippets, const QDateTime &checkTime)
{
    m_scanning = false;
    const bool changedMeanwhile = std::exchange(m_changedWhileScanning, false);
    if (!m_watcher)
        return;
    // A result for a folder no longer watched is dropped; a change noticed meanwhile may be the
    // new folder's.
    if (path == m_folder) {
        if (history)
            emit dataUpdated(HistoryItemModel::getFileName());
        if (snippets)
            emit dataUpdated(SnippetModel::getFileName());
        m_lastCheck = checkTime;
    }
    if (rewatchFolder() || changedMeanwhile)
        onDirectoryChanged(m_folder);
}
