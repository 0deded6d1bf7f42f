#pragma once

#include "common/guardedcall.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QRunnable>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <functional>
#include <utility>

// Writes one file into the cache below the data folder, off the GUI thread:
// <data>/<folder>/<id>/<fileName>, or <data>/<folder>/<fileName> for a null id.
// Exactly one source is set: a decoded image, raw file bytes, or a local file to copy.
class CopyToCache : public QRunnable
{
    Q_DECLARE_TR_FUNCTIONS(CopyToCache)

public:
    struct Result
    {
        bool written = false;
        // Why nothing usable was written.
        QString error;
        // The id of the first compared file that holds the same bytes as the one written; null for none.
        QUuid sameAs;
    };

    CopyToCache(const QImage &image, QUuid id, QString fileName, QString folder);
    CopyToCache(const QByteArray &bytes, QUuid id, QString fileName, QString folder);
    CopyToCache(const QUrl &url, QUuid id, QString fileName, QString folder);

    // Files already in the cache to compare the written file with, by the id they belong to.
    void compareWith(QList<std::pair<QUuid, QString>> files) { m_earlier = std::move(files); }
    // done gets the result on the GUI thread once run() has finished, whether it wrote the file or
    // not, unless receiver is gone by then.
    void whenDone(QObject *receiver, std::function<void(const Result &)> done);

    void run() override;
    // The work of run() on the calling thread, without the call of whenDone().
    Result copyHere();

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
    GuardedCall m_back;
    std::function<void(const Result &)> m_done;
    QString m_error;
    QUuid m_sameAs;
};
