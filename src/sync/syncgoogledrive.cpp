#include "sync/syncgoogledrive.h"

#include "common/safefile.h"
#include "network/library/networkentrypoints.h"
#include "oauth/googleservice.h"
#include "oauth/o2google.h"
#include "oauth/o2requestor.h"
#include "sync/sync.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"
#include "sync/syncreplypage.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QRandomGenerator>

namespace {

const char *const c_scope = "https://www.googleapis.com/auth/drive.appdata profile";

QJsonObject parseObject(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object();
}

// One page of the listing into `files`; false, with the reason, when the page is not a valid and
// complete one. A page that does not read is never an empty store: the engine would take every file
// for deleted.
bool readListPage(const QByteArray &body, OnlineFiles *files, QString *nextPageToken, QString *problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        *problem = "the answer is not JSON (" + error.errorString() + ")";
        return false;
    }
    const QJsonObject object = document.object();
    if (object.contains("error")) {
        *problem = "Google Drive answered with an error: " + object.value("error").toObject().value("message").toString();
        return false;
    }
    if (!document.isObject() || !object.value("files").isArray()) {
        *problem = "the answer holds no list of files";
        return false;
    }
    const QJsonValue token = object.value("nextPageToken");
    if (!token.isUndefined() && !token.isString()) {
        *problem = "the page token is not a text";
        return false;
    }
    for (const QJsonValue &value : object.value("files").toArray()) {
        const QJsonObject file = value.toObject();
        const QString id = file.value("id").toString();
        const QString name = file.value("name").toString();
        const QString created = file.value("createdTime").toString();
        if (id.isEmpty() || name.isEmpty() || created.isEmpty()) {
            *problem = "a listed file has no id, name or creation time";
            return false;
        }
        files->insert(id, {name, created});
    }
    *nextPageToken = token.toString();
    return true;
}

void reportTooLarge(const O2Requestor *requestor, const QString &what)
{
    if (requestor->replyTooLarge())
        SyncLogDialog::add("Sync: Google Drive sent too much for " + what + "; the request fails");
}

} // namespace

SyncGoogleDrive::SyncGoogleDrive(Sync *sync)
    : ISyncTarget(sync)
    , m_sync(sync)
    , m_o2(new O2Google(this))
{
    m_o2->setClientId(GoogleService::clientId());
    m_o2->setClientSecret(GoogleService::clientSecret());
    m_o2->setScope(QString::fromLatin1(c_scope));
    connect(m_o2, &O2Google::linkingFailed, this, [this] { emit initialized(false); });
    connect(m_o2, &O2Google::linkingSucceeded, this, [this] { emit initialized(true); });
    connect(m_o2, &O2Google::openBrowser, this, &SyncGoogleDrive::browse, Qt::QueuedConnection);
}

QString SyncGoogleDrive::title()
{
    return "Google Drive";
}

void SyncGoogleDrive::signOut()
{
    m_o2->unlink();
}

void SyncGoogleDrive::browse(QUrl url)
{
    // The query carries the sign-in's state, which belongs to nobody's log.
    qCDebug(lcSync) << "Opening url" << url.toString(QUrl::RemoveQuery);
    QDesktopServices::openUrl(url);
}

void SyncGoogleDrive::initialize(InitOptions options, QMap<QString, QVariant>)
{
    if (options == ReportState) {
        emit initialized(isValid());
        return;
    }
    if (options == InteractiveIfNeeded && isValid()) {
        emit initialized(true);
        return;
    }
    // Read at each sign-in, so the page speaks the language chosen by then.
    if (const QByteArray page = SyncReplyPage::html(); !page.isEmpty())
        m_o2->setReplyContent(page);
    m_o2->link();
}

bool SyncGoogleDrive::isValid()
{
    return GoogleService::isConfigured() && m_o2->linked();
}

O2Requestor *SyncGoogleDrive::newRequestor()
{
    auto *manager = new QNetworkAccessManager(this);
    auto *requestor = new O2Requestor(manager, m_o2, this);
    // Made before the caller's connection, so the engine knows of the wait before the answer.
    connect(requestor, &O2Requestor::finished, this, [this, requestor] {
        if (const int seconds = requestor->retryAfter(); seconds >= 0)
            m_sync->retryAfter(seconds);
    });
    // Neither is used once the answer has been handled.
    connect(requestor, &O2Requestor::finished, manager, &QObject::deleteLater);
    connect(requestor, &O2Requestor::finished, requestor, &QObject::deleteLater);
    return requestor;
}

