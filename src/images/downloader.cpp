#include "images/downloader.h"

#include <QDebug>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>

Downloader::Downloader(QObject *parent)
    : QObject(parent)
{
}

Downloader::~Downloader() = default;

void Downloader::download(QUrl url, bool showProgress)
{
    reply = manager.get(QNetworkRequest(url));
    // Per reply: a connection to the manager made on every download would report each later
    // download once for every earlier one.
    connect(reply, &QNetworkReply::finished, this, &Downloader::downloaded);
    if (!showProgress)
        return;
    connect(reply, &QNetworkReply::downloadProgress, this, &Downloader::downloadProgress);
    progress = std::make_unique<QProgressDialog>(tr("Downloading") + ": " + url.fileName(), tr("Cancel"), 0, 100);
    progress->setWindowModality(Qt::NonModal);
}

QByteArray Downloader::downloadedData() const
{
    return data;
}

QProgressDialog *Downloader::progressDialog() const
{
    return progress.get();
}

void Downloader::downloaded()
{
    auto *finished = qobject_cast<QNetworkReply *>(sender());
    if (!finished)
        finished = reply;
    if (!finished)
        return;
    if (finished->error() != QNetworkReply::NoError)
        qDebug() << "Download failed" << finished->url() << finished->error();
    else
        data = finished->readAll();
    finished->deleteLater();
    if (finished == reply)
        reply = nullptr;
    emit downloadFinished();
}

void Downloader::downloadProgress(qint64 ist, qint64 max)
{
    if (!progress)
        return;
    if (max > 0) {
        progress->setMaximum(100);
        progress->setValue(int(qBound(qint64(0), ist * 100 / max, qint64(100))));
    } else {
        // The server gave no size: a busy bar instead of a percentage.
        progress->setRange(0, 0);
    }
    if (progress->wasCanceled() && reply)
        reply->abort();
}
