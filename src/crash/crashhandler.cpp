#include "crash/crashhandler.h"

#include "common/privatefiles.h"
#include "crash/crashhandlerprivate.h"
#include "crash/exceptionhandler.h"
#include "common/safefile.h"
#include "common/version.h"
#include "common/utils.h"
#include "network/networklibrary.h"
#include "network/websocketclient.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

namespace Breakpad {

namespace {

constexpr qint64 chunkSize = 500;
constexpr int maxUploadTries = 6;

} // namespace

CrashHandler *CrashHandler::instance()
{
    // The application owns it, so its socket from the network library goes while Qt still runs.
    static QPointer<CrashHandler> handler;
    if (!handler)
        handler = new CrashHandler(QCoreApplication::instance());
    return handler;
}

CrashHandler::CrashHandler(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<CrashHandlerPrivate>())
{
}

WebSocketClient *CrashHandler::socket()
{
    if (webSocket)
        return webSocket.get();
    webSocket = NetworkLibrary::instance().newWebSocket();
    if (!webSocket)
        return nullptr;
    connect(webSocket.get(), &WebSocketClient::connected, this, &CrashHandler::onConnected);
    connect(webSocket.get(), &WebSocketClient::textMessageReceived, this, &CrashHandler::onReceived);
    connect(webSocket.get(), &WebSocketClient::errorOccurred, this, &CrashHandler::onError);
    return webSocket.get();
}

CrashHandler::~CrashHandler()
{
    delete CrashHandlerPrivate::pHandler;
    CrashHandlerPrivate::pHandler = nullptr;
}

QUrl CrashHandler::serverUrl()
{
    return Utils::notifierUrl();
}

void CrashHandler::Init(const QString &dumpPath)
{
    install(dumpPath);
    sendDump();
}

void CrashHandler::install(const QString &dumpPath)
{
    // The data folder may not exist yet; a crash before the first save would then leave nothing.
    PrivateFiles::makeFolder(dumpPath);
    d->InitCrashHandler(dumpPath);
    this->dumpPath = dumpPath;
}

void CrashHandler::sendDump()
{
    if (dumpPath.isEmpty())
        return;
    QSettings settings = Utils::settings();
    const int tries = settings.value("DumpUploadTries", 0).toInt();
    const bool sendDumps = settings.value("SendDumps", true).toBool();
    const bool giveUp = !sendDumps || tries >= maxUploadTries;

    QDirIterator entries(dumpPath);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!path.endsWith(".dmp"))
            continue;
        if (giveUp) {
            qDebug() << "CrashHandler: Uploading failed too many times. Deleting the dmp file:" << path;
            QFile::remove(path);
            settings.setValue("DumpUploadTries", 0);
        } else {
            qDebug() << "CrashHandler: Uploading crash file:" << path;
            fileName = path;
            if (WebSocketClient *client = socket()) {
                client->open(serverUrl());
            } else {
                // Kept for a later start, as after a failed connection.
                qWarning().noquote() << "CrashHandler: The crash file cannot be sent:"
                                     << NetworkLibrary::instance().loadFailure();
                countFailedUpload();
            }
        }
        // One dump per start; the others wait.
        break;
    }
}

bool CrashHandler::writeMinidump()
{
    const bool written = CrashHandlerPrivate::pHandler && CrashHandlerPrivate::pHandler->WriteMinidump();
    if (written)
        qDebug() << "BreakpadQt: writeMinidump() success.";
    else
        qWarning() << "BreakpadQt: writeMinidump() failed.";
    return written;
}

void CrashHandler::onConnected()
{
    qDebug() << "CrashHandler: Connection established";
    chunks.clear();
    QFile file(fileName);
    if (SafeFile::openForReading(&file)) {
        for (QByteArray block = file.read(chunkSize); !block.isEmpty(); block = file.read(chunkSize))
            chunks.append(QString::fromLatin1(block.toBase64()));
        file.close();
    }
    send({{"operation", "crash-dump-start"}, {"file", QFileInfo(fileName).fileName()}});
}

void CrashHandler::onReceived(QString message)
{
    qDebug().noquote() << "CrashHandler: Received message: " + message;
    const QJsonObject reply = QJsonDocument::fromJson(message.toUtf8()).object();
    const QString answer = reply.value("crashdump").toString();
    const QString file = QFileInfo(fileName).fileName();
    if (answer == "continue") {
        if (!chunks.isEmpty()) {
            send({{"operation", "crash-dump"}, {"file", file}, {"content", chunks.takeFirst()}});
        } else {
            qDebug() << "CrashHandler: Sent the crash dump to the server";
            const QString version = ProgramVersion::Version + '.' + ProgramVersion::Build;
            send({{"operation", "crash-dump-end"}, {"file", file}, {"version", version}});
        }
    } else if (answer == "done") {
        if (webSocket)
            webSocket->close();
        QFile::remove(fileName);
        Utils::settings().setValue("DumpUploadTries", 0);
    }
}

void CrashHandler::onError(int error)
{
    qDebug() << "CrashHandler: Error occured:" << error << (webSocket ? webSocket->errorString() : QString());
    countFailedUpload();
}

void CrashHandler::countFailedUpload()
{
    QSettings settings = Utils::settings();
    settings.setValue("DumpUploadTries", settings.value("DumpUploadTries", 0).toInt() + 1);
}

void CrashHandler::send(const QJsonObject &message)
{
    if (webSocket)
        webSocket->sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

} // namespace Breakpad
