// Sync: construction, targets, the queue and the dispatcher.
#include "sync/sync.h"

#include "common/globals.h"
#include "history/historyitemmodel.h"
#include "network/networklibrary.h"
#include "oauth/googleservice.h"
#include "snippets/snippetmodel.h"
#include "common/isyncmerge.h"
#include "sync/notifier.h"
#include "sync/synclocalfolder.h"
#include "sync/synclogdialog.h"
#include "sync/synclogging.h"
#include "sync/syncnone.h"
#include "common/utils.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>

#include <algorithm>

const QByteArray Sync::c_encryptedPrefix("|ENCRYPTED|");

Sync::Sync(QObject *parent)
    : ISync(parent)
    , m_queueTimer(new QTimer(this))
    , m_folderTimer(new QTimer(this))
    , m_notifier(new Notifier(this))
    , m_localFolder(new SyncLocalFolder(this))
    , m_none(new SyncNone(this))
{
    m_queueTimer->setSingleShot(true);
    connect(m_queueTimer, &QTimer::timeout, this, &Sync::handleQueue);
    connect(m_folderTimer, &QTimer::timeout, this, &Sync::checkMissingFolder);
    connect(m_none, &SyncNone::initialized, this, &Sync::initialized);
    connect(m_localFolder, &SyncLocalFolder::initialized, this, &Sync::syncInitialized);
    connect(m_notifier, &Notifier::dataUpdated, this, &Sync::onDataUpdated);
    connect(this, &Sync::contentUploaded, m_notifier, &Notifier::notify);
    // One at a time: the queue runs one operation at a time anyway.
    m_payloadWorkers.setMaxThreadCount(1);
    connect(this, &Sync::syncStatus, this, [this](SyncStatus status, const QString &text) {
        if (status == SyncStatus::Busy)
            return;
        m_lastOutcome = status;
        m_lastOutcomeText = text;
    });
}

Sync::~Sync()
{
    // A version being worked out would hand its result to an engine that is gone.
    m_payloadWorkers.clear();
    m_payloadWorkers.waitForDone();
}

QMap<QString, QVariant> Sync::mapSettings()
{
    const QSettings settings = Utils::settings();
    QMap<QString, QVariant> map;
    for (const char *key : {"SyncHistory", "SyncSnippets", "SyncActions", "EncryptData", "Passphrase",
             "PreviousPassphrase", "SyncFolder"})
        map.insert(key, settings.value(key));
    return map;
}

void Sync::initialize(QString target, InitOptions options, QMap<QString, QVariant> settings)
{
    m_settings = settings;
    // What one server asked for does not hold for another.
    if (target != m_targetName)
        m_serverWait = QDeadlineTimer();
    m_targetName = target;
    m_initialized = true;
    forgetFileList();
    m_folderTimer->stop();
    // Another folder or passphrase may read what did not read before.
    m_problems.clear();
    m_plainVersionChecks.clear();
    if (target == "GoogleDrive" && !GoogleService::isConfigured()) {
        // Nobody can sign in without the client identity; say so instead of failing silently.
        SyncLogDialog::add("Sync: Google Drive needs a Google client id and secret, and this build has none");
        if (options != ReportState)
            emit syncStatus(SyncStatus::Failed, tr("Google Drive sync is not available: this build has no Google client id and secret."));
        syncInitialized(false);
        return;
    }
    if (target == "GoogleDrive" && !googleDrive()) {
        const QString failure = NetworkLibrary::instance().loadFailure();
        qCWarning(lcSync).noquote() << failure;
        SyncLogDialog::add("Sync: " + failure);
        if (options != ReportState)
            emit syncStatus(SyncStatus::Failed, tr("Google Drive sync is not available: %1").arg(failure));
        syncInitialized(false);
        return;
    }
    getSync()->initialize(options, settings);
}

void Sync::syncInitialized(bool success)
{
    // Drive settles a sign-out as a success too, also the one after a failed token refresh; the
    // notifier must not stay registered for a user who is gone.
    if (success && isValid())
        m_notifier->initialize(m_targetName);
    else
        m_notifier->close();
    emit initialized(success);
}

