#pragma once

#include "common/isync.h"
#include "sync/imagerecords.h"
#include "sync/syncproblems.h"
#include "sync/synctypes.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QVariant>

#include <functional>
#include <optional>
#include <utility>

class CopyToCache;
class ISyncMerge;
class ISyncTarget;
class Notifier;
class QTimer;
class SyncLocalFolder;
class SyncNone;

// The sync engine: requests become a queue of operations that is worked off one at a time on the
// main thread against the active storage target. A pass first reads the remote file list, then runs
// each operation to its end (a target answer, a halt on failure), and reports busy, success or
// failure through syncStatus.
class Sync : public ISync
{
    Q_OBJECT

public:
    // Marks an enciphered payload; other computers test for exactly these 11 bytes.
    static const QByteArray c_encryptedPrefix;
    // A burst of requests is handled this long after the last one.
    static constexpr int c_queueDelay = 5000;
    // Outside changes are noticed again this long after the queue drained or halted.
    static constexpr int c_listenAgainDelay = 1000;
    // A pass that failed is tried again this long after, twice as long after each further failure
    // in a row, up to c_maxRetryDelay; a change tries it sooner.
    static constexpr int c_firstRetryDelay = 30000;
    static constexpr int c_maxRetryDelay = 30 * 60 * 1000;
    // At quit, the changed documents are stored within this time before the program goes.
    static constexpr int c_quitSyncTimeout = 5000;
    // Once this many versions of a document are known, all but the newest c_keptVersions are
    // deleted: a store that holds thousands shrinks in one pass.
    static constexpr int c_versionsBeforePruning = 21;
    static constexpr int c_keptVersions = 11;

    explicit Sync(QObject *parent = nullptr);
    ~Sync() override;

    // The sync settings from the settings store, for initialize.
    static QMap<QString, QVariant> mapSettings();
    // Chooses the target by its exact name ("GoogleDrive", "LocalFolder", anything else: none) and
    // initialises it. The queue is left as it is.
    void initialize(QString target, InitOptions options, QMap<QString, QVariant> settings);
    // The active target. Virtual so tests can put a target of their own in its place.
    virtual ISyncTarget *getSync();
    bool isValid();
    QString targetName() const { return m_targetName; }
    // Whether initialize has run: the settings' Sync page may set the engine to work before the
    // start-up does.
    bool isInitialized() const { return m_initialized; }
    // Removes the Google sign-in, whatever target is active.
    void revoke();
    Notifier *notifier() const { return m_notifier; }
    // The Google Drive target, made from the network library the first time it is asked for;
    // null when that library cannot be loaded.
    ISyncTarget *googleDrive();

    void sync(SyncFile file, ISyncMerge *merge, SyncDirection direction) override;
    void syncImages(QList<QString> images, QList<QString> listedOnline) override;
    bool willSync(SyncFile file) override;
    void syncActions(SyncDirection direction);
    // Queues every enabled document and the actions, then starts at once.
    void syncAll(SyncDirection direction);
    void resyncAll();
    // At quit: the document merges that wait (a change saved moments ago, the removals of "Clear
    // history on exit") run now, within timeout milliseconds. What waits behind them is left to the
    // next start, which syncs everything.
    void syncBeforeQuit(int timeout = c_quitSyncTimeout);
    // Queues the operation unless one for the same file is already waiting.
    void addToQueue(SyncData data);
    // The waiting operations; the sync page empties them when synchronisation is stopped.
    QList<SyncData> &queue() { return m_queue; }
    // One step of the queue. Does nothing while an operation or the file list is outstanding: the
    // running chain takes the next operation itself.
    void handleQueue();

    // The time between the last request and the start of a pass (c_queueDelay unless a test
    // shortens it); a missing sync folder is looked for as often.
    void setQueueDelay(int milliseconds) { m_queueDelay = milliseconds; }
    int queueDelay() const { return m_queueDelay; }
    // The wait after the first failed pass (c_firstRetryDelay unless a test shortens it).
    void setRetryDelay(int milliseconds) { m_retryDelay = milliseconds; }
    // A target whose server asked to be left alone for a while (Retry-After) says so before it
    // answers the request that failed; no pass starts before then, not even for a change.
    void retryAfter(int seconds);
    const QTimer *queueTimer() const { return m_queueTimer; }

    // How the last pass ended (Busy before any has) and what the status line was told, so that a
    // page opened later shows the same.
    SyncStatus lastOutcome() const { return m_lastOutcome; }
    QString lastOutcomeText() const { return m_lastOutcomeText; }

