// HistoryItemModel: the history document, its file, and keeping a file aside that cannot be loaded.
#include "history/historyitemmodel.h"

#include "common/privatefiles.h"
#include "history/historyfilereading.h"

#include "history/clippingitem.h"
#include "common/globals.h"
#include "history/historydocument.h"
#include "history/historyindex.h"
#include "history/historysnapshot.h"
#include "history/loadedclippings.h"
#include "history/itemrole.h"
#include "common/brokenfile.h"
#include "common/guardedcall.h"
#include "common/safefile.h"
#include "common/isync.h"
#include "common/userwarning.h"
#include "common/utils.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QThreadPool>
#include <QUrl>

#include <algorithm>

namespace {

// Every failed save of the history is one kind of warning.
const QString HistorySaveWarning = QStringLiteral("history-save");

QString cannotSaveHistoryText(const QString &reason)
{
    return QObject::tr("The clippings cannot be saved; what is copied now is lost when Kestovan quits.") + "\n" + reason;
}

} // namespace

QString HistoryItemModel::filePath()
{
    return Utils::settings().value("HistoryFilePath", Utils::dataPath() + "/" + getFileName()).toString();
}

HistorySnapshot HistoryItemModel::snapshot()
{
    finishLoading();
    // Each row's record is kept by its clipping until the clipping changes: taking them is cheap,
    // and the icons and the JSON are worked out by the writer.
    const int rows = rowCount();
    HistorySnapshot snapshot;
    snapshot.rows.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const QStandardItem *clipping = item(row);
        // A picture not in the image cache yet: the file never holds a clipping that points at nothing.
        if (!m_pictures.isEmpty() && !m_pictures.maySave(ClippingItem::idOf(clipping)))
            continue;
        snapshot.rows.push_back(HistorySnapshot::rowOf(clipping));
    }
    if (!m_removals.isEmpty()) {
        // A month is as long as snippet removals are kept.
        const qint64 oldest = QDateTime::currentDateTime().addMonths(-1).toMSecsSinceEpoch();
        for (auto it = m_removals.cbegin(); it != m_removals.cend(); ++it) {
            if (it.value() > oldest)
                snapshot.removals.push_back({it.key().toString(), Utils::storedTime(QDateTime::fromMSecsSinceEpoch(it.value()))});
        }
        std::sort(snapshot.removals.begin(), snapshot.removals.end());
    }
    return snapshot;
}

QByteArray HistoryItemModel::serialize()
{
    QElapsedTimer timer;
    timer.start();
    const QByteArray out = snapshot().toJson();
    const qint64 elapsed = timer.elapsed();
    qDebug().noquote() << "Profile: Serializing to JSON took " << elapsed << "ms";
    qDebug().noquote() << "Profile: Serializing history item model took " << elapsed << "ms";
    return out;
}

bool HistoryItemModel::parseDocument(const QByteArray &data, HistoryDocument *document)
{
    QString error;
    const bool read = HistoryDocumentReader::read(data, document, &error);
    return acceptDocument(read, error, *document);
}

bool HistoryItemModel::acceptDocument(bool read, const QString &error, const HistoryDocument &document)
{
    if (!read) {
        qWarning() << "Parsing JSON document failed." << error;
        return false;
    }
    if (document.version > HistorySnapshot::Version)
        qWarning() << "The history file has version" << document.version << "but the application expects version" << HistorySnapshot::Version;
    if (document.magic != HistorySnapshot::Magic) {
        qWarning() << "The history file has unknown magic number" << document.magic;
        return false;
    }
    return true;
}

int HistoryItemModel::addDocument(HistoryDocument &document)
{
    applyRemovals(document);
    return addClippings(LoadedClippings(document));
}

