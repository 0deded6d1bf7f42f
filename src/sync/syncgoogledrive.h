#pragma once

#include "sync/isynctarget.h"

#include <QByteArray>
#include <QNetworkReply>
#include <QString>
#include <QUrl>

class O2Google;
class O2Requestor;
class Sync;

// Keeps the remote files in the hidden application-data folder of the user's Google Drive. Every
// upload creates a new file; the engine names versions by content and deletes old ones itself.
// Each request has its own network manager and requestor, which adds the bearer token and
// refreshes it once after a 401.
class SyncGoogleDrive : public ISyncTarget
{
    Q_OBJECT

public:
    // The listing asks for this many files per page, Drive's largest page.
    static constexpr int c_pageSize = 1000;
    // A server that keeps sending page tokens must not keep the listing going for ever.
    static constexpr int c_maxPages = 200;

    explicit SyncGoogleDrive(Sync *sync);

    void initialize(InitOptions options, QMap<QString, QVariant> settings) override;
    bool isValid() override;
    void getFiles() override;
    void download(DownloadFinishedCallback callback, SyncData data) override;
    void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) override;
    void remove(SyncData data) override;
    QString title() override;
    void signOut() override;

    // Each sends one request and returns the requestor that carries it, for its finished signal.
    O2Requestor *downloadFile(QString id);
    O2Requestor *uploadFile(QString name, QByteArray data);
    O2Requestor *removeFile(QString id);

    // The multipart body of an upload: the metadata part, then the payload part, each opened by
    // "--" + boundary, closed by "--" + boundary + "--". Line feeds only.
    static QByteArray multipartBody(const QByteArray &metadata, const QByteArray &payload, const QByteArray &boundary);
    // A boundary found in neither of the parts, new for every request.
    static QByteArray newBoundary(const QByteArray &metadata, const QByteArray &payload);

    // Tests lower the page limit.
    void setMaxPages(int pages) { m_maxPages = pages; }

    // The sign-in itself; the engine signs out through signOut().
    O2Google *o2() const { return m_o2; }

public slots:
    void browse(QUrl url);

private:
    O2Requestor *newRequestor();
    void requestPage(OnlineFiles files, QString pageToken, int page);
    void pageFinished(OnlineFiles files, QString pageToken, int page, QNetworkReply::NetworkError error,
        const QByteArray &body);

    Sync *m_sync;
    O2Google *m_o2;
    int m_maxPages = c_maxPages;
};
