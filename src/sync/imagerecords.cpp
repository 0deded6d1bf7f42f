#include "sync/imagerecords.h"

#include "common/safefile.h"
#include "common/utils.h"
#include "sync/synclogging.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

qint64 modifiedOf(const QFileInfo &info)
{
    return info.lastModified().toMSecsSinceEpoch();
}

// Empty when the file cannot be read.
QString digestOfFile(const QString &path)
{
    QByteArray bytes;
    if (SafeFile::read(path, &bytes) != SafeFile::ReadResult::Read)
        return QString();
    return ImageRecords::digestOf(bytes);
}

} // namespace

QString ImageRecords::digestOf(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QString ImageRecords::filePath()
{
    return Utils::dataPath() + "/SyncedImages.json";
}

QHash<QString, ImageRecords::Record> &ImageRecords::records()
{
    const QString path = filePath();
    if (path == m_path)
        return m_records;
    m_path = path;
    m_records.clear();
    m_dirty = false;
    QByteArray bytes;
    if (SafeFile::read(path, &bytes) != SafeFile::ReadResult::Read)
        return m_records;
    // Records that do not read are lost, and their pictures taken as in step again.
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QJsonObject entry = it.value().toObject();
        Record record;
        record.digest = entry.value("digest").toString();
        record.remoteId = entry.value("id").toString();
        record.remoteTime = entry.value("time").toString();
        record.localSize = entry.value("size").toInteger(-1);
        record.localModified = entry.value("modified").toInteger();
        if (!record.digest.isEmpty())
            m_records.insert(it.key(), record);
    }
    return m_records;
}

ImageRecords::State ImageRecords::compare(const QString &name, const QString &path, const QString &remoteId,
                                          const QString &remoteTime)
{
    QHash<QString, Record> &all = records();
    const QFileInfo info(path);
    const auto found = all.find(name);
    if (found == all.end()) {
        const QString digest = digestOfFile(path);
        if (!digest.isEmpty()) {
            all.insert(name, {digest, remoteId, remoteTime, info.size(), modifiedOf(info)});
            m_dirty = true;
        }
        return State::InStep;
    }

    Record &record = *found;
    if (record.localSize < 0 || info.size() != record.localSize || modifiedOf(info) != record.localModified) {
        const QString digest = digestOfFile(path);
        if (digest == record.digest) {
            record.localSize = info.size();
            record.localModified = modifiedOf(info);
            m_dirty = true;
        } else if (record.localSize < 0) {
            // What was fetched never arrived.
            return State::ChangedOnline;
        } else if (!digest.isEmpty()) {
            return State::ChangedHere;
        }
    }
    if (record.remoteId != remoteId || (!record.remoteTime.isEmpty() && record.remoteTime != remoteTime))
        return State::ChangedOnline;
    if (record.remoteTime.isEmpty()) {
        record.remoteTime = remoteTime;
        m_dirty = true;
    }
    return State::InStep;
}

void ImageRecords::stored(const QString &name, const QString &digest, const QString &remoteId, qint64 size, qint64 modified)
{
    records().insert(name, {digest, remoteId, QString(), size, modified});
    m_dirty = true;
}

void ImageRecords::fetched(const QString &name, const QString &digest, const QString &remoteId, const QString &remoteTime)
{
    records().insert(name, {digest, remoteId, remoteTime, -1, 0});
    m_dirty = true;
}

void ImageRecords::forget(const QString &name)
{
    if (records().remove(name))
        m_dirty = true;
}

void ImageRecords::keepOnly(const QSet<QString> &names)
{
    QHash<QString, Record> &all = records();
    for (auto it = all.begin(); it != all.end();) {
        if (names.contains(it.key())) {
            ++it;
        } else {
            it = all.erase(it);
            m_dirty = true;
        }
    }
}

void ImageRecords::save()
{
    records();
    if (!m_dirty)
        return;
    QJsonObject object;
    for (auto it = m_records.cbegin(); it != m_records.cend(); ++it) {
        const Record &record = it.value();
        object.insert(it.key(), QJsonObject{{"digest", record.digest}, {"id", record.remoteId}, {"time", record.remoteTime},
                                            {"size", record.localSize}, {"modified", record.localModified}});
    }
    QString error;
    if (!SafeFile::writeDocument(m_path, QJsonDocument(object).toJson(QJsonDocument::Compact), &error)) {
        qCWarning(lcSync) << "Unable to write" << m_path << error;
        return;
    }
    m_dirty = false;
}
