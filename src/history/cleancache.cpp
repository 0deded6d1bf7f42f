#include "history/cleancache.h"

#include "common/safefile.h"
#include "common/utils.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {
// A capture can create its folder just before its id reaches the list; allow for coarse
// file-system clocks too.
const int RecentFolderSeconds = 60;
}

CleanCache::CleanCache(const QStringList &ids)
    : m_ids(ids), m_folder(Utils::imageFolderName()), m_snapshotTime(QDateTime::currentDateTimeUtc())
{
}

void CleanCache::run()
{
    const QString dataPath = Utils::dataPath();
    if (dataPath.isEmpty()) {
        qWarning() << "No data folder; the image cache is not cleaned";
        return;
    }
    const QString path = dataPath + "/" + m_folder;
    qDebug() << "Cleaning image cache:" << path;

    const QSet<QString> live(m_ids.cbegin(), m_ids.cend());
    const QDateTime recent = m_snapshotTime.addSecs(-RecentFolderSeconds);
    const QFileInfoList folders =
        QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo &folder : folders) {
        const QString name = folder.fileName();
        if (live.contains(name)) {
            qDebug() << name << "still exists.";
            continue;
        }
        if (folder.lastModified().toUTC() >= recent) {
            qDebug() << name << "was written after the id list was taken; kept.";
            continue;
        }
        qDebug() << name << "doesn't exist. Deleting...";
        // A link is removed as a link: following it would delete files outside the cache.
        if (!SafeFile::removeFolder(folder.filePath()))
            qWarning() << "Failed to delete" << folder.filePath();
    }
}
