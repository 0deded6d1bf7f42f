#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <memory>

class QFileSystemWatcher;
class WebSocketClient;

// Tells the sync engine when another computer stored a new version of a document. With Google
// Drive it keeps a web socket to the notification service: it registers this computer under the
// signed-in user, relays the engine's notices and turns the service's into dataUpdated. With a
// shared folder it watches the folder and turns changed document versions into dataUpdated.
class Notifier : public QObject
{
    Q_OBJECT

public:
    // The numbers are what the status signal carries.
    enum CONNECTION_STATUS {
        CONNECTING = 0,
        CONNECTED = 1,
        ERROR = 2,
        DISCONNECTED = 3,
    };

    // Each disconnection in a row waits one more unit before the next attempt, up to this many.
    static constexpr int c_reconnectUnit = 15000;
    static constexpr int c_maxReconnectUnits = 240;
    // A folder is checked this long after it changed, when the writer has likely finished.
    static constexpr int c_folderCheckDelay = 1000;
    // The service sends short notices and client lists; anything longer is not from it.
    static constexpr qint64 c_maxMessageSize = 1024 * 1024;
    // Received frames are logged up to this many characters.
    static constexpr int c_maxLoggedMessage = 1000;
    // File times can lag the clock (a coarse kernel clock; file systems that keep whole or even
    // two seconds), so a check also reports files this much older than the one before.
    static constexpr int c_fileTimeMargin = 2000;
    // A server that takes the connection but does not finish the opening handshake within this
    // time is left, and tried again later like a lost connection.
    static constexpr int c_handshakeTimeOut = 30000;

    explicit Notifier(QObject *parent = nullptr);
    ~Notifier() override;

    // Starts the mode of the target ("GoogleDrive", "LocalFolder"; any other name: none), ending
    // the mode of another target first.
    void initialize(QString target);
    // Reads the signed-in user's identity from the stored sign-in.
    void updateID();
    void close();
    // Asks the service for the list of this user's computers.
    void update();
    static QString getType();

    // Folder changes are handled only while listening; the engine switches it off while it works.
    void setListening(bool listening);
    bool isListening() const { return m_listening; }

    QString target() const { return m_target; }
    QString userId() const { return m_userId; }
    bool isConnected() const { return m_connected; }
    int reconnectCount() const { return m_reconnectCount; }
    // The wait before the next connection attempt after this many disconnections in a row.
    static int reconnectDelayAfter(int disconnections, int unit);
    int reconnectDelay() const { return reconnectDelayAfter(m_reconnectCount, m_reconnectUnit); }
    // Tests shorten the reconnection unit and the folder check delay.
    void setReconnectUnit(int milliseconds) { m_reconnectUnit = milliseconds; }
    void setFolderCheckDelay(int milliseconds) { m_folderCheckDelay = milliseconds; }
    void setHandshakeTimeOut(int milliseconds) { m_handshakeTimeOut = milliseconds; }
    // The folder being watched; empty outside folder mode.
    QString watchedFolder() const;

signals:
    void status(Notifier::CONNECTION_STATUS status);
    // The plain name of a document, or the remote name of one of its versions.
    void dataUpdated(QString content);
    void clientList(QList<QMap<QString, QString>> clients);

public slots:
    void notify(QString content);
    // `error` is a QAbstractSocket::SocketError.
    void onError(int error);
    void onConnected();
    void onDisconnected();
    void onReceived(QString message);
    void onDirectoryChanged(const QString &path);

private:
    void connectToServer();
    void handshakeTimedOut();
    void watchFolder(const QString &folder);
    // Scans the folder on a thread of its own; folderScanned reports what changed.
    void checkFolder(const QString &path);
    void folderScanned(const QString &path, bool history, bool snippets, const QDateTime &checkTime);
    // A lost watch (the folder was removed or unmounted) is set up again once the folder is back;
    // true when it was.
    bool rewatchFolder();
    void send(const QJsonObject &message);
    void ignore(const QString &reason);

    QPointer<QFileSystemWatcher> m_watcher;
    QString m_folder;
    // Made when first needed, from the network library, which loads then; null when it cannot.
    WebSocketClient *socket();
    std::unique_ptr<WebSocketClient> m_socket;
    QString m_userId;
    bool m_connected = false;
    qint32 m_reconnectCount = 0;
    QString m_target;
    QDateTime m_lastCheck;
    bool m_listening = true;
    // A change arrived while not listening: it is checked once listening again, or another
    // computer's version stored meanwhile would wait for the next change, maybe for hours.
    bool m_missedChange = false;
    // One check covers every change before it: a check is scheduled or a scan runs, and a change
    // during the scan asks for one more.
    bool m_checkScheduled = false;
    bool m_scanning = false;
    bool m_changedWhileScanning = false;
    QThreadPool m_scanPool;
    int m_reconnectUnit = c_reconnectUnit;
    int m_folderCheckDelay = c_folderCheckDelay;
    int m_handshakeTimeOut = c_handshakeTimeOut;
    QTimer m_handshakeTimer;
    // Set from the start of a connection attempt until it connected or was seen to end.
    bool m_attemptOpen = false;
};