void SyncGoogleDrive::getFiles()
{
    qCDebug(lcSync) << "getFiles for Google Drive";
    requestPage(OnlineFiles(), QString(), 1);
}

void SyncGoogleDrive::requestPage(OnlineFiles files, QString pageToken, int page)
{
    // Drive gives a page at a time; a listing that stopped at the first would miss versions and
    // files, and the engine would upload them again or take local files for deleted ones.
    QString pathAndQuery = QString("/drive/v3/files?spaces=appDataFolder&fields=nextPageToken,files(id,name,createdTime)"
                                   "&pageSize=%1").arg(c_pageSize);
    if (!pageToken.isEmpty())
        pathAndQuery += "&pageToken=" + QString::fromLatin1(QUrl::toPercentEncoding(pageToken));
    O2Requestor *requestor = newRequestor();
    connect(requestor, &O2Requestor::finished, this,
        [this, requestor, files, pageToken, page](int id, QNetworkReply::NetworkError error, QByteArray data) {
            qCDebug(lcSync) << id << "getFiles Finished" << error;
            reportTooLarge(requestor, "the file list");
            pageFinished(files, pageToken, page, error, data);
        });
    requestor->get(QNetworkRequest(GoogleService::apiUrl(pathAndQuery)));
}

void SyncGoogleDrive::pageFinished(OnlineFiles files, QString pageToken, int page, QNetworkReply::NetworkError error,
    const QByteArray &body)
{
    if (error != QNetworkReply::NoError) {
        m_sync->getFilesFinished(OnlineFiles(), true);
        return;
    }
    QString nextPageToken;
    QString problem;
    if (!readListPage(body, &files, &nextPageToken, &problem)) {
        qCWarning(lcSync).noquote() << "The Google Drive file list cannot be used:" << problem;
        SyncLogDialog::add("Sync: The Google Drive file list cannot be used: " + problem);
        m_sync->getFilesFinished(OnlineFiles(), true);
        return;
    }
    if (!nextPageToken.isEmpty()) {
        if (nextPageToken == pageToken || page >= m_maxPages) {
            qCWarning(lcSync) << "The Google Drive file list does not end";
            m_sync->getFilesFinished(OnlineFiles(), true);
            return;
        }
        requestPage(files, nextPageToken, page + 1);
        return;
    }
    // A read list is never empty, so the engine can tell it from one not read yet.
    files.remove(QString());
    files.insert(QString(), {QString(), QString()});
    m_sync->getFilesFinished(files, false);
}

O2Requestor *SyncGoogleDrive::downloadFile(QString id)
{
    const QUrl url = GoogleService::apiUrl("/drive/v3/files/" + QString::fromLatin1(QUrl::toPercentEncoding(id)) + "?alt=media");
    qCDebug(lcSync) << "Download url" << url.toString();
    O2Requestor *requestor = newRequestor();
    // A file is never larger than the largest document this program reads.
    requestor->setMaxReplySize(SafeFile::MaxDocumentSize);
    requestor->get(QNetworkRequest(url));
    return requestor;
}

void SyncGoogleDrive::download(DownloadFinishedCallback callback, SyncData data)
{
    qCDebug(lcSync) << "Downloading" << data.file << data.second << "from Google Drive";
    O2Requestor *requestor = downloadFile(data.second);
    connect(requestor, &O2Requestor::finished, this,
        [sync = m_sync, requestor, callback, data](int id, QNetworkReply::NetworkError error, QByteArray bytes) {
            qCDebug(lcSync) << id << "download Finished" << data.file << error;
            reportTooLarge(requestor, data.file);
            sync->downloadFinished(callback, data, bytes, error != QNetworkReply::NoError);
        });
}

QByteArray SyncGoogleDrive::multipartBody(const QByteArray &metadata, const QByteArray &payload, const QByteArray &boundary)
{
    QByteArray body;
    body.reserve(metadata.size() + payload.size() + 4 * boundary.size() + 128);
    body += "--" + boundary + "\n";
    body += "Content-Type: application/json; charset=UTF-8\n";
    body += "\n";
    body += metadata;
    body += "\n";
    body += "--" + boundary + "\n";
    body += "Content-Type: application/octet-stream\n";
    body += "\n";
    body += payload;
    body += "\n--" + boundary + "--\n";
    return body;
}

