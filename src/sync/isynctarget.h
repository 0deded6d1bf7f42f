#pragma once

#include "sync/synctypes.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

// A storage back end. Each implementation is constructed with the engine and answers every request
// exactly once through the engine's result calls (getFilesFinished, downloadFinished,
// uploadFinished, deleteFinished), at once or later, on the main thread.
class ISyncTarget : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Prepares the back end; initialized(bool) follows when done.
    virtual void initialize(InitOptions options, QMap<QString, QVariant> settings) = 0;
    virtual bool isValid() = 0;
    // A successful listing always holds an extra entry with an empty id and a pair of empty texts,
    // so a list that was read is never empty.
    virtual void getFiles() = 0;
    virtual void download(DownloadFinishedCallback callback, SyncData data) = 0;
    // On success the answered data's second carries the online id of the stored file.
    virtual void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) = 0;
    virtual void remove(SyncData data) = 0;
    virtual QString title() = 0;
    // Forgets the stored sign-in of a back end that has one.
    virtual void signOut() {}

signals:
    void initialized(bool success);
};