ISyncTarget *Sync::googleDrive()
{
    if (!m_googleDrive) {
        m_googleDrive = NetworkLibrary::instance().newGoogleDrive(this);
        if (m_googleDrive)
            connect(m_googleDrive, &ISyncTarget::initialized, this, &Sync::syncInitialized);
    }
    return m_googleDrive;
}

void Sync::revoke()
{
    if (ISyncTarget *drive = googleDrive())
        drive->signOut();
    else
        SyncLogDialog::add("Sync: The Google sign-in is kept: " + NetworkLibrary::instance().loadFailure());
    // The connection was made for the signed-out user.
    if (m_targetName == "GoogleDrive")
        m_notifier->close();
}

ISyncTarget *Sync::getSync()
{
    // Without the network library nothing is valid, so nothing is sent to it.
    if (m_targetName == "GoogleDrive")
        return googleDrive() ? m_googleDrive : m_none;
    if (m_targetName == "LocalFolder")
        return m_localFolder;
    return m_none;
}

bool Sync::isValid()
{
    return getSync()->isValid();
}

bool Sync::isListening() const
{
    return m_notifier->isListening();
}

bool Sync::willSync(SyncFile file)
{
    if (demoEnabled || !isValid())
        return false;
    switch (file) {
    case SyncFile::History:
        return m_settings.value("SyncHistory").toBool();
    case SyncFile::Snippets:
        return m_settings.value("SyncSnippets").toBool();
    }
    return false;
}

void Sync::sync(SyncFile file, ISyncMerge *merge, SyncDirection direction)
{
    if (demoEnabled)
        return;

    QString fileName;
    switch (file) {
    case SyncFile::History:
        if (!m_settings.value("SyncHistory").toBool())
            return;
        fileName = HistoryItemModel::getFileName();
        break;
    case SyncFile::Snippets:
        if (!m_settings.value("SyncSnippets").toBool())
            return;
        fileName = SnippetModel::getFileName();
        break;
    default:
        qCWarning(lcSync) << "Unknown sync file:" << int(file);
        return;
    }
    // The models may not exist yet (tests, start-up).
    if (!merge) {
        qCDebug(lcSync) << "No document to merge for" << fileName;
        return;
    }

    SyncData data;
    data.operation = MergeDocument;
    data.file = fileName;
    data.merge = merge;
    data.direction = direction;
    addToQueue(data);
}

void Sync::addToQueue(SyncData data)
{
    for (SyncData &queued : m_queue) {
        // The builders carry no file; one of each kind may wait.
        if (queued.file != data.file || (data.file.isEmpty() && queued.operation != data.operation))
            continue;
        qCDebug(lcSync) << "The file" << data.file << "is already in the sync queue";
        // A queue that failed or rests waits for a change as much as for its retry.
        if (!m_operationInFlight && !m_fileListRequested && (m_failedPasses > 0 || !m_queueTimer->isActive()))
            m_queueTimer->start(changeDelay());
        // An explicit Download or Upload asked for while an automatic merge of the same document
        // waits must not run as that merge.
        if (queued.operation == data.operation && data.direction != BothWays && queued.direction != data.direction) {
            qCDebug(lcSync) << "Direction of the queued" << data.file << "is now" << int(data.direction);
            queued.direction = data.direction;
        }
        return;
    }
    m_queue.append(data);
    m_queueTimer->stop();
    m_queueTimer->start(changeDelay());
}

int Sync::changeDelay() const
{
    return int(qMax<qint64>(m_queueDelay, m_serverWait.remainingTime()));
}

void Sync::retryAfter(int seconds)
{
    const qint64 wait = qMin<qint64>(qint64(qMax(seconds, 0)) * 1000, c_maxRetryDelay);
    m_serverWait.setRemainingTime(wait);
    SyncLogDialog::add(QString("Sync: The server asks to wait %1 s before the next request").arg(wait / 1000));
}

