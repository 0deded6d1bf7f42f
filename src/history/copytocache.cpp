#include "history/copytocache.h"

#include "common/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CopyToCache::CopyToCache(const QImage &image, QUuid id, QString fileName, QString folder)
    : m_image(image), m_id(id), m_fileName(fileName), m_folder(folder)
{
}

CopyToCache::CopyToCache(const QByteArray &bytes, QUuid id, QString fileName, QString folder)
    : m_bytes(bytes), m_id(id), m_fileName(fileName), m_folder(folder)
{
}

CopyToCache::CopyToCache(const QUrl &url, QUuid id, QString fileName, QString folder)
    : m_id(id), m_fileName(fileName), m_url(url), m_folder(folder)
{
}

void CopyToCache::run()
{
    if (!copy())
        emit failed();
    emit done();
}

bool CopyToCache::copy()
{
    // The names may come from synchronised documents: nothing may land outside the cache.
    if (!Utils::isPlainFileName(m_folder) || !Utils::isPlainFileName(m_fileName)) {
        qWarning() << "Refusing to cache a file under an unsafe name:" << m_folder << m_fileName;
        return false;
    }
    const QString dataPath = Utils::dataPath();
    if (dataPath.isEmpty()) {
        qWarning() << "No data folder for the cache";
        return false;
    }

    QString base = dataPath + "/" + m_folder;
    if (!QFileInfo::exists(base))
        QDir(dataPath).mkpath(m_folder);
    if (!m_id.isNull()) {
        const QString idFolder = m_id.toString();
        base += "/" + idFolder;
        if (!QFileInfo::exists(base))
            QDir(dataPath + "/" + m_folder).mkdir(idFolder);
    }
    const QString target = base + "/" + m_fileName;

    if (!m_url.isEmpty()) {
        const QString source = m_url.toLocalFile();
        if (source.isEmpty() || !QFile::copy(source, target)) {
            qWarning() << "Failed to copy" << source << "to" << target;
            return false;
        }
        return true;
    }

    // QSaveFile writes beside the target and renames only after every byte landed, so a failed
    // write never leaves a truncated file that looks like a good one.
    QSaveFile file(target);
    if (m_bytes.isEmpty()) {
        const QByteArray format = QFileInfo(target).suffix().toLatin1();
        if (!file.open(QIODevice::WriteOnly)
            || !m_image.save(&file, format.isEmpty() ? nullptr : format.constData())
            || !file.commit()) {
            qWarning() << "Failed to save the file" << target;
            return false;
        }
        return true;
    }

    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Failed to create" << target;
        return false;
    }
    if (file.write(m_bytes) != m_bytes.size() || !file.commit()) {
        qWarning() << "Failed to write" << target << file.errorString();
        return false;
    }
    return true;
}
