// Sync: action files. Each is stored whole under a name that carries its creation time, and the
// newer copy of an action wins; a deleted action is a newer copy marked deleted.
#include "sync/sync.h"

#include "actions/actionfile.h"
#include "actions/actionhelpers.h"
#include "common/folderlisting.h"
#include "history/copytocache.h"
#include "sync/isynctarget.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace {

const QString c_actionPrefix = QStringLiteral("action_");
const QString c_timeFormat = QStringLiteral("yyyyMMdd'T'hhmmss");

// The remote copies of one action, oldest first.
struct RemoteVersion
{
    QString time;
    QString name;
    QString id;
};

bool isOlder(const RemoteVersion &a, const RemoteVersion &b)
{
    return a.time < b.time;
}

// In UTC, as every computer names and compares it; a stamp without an offset is local time.
QString creationTime(const QJsonObject &action)
{
    QDateTime created = QDateTime::fromString(action.value("created").toString(), Qt::ISODate);
    if (!created.isValid())
        created = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    return created.toUTC().toString(c_timeFormat);
}

// A time of a remote name, which is UTC: read as local time, one of the hour a clock skips
// would not be a time at all.
bool isRemoteTime(const QString &text)
{
    return text.size() == 15 && text.at(8) == u'T' && QDate::fromString(text.left(8), "yyyyMMdd").isValid()
        && QTime::fromString(text.mid(9), "hhmmss").isValid();
}

} // namespace

QString Sync::remoteActionName(const QJsonObject &action, const QString &fileName)
{
    return c_actionPrefix + creationTime(action) + "_" + fileName;
}

void Sync::createActionSyncOperations(SyncDirection direction)
{
    // Without a readable folder every local action would look missing, and an Upload would delete
    // the stored ones. A folder not made yet holds no actions.
    QStringList names;
    QString error;
    const QString folder = ActionFile::userFolder();
    if (QFileInfo::exists(folder) && !FolderListing::names(folder, &names, &error)) {
        fileOperationFailed("Sync: The actions folder cannot be read (" + error + "); the actions are left as they are");
        return;
    }

    QMap<QString, QList<RemoteVersion>> remote;
    const QMap<QString, QString> online = buildOnlineFileMap(c_actionPrefix);
    for (auto it = online.cbegin(); it != online.cend(); ++it) {
        const auto [time, key] = splitOnlineImageName(it.key());
        // Names from the remote side become local file names: plain ones only.
        if (!isRemoteTime(time) || !ActionFile::isPlainFileName(key)) {
            SyncLogDialog::add("Sync: Incorrect filename format for " + it.key());
            continue;
        }
        remote[key].append({time, it.key(), it.value()});
    }
    for (QList<RemoteVersion> &versions : remote)
        std::sort(versions.begin(), versions.end(), isOlder);

    QMap<QString, QJsonObject> local;
    ActionHelpers::scanFiles(ActionFile::userFolder(), local, true);
    // Not read, so not synced either way: no copy replaces it, and none is removed for want of it.
    const auto tooLarge = [&local](const QString &key) {
        return !local.contains(key) && QFileInfo(ActionFile::userFilePath(key)).size() > ActionFile::MaxSize;
    };

    const auto queue = [this](SyncOperation operation, const QString &file, const QString &id = QString()) {
        SyncData data;
        data.operation = operation;
        data.file = file;
        data.second = id;
        addToQueue(data);
    };
    const auto download = [&](const RemoteVersion &version) {
        // Refused once already: it is said with every pass, not fetched with every pass.
        if (m_problems.isUnreadable(version.id, m_online.value(version.id).second))
            return;
        queue(DownloadAction, version.name, version.id);
    };
    // Stores the local copy and removes every other remote copy of the action.
    const auto replaceRemote = [&](const QString &key, const QString &name) {
        const QList<RemoteVersion> versions = remote.value(key);
        const bool stored = std::any_of(versions.cbegin(), versions.cend(),
            [&name](const RemoteVersion &version) { return version.name == name; });
        if (!stored) {
            SyncLogDialog::add((versions.isEmpty() ? "Sync: online doesn't have the action file: "
                                                   : "Sync: online doesn't have the most recent action file: ") + key);
            queue(UploadAction, name);
        }
        for (const RemoteVersion &version : versions) {
            if (version.name == name)
                continue;
            SyncLogDialog::add("Sync: online has old version of the action which will be deleted: " + version.name);
            queue(DeleteFile, version.name, version.id);
        }
    };

    for (auto it = local.cbegin(); it != local.cend(); ++it) {
        const QString &key = it.key();
        if (!ActionFile::isPlainFileName(key))
            continue;
        const QString name = remoteActionName(it.value(), key);
        const QList<RemoteVersion> versions = remote.value(key);
        // Copies stored by two computers at once both stay; the newest decides.
        const RemoteVersion newest = versions.isEmpty() ? RemoteVersion() : versions.last();

        switch (direction) {
        case FromServer:
            if (versions.isEmpty()) {
                SyncLogDialog::add("Sync: missing from online: " + key + " -> Remove local");
                if (!QFile::remove(ActionFile::userFilePath(key)))
                    fileOperationFailed("Sync: Unable to remove the local action " + key);
            }
            break;
        case ToServer:
            replaceRemote(key, name);
            break;
        case BothWays:
            if (newest.name == name) {
                SyncLogDialog::add("Sync: online has the same action file: " + key);
            } else if (!versions.isEmpty() && creationTime(it.value()) < newest.time) {
                SyncLogDialog::add("Sync: online has the newer action file: " + key);
                download(newest);
            } else {
                replaceRemote(key, name);
            }
            break;
        }
    }

    for (auto it = remote.cbegin(); it != remote.cend(); ++it) {
        const QString &key = it.key();
        const RemoteVersion &newest = it.value().last();
        if (tooLarge(key)) {
            SyncLogDialog::add("Sync: The local action " + key + " is larger than an action file may be; it is not synced");
        } else if (direction == FromServer) {
            SyncLogDialog::add("Sync: Downloading online: " + newest.name);
            download(newest);
        } else if (!local.contains(key) && direction == BothWays) {
            SyncLogDialog::add("Sync: Downloading new from online: " + newest.name);
            download(newest);
        } else if (!local.contains(key) && direction == ToServer) {
            SyncLogDialog::add("Sync: Missing locally -> delete: " + key);
            for (const RemoteVersion &version : it.value())
                queue(DeleteFile, version.name, version.id);
        }
    }
}

