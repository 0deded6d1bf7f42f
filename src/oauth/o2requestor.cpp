#include "oauth/o2requestor.h"

#include "oauth/o2.h"
#include "oauth/oauthlogging.h"

#include <QDateTime>
#include <QTimer>

namespace {

// Shared by every requestor, so ids never repeat within the process.
int s_nextId = 0;

constexpr int c_finishDelay = 10;
constexpr int c_retryDelay = 100;
// A day: a server asking for longer is not taken at its word.
constexpr int c_maxRetryAfter = 24 * 3600;

int retryAfterSeconds(const QByteArray &header)
{
    const QByteArray text = header.trimmed();
    if (text.isEmpty())
        return -1;
    bool number = false;
    const qint64 seconds = text.toLongLong(&number);
    if (number)
        return seconds < 0 ? -1 : int(qMin<qint64>(seconds, c_maxRetryAfter));
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(text), Qt::RFC2822Date);
    if (!when.isValid())
        return -1;
    return int(qBound(qint64(0), QDateTime::currentDateTimeUtc().secsTo(when), qint64(c_maxRetryAfter)));
}

} // namespace

O2Requestor::O2Requestor(QNetworkAccessManager *manager, O2 *authenticator, QObject *parent)
    : QObject(parent)
    , m_manager(manager)
    , m_authenticator(authenticator)
{
    m_timedReplies.setIgnoreSslErrors(authenticator->ignoreSslErrors());
    qRegisterMetaType<QNetworkReply::NetworkError>("QNetworkReply::NetworkError");
    connect(authenticator, &O2::refreshFinished, this, &O2Requestor::onRefreshFinished, Qt::QueuedConnection);
}

O2Requestor::~O2Requestor() = default;

int O2Requestor::get(const QNetworkRequest &req)
{
    return start(req, QNetworkAccessManager::GetOperation, QByteArray());
}

int O2Requestor::post(const QNetworkRequest &req, const QByteArray &data)
{
    return start(req, QNetworkAccessManager::PostOperation, data);
}

int O2Requestor::put(const QNetworkRequest &req, const QByteArray &data)
{
    return start(req, QNetworkAccessManager::PutOperation, data);
}

int O2Requestor::patch(const QNetworkRequest &req, const QByteArray &data)
{
    return start(req, QNetworkAccessManager::CustomOperation, data);
}

int O2Requestor::deleteResource(const QNetworkRequest &req)
{
    return start(req, QNetworkAccessManager::DeleteOperation, QByteArray());
}

int O2Requestor::start(const QNetworkRequest &req, QNetworkAccessManager::Operation operation, const QByteArray &data)
{
    const int id = setup(req, operation);
    if (id >= 0) {
        m_data = data;
        send();
    }
    return id;
}

int O2Requestor::setup(const QNetworkRequest &req, QNetworkAccessManager::Operation operation)
{
    if (m_status != RequestIdle) {
        qCWarning(lcOAuth) << "O2Requestor::setup: Another request pending";
        return -1;
    }
    m_request = req;
    m_operation = operation;
    m_id = s_nextId++;
    m_url = req.url();
    m_data.clear();
    authorize();
    m_status = RequestSent;
    m_error = QNetworkReply::NoError;
    m_refreshPending = false;
    m_finishScheduled = false;
    m_replyTooLarge = false;
    m_retryAfter = -1;
    return m_id;
}

void O2Requestor::authorize()
{
    const QString token = m_authenticator ? m_authenticator->token() : QString();
    m_request.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    qCDebug(lcOAuth) << "Authorization: Bearer ..." << (token.isEmpty() ? "(no token)" : "");
}

void O2Requestor::send()
{
    switch (m_operation) {
    case QNetworkAccessManager::GetOperation:
        m_reply = m_manager->get(m_request);
        break;
    case QNetworkAccessManager::PostOperation:
        m_reply = m_manager->post(m_request, m_data);
        break;
    case QNetworkAccessManager::PutOperation:
        m_reply = m_manager->put(m_request, m_data);
        break;
    case QNetworkAccessManager::DeleteOperation:
        m_reply = m_manager->deleteResource(m_request);
        break;
    default:
        m_reply = m_manager->sendCustomRequest(m_request, "PATCH", m_data);
        break;
    }
    m_timedReplies.add(m_reply);
    // Direct: each piece is looked at as it arrives, before the next one is taken in.
    QNetworkReply *reply = m_reply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { checkReplySize(reply, -1); });
    connect(reply, &QNetworkReply::downloadProgress, this,
        [this, reply](qint64, qint64 total) { checkReplySize(reply, total); });
    connect(m_reply, &QNetworkReply::errorOccurred, this, &O2Requestor::onRequestError, Qt::QueuedConnection);
    connect(m_reply, &QNetworkReply::finished, this, &O2Requestor::onRequestFinished, Qt::QueuedConnection);
    if (m_operation != QNetworkAccessManager::GetOperation && m_operation != QNetworkAccessManager::DeleteOperation)
        connect(m_reply, &QNetworkReply::uploadProgress, this, &O2Requestor::onUploadProgress, Qt::DirectConnection);
}

