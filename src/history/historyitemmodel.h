#pragma once

#include "history/historyfilereading.h"
#include "history/historyindex.h"
#include "history/historysaver.h"
#include "common/isyncmerge.h"
#include "history/pendingpictures.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>
#include <QModelIndex>
#include <QPixmap>
#include <QSet>
#include <QStandardItemModel>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUuid>

#include <memory>

class ClipboardListener;
class ClippingItem;
class HistoryFilterModel;
class ISync;
class LoadedClippings;
class QMimeData;
class QSortFilterProxyModel;
class ThumbnailCache;
struct HistoryDocument;
struct HistoryFilterState;

// The clipboard history: one top-level item per clipping, every field an item data role. Pinned
// clippings form a block at the top; inside each block rows run newest first. The model is the
// history document's merge partner for the sync engine.
class HistoryItemModel : public QStandardItemModel, public ISyncMerge
{
    Q_OBJECT

public:
    HistoryItemModel(QObject *parent, ISync *sync);
    ~HistoryItemModel() override;

    // Creates the process-wide model and its filter proxy. The filter state is the header
    // carousel's; it may be null, which means no filter is active.
    static void initialize(QObject *parent, ISync *sync, HistoryFilterState *carousel);
    static HistoryItemModel *instance();
    static HistoryFilterModel *proxyInstance();
    static QString getFileName();
    // The texts of the rows the filter proxy shows, in its order.
    static QStringList toList();

    // Captures clipboard changes into this model; writers of the clipboard reach it here. The
    // clipboard side makes it, through the factory it sets: the store cannot name it.
    ClipboardListener *clipboardListener = nullptr;
    using ListenerFactory = ClipboardListener *(*)(HistoryItemModel *model);
    static void setListenerFactory(ListenerFactory factory);

    // The proxy whose first row becomes the paste-next cursor after removals (set by initialize).
    void setProxy(QSortFilterProxyModel *proxy);

    // The history file: the setting "HistoryFilePath", by default in the data folder.
    static QString filePath();
    void load();
    // A load of a long history may show only its newest clippings at first (see
    // HistoryFileReading); this adds the rest, waiting for the reading when it is still under way.
    // Everything that needs the whole history calls it first: saves, sync, captures, clearing, and
    // the user's removals, pins, locks and edits, which then act on the rows they were meant for.
    void finishLoading();
    // Builds the lookups of the add rules that a load left for later, and writes the sync log lines
    // a load read ahead left for later; once the first window is up.
    void catchUpIndex();
    // Writes *data, or serialize(), to the history file now, in place of any write still waiting;
    // then, when sync is set, asks the sync engine to synchronise. False when nothing was written.
    bool save(bool sync, QByteArray *data = nullptr);
    // The same write off the GUI thread, started at once or, while one is under way, right after
    // it; a failure is reported as by save().
    void requestSave(bool sync);
    // Finishes every write asked for, and tries once more to write the pictures the disk refused;
    // before the program quits.
    void flushSaves();
    QByteArray serialize();
    HistorySnapshot snapshot();
    // Adds the document's clippings through the add rules; the number of clippings in the
    // document, or -1 when it is rejected.
    int deserialize(QByteArray data);

    void addText(const QString &text, const QString &html, QPixmap icon, QString application);
    void addImage(const QUrl &url, const QImage &image, QPixmap icon, QString application, QDateTime time);
    // The add rules; true when the item now belongs to the model (which then owns it).
    bool addItem(QStandardItem *item);
    void removeExtraItems();
    void removeItem(int row);

    void touchItem(QModelIndex index);
    QModelIndex togglePin(QModelIndex index);
    void updateItem(QModelIndex index, QString text);
    void updateItem(QModelIndex index, QImage image);

    void addExampleClippings();
    void generateRandomItems(int n);
    // Where the demo mode's sample clippings are read from.
    static QString sampleFolder();

    QString hash() override;
    bool merge(QByteArray online, QByteArray &result, SyncDirection direction) override;

    // The thumbnail of an image clipping when at hand; else null, and it is made and reported by
    // dataChanged once ready.
    QImage thumbnail(const QUuid &id, const QString &fileName);

    QList<QString> imageIds();
    QModelIndex getNextIndex();
    void setNextIndex(QModelIndex index);
    void updateApplications(QString application, QPixmap icon);