void Sync::scheduleRetry()
{
    const int doublings = qMin(m_failedPasses, 16);
    ++m_failedPasses;
    qint64 delay = qMin<qint64>(qint64(m_retryDelay) << doublings, c_maxRetryDelay);
    // The server knows best when it can serve again.
    if (const qint64 asked = m_serverWait.remainingTime(); asked > 0)
        delay = asked;
    SyncLogDialog::add(QString("Sync: Trying again in %1 s, or at the next change").arg((delay + 999) / 1000));
    m_queueTimer->start(int(delay));
}

void Sync::syncActions(SyncDirection direction)
{
    if (!m_settings.value("SyncActions").toBool())
        return;
    SyncData data;
    data.operation = BuildActionOperations;
    data.direction = direction;
    addToQueue(data);
}

void Sync::syncAll(SyncDirection direction)
{
    SyncLogDialog::add(QString("Sync all: %1").arg(int(direction)));
    sync(SyncFile::History, HistoryItemModel::instance(), direction);
    sync(SyncFile::Snippets, SnippetModel::instance(), direction);
    syncActions(direction);
    handleQueue();
}

void Sync::resyncAll()
{
    SyncData data;
    data.operation = BuildResyncOperations;
    addToQueue(data);
}

void Sync::syncBeforeQuit(int timeout)
{
    const auto mergesLeft = [this] {
        return (m_current && m_current->operation == MergeDocument)
            || std::any_of(m_queue.cbegin(), m_queue.cend(), [](const SyncData &data) { return data.operation == MergeDocument; });
    };
    if (!mergesLeft() || !isValid())
        return;
    SyncLogDialog::add("Sync: Storing the changed documents before quitting");
    QEventLoop loop;
    bool done = false;
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    // Each operation starts with Busy, once the one before has ended.
    connect(this, &Sync::syncStatus, &loop, [&](SyncStatus status) {
        done = done || status != SyncStatus::Busy || (!m_operationInFlight && !mergesLeft());
        if (done)
            loop.quit();
    });
    m_queueTimer->stop();
    handleQueue();
    if (!done && mergesLeft())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (mergesLeft())
        SyncLogDialog::add("Sync: Quitting before the changed documents were stored");
}

void Sync::handleQueue()
{
    if (m_operationInFlight || m_fileListRequested) {
        qCDebug(lcSync) << "handleQueue: an operation is in flight; the running pass goes on";
        return;
    }

    QElapsedTimer elapsed;
    elapsed.start();

    if (!isValid()) {
        qCWarning(lcSync) << "No valid sync available";
        if (!waitForMissingFolder())
            m_queue.clear();
        return;
    }

    m_notifier->setListening(false);
    qCDebug(lcSync) << "handleQueue: queue size:" << m_queue.size() << "online count: " << m_online.size();

    if (m_queue.isEmpty()) {
        queueDrained();
    } else if (!m_listRead) {
        getFiles();
    } else {
        emit syncStatus(SyncStatus::Busy, tr("Synchronizing..."));
        const SyncData data = m_queue.takeFirst();
        qCDebug(lcSync) << "handleQueue: current operation:" << data.operation << "file:" << data.file
                        << "direction:" << int(data.direction);
        m_operationInFlight = true;
        m_current = data;
        dispatch(data);
    }

    qCDebug(lcSync) << "Profile: Handling sync queue took " << elapsed.elapsed();
}

void Sync::dispatch(SyncData data)
{
    switch (data.operation) {
    case MergeDocument:
        mergeDocument(data);
        break;
    case DeleteFile:
        deleteFile(data);
        break;
    case DownloadImage:
        getSync()->download(ImageDownloaded, data);
        break;
    case DownloadAction:
        getSync()->download(ActionDownloaded, data);
        break;
    case UploadImage:
        uploadImage(data);
        break;
    case UploadAction:
        uploadAction(data);
        break;
    case BuildActionOperations:
        createActionSyncOperations(data.direction);
        continueQueue();
        break;
    case BuildResyncOperations:
        createResyncOperations();
        continueQueue();
        break;
    case DownloadForResync:
        m_resyncSourceId = data.second;
        getSync()->download(ResyncDownloaded, data);
        break;
    default:
        qCWarning(lcSync) << "Unknown operation" << data.operation;
        m_operationInFlight = false;
        m_current.reset();
        forgetFileList();
        listenAgainLater();
        break;
    }
}