void O2Requestor::checkReplySize(QNetworkReply *reply, qint64 announced)
{
    if (reply != m_reply || m_finishScheduled
        || qMax(announced, m_reply->bytesAvailable()) <= m_maxReplySize)
        return;
    qCWarning(lcOAuth) << "O2Requestor: the reply is larger than" << m_maxReplySize << "bytes; it is dropped";
    m_replyTooLarge = true;
    m_error = QNetworkReply::ProtocolFailure;
    m_refreshPending = false;
    m_timedReplies.remove(m_reply);
    scheduleFinish();
    m_reply->abort();
}

void O2Requestor::onRequestFinished()
{
    if (m_status == RequestIdle || sender() != m_reply || m_finishScheduled || m_refreshPending)
        return;
    if (m_reply->error() != QNetworkReply::NoError)
        return;
    scheduleFinish();
}

void O2Requestor::onRequestError(QNetworkReply::NetworkError error)
{
    qCWarning(lcOAuth) << "O2Requestor::onRequestError: Error" << int(error);
    if (m_status == RequestIdle || sender() != m_reply || m_finishScheduled || m_refreshPending)
        return;

    const int httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    qCWarning(lcOAuth) << "O2Requestor::onRequestError: HTTP status" << httpStatus
                       << m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    // Peeked, not read: the caller still gets the server's answer.
    qCDebug(lcOAuth) << m_reply->peek(1024);

    if (m_status == RequestSent && httpStatus == 401 && m_authenticator) {
        // The answer is in; its time-out must not report anything while the token is renewed.
        m_timedReplies.remove(m_reply);
        m_refreshPending = true;
        if (QMetaObject::invokeMethod(m_authenticator, "refresh"))
            return;
        m_refreshPending = false;
        qCCritical(lcOAuth) << "O2Requestor::onRequestError: Invoking remote refresh failed";
    }
    m_error = error;
    scheduleFinish();
}

void O2Requestor::onRefreshFinished(QNetworkReply::NetworkError error)
{
    if (!m_refreshPending) {
        qCDebug(lcOAuth) << "O2Requestor::onRefreshFinished: Not waiting for a refresh";
        return;
    }
    m_refreshPending = false;
    if (m_status != RequestSent) {
        qCWarning(lcOAuth) << "O2Requestor::onRefreshFinished: No pending request";
        return;
    }
    if (error != QNetworkReply::NoError) {
        m_error = error;
        scheduleFinish();
        return;
    }
    const int id = m_id;
    QTimer::singleShot(c_retryDelay, this, [this, id] {
        if (id == m_id)
            retry();
    });
}

void O2Requestor::retry()
{
    if (m_status != RequestSent) {
        qCWarning(lcOAuth) << "O2Requestor::retry: No pending request";
        return;
    }
    m_timedReplies.remove(m_reply);
    m_reply->disconnect(this);
    m_reply->deleteLater();
    authorize();
    m_request.setUrl(m_url);
    m_status = RequestResent;
    send();
}

void O2Requestor::scheduleFinish()
{
    m_finishScheduled = true;
    const int id = m_id;
    QTimer::singleShot(c_finishDelay, this, [this, id] {
        if (id == m_id)
            finish();
    });
}

void O2Requestor::finish()
{
    if (m_status == RequestIdle) {
        qCWarning(lcOAuth) << "O2Requestor::finish: No pending request";
        return;
    }
    const QByteArray data = m_replyTooLarge ? QByteArray() : m_reply->readAll();
    m_retryAfter = retryAfterSeconds(m_reply->rawHeader("Retry-After"));
    m_status = RequestIdle;
    m_timedReplies.remove(m_reply);
    m_reply->disconnect(this);
    // Deleting a reply that timed out also ends its request.
    m_reply->deleteLater();
    m_reply = nullptr;
    emit finished(m_id, m_error, data);
}

void O2Requestor::onUploadProgress(qint64 uploaded, qint64 total)
{
    if (m_status == RequestIdle) {
        qCWarning(lcOAuth) << "O2Requestor::onUploadProgress: No pending request";
        return;
    }
    if (sender() == m_reply)
        emit uploadProgress(m_id, uploaded, total);
}
