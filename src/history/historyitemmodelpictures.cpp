// HistoryItemModel: the image cache files of picture clippings, written off the GUI thread.
#include "history/historyitemmodel.h"

#include "common/userwarning.h"
#include "common/utils.h"
#include "history/clippingitem.h"
#include "history/copytocache.h"
#include "history/historyindex.h"
#include "history/itemrole.h"
#include "history/makethumbnail.h"
#include "history/thumbnailcache.h"

#include <QThreadPool>

namespace {

const QString ImageWarning = QStringLiteral("image-save");

QString cacheFile(const QUuid &id, const QString &fileName)
{
    return Utils::imagesPath() + "/" + id.toString() + "/" + fileName;
}

} // namespace

void HistoryItemModel::startImageJobs(const QImage &image, const QUrl &url, const QUuid &id, const QString &fileName,
                                      std::shared_ptr<PendingPictures::Outcome> outcome,
                                      QList<std::pair<QUuid, QString>> compareWith)
{
    if (!outcome)
        outcome = std::make_shared<PendingPictures::Outcome>();
    // Both jobs belong to the pool once started; the thumbnail is made once the file is written.
    CopyToCache *copy = image.isNull() ? new CopyToCache(url, id, fileName, Utils::imageFolderName())
                                       : new CopyToCache(image, id, fileName, Utils::imageFolderName());
    copy->compareWith(std::move(compareWith));
    auto *thumbnail = new MakeThumbnail(fileName, id);
    connect(thumbnail, &MakeThumbnail::thumbnail, this, &HistoryItemModel::applyThumbnail, Qt::QueuedConnection);
    m_thumbnails->expect(id);
    connect(copy, &CopyToCache::done, [copy, thumbnail, outcome] {
        outcome->error = copy->error();
        outcome->sameAs = copy->sameAs();
        const bool kept = copy->written() && copy->sameAs().isNull();
        outcome->state.store(copy->written() ? PendingPictures::Written : PendingPictures::Failed, std::memory_order_release);
        if (kept)
            QThreadPool::globalInstance()->start(thumbnail);
        else
            delete thumbnail;
    });
    connect(copy, &CopyToCache::done, this, [this, id, fileName, outcome] {
        if (outcome->state.load(std::memory_order_acquire) == PendingPictures::Written && !outcome->sameAs.isNull()
            && !keepEarlierPicture(id, outcome->sameAs)) {
            // Its thumbnail was not made for a copy that was to go.
            m_thumbnails->drop(id);
            m_thumbnails->thumbnail(id, fileName);
        }
        pictureWritten(id, *outcome);
    }, Qt::QueuedConnection);
    QThreadPool::globalInstance()->start(copy);
}

void HistoryItemModel::pictureWritten(const QUuid &id, const PendingPictures::Outcome &outcome)
{
    if (outcome.state.load(std::memory_order_acquire) != PendingPictures::Written) {
        // A full or read-only disk fails every image alike: told once, until an image is saved
        // again. The picture waits for the next save.
        showUserWarningOnce(ImageWarning, tr("An image clipping cannot be saved:") + "\n" + outcome.error);
        return;
    }
    clearUserWarning(ImageWarning);
    // Its clipping may go into the history file now, or the earlier copy moved.
    if (m_pictures.remove(id))
        requestSave(true);
}

bool HistoryItemModel::keepEarlierPicture(const QUuid &id, const QUuid &earlierId)
{
    const int row = m_index->firstRowWithId(id);
    const int earlier = m_index->firstRowWithId(earlierId);
    if (row < 0 || earlier < 0 || ClippingItem::isRemovedItem(item(earlier)))
        return false;
    // As equal texts are: one clipping, moved to the top with the time of the new copy. The earlier
    // keeps its id, which other computers know.
    QStandardItem *clone = item(earlier)->clone();
    clone->setData(item(row)->data(TimeRole), TimeRole);
    removeItem(row);
    if (!addItem(clone))
        delete clone;
    return true;
}

QList<std::pair<QUuid, QString>> HistoryItemModel::cachedPictures(const QUuid &except) const
{
    QList<std::pair<QUuid, QString>> files;
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const QStandardItem *clipping = item(row);
        const int type = ClippingItem::typeOf(clipping);
        if ((type != 1 && type != 2) || ClippingItem::isRemovedItem(clipping))
            continue;
        const QString fileName = clipping->data(FileNameRole).toString();
        const QUuid id = ClippingItem::idOf(clipping);
        if (id != except && Utils::isPlainFileName(fileName))
            files.append({id, cacheFile(id, fileName)});
    }
    return files;
}

void HistoryItemModel::retryPictures()
{
    if (m_pictures.isEmpty())
        return;
    const auto again = m_pictures.retry([this](const QUuid &id) { return m_index->firstRowWithId(id) >= 0; });
    for (const auto &[picture, outcome] : again)
        startImageJobs(picture.image, picture.url, picture.id, picture.fileName, outcome, cachedPictures(picture.id));
}

bool HistoryItemModel::writePicturesNow()
{
    if (m_pictures.isEmpty())
        return false;
    bool written = false;
    const auto again = m_pictures.retry([this](const QUuid &id) { return m_index->firstRowWithId(id) >= 0; });
    for (const auto &[picture, outcome] : again) {
        std::unique_ptr<CopyToCache> copy(picture.image.isNull()
                                              ? new CopyToCache(picture.url, picture.id, picture.fileName, Utils::imageFolderName())
                                              : new CopyToCache(picture.image, picture.id, picture.fileName, Utils::imageFolderName()));
        copy->setAutoDelete(false);
        copy->run();
        if (copy->written()) {
            m_pictures.remove(picture.id);
            written = true;
        } else {
            outcome->state.store(PendingPictures::Failed, std::memory_order_release);
        }
    }
    return written;
}