void Sync::uploadAction(SyncData data)
{
    const QString path = ActionFile::userFilePath(splitOnlineImageName(data.file).second);
    if (path.isEmpty()) {
        fileOperationFailed("Sync: Incorrect filename format for " + data.file);
        continueQueue();
        return;
    }
    uploadLocalFile(data, path);
}

void Sync::downloadActionFinished(SyncData data, QByteArray bytes, bool error)
{
    if (!receivedFile(data, &bytes, error)) {
        continueQueue();
        return;
    }
    const QString key = splitOnlineImageName(data.file).second;
    if (!ActionFile::isPlainFileName(key)) {
        fileUnreadable(SyncProblems::Kind::Damaged, data.file, "Sync: Incorrect filename format for " + data.file);
        continueQueue();
        return;
    }
    // Refused before it is parsed, which would hold the window as long as reading it at start did.
    if (qint64(bytes.size()) > ActionFile::MaxSize) {
        const QString id = data.second;
        m_problems.addVersion(SyncProblems::Kind::Damaged, id, m_online.value(id).second, data.file, data.file);
        SyncLogDialog::add("Sync: " + data.file + " is larger than an action file may be; it is refused");
        continueQueue();
        return;
    }
    // A damaged copy must not replace a working action.
    QJsonParseError parseError;
    if (!QJsonDocument::fromJson(bytes, &parseError).isObject()) {
        fileUnreadable(SyncProblems::Kind::Damaged, data.file, "Sync: " + data.file + " is not an action file");
        continueQueue();
        return;
    }

    writeToCache(new CopyToCache(bytes, QUuid(), key, "actions"), data.file);
    continueQueue();
}