    // Whether outside changes of the remote store should start a merge now. Off while a pass runs.
    bool isListening() const;

    // The remote file list of the current pass (id -> name, creation time), and whether it has
    // been read: a read list always holds at least the empty-id entry.
    const OnlineFiles &onlineFiles() const { return m_online; }
    bool isFileListRead() const { return m_listRead; }
    bool isOperationInFlight() const { return m_operationInFlight; }

    void getFiles();
    // Result calls of the targets; each request is answered exactly once. Virtual so a target can be
    // tested against a recorder.
    virtual void getFilesFinished(OnlineFiles files, bool error);
    virtual void downloadFinished(DownloadFinishedCallback callback, SyncData data, QByteArray bytes, bool error);
    virtual void uploadFinished(UploadFinishedCallback callback, SyncData data, bool error);
    virtual void deleteFinished(SyncData data, bool error);

    // Payloads (syncpayload.cpp).
    static bool isEncrypted(const QByteArray &bytes);
    // The prefix and the cipher bytes, or empty when no passphrase is set.
    QByteArray encrypt(QByteArray bytes);
    // The plain bytes of a prefixed payload, tried with the passphrase and then the previous one;
    // empty when neither fits. Then damaged, when given, tells a cipher text that is incomplete or
    // damaged (a key deciphers its start) from one enciphered with another passphrase.
    QByteArray decrypt(QByteArray bytes, bool *damaged = nullptr);
    // A passphrase as the settings store keeps it, deciphered; empty when missing or unreadable.
    static QString decipherPassphrase(const QVariant &stored);
    // A passphrase in the form the settings store keeps it: a new cipher text each time, and empty
    // for the empty passphrase.
    static QString encipherPassphrase(const QString &passphrase);
    // The prefix and the cipher bytes of bytes under the passphrase (not empty); on any thread.
    static QByteArray encipher(const QByteArray &bytes, const QString &passphrase);

    // Versioned documents (syncmerge.cpp).
    static bool isPlainJson(const QByteArray &bytes);
    // The remote version name: "History.json" -> "History#<sha256 of bytes>.json".
    static QString addHash(const QByteArray &bytes, QString fileName);
    // The hash part of a remote name ("History#abc.json" -> "abc", "History.json" -> "History").
    static QString onlineHash(const QString &remoteName);
    // Matches exactly the plain document name and its versions.
    static QRegularExpression versionPattern(const QString &base, const QString &extension);
    // The id of the newest known version of a document that was not found unreadable in this run;
    // among equal times the smallest id.
    QString getLatestId(QString fileName);

    // Action and image files (syncfiles.cpp).
    // Remote name -> online id of the listed files whose name starts with prefix; of files that
    // share a name, the newest.
    QMap<QString, QString> buildOnlineFileMap(QString prefix) const;
    // A remote "prefix_part_rest" name as (part, rest): split into at most three parts, so the rest
    // keeps its own "_". Two empty texts when the name has fewer parts.
    static std::pair<QString, QString> splitOnlineImageName(QString name);
    // "action_" + creation time + "_" + file name; an action without a readable "created" counts
    // as made at the start of 2020.
    static QString remoteActionName(const QJsonObject &action, const QString &fileName);
    // "image_" + the cache reference ("{id}/file name") with its "/" as "_".
    static QString remoteImageName(const QString &reference);

signals:
    void syncStatus(SyncStatus status, QString text);
    // The remote name of a document version just stored.
    void contentUploaded(QString content);
    void initialized(bool success);

public slots:
    void syncInitialized(bool success);
    // A change notice: another computer stored a new version of the named document.
    void onDataUpdated(QString content);

private:
    void dispatch(SyncData data);
    // The operation in flight has ended; the next one may start.
    void continueQueue();
    // The operation in flight failed; the rest of the queue waits for the next request.
    // With retry, a failure that may pass (the network, the server): the operation is queued again
    // and the pass tried again later.
    void haltQueue(const QString &statusText, bool retry = false);
    // After a failed pass, the queue timer runs it again later.
    void scheduleRetry();
    // The wait before a pass that a change asks for.
    int changeDelay() const;
    void queueDrained();
    // The status line's words for what could not be used.
    QStringList problemTexts(const SyncProblems::Report &report) const;
    // A configured sync folder that is missing (unmounted, removed) may come back: what is queued
    // waits for it, and the status line says why nothing is synchronised. False for other targets.
    bool waitForMissingFolder();
    void checkMissingFolder();
    void forgetFileList();
    void listenAgainLater();
    void deleteFile(SyncData data);
    // Puts operations at the head of the queue, so they run before anything that waits.
    void queueFirst(const QList<SyncData> &operations);
    void plainUploadFinished(SyncData data, bool error);

