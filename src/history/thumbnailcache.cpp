#include "history/thumbnailcache.h"

#include "history/makethumbnail.h"
#include "common/utils.h"

#include <QThreadPool>

#include <limits>

ThumbnailCache::ThumbnailCache(QObject *parent, int capacity)
    : QObject(parent)
{
    m_images.setMaxCost(qMax(1, capacity));
    m_pool.setMaxThreadCount(2);
}

ThumbnailCache::~ThumbnailCache()
{
    // Jobs not started yet are dropped; those running finish before the cache goes.
    m_pool.clear();
    m_pool.waitForDone();
}

QImage ThumbnailCache::thumbnail(const QUuid &id, const QString &fileName)
{
    if (const QImage *image = m_images.object(id))
        return *image;
    if (m_pending.contains(id) || id.isNull() || !Utils::isPlainFileName(fileName))
        return QImage();
    m_pending.insert(id);
    m_priority = m_priority == std::numeric_limits<int>::max() ? 0 : m_priority + 1;
    // The pool owns and deletes the job once it ran.
    m_pool.start(new MakeThumbnail(fileName, id, this, [this, id](const QImage &image) { insert(image, id); }), m_priority);
    return QImage();
}

void ThumbnailCache::expect(const QUuid &id)
{
    m_pending.insert(id);
}

void ThumbnailCache::insert(const QImage &image, const QUuid &id)
{
    m_pending.remove(id);
    if (image.isNull())
        return;
    m_images.insert(id, new QImage(image));
    emit ready(id);
}