int HistoryItemModel::addClippings(LoadedClippings clippings, bool *renewedIds, bool holdLog)
{
    QElapsedTimer timer;
    timer.start();

    for (const auto &[name, id] : clippings.unsafeFileNames())
        qWarning() << "Ignoring the unsafe image file name" << name << "of clipping" << id;
    std::shared_ptr<HistoryIndex::Tables> tables = clippings.indexTables();
    const QList<ClippingItem *> items = clippings.take();
    // Taken as two copies of one clipping, the older would be dropped at the next save.
    if (renewedIds) {
        *renewedIds = (!tables || HistoryIndex::repeatsId(*tables)) && renewDuplicateIds(items);
        // The lookups hold the ids the clippings had.
        if (*renewedIds)
            tables.reset();
    }
    const int count = int(items.size());
    qDebug().noquote() << "Profile: Deserialize parsing took" << timer.elapsed() << "ms";

    // A filter proxy rebuilds its row mapping for every row added: an empty history takes the
    // document with its proxy detached, which then maps all rows at once. Detaching resets the
    // views, so an empty document leaves it attached.
    QSortFilterProxyModel *detached =
        !items.isEmpty() && rowCount() == 0 && m_proxy && m_proxy->sourceModel() == this ? m_proxy : nullptr;
    if (detached)
        detached->setSourceModel(nullptr);
    AddRules rules = readRules();
    rules.keepRowPin = false;
    if (rowCount() == 0 && !tables)
        tables = HistoryIndex::build(items);
    // Thumbnails are made when their rows are first shown.
    if (rowCount() == 0 && canAddInOrder(*tables)) {
        addInOrder(items, rules, std::move(tables), holdLog);
    } else {
        for (ClippingItem *clipping : std::as_const(items)) {
            if (!addItem(clipping, rules))
                delete clipping;
        }
    }
    qDebug().noquote() << "Profile: Deserialize adding items took" << timer.elapsed() << "ms";
    removeExtraItems(rules);
    if (detached)
        detached->setSourceModel(this);
    qDebug().noquote() << "Profile: Deserializing history item model took" << timer.elapsed() << "ms";
    return count;
}

bool HistoryItemModel::renewDuplicateIds(const QList<ClippingItem *> &items)
{
    QSet<QUuid> ids;
    ids.reserve(items.size());
    bool renewedAny = false;
    for (ClippingItem *clipping : items) {
        // A removal is merged with a clipping of its id as any removal is: the newer wins.
        if (clipping->isRemoved())
            continue;
        const QUuid id = clipping->id();
        if (!ids.contains(id)) {
            ids.insert(id);
            continue;
        }
        const QUuid renewed = QUuid::createUuid();
        qWarning() << "The history file holds the clipping id" << id << "more than once; a later clipping now has the id" << renewed;
        clipping->setData(renewed, IdRole);
        ids.insert(renewed);
        renewedAny = true;
        // Its picture is in the folder of the id it had.
        const int type = clipping->clippingType();
        const QString fileName = clipping->fileName();
        if ((type == 1 || type == 2) && !fileName.isEmpty()) {
            const QString file = Utils::imagesPath() + "/" + id.toString() + "/" + fileName;
            startImageJobs(QImage(), QUrl::fromLocalFile(file), renewed, fileName);
        }
    }
    return renewedAny;
}

int HistoryItemModel::deserialize(QByteArray data)
{
    finishLoading();
    HistoryDocument document;
    if (!parseDocument(data, &document))
        return -1;
    return addDocument(document);
}

bool HistoryItemModel::prepareSave(HistorySaver::Job &job, bool takeSnapshot)
{
    finishLoading();
    job.path = filePath();
    const QString folder = QFileInfo(job.path).absolutePath();
    if (!PrivateFiles::makeFolder(folder)) {
        qWarning().noquote() << "Failed to create " + folder;
        showUserWarningOnce(HistorySaveWarning, cannotSaveHistoryText(tr("The folder %1 cannot be created.").arg(folder)));
        return false;
    }
    if (!m_protectedPath.isEmpty() && QFileInfo(job.path) == QFileInfo(m_protectedPath)) {
        qWarning().noquote() << "Not writing" << job.path << "over the history file that could not be loaded nor kept aside.";
        return false;
    }
    if (takeSnapshot)
        job.snapshot = snapshot();
    // Many megabytes for a large history: kept only for a pass that will come.
    job.keepDocument = takeSnapshot && job.sync && m_sync && m_sync->willSync(SyncFile::History);
    job.addedBefore = m_addedBytes;
    return true;
}

