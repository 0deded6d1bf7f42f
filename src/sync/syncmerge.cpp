// Sync: merging the history and snippet documents, and their versions in the remote store.
#include "sync/sync.h"

#include "common/compression.h"
#include "common/safefile.h"
#include "history/historyitemmodel.h"
#include "snippets/snippetmodel.h"
#include "common/isyncmerge.h"
#include "sync/isynctarget.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMetaObject>
#include <QRunnable>

#include <algorithm>

namespace {

// The "magic" members of the two documents, as 32-bit values.
constexpr qint32 c_snippetsMagic = qint32(0xFEED0001);
constexpr qint32 c_historyMagic = qint32(0xFEED0002);

// The "magic" member of a JSON object document, or 0 when there is none.
qint32 documentMagic(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return 0;
    return document.object().value("magic").toInt(0);
}

bool splitDocumentName(const QString &fileName, QString *base, QString *extension)
{
    const QStringList parts = fileName.split('.');
    if (parts.size() != 2) {
        qCWarning(lcSync) << "Filename has incorrect parts: " << fileName;
        return false;
    }
    *base = parts.at(0);
    *extension = parts.at(1);
    return true;
}

} // namespace

bool Sync::isPlainJson(const QByteArray &bytes)
{
    const qint32 magic = documentMagic(bytes);
    return magic == c_snippetsMagic || magic == c_historyMagic;
}

QString Sync::addHash(const QByteArray &bytes, QString fileName)
{
    const QString hex = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    return fileName.replace(".json", "#" + hex + ".json");
}

QString Sync::onlineHash(const QString &remoteName)
{
    const QString stem = remoteName.section('.', 0, 0);
    return stem.section('#', -1);
}

QRegularExpression Sync::versionPattern(const QString &base, const QString &extension)
{
    // Anchored and escaped: an action or image whose own name ends in "History.json" is not a
    // version of the history, and must be neither merged nor pruned as one.
    return QRegularExpression("^" + QRegularExpression::escape(base) + "(#[^.]+)?\\."
        + QRegularExpression::escape(extension) + "$");
}

QString Sync::getLatestId(QString fileName)
{
    QString base;
    QString extension;
    if (!splitDocumentName(fileName, &base, &extension))
        return QString();

    const QRegularExpression pattern = versionPattern(base, extension);
    QString selectedId;
    QString selectedTime;
    for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
        const QString &name = it.value().first;
        const QString &time = it.value().second;
        if (!pattern.match(name).hasMatch())
            continue;
        // An unreadable version may carry any time; it is reported when the pass ends.
        if (m_problems.isUnreadable(it.key(), time)) {
            qCDebug(lcSync) << "Skipping the unreadable version" << name << time;
            continue;
        }
        qCDebug(lcSync) << "Found match" << name << time << "when looking for" << fileName;
        if (selectedId.isEmpty() || selectedTime < time) {
            selectedId = it.key();
            selectedTime = time;
            qCDebug(lcSync) << "Selected" << name << "(" << time << ")" << selectedId;
        }
    }
    return selectedId;
}

void Sync::skipUnreadableVersion(SyncData data, SyncProblems::Kind kind, const QString &reason)
{
    const auto [name, time] = m_online.value(data.second);
    SyncLogDialog::add("Sync: " + name + " cannot be read (" + reason + "); the newest version that reads is used instead");
    // A damaged version is named itself; one that is sound but not for this computer by its document.
    m_problems.addVersion(kind, data.second, time, data.file, kind == SyncProblems::Kind::Damaged ? name : data.file);
    data.second.clear();
    mergeDocument(data);
}

void Sync::markRead(const SyncData &data, const QString &id)
{
    m_problems.markRead(data.file, id, m_online.value(id).second);
}

QString Sync::idOfRemoteName(const QString &remoteName) const
{
    for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
        if (!it.key().isEmpty() && it.value().first == remoteName)
            return it.key();
    }
    return QString();
}

bool Sync::isDocumentOf(const QByteArray &plain, const QString &fileName) const
{
    const qint32 magic = documentMagic(plain);
    if (fileName == HistoryItemModel::getFileName())
        return magic == c_historyMagic;
    if (fileName == SnippetModel::getFileName())
        return magic == c_snippetsMagic;
    return magic == c_historyMagic || magic == c_snippetsMagic;
}

