#pragma once

#include "common/isyncmerge.h"

#include <QMap>
#include <QString>

#include <utility>

// The numbers of these enumerations are stored, passed between the engine and its targets and
// written to the logs, so they never change.

enum class SyncStatus : int {
    Busy = 0,
    Success = 1,
    // A short notice; only the history view sends it.
    Notice = 2,
    Failed = 3,
};

enum InitOptions : int {
    ReportState = 0,
    InteractiveIfNeeded = 1,
    Interactive = 2,
};

enum DownloadFinishedCallback : int {
    ActionDownloaded = 0,
    ImageDownloaded = 1,
    JsonDownloaded = 2,
    ResyncDownloaded = 3,
};

enum UploadFinishedCallback : int {
    PlainUpload = 0,
    ResyncUpload = 1,
    MergeUpload = 2,
};

// Operation codes of SyncData::operation. Code 3 is not assigned.
enum SyncOperation : int {
    MergeDocument = 0,
    DownloadImage = 1,
    DownloadAction = 2,
    UploadImage = 4,
    UploadAction = 5,
    DeleteFile = 6,
    BuildActionOperations = 7,
    BuildResyncOperations = 8,
    DownloadForResync = 9,
};

// One queued operation, copied by value.
struct SyncData
{
    qint32 operation = MergeDocument;
    // The remote file name, or the local document name for a document merge.
    QString file;
    // The online id of the remote file, once known.
    QString second;
    // The document partner of a merge; not owned.
    ISyncMerge *merge = nullptr;
    SyncDirection direction = BothWays;
};

// Online id -> (remote file name, creation time as sortable text).
using OnlineFiles = QMap<QString, std::pair<QString, QString>>;
