#pragma once

#include "sync/isynctarget.h"

#include <QThreadPool>

class Sync;

// Keeps the remote files as plain files directly in a folder the user chooses, so computers can
// share them through anything that mirrors a folder. A file's online id is its name, its creation
// time the modification time in UTC with milliseconds.
class SyncLocalFolder : public ISyncTarget
{
    Q_OBJECT

public:
    explicit SyncLocalFolder(Sync *sync);
    ~SyncLocalFolder() override;

    void initialize(InitOptions options, QMap<QString, QVariant> settings) override;
    bool isValid() override;
    // Listed on a thread of its own: a folder of thousands of files, or one on a slow network
    // drive, must not stop the window. A missing folder is answered at once, a listing later.
    void getFiles() override;
    void download(DownloadFinishedCallback callback, SyncData data) override;
    // Written to a hidden temporary file and renamed into place, so other computers never read a
    // half-written file and a failed write leaves the old file as it was.
    void upload(UploadFinishedCallback callback, SyncData data, QByteArray bytes) override;
    void remove(SyncData data) override;
    QString title() override;

    QString folder() const { return m_folder; }

signals:
    void initialized(bool success);

private:
    bool folderExists() const;
    QString pathOf(const QString &name) const;
    bool writeAtomically(const QString &path, const QByteArray &bytes);

    Sync *m_sync;
    QString m_folder;
    QThreadPool m_listing;
};
