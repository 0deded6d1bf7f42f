#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <memory>

class QNetworkReply;
class QProgressDialog;

// A small HTTP download with an optional progress dialog. downloadFinished() follows every
// download, successful or not; downloadedData() is the body of the last successful one.
class Downloader : public QObject
{
    Q_OBJECT

public:
    explicit Downloader(QObject *parent = nullptr);
    ~Downloader() override;

    void download(QUrl url, bool showProgress);
    QByteArray downloadedData() const;

    // The progress dialog of a download with progress; null before one.
    QProgressDialog *progressDialog() const;

signals:
    void downloadFinished();

public slots:
    void downloaded();
    void downloadProgress(qint64 ist, qint64 max);

private:
    QNetworkAccessManager manager;
    QByteArray data;
    QNetworkReply *reply = nullptr;
    // A top-level window, so no widget parent; it goes with the downloader.
    std::unique_ptr<QProgressDialog> progress;
};
