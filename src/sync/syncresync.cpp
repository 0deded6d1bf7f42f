// Sync: the resync, which stores every remote file again in the current encoding after encryption
// was switched or the passphrase changed. Nothing is merged or decompressed.
#include "sync/sync.h"

#include "history/historyitemmodel.h"
#include "snippets/snippetmodel.h"
#include "sync/isynctarget.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QDateTime>

void Sync::createResyncOperations()
{
    QList<SyncData> operations;
    const auto add = [&operations](const QString &name, const QString &id) {
        SyncData data;
        data.operation = DownloadForResync;
        data.file = name;
        data.second = id;
        operations.append(data);
    };
    // Encryption on: older versions stored in the plain must not stay readable in the store. Each
    // is looked at, and a plain one removed; the newest is enciphered in its place.
    const bool enciphering = m_settings.value("EncryptData").toBool()
        && !decipherPassphrase(m_settings.value("Passphrase")).isEmpty();
    const auto addNewestVersion = [&](const QString &documentName) {
        const QString id = getLatestId(documentName);
        // Nothing stored yet: nothing to encode again.
        if (id.isEmpty())
            return;
        add(m_online.value(id).first, id);
        if (!enciphering)
            return;
        const QRegularExpression pattern = versionPattern(documentName.section('.', 0, 0), documentName.section('.', 1));
        for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
            if (it.key() != id && pattern.match(it.value().first).hasMatch()) {
                m_plainVersionChecks.insert(it.key());
                add(it.value().first, it.key());
            }
        }
    };
    const auto addAll = [&](const QString &prefix) {
        const QMap<QString, QString> files = buildOnlineFileMap(prefix);
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            add(it.key(), it.value());
    };

    if (m_settings.value("SyncHistory").toBool()) {
        addNewestVersion(HistoryItemModel::getFileName());
        addAll("image_");
    }
    if (m_settings.value("SyncSnippets").toBool())
        addNewestVersion(SnippetModel::getFileName());
    if (m_settings.value("SyncActions").toBool())
        addAll("action_");

    // Before the merges that wait: a version merged and stored first would otherwise be followed
    // by the older one stored again, which would then pass for the newest.
    queueFirst(operations);
}

void Sync::resyncFileDownloadFinished(SyncData data, QByteArray bytes, bool error)
{
    const bool plainVersionCheck = m_plainVersionChecks.remove(data.second);
    if (error) {
        fileOperationFailed("Sync: Download failed for " + data.file);
        continueQueue();
        return;
    }
    SyncLogDialog::add("Sync: Resync download finished for " + data.file);

    if (plainVersionCheck) {
        if (!isEncrypted(bytes)) {
            SyncLogDialog::add("Sync: Removing the plain older version " + data.file);
            SyncData removal;
            removal.operation = DeleteFile;
            removal.file = data.file;
            removal.second = data.second;
            m_queue.prepend(removal);
        }
        continueQueue();
        return;
    }

    const QByteArray stored = bytes;
    if (isEncrypted(bytes)) {
        bool damaged = false;
        bytes = decrypt(bytes, &damaged);
        // Neither passphrase fits: the remote content stays as it is rather than be lost.
        if (bytes.isEmpty()) {
            fileUnreadable(damaged ? SyncProblems::Kind::Damaged : SyncProblems::Kind::Undeciphered, data.file,
                "Sync: Resync decrypt failed for " + data.file);
            continueQueue();
            return;
        }
    }
    if (m_settings.value("EncryptData").toBool()) {
        bytes = encrypt(bytes);
        if (bytes.isEmpty()) {
            fileOperationFailed("Sync: Resync upload failed for " + data.file);
            continueQueue();
            return;
        }
    }
    if (bytes == stored) {
        SyncLogDialog::add("Sync: Resync leaves " + data.file + " as it is");
        continueQueue();
        return;
    }
    getSync()->upload(ResyncUpload, data, bytes);
}

void Sync::resyncFileUploadFinished(SyncData data, bool error)
{
    if (error) {
        fileOperationFailed("Sync: Resync upload failed for " + data.file);
        continueQueue();
        return;
    }
    SyncLogDialog::add("Sync: Resync upload finished for " + data.file);
    m_problems.addOwn(data.second);

    // The new copy is what the rest of the pass reads.
    const QString replacedId = m_resyncSourceId;
    m_online.insert(data.second, {data.file, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)});
    // A store that keeps every upload as a new file still holds the old copy, in the old
    // encoding; other computers could read that one and fail once the passphrase changes again.
    if (!replacedId.isEmpty() && replacedId != data.second && m_online.contains(replacedId)) {
        SyncLogDialog::add("Sync: Removing the superseded copy of " + data.file);
        SyncData removal;
        removal.operation = DeleteFile;
        removal.file = data.file;
        removal.second = replacedId;
        m_queue.prepend(removal);
    }
    continueQueue();
}
