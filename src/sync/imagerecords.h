#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

// What this computer last stored or fetched of each remote image, kept in the data folder: the
// content's digest, the remote file as it was listed, and the local file as it was then. A remote
// image only names its clipping and file, so a picture changed here (cropped) or there (stored
// again under the same name) is told apart from one in step by these, without reading every
// picture at every pass.
class ImageRecords
{
public:
    enum class State { InStep, ChangedHere, ChangedOnline };

    static QString digestOf(const QByteArray &bytes);

    // How the local file at path and the listed remote file (id, time) stand to what was last
    // stored or fetched. A picture without a record is taken as in step, as it always was.
    State compare(const QString &name, const QString &path, const QString &remoteId, const QString &remoteTime);

    // Bytes of this digest were stored under the new id; the listing gives its time later. size
    // and modified are the local file's when it was read.
    void stored(const QString &name, const QString &digest, const QString &remoteId, qint64 size, qint64 modified);
    // Bytes of this digest were fetched and are on their way to the local file; until they are
    // there, the file counts as not yet fetched, never as changed here.
    void fetched(const QString &name, const QString &digest, const QString &remoteId, const QString &remoteTime);
    void forget(const QString &name);
    // Forgets the images not named.
    void keepOnly(const QSet<QString> &names);

    // Writes the records when they changed.
    void save();

private:
    struct Record
    {
        QString digest;
        QString remoteId;
        // Empty until a listing shows the file this computer stored.
        QString remoteTime;
        // -1 until a fetched picture is seen written.
        qint64 localSize = -1;
        qint64 localModified = 0;
    };

    static QString filePath();
    // The records of the data folder in use (tests move it between computers).
    QHash<QString, Record> &records();

    QString m_path;
    QHash<QString, Record> m_records;
    bool m_dirty = false;
};
