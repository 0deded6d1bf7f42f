#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

class QJsonObject;
class WebSocketClient;

namespace Breakpad {

class CrashHandlerPrivate;

// Writes a minidump into the data folder when the program crashes, and at the next start sends
// one such dump to the notification service over its web socket, then deletes it.
class CrashHandler : public QObject
{
    Q_OBJECT

public:
    // The process-wide handler, a child of the application made at the first call.
    static CrashHandler *instance();

    // The process uses instance(); tests may make their own.
    explicit CrashHandler(QObject *parent = nullptr);
    ~CrashHandler() override;

    // Installs the dump writer for the folder (creating it) and starts sending a dump found there.
    void Init(const QString &dumpPath);
    // Init's two halves: the program installs the writer first and sends a dump once its window
    // is up, since the socket's TLS set-up is slow.
    void install(const QString &dumpPath);
    void sendDump();
    bool writeMinidump();

    // KESTOVAN_NOTIFIER_URL when set, else the notification service's own address.
    static QUrl serverUrl();

public slots:
    void onConnected();
    void onReceived(QString message);
    // `error` is a QAbstractSocket::SocketError.
    void onError(int error);

private:
    void send(const QJsonObject &message);

    // Made when a dump is sent, from the network library, which loads then; null when it cannot.
    WebSocketClient *socket();
    void countFailedUpload();

    std::unique_ptr<CrashHandlerPrivate> d;
    std::unique_ptr<WebSocketClient> webSocket;
    QString dumpPath;
    QString fileName;
    QStringList chunks;
};

} // namespace Breakpad
