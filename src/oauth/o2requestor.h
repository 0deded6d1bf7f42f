#pragma once

#include "oauth/o2replylist.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QUrl>

class O2;

// Sends one request at a time with the client's access token. When the server answers 401, the
// client refreshes the token once and the request goes out again; finished() reports the outcome.
class O2Requestor : public QObject
{
    Q_OBJECT

public:
    // A longer reply is dropped: JSON answers are small, and what a server sends must not fill the
    // memory.
    static constexpr qint64 c_defaultMaxReplySize = 4 * 1024 * 1024;

    O2Requestor(QNetworkAccessManager *manager, O2 *authenticator, QObject *parent = nullptr);
    ~O2Requestor() override;

    // The longest reply body taken for the requests sent from now on.
    void setMaxReplySize(qint64 bytes) { m_maxReplySize = bytes; }
    // Whether the last request ended because its reply passed that size; it ends with
    // QNetworkReply::ProtocolFailure and no data.
    bool replyTooLarge() const { return m_replyTooLarge; }
    // The seconds the last reply's Retry-After asked the client to wait (a number or an HTTP date);
    // -1 when it asked for nothing.
    int retryAfter() const { return m_retryAfter; }

signals:
    void finished(int id, QNetworkReply::NetworkError error, QByteArray data);
    void uploadProgress(int id, qint64 bytesSent, qint64 bytesTotal);

public slots:
    // Each returns the request's id, or -1 while another request of this requestor is pending.
    int get(const QNetworkRequest &req);
    int post(const QNetworkRequest &req, const QByteArray &data);
    int put(const QNetworkRequest &req, const QByteArray &data);
    int patch(const QNetworkRequest &req, const QByteArray &data);
    int deleteResource(const QNetworkRequest &req);

    void onRefreshFinished(QNetworkReply::NetworkError error);
    void onRequestFinished();
    void onRequestError(QNetworkReply::NetworkError error);
    void retry();
    void finish();
    void onUploadProgress(qint64 uploaded, qint64 total);

private:
    // Stops reading as soon as the reply passes its size, announced or received.
    void checkReplySize(QNetworkReply *reply, qint64 announced);
    enum Status {
        RequestIdle = 0,
        RequestSent = 1,
        RequestResent = 2,
    };

    int start(const QNetworkRequest &req, QNetworkAccessManager::Operation operation, const QByteArray &data);
    int setup(const QNetworkRequest &req, QNetworkAccessManager::Operation operation);
    void authorize();
    void send();
    void scheduleFinish();

    QNetworkAccessManager *m_manager;
    QPointer<O2> m_authenticator;
    QNetworkRequest m_request;
    QByteArray m_data;
    QNetworkReply *m_reply = nullptr;
    Status m_status = RequestIdle;
    int m_id = -1;
    QNetworkAccessManager::Operation m_operation = QNetworkAccessManager::GetOperation;
    QUrl m_url;
    O2ReplyList m_timedReplies;
    QNetworkReply::NetworkError m_error = QNetworkReply::NoError;
    // Set while this requestor waits for a refresh it asked for: other requestors' refreshes
    // must not restart or end its request.
    bool m_refreshPending = false;
    // Set once the current request is bound to end, so that late signals of its reply cannot end
    // it twice.
    bool m_finishScheduled = false;
    qint64 m_maxReplySize = c_defaultMaxReplySize;
    bool m_replyTooLarge = false;
    int m_retryAfter = -1;
};
