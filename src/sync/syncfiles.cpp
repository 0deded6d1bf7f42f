// Sync: action and image files, stored one remote file each, named after what they hold.
#include "sync/sync.h"

#include "common/safefile.h"
#include "common/utils.h"
#include "history/copytocache.h"
#include "history/makethumbnail.h"
#include "sync/isynctarget.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThreadPool>
#include <QUuid>

namespace {

const QString c_imagePrefix = QStringLiteral("image_");

QString imagesFolder()
{
    return Utils::imagesPath() + "/";
}

// A cache reference is "{id}/file name"; anything else would put a file outside the clipping's
// folder, or somewhere the cache clean-up never looks.
bool isImageReference(const QString &folder, const QString &fileName)
{
    return !QUuid::fromString(folder).isNull() && Utils::isPlainFileName(fileName);
}

} // namespace

QMap<QString, QString> Sync::buildOnlineFileMap(QString prefix) const
{
    QMap<QString, QString> files;
    QMap<QString, QString> times;
    for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
        const QString &name = it.value().first;
        if (it.key().isEmpty() || !name.startsWith(prefix))
            continue;
        // A store that keeps several files under one name (Google Drive after a resync) is read
        // by its newest one.
        if (files.contains(name) && times.value(name) >= it.value().second)
            continue;
        files.insert(name, it.key());
        times.insert(name, it.value().second);
    }
    return files;
}

std::pair<QString, QString> Sync::splitOnlineImageName(QString name)
{
    const QStringList parts = name.split('_');
    if (parts.size() < 3) {
        qCWarning(lcSync) << "File name has too few parts" << name;
        return {QString(), QString()};
    }
    return {parts.at(1), parts.mid(2).join('_')};
}

QString Sync::remoteImageName(const QString &reference)
{
    return c_imagePrefix + QString(reference).replace('/', '_');
}

void Sync::fileOperationFailed(const QString &logText)
{
    SyncLogDialog::add(logText);
    m_passIncomplete = true;
}

void Sync::fileUnreadable(SyncProblems::Kind kind, const QString &remoteName, const QString &logText)
{
    SyncLogDialog::add(logText);
    m_problems.addFile(kind, remoteName);
}

void Sync::uploadLocalFile(SyncData data, const QString &path)
{
    QFile file(path);
    if (!SafeFile::openForReading(&file)) {
        qCWarning(lcSync) << "Unable to open file" << path;
        SyncLogDialog::add("Sync: Unable to open file " + path);
        continueQueue();
        return;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fileOperationFailed("Sync: Unable to read file " + path);
        continueQueue();
        return;
    }
    if (data.operation == UploadImage) {
        const QFileInfo info(file);
        m_imageUploads.insert(data.file, {ImageRecords::digestOf(bytes), info.size(), info.lastModified().toMSecsSinceEpoch()});
    }
    if (m_settings.value("EncryptData").toBool()) {
        bytes = encrypt(bytes);
        // Never stored in the plain when encryption was asked for.
        if (bytes.isEmpty()) {
            fileOperationFailed("Sync: Upload failed for " + data.file);
            continueQueue();
            return;
        }
    }
    getSync()->upload(PlainUpload, data, bytes);
}

bool Sync::receivedFile(const SyncData &data, QByteArray *bytes, bool error)
{
    if (error) {
        fileOperationFailed("Sync: Download failed for " + data.file);
        return false;
    }
    SyncLogDialog::add("Sync: Download finished for " + data.file);
    // The target hands over a file too large to read as an empty one.
    if (bytes->isEmpty()) {
        fileUnreadable(SyncProblems::Kind::Damaged, data.file, "Sync: " + data.file + " is empty");
        return false;
    }
    if (!isEncrypted(*bytes)) {
        // Anybody who can write to the store can put a plain file there.
        if (!m_settings.value("EncryptData").toBool())
            return true;
        fileUnreadable(SyncProblems::Kind::NotEnciphered, data.file,
            "Sync: " + data.file + " is not encrypted, and encryption is on; it is refused");
        return false;
    }
    bool damaged = false;
    *bytes = decrypt(*bytes, &damaged);
    // An empty result must never be written over the local file.
    if (bytes->isEmpty() && damaged) {
        fileUnreadable(SyncProblems::Kind::Damaged, data.file, "Sync: " + data.file + " is incomplete or damaged");
        return false;
    }
    if (bytes->isEmpty()) {
        fileUnreadable(SyncProblems::Kind::Undeciphered, data.file, "Sync: Decrypt failed for " + data.file);
        return false;
    }
    return true;
}

void Sync::writeToCache(CopyToCache *copy, const QString &remoteName, std::function<void()> written)
{
    copy->whenDone(this, [remoteName, written](const CopyToCache::Result &result) {
        if (!result.written)
            SyncLogDialog::add("Sync: Writing the downloaded " + remoteName + " failed");
        else if (written)
            written();
    });
    // The queue goes on meanwhile; the pool owns the job.
    QThreadPool::globalInstance()->start(copy);
}

