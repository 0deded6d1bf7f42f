#pragma once

#include <QByteArray>
#include <QString>

// The numbers of these enumerations are stored, passed between the engine and its targets and
// written to the logs, so they never change.

// The synchronised documents.
enum class SyncFile : int {
    History = 0,
    Snippets = 1,
};

enum SyncDirection : int {
    // Merge local and remote; store the result when it changed.
    BothWays = 0,
    // The remote copy replaces the local one; never upload.
    FromServer = 1,
    // The local copy replaces the remote one; never download a document.
    ToServer = 2,
};

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
