#include "history/copytocache.h"

#include "common/privatefiles.h"
#include "common/safefile.h"
#include "common/utils.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

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

void CopyToCache::whenDone(QObject *receiver, std::function<void(const Result &)> done)
{
    m_back = GuardedCall(receiver);
    m_done = std::move(done);
}

void CopyToCache::run()
{
    const Result result = copyHere();
    if (m_done)
        m_back.post([done = m_done, result] { done(result); });
}

CopyToCache::Result CopyToCache::copyHere()
{
    m_error.clear();
    m_sameAs = QUuid();
    Result result;
    result.written = copy();
    result.error = m_error;
    result.sameAs = m_sameAs;
    return result;
}

bool CopyToCache::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool CopyToCache::copy()
{
    // The names may come from synchronised documents: nothing may land outside the cache.
    if (!Utils::isPlainFileName(m_folder) || !Utils::isPlainFileName(m_fileName)) {
        qWarning() << "Refusing to cache a file under an unsafe name:" << m_folder << m_fileName;
        return fail(tr("Unsafe file name %1/%2").arg(m_folder, m_fileName));
    }
    const QString dataPath = Utils::dataPath();
    if (dataPath.isEmpty()) {
        qWarning() << "No data folder for the cache";
        return fail(tr("No data folder"));
    }

    QString base = dataPath + "/" + m_folder;
    if (!m_id.isNull())
        base += "/" + m_id.toString();
    PrivateFiles::makeFolder(base);
    const QString target = base + "/" + m_fileName;
    if (!write(target))
        return false;
    for (const auto &[id, file] : std::as_const(m_earlier)) {
        if (SafeFile::sameContent(target, file)) {
            m_sameAs = id;
            break;
        }
    }
    return true;
}

bool CopyToCache::write(const QString &target)
{
    QString error;
    if (!m_url.isEmpty()) {
        const QString source = m_url.toLocalFile();
        if (source.isEmpty() || !SafeFile::copy(source, target, &error)) {
            qWarning() << "Failed to copy" << source << "to" << target << error;
            return fail(error.isEmpty() ? tr("%1 is not a local file").arg(m_url.toString()) : error);
        }
        return true;
    }

    QByteArray bytes = m_bytes;
    if (bytes.isEmpty()) {
        const QByteArray format = QFileInfo(target).suffix().toLatin1();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!m_image.save(&buffer, format.isEmpty() ? nullptr : format.constData())) {
            qWarning() << "Failed to save the file" << target;
            return fail(tr("The image cannot be written as %1").arg(QString::fromLatin1(format)));
        }
    }
    // Every byte is checked on its way to the disk: a full disk must not leave a short file that
    // passes for the image.
    bool openFailed = false;
    if (!SafeFile::write(target, bytes, &error, &openFailed)) {
        const char *what = m_bytes.isEmpty() ? "Failed to save the file" : openFailed ? "Failed to create" : "Failed to write";
        qWarning() << what << target << error;
        return fail(error);
    }
    return true;
}