    // True after a load that found a history file it could not take as it is; the file was kept
    // aside and the image folders must not be cleaned up in this run.
    bool loadFailed() const { return m_loadFailed; }
    // The copy of the last history file that could not be loaded, or empty.
    QString keptAsidePath() const { return m_keptAsidePath; }

    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    bool setItemData(const QModelIndex &index, const QMap<int, QVariant> &roles) override;

public slots:
    void lockItem(QModelIndex index, bool locked);
    void updateExcludeList();
    void markItemAsRemoved(QModelIndex index);
    void markItemsAsRemoved(QList<QModelIndex> indices);
    void markAllAsRemoved();
    void applyThumbnail(QImage image, QUuid id);
    void reverseItems(QList<QModelIndex> indexes);
    // Receives the clipboard listener's changed(): turns the content into a clipping.
    void clipboardChanged(std::shared_ptr<const QMimeData> data, QPixmap icon, QString application);

signals:
    void clippingAdded();
    // A copy was not recorded, for the reason given (a sentence for the status line).
    void clippingNotRecorded(QString reason);
    // The excluded applications or the size rule changed; textLimit in characters.
    void captureRulesChanged(qint64 textLimit);

private:
    // The settings the add rules read, taken once per operation.
    struct AddRules
    {
        int keepItems = 0;
        bool includeImages = false;
        int ignoreLength = 0;
        int ignoreSize = 0;
        // A copied text already in the history keeps the old row's pin; a copy from a document is
        // the newer copy of the clipping, and wins whole.
        bool keepRowPin = true;
    };

    // Why a history file could not be taken as it is.
    enum class LoadProblem { None, Unreadable, Unparseable, NewerVersion, TooLarge };

    AddRules readRules();
    // The sync log line of an add rule that refuses item; empty when it may be added.
    QString refusal(const QStandardItem *item, const AddRules &rules) const;
    bool addItem(QStandardItem *item, const AddRules &rules);
    // Keeps a removal whose clipping leaves the history; the later of two for one id.
    void noteRemoval(const QUuid &id, qint64 msecs);
    // Takes a document's removals and, with removeOlderRows, deletes the clippings here that they
    // outweigh.
    void applyRemovals(const HistoryDocument &document, bool removeOlderRows = true);
    // Whether addInOrder() may add the clippings of a loaded document with these lookups: the
    // document repeats no clipping, and the rows there are are in order.
    bool canAddInOrder(const HistoryIndex::Tables &tables);
    // Adds a loaded document's clippings in a few inserts up to the limit, ending exactly as adding
    // each by addItem() would, in rows and sync log lines (the last trim excepted, which is the
    // caller's): the rows there are must be none, or the document's first clippings as this added
    // them. Refused clippings are deleted. The lookups, when given, become the index if the
    // clippings go in as they came. With holdLog, the sync log's line per clipping waits for
    // catchUpIndex(), and the lines of others wait behind them.
    void addInOrder(QList<ClippingItem *> items, const AddRules &rules, std::shared_ptr<HistoryIndex::Tables> tables,
                    bool holdLog);
    void removeExtraItems(const AddRules &rules);
    void removeImageFolder(const QStandardItem *clipping);
    void removeImageFolder(const QUuid &id);
    // Erases what a removed clipping held of the user's, its pictures included; true when it held
    // anything. A clipping's own fields change quietly: the caller reports the change.
    bool eraseRemovedContent(QStandardItem *clipping);

    // Writes a picture into the image cache and then makes its thumbnail. outcome is a pending
    // picture's; the written file is compared with the files given.
    void startImageJobs(const QImage &image, const QUrl &url, const QUuid &id, const QString &fileName,
                        std::shared_ptr<PendingPictures::Outcome> outcome = nullptr,
                        QList<std::pair<QUuid, QString>> compareWith = {});
    // In this thread once a picture's job is done: makes its thumbnail, lets its clipping into the
    // history file, or takes the file away again when the clipping is gone.
    void pictureWritten(const QUuid &id, const QString &fileName, const PendingPictures::Outcome &outcome);
    // Whether id has a row that is not removed.
    bool holdsLivePicture(const QUuid &id) const;
    // An equal picture copied again: one clipping, the earlier, moved to the top. False when the
    // earlier one is gone.
    bool keepEarlierPicture(const QUuid &id, const QUuid &earlierId);
    // The cache files of the pictures in the history but that of except, by clipping id.
    QList<std::pair<QUuid, QString>> cachedPictures(const QUuid &except = QUuid()) const;
    void retryPictures();
    // Writes the pictures the disk refused, in this thread; whether any was written.
    bool writePicturesNow();
    // Gives a new id to each clipping whose id an earlier one has; whether there was one.
    bool renewDuplicateIds(const QList<ClippingItem *> &items);
    // The history file as the last write that asked for a sync left it: the rows it was written
    // from, its bytes (until the sync pass takes them) and their SHA-256. The pass then needs
    // neither to build the document again nor to write it.
    struct WrittenDocument
    {
        QString path;
        std::vector<std::shared_ptr<const SavedClipping>> rows;
        std::vector<std::pair<QString, QString>> removals;
        QByteArray bytes;
        QString sha256;
    };
    // Whether the document of these rows is the one last written.
    bool isWritten(const HistorySnapshot &rows) const;