    // The document merge (syncmerge.cpp).
    void mergeDocument(SyncData data);
    void downloadJsonFinished(SyncData data, QByteArray bytes, bool error);
    void handleMerge(SyncData data, QByteArray online);
    // A merged document's version, named, compressed and, when asked, enciphered on a worker;
    // uploaded unless that version is online already. cipherMissing: encryption is on without a
    // passphrase.
    void storeMergedVersion(SyncData data, QString versionName, QByteArray payload, bool enciphered,
                            bool cipherMissing);
    void handleMergeFinished(SyncData data, bool error);
    void cleanupCheck(QString fileName);
    bool isDocumentOf(const QByteArray &plain, const QString &fileName) const;
    // Remembers the version being merged as unreadable, reports it and merges the newest other one.
    void skipUnreadableVersion(SyncData data, SyncProblems::Kind kind, const QString &reason);
    // Notes that the local document holds what the version holds.
    void markRead(const SyncData &data, const QString &id);
    QString idOfRemoteName(const QString &remoteName) const;
    // The plain document name of a notice ("History.json" or one of its versions), or empty.
    static QString documentOfNotice(const QString &content, const QString &documentName);

    // Action and image files (syncfiles.cpp, syncactions.cpp).
    void createActionSyncOperations(SyncDirection direction);
    void uploadAction(SyncData data);
    void downloadActionFinished(SyncData data, QByteArray bytes, bool error);
    void uploadImage(SyncData data);
    void downloadImageFinished(SyncData data, QByteArray bytes, bool error);
    void uploadLocalFile(SyncData data, const QString &path);
    // The downloaded file's plain bytes; false, logged and counted as a failure when the download
    // failed or does not decipher.
    bool receivedFile(const SyncData &data, QByteArray *bytes, bool error);
    // Writes a downloaded file on the thread pool; written follows on this thread once it is.
    void writeToCache(CopyToCache *copy, const QString &remoteName, std::function<void()> written = {});
    // A failure that leaves the rest of the pass to run, but not to be reported as a success.
    void fileOperationFailed(const QString &logText);
    // A remote file that cannot be used; named in the status line when the pass ends.
    void fileUnreadable(SyncProblems::Kind kind, const QString &remoteName, const QString &logText);
    // An image stored: its record, and the older file of its name that a store keeping several
    // (Google Drive) still lists, which is removed.
    void imageStored(const SyncData &data);

    // Resync (syncresync.cpp).
    void createResyncOperations();
    void resyncFileDownloadFinished(SyncData data, QByteArray bytes, bool error);
    void resyncFileUploadFinished(SyncData data, bool error);

    QMap<QString, QVariant> m_settings;
    QList<SyncData> m_queue;
    OnlineFiles m_online;
    // Kept apart from the list: an entry added to a cleared list must not make it look read.
    bool m_listRead = false;
    bool m_fileListRequested = false;
    bool m_operationInFlight = false;
    // Set when an operation of the pass failed without stopping the queue.
    bool m_passIncomplete = false;
    SyncProblems m_problems;
    ImageRecords m_imageRecords;
    // The image being stored: its digest and the local file's size and time as read.
    struct ImageUpload
    {
        QString digest;
        qint64 size = 0;
        qint64 modified = 0;
    };
    QHash<QString, ImageUpload> m_imageUploads;
    // The online id of the file a resync is rewriting, which its upload may supersede.
    QString m_resyncSourceId;
    // Older document versions a resync that enciphers looks at: plain ones are removed.
    QSet<QString> m_plainVersionChecks;
    QTimer *m_queueTimer;
    // Looks for a missing sync folder while something waits for it.
    QTimer *m_folderTimer;
    int m_queueDelay = c_queueDelay;
    int m_retryDelay = c_firstRetryDelay;
    // Failed passes in a row.
    int m_failedPasses = 0;
    QDeadlineTimer m_serverWait;
    // The operation in flight, queued again when it failed in a way that may pass.
    std::optional<SyncData> m_current;
    QString m_targetName;
    bool m_initialized = false;
    SyncStatus m_lastOutcome = SyncStatus::Busy;
    QString m_lastOutcomeText;
    Notifier *m_notifier;
    ISyncTarget *m_googleDrive = nullptr;
    SyncLocalFolder *m_localFolder;
    SyncNone *m_none;
    // Works out merged versions off the GUI thread; waited for before the engine goes.
    QThreadPool m_payloadWorkers;
};