void Sync::queueFirst(const QList<SyncData> &operations)
{
    QList<SyncData> head;
    for (const SyncData &data : operations) {
        const auto sameFile = [&data](const SyncData &queued) { return queued.file == data.file; };
        if (std::any_of(head.cbegin(), head.cend(), sameFile) || std::any_of(m_queue.cbegin(), m_queue.cend(), sameFile)) {
            qCDebug(lcSync) << "The file" << data.file << "is already in the sync queue";
            continue;
        }
        head.append(data);
    }
    m_queue = head + m_queue;
}

void Sync::continueQueue()
{
    m_operationInFlight = false;
    m_current.reset();
    handleQueue();
}

void Sync::haltQueue(const QString &statusText, bool retry)
{
    m_operationInFlight = false;
    if (retry && m_current && m_current->operation == MergeDocument)
        queueFirst({*m_current});
    m_current.reset();
    m_problems.clearPass();
    m_passIncomplete = false;
    // The rest of the queue may wait long; by then other computers have stored and pruned versions.
    forgetFileList();
    emit syncStatus(SyncStatus::Failed, statusText);
    // Without this a failure that repeats would leave outside changes unnoticed for good.
    listenAgainLater();
    if (retry)
        scheduleRetry();
}

void Sync::queueDrained()
{
    m_failedPasses = 0;
    const bool complete = !m_passIncomplete;
    m_passIncomplete = false;
    const SyncProblems::Report report = m_problems.takeReport(m_listRead ? &m_online : nullptr);
    // What it was started for has run; firing later it would report this pass again, as a success.
    m_queueTimer->stop();
    QTimer::singleShot(0, this, [this, complete, report] {
        QStringList texts = problemTexts(report);
        if (!complete)
            texts.prepend(tr("Synchronization failed."));
        if (texts.isEmpty())
            emit syncStatus(SyncStatus::Success, tr("Synchronization successful."));
        else
            emit syncStatus(SyncStatus::Failed, texts.join(' '));
    });
    forgetFileList();
    listenAgainLater();
}

QStringList Sync::problemTexts(const SyncProblems::Report &report) const
{
    QStringList texts;
    for (auto it = report.cbegin(); it != report.cend(); ++it) {
        const QString names = it->join(", ");
        switch (it.key()) {
        case SyncProblems::Kind::Undeciphered:
            texts.append(tr("Decryption failed for %1: the passphrases of your computers may differ.").arg(names));
            break;
        case SyncProblems::Kind::NotEnciphered:
            texts.append(tr("Synchronization refused what is not encrypted while encryption is on: %1").arg(names));
            break;
        case SyncProblems::Kind::Damaged:
            texts.append(tr("Synchronization skipped a damaged file: %1").arg(names));
            break;
        }
    }
    return texts;
}

bool Sync::waitForMissingFolder()
{
    const QString folder = m_localFolder->folder();
    if (m_targetName != "LocalFolder" || folder.isEmpty())
        return false;
    SyncLogDialog::add("Sync: The sync folder " + folder + " cannot be found; synchronization waits until it is back");
    emit syncStatus(SyncStatus::Failed, tr("Synchronization is not working: the sync folder %1 cannot be found.").arg(folder));
    if (!m_folderTimer->isActive())
        m_folderTimer->start(m_queueDelay);
    return true;
}

void Sync::checkMissingFolder()
{
    if (m_targetName != "LocalFolder") {
        m_folderTimer->stop();
        return;
    }
    if (!isValid())
        return;
    m_folderTimer->stop();
    SyncLogDialog::add("Sync: The sync folder " + m_localFolder->folder() + " is back");
    // Missing at start, the folder was never watched.
    if (m_notifier->target() != m_targetName)
        m_notifier->initialize(m_targetName);
    handleQueue();
}

