#include "sync/syncnone.h"

#include "sync/sync.h"

SyncNone::SyncNone(Sync *sync)
    : ISyncTarget(sync)
    , m_sync(sync)
{
}

void SyncNone::initialize(InitOptions, QMap<QString, QVariant>)
{
    emit initialized(true);
}

bool SyncNone::isValid()
{
    return false;
}

void SyncNone::getFiles()
{
    OnlineFiles files;
    files.insert(QString(), {QString(), QString()});
    m_sync->getFilesFinished(files, false);
}

void SyncNone::download(DownloadFinishedCallback callback, SyncData data)
{
    m_sync->downloadFinished(callback, data, QByteArray(), false);
}

void SyncNone::upload(UploadFinishedCallback callback, SyncData data, QByteArray)
{
    m_sync->uploadFinished(callback, data, false);
}

void SyncNone::remove(SyncData data)
{
    m_sync->deleteFinished(data, false);
}

QString SyncNone::title()
{
    return QString();
}