    // An upper bound of the history file's size with the clippings added since it was last built.
    qint64 documentSizeEstimate() const { return m_documentBase + m_addedBytes - m_documentBaseAdded; }

    bool prepareSave(HistorySaver::Job &job, bool takeSnapshot);
    void finishSave(const HistorySaver::Job &job);

    // Parses and checks a history document without touching the model.
    bool parseDocument(const QByteArray &data, HistoryDocument *document);
    // The version and magic checks of a read document, with their log lines.
    bool acceptDocument(bool read, const QString &error, const HistoryDocument &document);
    int addDocument(HistoryDocument &document);
    // Adds loaded clippings; with renewedIds, first gives new ids to repeated ones and says
    // whether there were any.
    int addClippings(LoadedClippings clippings, bool *renewedIds = nullptr, bool holdLog = false);
    // Loads the file from what was read ahead, or by reading it now.
    void loadWhole(const QString &path, std::optional<HistoryFileReading::Outcome> taken);
    // Shows the first clippings of a long history as the whole load would have added them; false,
    // with an empty history, when the rest could not follow them that way.
    bool showFirstPage(HistoryFileReading::Outcome &page);
    // Adds what a reading holds past the first page; false, changing nothing, when the document
    // repeats a clipping the rules would merge.
    bool addRestOfFirstPage(HistoryFileReading::Outcome &reading);
    // The rows of the indexes (of this model or its proxy) in this model once the load is
    // finished, followed by their clippings' ids if the rest was loaded in place of the first page:
    // the user's edits act on the whole history.
    QList<QPersistentModelIndex> afterLoading(const QList<QModelIndex> &indexes);
    void keepAside(const QString &path, LoadProblem problem);

    QModelIndex toSourceIndex(const QModelIndex &index) const;
    void resetNextIndexAfterRemoval();

    ISync *m_sync;
    HistoryIndex *m_index;
    ThumbnailCache *m_thumbnails;
    HistorySaver *m_saver;
    QSortFilterProxyModel *m_proxy = nullptr;
    QSet<QString> m_knownApplications;
    QSet<QString> m_excludedApplications;
    QModelIndex m_nextIndex;
    bool m_loadFailed = false;
    // Set while a first page is shown and the rest of the file is not yet in; the document's
    // clippings that page stands for.
    bool m_restPending = false;
    qsizetype m_firstPageClippings = 0;
    // Set while a history file could neither be loaded nor kept aside: it must not be overwritten.
    QString m_protectedPath;
    QString m_keptAsidePath;
    bool m_warnedKeepItems = false;
    bool m_warnedIgnoreSize = false;
    PendingPictures m_pictures;
    // Removals of clippings no longer in the history (trimmed away as tombstones), by id, with
    // the time of the removal. Kept apart from the limit for a month, as snippet removals are, so
    // a copy that a computer offline meanwhile still holds never comes back.
    QHash<QUuid, qint64> m_removals;
    // The pictures the last online history merged here shows; those not removed here stay online
    // until another history is merged.
    QList<QString> m_onlinePictures;
    // The stored sizes of the texts added so far, and the file's size when last built with the
    // total as it was then.
    qint64 m_addedBytes = 0;
    qint64 m_documentBase = 0;
    qint64 m_documentBaseAdded = 0;
    WrittenDocument m_written;

    static HistoryItemModel *s_instance;
    static ListenerFactory s_listenerFactory;
    static HistoryFilterModel *s_proxyInstance;
};