void HistoryItemModel::finishSave(const HistorySaver::Job &job)
{
    if (job.size >= 0) {
        m_documentBase = job.size;
        m_documentBaseAdded = job.addedBefore;
    }
    // A write that fails leaves the file as it was.
    if (job.written)
        m_written = job.keepDocument ? WrittenDocument{job.path, job.snapshot.rows, job.snapshot.removals, job.bytes, job.sha256} : WrittenDocument();
    if (!job.written) {
        if (job.openFailed)
            qWarning().noquote() << job.path + " cannot be opened for writing." << job.error;
        else
            qWarning().noquote() << "Writing to file" << job.path << "failed." << job.error;
        // Once, not once per copy: a read-only or full disk fails every save alike.
        showUserWarningOnce(HistorySaveWarning, job.openFailed ? cannotSaveHistoryText(job.error)
                                                        : tr("Writing the clippings file failed: ") + job.path + "\n" + job.error);
        return;
    }
    clearUserWarning(HistorySaveWarning);

    if (job.sync && m_sync)
        m_sync->sync(SyncFile::History, this, BothWays);
    qDebug().noquote() << "Wrote history items to " + job.path;
}

void HistoryItemModel::requestSave(bool sync)
{
    retryPictures();
    m_saver->request(sync);
}

void HistoryItemModel::flushSaves()
{
    if (!m_pictures.isEmpty()) {
        // A picture being written goes into the file with its clipping: its job is finished and
        // handled here, as the event loop may not run again.
        QThreadPool::globalInstance()->waitForDone();
        GuardedCall::deliverPosted();
        if (writePicturesNow())
            m_saver->request(true);
    }
    m_saver->flush();
}

bool HistoryItemModel::save(bool sync, QByteArray *data)
{
    // This write supersedes one still waiting; a sync that one asked for is kept.
    retryPictures();
    HistorySaver::Job job;
    job.sync = m_saver->settle() || sync;
    if (!prepareSave(job, !data))
        return false;
    if (data)
        job.bytes = *data;
    HistorySaver::write(job);
    finishSave(job);
    return job.written;
}

void HistoryItemModel::load()
{
    if (demoEnabled) {
        clear();
        addExampleClippings();
        return;
    }

    const QString path = filePath();
    m_restPending = false;
    // A long history shows its newest clippings while the rest is read; one that repeats a
    // clipping among them is read whole before any of it is shown.
    if (std::optional<HistoryFileReading::Outcome> page = HistoryFileReading::takeFirstPage(path)) {
        if (showFirstPage(*page))
            return;
    }
    // Usually read while the window was being built.
    loadWhole(path, HistoryFileReading::take(path));
}

bool HistoryItemModel::showFirstPage(HistoryFileReading::Outcome &page)
{
    QList<ClippingItem *> items = page.clippings.take();
    const std::shared_ptr<HistoryIndex::Tables> tables = HistoryIndex::build(items);
    AddRules rules = readRules();
    rules.keepRowPin = false;
    clear();
    m_removals.clear();
    if (!canAddInOrder(*tables)) {
        qDeleteAll(items);
        return false;
    }
    m_restPending = true;
    m_firstPageClippings = items.size();
    // The first steps of the whole load: what follows goes on from there.
    applyRemovals(page.document);
    addInOrder(std::move(items), rules, tables, true);
    removeExtraItems(rules);
    return true;
}

