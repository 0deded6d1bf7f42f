#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QRunnable>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <utility>

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

    // Files already in the cache to compare the written file with, by the id they belong to.
    void compareWith(QList<std::pair<QUuid, QString>> files) { m_earlier = std::move(files); }

    void run() override;

    // What run() did; read them when done() is emitted, in the job's own thread.
    bool written() const { return m_written; }
    QString error() const { return m_error; }
    // The id of the first compared file that holds the same bytes as the one written; null for none.
    QUuid sameAs() const { return m_sameAs; }

signals:
    // Emitted just before done() when nothing usable was written, with the reason.
    void failed(QString reason);
    // Emitted once the job has finished, whether it wrote the file or not.
    void done();

private:
    bool copy();
    bool write(const QString &target);
    bool fail(const QString &error);

    QImage m_image;
    QByteArray m_bytes;
    QUuid m_id;
    QString m_fileName;
    QUrl m_url;
    QString m_folder;
    QList<std::pair<QUuid, QString>> m_earlier;
    bool m_written = false;
    QString m_error;
    QUuid m_sameAs;
};
