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

CopyToCache *newCopy(const QImage &image, const QUrl &url, const QUuid &id, const QString &fileName)
{
    return image.isNull() ? new CopyToCache(url, id, fileName, Utils::imageFolderName())
                          : new CopyToCache(image, id, fileName, Utils::imageFolderName());
}

} // namespace

void HistoryItemModel::startImageJobs(const QImage &image, const QUrl &url, const QUuid &id, const QString &fileName,
                                      std::shared_ptr<PendingPictures::Outcome> outcome,
                                      QList<std::pair<QUuid, QString>> compareWith)
{
    if (!outcome)
        outcome = std::make_shared<PendingPictures::Outcome>();
    // The pool owns the job; what it did comes back to this thread.
    CopyToCache *copy = newCopy(image, url, id, fileName);
    copy->compareWith(std::move(compareWith));
    m_thumbnails->expect(id);
    copy->whenDone(this, [this, id, fileName, outcome](const CopyToCache::Result &result) {
        outcome->error = result.error;
        outcome->sameAs = result.sameAs;
        outcome->state = result.written ? PendingPictures::Written : PendingPictures::Failed;
        pictureWritten(id, fileName, *outcome);
    });
    QThreadPool::globalInstance()->start(copy);
}

void HistoryItemModel::pictureWritten(const QUuid &id, const QString &fileName, const PendingPictures::Outcome &outcome)
{
    if (!holdsLivePicture(id)) {
        // Removed, trimmed or refused while it was written: nothing of it stays in the cache.
        m_thumbnails->drop(id);
        removeImageFolder(id);
        return;
    }
    if (outcome.state != PendingPictures::Written) {
        // A full or read-only disk fails every image alike: told once, until an image is saved
        // again. The picture waits for the next save.
        showUserWarningOnce(ImageWarning, tr("An image clipping cannot be saved:") + "\n" + outcome.error);
        return;
    }
    clearUserWarning(ImageWarning);
    // Its clipping may go into the history file now, or the earlier copy moved.
    const bool pending = m_pictures.remove(id);
    if (!outcome.sameAs.isNull() && keepEarlierPicture(id, outcome.sameAs)) {
        requestSave(true);
        return;
    }
    QThreadPool::globalInstance()->start(
        new MakeThumbnail(fileName, id, this, [this, id](const QImage &thumbnail) { applyThumbnail(thumbnail, id); }));
    if (pending)
        requestSave(true);
}

bool HistoryItemModel::holdsLivePicture(const QUuid &id) const
{
    const int row = m_index->firstRowWithId(id);
    return row >= 0 && !ClippingItem::isRemovedItem(item(row));
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
    const auto again = m_pictures.retry([this](const QUuid &id) { return holdsLivePicture(id); });
    for (const auto &[picture, outcome] : again)
        startImageJobs(picture.image, picture.url, picture.id, picture.fileName, outcome, cachedPictures(picture.id));
}

bool HistoryItemModel::writePicturesNow()
{
    if (m_pictures.isEmpty())
        return false;
    bool written = false;
    const auto again = m_pictures.retry([this](const QUuid &id) { return holdsLivePicture(id); });
    for (const auto &[picture, outcome] : again) {
        const std::unique_ptr<CopyToCache> copy(newCopy(picture.image, picture.url, picture.id, picture.fileName));
        if (copy->copyHere().written) {
            m_pictures.remove(picture.id);
            written = true;
        } else {
            outcome->state = PendingPictures::Failed;
        }
    }
    return written;
}