void HistoryItemModel::finishLoading()
{
    if (!m_restPending)
        return;
    const QString path = filePath();
    std::optional<HistoryFileReading::Outcome> taken = HistoryFileReading::take(path);
    if (taken && taken->read == SafeFile::ReadResult::Read && taken->parsed
        && taken->document.magic == HistorySnapshot::Magic && taken->document.version <= HistorySnapshot::Version
        && addRestOfFirstPage(*taken))
        return;
    // Past its first page the document is damaged, or repeats a clipping the rules would merge:
    // it is loaded the usual way in place of the first page.
    m_restPending = false;
    loadWhole(path, std::move(taken));
}

QList<QPersistentModelIndex> HistoryItemModel::afterLoading(const QList<QModelIndex> &indexes)
{
    QList<QPersistentModelIndex> sources;
    for (const QModelIndex &index : indexes)
        sources.append(toSourceIndex(index));
    if (!m_restPending)
        return sources;
    QList<QUuid> ids;
    for (const QPersistentModelIndex &source : std::as_const(sources))
        ids.append(source.isValid() ? ClippingItem::idOf(itemFromIndex(source)) : QUuid());
    finishLoading();
    // Loaded again in place of the first page: the same clippings, by their ids.
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (sources[i].isValid() || ids[i].isNull())
            continue;
        if (const int row = m_index->firstRowWithId(ids[i]); row >= 0)
            sources[i] = index(row, 0);
    }
    return sources;
}

void HistoryItemModel::loadWhole(const QString &path, std::optional<HistoryFileReading::Outcome> taken)
{
    HistoryFileReading::Outcome reading = taken ? std::move(*taken) : HistoryFileReading::readNow(path);
    switch (reading.read) {
    case SafeFile::ReadResult::Missing:
        // The first run starts here, with an empty history: nothing is wrong.
        qDebug().noquote() << "No history file yet at " + path + "; the history starts empty.";
        return;
    case SafeFile::ReadResult::Unreadable:
        qWarning().noquote() << path + " cannot be opened for reading." << reading.readError;
        keepAside(path, LoadProblem::Unreadable);
        return;
    case SafeFile::ReadResult::TooLarge:
        qWarning().noquote() << reading.readError;
        keepAside(path, LoadProblem::TooLarge);
        return;
    case SafeFile::ReadResult::Read:
        break;
    }
    clear();
    m_removals.clear();

    HistoryDocument &document = reading.document;
    m_documentBase = reading.size;
    m_documentBaseAdded = m_addedBytes;
    bool renewedIds = false;
    const bool accepted = acceptDocument(reading.parsed, reading.parseError, document);
    if (accepted)
        applyRemovals(document);
    const int count = accepted ? addClippings(std::move(reading.clippings), &renewedIds, taken.has_value()) : -1;
    qDebug().noquote() << "Read " << count << " history items from " << path;
    if (count == -1)
        keepAside(path, LoadProblem::Unparseable);
    else if (document.version > HistorySnapshot::Version)
        keepAside(path, LoadProblem::NewerVersion);
    // Written at once, or every start would make new ids and new copies of their pictures.
    else if (renewedIds)
        requestSave(false);
}

void HistoryItemModel::keepAside(const QString &path, LoadProblem problem)
{
    m_loadFailed = true;

    QString text;
    switch (problem) {
    case LoadProblem::Unreadable:
        text = tr("Failed to read the clippings file: ") + path;
        break;
    case LoadProblem::NewerVersion:
        text = tr("The clippings file was written by a newer version of Kestovan: ") + path;
        break;
    case LoadProblem::TooLarge:
        text = tr("The clippings file is too large to load: ") + path;
        break;
    case LoadProblem::Unparseable:
    case LoadProblem::None:
        text = tr("Failed to parse the clippings file: ") + path;
        break;
    }
    if (const QString aside = keepBrokenFileAside(path, text); !aside.isEmpty())
        m_keptAsidePath = aside;
    else
        m_protectedPath = path;
}