void Sync::mergeDocument(SyncData data)
{
    const QString id = getLatestId(data.file);
    if (id.isEmpty() && m_problems.hasListed(m_online, data.file, SyncProblems::Kind::Undeciphered)) {
        // No version read: more likely a wrong passphrase here than damage everywhere, and storing
        // the local copy would hide the others' content.
        SyncLogDialog::add("Sync: Decrypt failed");
        haltQueue(problemTexts({{SyncProblems::Kind::Undeciphered, {data.file}}}).join(' '));
        return;
    }
    if (id.isEmpty() && data.direction == FromServer && m_problems.hasListed(m_online, data.file)) {
        SyncLogDialog::add("Sync: No version of " + data.file + " can be read");
        haltQueue(tr("Synchronization failed."));
        return;
    }
    if (id.isEmpty() || data.direction == ToServer) {
        handleMerge(data, QByteArray());
        return;
    }

    const QString remoteHash = onlineHash(m_online.value(id).first);
    const QString localHash = data.merge->hash();
    if (data.direction != FromServer && remoteHash == localHash) {
        SyncLogDialog::add("Sync: " + data.file + ": Online and local hash are equal (" + localHash
            + "). No need to do anything");
        markRead(data, id);
        continueQueue();
        return;
    }

    qCDebug(lcSync) << "localHash" << localHash << "onlineHash" << remoteHash << "last download id"
                    << data.merge->lastDownloadId;
    if (data.merge->lastDownloadId == id) {
        SyncLogDialog::add("Sync: The online file " + data.file + " is the same as local so no need to download it again.");
        markRead(data, id);
        handleMerge(data, QByteArray());
        return;
    }

    data.second = id;
    getSync()->download(JsonDownloaded, data);
}

void Sync::downloadJsonFinished(SyncData data, QByteArray bytes, bool error)
{
    if (error) {
        SyncLogDialog::add("Sync: Download failed for " + data.file);
        haltQueue(tr("Synchronization failed."), true);
        return;
    }
    SyncLogDialog::add("Sync: Download finished for " + data.file);
    // Checked before anything is taken for it: a huge file would cost its size again and more.
    if (bytes.size() > SafeFile::MaxDocumentSize) {
        skipUnreadableVersion(data, SyncProblems::Kind::Damaged,
            QString("%1 bytes, more than %2").arg(bytes.size()).arg(SafeFile::MaxDocumentSize));
        return;
    }

    QByteArray plain;
    QString problem;
    if (bytes.startsWith(c_encryptedPrefix)) {
        bool damaged = false;
        const QByteArray compressed = decrypt(bytes, &damaged);
        if (compressed.isEmpty() && damaged) {
            skipUnreadableVersion(data, SyncProblems::Kind::Damaged, "it is incomplete or damaged: it does not decrypt to its end");
            return;
        }
        if (compressed.isEmpty()) {
            SyncLogDialog::add("Sync: Decrypt failed");
            skipUnreadableVersion(data, SyncProblems::Kind::Undeciphered, "it does not decrypt");
            return;
        }
        plain = Compression::uncompress(compressed, SafeFile::MaxDocumentSize, &problem);
        if (plain.isEmpty()) {
            SyncLogDialog::add("Sync: Uncompress after decrypt failed");
            skipUnreadableVersion(data, SyncProblems::Kind::Damaged, problem);
            return;
        }
        SyncLogDialog::add("Sync: Downloaded data is compressed and encrypted");
    } else if (m_settings.value("EncryptData").toBool()) {
        // Anybody who can write to the store can put a plain version there; with encryption on,
        // only what was enciphered with the passphrase is taken.
        skipUnreadableVersion(data, SyncProblems::Kind::NotEnciphered, "it is not encrypted, and encryption is on");
        return;
    } else if (isPlainJson(bytes)) {
        SyncLogDialog::add("Sync: Downloaded data is plain text");
        plain = bytes;
    } else {
        plain = Compression::uncompress(bytes, SafeFile::MaxDocumentSize, &problem);
        SyncLogDialog::add("Sync: Downloaded data is compressed plain text");
    }

    // A damaged version, or another document under this name, must never reach the merge: a
    // download that replaces the local content would lose it.
    if (!isDocumentOf(plain, data.file)) {
        skipUnreadableVersion(data, SyncProblems::Kind::Damaged,
            problem.isEmpty() ? QString("not a document of this kind") : problem);
        return;
    }
    handleMerge(data, plain);
}