void Sync::forgetFileList()
{
    m_online.clear();
    m_listRead = false;
}

void Sync::listenAgainLater()
{
    QTimer::singleShot(c_listenAgainDelay, this, [this] {
        if (!m_operationInFlight && !m_fileListRequested)
            m_notifier->setListening(true);
    });
}

void Sync::getFiles()
{
    if (m_fileListRequested)
        return;
    m_fileListRequested = true;
    getSync()->getFiles();
    SyncLogDialog::add("Sync: Reading file list");
}

void Sync::getFilesFinished(OnlineFiles files, bool error)
{
    if (!m_fileListRequested) {
        qCWarning(lcSync) << "A file list arrived that was not asked for";
        return;
    }
    m_fileListRequested = false;

    if (error) {
        SyncLogDialog::add("Sync: Failed to read the file list");
        emit syncStatus(SyncStatus::Failed, tr("Synchronization failed."));
        listenAgainLater();
        scheduleRetry();
        return;
    }

    SyncLogDialog::add("Sync: File list received.");
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (it.key().isEmpty())
            continue;
        SyncLogDialog::add("Sync: Found file: " + it.value().first + " (" + it.key() + ") " + it.value().second);
    }
    m_online = files;
    m_listRead = true;
    handleQueue();
}

void Sync::downloadFinished(DownloadFinishedCallback callback, SyncData data, QByteArray bytes, bool error)
{
    switch (callback) {
    case JsonDownloaded:
        downloadJsonFinished(data, bytes, error);
        break;
    case ActionDownloaded:
        downloadActionFinished(data, bytes, error);
        break;
    case ImageDownloaded:
        downloadImageFinished(data, bytes, error);
        break;
    case ResyncDownloaded:
        resyncFileDownloadFinished(data, bytes, error);
        break;
    default:
        qCWarning(lcSync) << "Unknown download callback" << int(callback);
        break;
    }
}

void Sync::uploadFinished(UploadFinishedCallback callback, SyncData data, bool error)
{
    switch (callback) {
    case MergeUpload:
        handleMergeFinished(data, error);
        break;
    case PlainUpload:
        plainUploadFinished(data, error);
        break;
    case ResyncUpload:
        resyncFileUploadFinished(data, error);
        break;
    default:
        qCWarning(lcSync) << "Unknown upload callback" << int(callback);
        break;
    }
}

void Sync::plainUploadFinished(SyncData data, bool error)
{
    if (error) {
        m_imageUploads.remove(data.file);
        fileOperationFailed("Sync: Upload failed for " + data.file);
    } else {
        SyncLogDialog::add("Sync: Upload finished for " + data.file);
        if (data.operation == UploadImage)
            imageStored(data);
        // In the form the targets list times, which are compared as text.
        m_online.insert(data.second, {data.file, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)});
    }
    continueQueue();
}

void Sync::deleteFile(SyncData data)
{
    const auto it = m_online.constFind(data.second);
    if (it == m_online.cend() || it.value().first.isEmpty()) {
        SyncLogDialog::add("Sync: Unable to delete " + data.file + ". File not found.");
        continueQueue();
        return;
    }
    getSync()->remove(data);
}

void Sync::deleteFinished(SyncData data, bool error)
{
    if (error) {
        // Most often another computer removed it first; the file is gone either way.
        SyncLogDialog::add("Sync: Delete failed for " + data.file);
    } else {
        SyncLogDialog::add("Sync: Delete finished for " + data.file);
        m_online.remove(data.second);
        const bool listed = std::any_of(m_online.cbegin(), m_online.cend(),
                                        [&data](const auto &file) { return file.first == data.file; });
        if (!listed && data.file.startsWith(QLatin1String("image_"))) {
            m_imageRecords.forget(data.file);
            m_imageRecords.save();
        }
    }
    continueQueue();
}
