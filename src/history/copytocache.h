#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QRunnable>
#include <QString>
#include <QUrl>
#include <QUuid>

// Writes one file into the cache below the data folder, off the GUI thread:
// <data>/<folder>/<id>/<fileName>, or <data>/<folder>/<fileName> for a null id.
// Exactly one source is set: a decoded image, raw file bytes, or a local file to copy.
class CopyToCache : public QObject, public QRunnable
{
    Q_OBJECT

public:
    CopyToCache(const QImage &image, QUuid id, QString fileName, QString folder);
    CopyToCache(const QByteArray &bytes, QUuid id, QString fileName, QString folder);
    CopyToCache(const QUrl &url, QUuid id, QString fileName, QString folder);

    void run() override;

signals:
    // Emitted just before done() when nothing usable was written, with the reason.
    void failed(QString reason);
    // Emitted once the job has finished, whether it wrote the file or not.
    void done();

private:
    bool copy();
    bool fail(const QString &error);

    QImage m_image;
    QByteArray m_bytes;
    QUuid m_id;
    QString m_fileName;
    QUrl m_url;
    QString m_folder;
    QString m_error;
};