QByteArray SyncGoogleDrive::newBoundary(const QByteArray &metadata, const QByteArray &payload)
{
    // A fixed boundary would end the payload early wherever a stored file happens to contain it.
    for (;;) {
        quint64 random[2];
        QRandomGenerator::global()->fillRange(random);
        const QByteArray boundary = "kestovan-"
            + QByteArray(reinterpret_cast<const char *>(random), sizeof(random)).toHex();
        if (!metadata.contains(boundary) && !payload.contains(boundary))
            return boundary;
    }
}

O2Requestor *SyncGoogleDrive::uploadFile(QString name, QByteArray data)
{
    QJsonObject metadata;
    metadata.insert("name", name);
    metadata.insert("mimeType", "application/octet-stream");
    metadata.insert("description", "Kestovan snippets file");
    metadata.insert("parents", QJsonArray{"appDataFolder"});
    const QByteArray indented = QJsonDocument(metadata).toJson(QJsonDocument::Indented);
    qCDebug(lcSync).noquote() << QJsonDocument(metadata).toJson(QJsonDocument::Compact);

    const QByteArray boundary = newBoundary(indented, data);
    QNetworkRequest request(GoogleService::apiUrl("/upload/drive/v3/files?uploadType=multipart"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "multipart/related; boundary=" + boundary);

    O2Requestor *requestor = newRequestor();
    connect(requestor, &O2Requestor::uploadProgress, this, [](int id, qint64 bytesSent, qint64 bytesTotal) {
        qCDebug(lcSync) << id << "Progress: " << bytesSent << bytesTotal;
    });
    requestor->post(request, multipartBody(indented, data, boundary));
    return requestor;
}

void SyncGoogleDrive::upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes)
{
    qCDebug(lcSync) << "Uploading" << data.file << "to Google Drive";
    O2Requestor *requestor = uploadFile(data.file, bytes);
    connect(requestor, &O2Requestor::finished, this,
        [sync = m_sync, requestor, callback, data](int id, QNetworkReply::NetworkError error, QByteArray body) mutable {
            qCDebug(lcSync) << id << "upload Finished" << data.file << error;
            reportTooLarge(requestor, "the upload of " + data.file);
            bool failed = error != QNetworkReply::NoError;
            if (!failed) {
                const QJsonObject reply = parseObject(body);
                const QString onlineId = reply.value("id").toString();
                if (reply.contains("error")) {
                    qCWarning(lcSync) << "Upload failed:" << reply.value("error").toObject().value("message").toString();
                    failed = true;
                } else if (onlineId.isEmpty()) {
                    // Without the id the file can neither be found again nor deleted.
                    qCWarning(lcSync) << "Upload answered without a file id";
                    failed = true;
                } else {
                    data.second = onlineId;
                }
            }
            sync->uploadFinished(callback, data, failed);
        });
}

O2Requestor *SyncGoogleDrive::removeFile(QString id)
{
    const QUrl url = GoogleService::apiUrl("/drive/v3/files/" + QString::fromLatin1(QUrl::toPercentEncoding(id)));
    qCDebug(lcSync) << "Removing" << url.toString();
    O2Requestor *requestor = newRequestor();
    requestor->deleteResource(QNetworkRequest(url));
    return requestor;
}

void SyncGoogleDrive::remove(SyncData data)
{
    qCDebug(lcSync) << "Removing" << data.second << "from Google Drive";
    O2Requestor *requestor = removeFile(data.second);
    connect(requestor, &O2Requestor::finished, this,
        [sync = m_sync, requestor, data](int id, QNetworkReply::NetworkError error, QByteArray) {
            qCDebug(lcSync) << id << "delete finished" << data.second << error;
            reportTooLarge(requestor, "the removal of " + data.file);
            sync->deleteFinished(data, error != QNetworkReply::NoError);
        });
}

ISyncTarget *kestovanNetworkGoogleDrive(Sync *sync)
{
    return new SyncGoogleDrive(sync);
}
