#pragma once

#include "common/isyncmerge.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

// The sync engine as the document models see it.
class ISync : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Queues one synchronisation of the document with merge as its partner; returns at once.
    virtual void sync(SyncFile file, ISyncMerge *merge, SyncDirection direction) = 0;

    // The history's live image files, each "{id}/file name", and those that the newest online
    // history still shows: neither are removed online.
    virtual void syncImages(QList<QString> images, QList<QString> listedOnline) = 0;

    // Whether a sync of the document asked for now would be carried out: a document keeps what a
    // pass takes from its save only then.
    virtual bool willSync(SyncFile file)
    {
        Q_UNUSED(file);
        return true;
    }

signals:
    // The thumbnail of an image the engine brought into the cache for the clipping id.
    void thumbnail(QImage image, QUuid id);
};