void Sync::syncImages(QList<QString> images, QList<QString> listedOnline)
{
    // Without the list every image would look new; the history merge always runs within a pass.
    if (!m_listRead) {
        qCDebug(lcSync) << "Image sync without a file list; left for the next pass";
        return;
    }
    const QMap<QString, QString> remote = buildOnlineFileMap(c_imagePrefix);
    qCDebug(lcSync) << "Syncing images: " << images << listedOnline << remote;

    const QSet<QString> referenced(images.cbegin(), images.cend());
    // A computer that keeps fewer clippings must not take away what another, which keeps more,
    // still shows.
    const QSet<QString> listed(listedOnline.cbegin(), listedOnline.cend());

    QSet<QString> recorded;
    for (const QString &reference : std::as_const(images)) {
        if (!isImageReference(reference.section('/', 0, 0), reference.section('/', 1))) {
            SyncLogDialog::add("Sync: Incorrect image reference " + reference);
            continue;
        }
        SyncData data;
        data.file = remoteImageName(reference);
        recorded.insert(data.file);
        const QString path = imagesFolder() + reference;
        if (remote.contains(data.file)) {
            const QString id = remote.value(data.file);
            if (!QFileInfo::exists(path)) {
                SyncLogDialog::add("Sync: New online image: " + data.file);
                data.operation = DownloadImage;
                data.second = id;
            } else {
                // The same names, but not always the same picture: an edit keeps the name.
                switch (m_imageRecords.compare(data.file, path, id, m_online.value(id).second)) {
                case ImageRecords::State::InStep:
                    continue;
                case ImageRecords::State::ChangedHere:
                    SyncLogDialog::add("Sync: Changed local image: " + reference);
                    data.operation = UploadImage;
                    break;
                case ImageRecords::State::ChangedOnline:
                    SyncLogDialog::add("Sync: Changed online image: " + data.file);
                    data.operation = DownloadImage;
                    data.second = id;
                    break;
                }
            }
        } else {
            SyncLogDialog::add("Sync: New local image: " + reference);
            data.operation = UploadImage;
        }
        addToQueue(data);
    }

    for (auto it = remote.cbegin(); it != remote.cend(); ++it) {
        const auto [folder, fileName] = splitOnlineImageName(it.key());
        // Only images this program named are removed.
        if (!isImageReference(folder, fileName) || referenced.contains(folder + "/" + fileName))
            continue;
        if (listed.contains(folder + "/" + fileName)) {
            recorded.insert(it.key());
            continue;
        }
        SyncLogDialog::add("Sync: Old online image: " + it.key());
        SyncData data;
        data.operation = DeleteFile;
        data.file = it.key();
        data.second = it.value();
        addToQueue(data);
    }
    m_imageRecords.keepOnly(recorded);
    m_imageRecords.save();
}

void Sync::imageStored(const SyncData &data)
{
    const ImageUpload upload = m_imageUploads.take(data.file);
    if (!upload.digest.isEmpty()) {
        m_imageRecords.stored(data.file, upload.digest, data.second, upload.size, upload.modified);
        m_imageRecords.save();
    }
    for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
        if (it.value().first != data.file || it.key() == data.second || it.key().isEmpty())
            continue;
        SyncData superseded;
        superseded.operation = DeleteFile;
        superseded.file = data.file;
        superseded.second = it.key();
        addToQueue(superseded);
    }
}

void Sync::uploadImage(SyncData data)
{
    const auto [folder, fileName] = splitOnlineImageName(data.file);
    uploadLocalFile(data, imagesFolder() + folder + "/" + fileName);
}

void Sync::downloadImageFinished(SyncData data, QByteArray bytes, bool error)
{
    if (!receivedFile(data, &bytes, error)) {
        continueQueue();
        return;
    }
    const auto [folder, fileName] = splitOnlineImageName(data.file);
    if (!isImageReference(folder, fileName)) {
        fileUnreadable(SyncProblems::Kind::Damaged, data.file, "Sync: Incorrect filename format for " + data.file);
        continueQueue();
        return;
    }
    const QUuid id = QUuid::fromString(folder);
    m_imageRecords.fetched(data.file, ImageRecords::digestOf(bytes), data.second, m_online.value(data.second).second);
    m_imageRecords.save();

    // The thumbnail is made once the file is written.
    writeToCache(new CopyToCache(bytes, id, fileName, Utils::imageFolderName()), data.file, [this, id, fileName] {
        QThreadPool::globalInstance()->start(
            new MakeThumbnail(fileName, id, this, [this, id](const QImage &image) { emit thumbnail(image, id); }));
    });
    continueQueue();
}
