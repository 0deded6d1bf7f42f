#pragma once

#include "sync/synctypes.h"

#include <QByteArray>
#include <QString>

// What the sync engine expects of a synchronised document.
class ISyncMerge
{
public:
    virtual ~ISyncMerge() = default;

    // Lower-case hexadecimal SHA-256 of the document as it would be stored remotely.
    virtual QString hash() = 0;

    // Takes the remote document (plain JSON, empty when there is none or it is not needed) into
    // the model as the direction asks, appends the merged document to result and saves it locally
    // without queueing another sync. True when result differs from online; false and an empty
    // result when online cannot be read.
    virtual bool merge(QByteArray online, QByteArray &result, SyncDirection direction) = 0;

    // The online id of the remote version this document last merged or stored. Only the engine
    // reads and writes it.
    QString lastDownloadId;
};