void Sync::handleMerge(SyncData data, QByteArray online)
{
    SyncLogDialog::add("Sync: Merging content for " + data.file);
    QByteArray result;
    const bool changed = data.merge->merge(online, result, data.direction);
    if (result.isEmpty() && !online.isEmpty()) {
        // The partner found the document unreadable and kept its own rows as they were.
        skipUnreadableVersion(data, SyncProblems::Kind::Damaged, "its content is not readable");
        return;
    }
    if (result.isEmpty()) {
        SyncLogDialog::add("Sync: Merge failed for " + data.file);
        haltQueue(tr("Synchronization failed."));
        return;
    }
    SyncLogDialog::add("Sync: Merge succeeded for " + data.file);
    if (!online.isEmpty()) {
        data.merge->lastDownloadId = data.second;
        markRead(data, data.second);
    }

    if (data.direction == FromServer || (!changed && !online.isEmpty())) {
        continueQueue();
        return;
    }

    // Hashing, compressing and enciphering a whole history take far longer than a frame: done on a
    // worker, from bytes nothing else holds a writable copy of.
    const bool encrypt = m_settings.value("EncryptData").toBool();
    const QString passphrase = encrypt ? decipherPassphrase(m_settings.value("Passphrase")) : QString();
    m_payloadWorkers.start(QRunnable::create([this, data, result, encrypt, passphrase] {
        const QString versionName = addHash(result, data.file);
        QByteArray payload = qCompress(result, -1);
        const bool enciphered = encrypt && !passphrase.isEmpty();
        if (enciphered)
            payload = encipher(payload, passphrase);
        QMetaObject::invokeMethod(
            this,
            [this, data, versionName, payload, enciphered, cipherMissing = encrypt && !enciphered] {
                storeMergedVersion(data, versionName, payload, enciphered, cipherMissing);
            },
            Qt::QueuedConnection);
    }));
}

void Sync::storeMergedVersion(SyncData data, QString versionName, QByteArray payload, bool enciphered,
                              bool cipherMissing)
{
    // Two computers whose add rules differ would otherwise store the same two contents in turn for
    // ever, each waking the other.
    if (data.direction == BothWays && !idOfRemoteName(versionName).isEmpty()) {
        SyncLogDialog::add("Sync: " + versionName + " is already online");
        continueQueue();
        return;
    }

    data.file = versionName;
    if (enciphered || cipherMissing)
        SyncLogDialog::add("Sync: Encrypting the payload");
    if (cipherMissing) {
        SyncLogDialog::add("Sync: Encryption is on but no passphrase is set");
        haltQueue(tr("Synchronization failed."));
        return;
    }
    getSync()->upload(MergeUpload, data, payload);
}

void Sync::handleMergeFinished(SyncData data, bool error)
{
    if (error) {
        SyncLogDialog::add("Sync: Upload failed for " + data.file);
        haltQueue(tr("Synchronization failed."), true);
        return;
    }
    SyncLogDialog::add("Sync: Upload finished for " + data.file);
    data.merge->lastDownloadId = data.second;
    m_problems.addOwn(data.second);
    emit contentUploaded(data.file);
    cleanupCheck(data.file);
    continueQueue();
}

void Sync::cleanupCheck(QString fileName)
{
    QString stem;
    QString extension;
    if (!splitDocumentName(fileName, &stem, &extension))
        return;

    const QRegularExpression pattern = versionPattern(stem.section('#', 0, 0), extension);
    // (creation time, id), oldest first. Versions with equal times each count: written in one
    // burst, they would otherwise never leave.
    QList<std::pair<QString, QString>> versions;
    for (auto it = m_online.cbegin(); it != m_online.cend(); ++it) {
        if (pattern.match(it.value().first).hasMatch())
            versions.append({it.value().second, it.key()});
    }
    if (versions.size() < c_versionsBeforePruning)
        return;
    std::sort(versions.begin(), versions.end());

    for (qsizetype i = 0; i < versions.size() - c_keptVersions; ++i) {
        const auto &[time, id] = versions.at(i);
        const QString &name = m_online.value(id).first;
        SyncLogDialog::add("Sync: Cleanup for " + name + " (" + time + ") " + id);
        SyncData data;
        data.operation = DeleteFile;
        data.file = name;
        data.second = id;
        addToQueue(data);
    }
}

QString Sync::documentOfNotice(const QString &content, const QString &documentName)
{
    if (content == documentName)
        return documentName;
    const QStringList parts = documentName.split('.');
    if (parts.size() != 2)
        return QString();
    return versionPattern(parts.at(0), parts.at(1)).match(content).hasMatch() ? documentName : QString();
}

void Sync::onDataUpdated(QString content)
{
    // Notices name either the document or, from the notification server, the version just stored.
    if (!documentOfNotice(content, HistoryItemModel::getFileName()).isEmpty())
        sync(SyncFile::History, HistoryItemModel::instance(), BothWays);
    else if (!documentOfNotice(content, SnippetModel::getFileName()).isEmpty())
        sync(SyncFile::Snippets, SnippetModel::instance(), BothWays);
    else
        qCWarning(lcSync) << "Unknown data content:" << content;
}
