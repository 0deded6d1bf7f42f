#pragma once

#include <QDateTime>
#include <QRunnable>
#include <QStringList>

// Deletes the image folders that no clipping refers to any more.
class CleanCache : public QRunnable
{
public:
    // ids: the folder names still in use (clipping ids with braces).
    explicit CleanCache(const QStringList &ids);

    void run() override;

private:
    QStringList m_ids;
    // The image cache of the mode the list was taken in.
    QString m_folder;
    // When the id list was taken: a folder written since may belong to a clipping the list misses.
    QDateTime m_snapshotTime;
};
