#pragma once

#include "sync/isynctarget.h"

class Sync;

// The target of every name but the real ones: never valid, holds nothing, and answers every request
// at once with success.
class SyncNone : public ISyncTarget
{
    Q_OBJECT

public:
    explicit SyncNone(Sync *sync);

    void initialize(InitOptions options, QMap<QString, QVariant> settings) override;
    bool isValid() override;
    void getFiles() override;
    void download(DownloadFinishedCallback callback, SyncData data) override;
    void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) override;
    void remove(SyncData data) override;
    QString title() override;

signals:
    void initialized(bool success);

private:
    Sync *m_sync;
};
