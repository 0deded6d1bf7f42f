#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QUuid>

// The thumbnails of the history's image clippings, made when a row first asks for one and kept
// for the rows asked for last: a history of thousands of images holds a few hundred of them.
// One that was dropped is made again from the image file, as it was the first time.
class ThumbnailCache : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultCapacity = 200;

    explicit ThumbnailCache(QObject *parent = nullptr, int capacity = DefaultCapacity);
    ~ThumbnailCache() override;

    // The thumbnail when it is at hand; otherwise a null image, and one is made (once) from the
    // clipping's image file, announced by ready().
    QImage thumbnail(const QUuid &id, const QString &fileName);
    // A thumbnail is on its way already (its image file is still being written): none is made
    // for a row that asks meanwhile.
    void expect(const QUuid &id);
    // The thumbnail expected will not come: the next row that asks has one made.
    void drop(const QUuid &id) { m_pending.remove(id); }
    void insert(const QImage &image, const QUuid &id);
    bool contains(const QUuid &id) const { return m_images.contains(id); }
    int count() const { return int(m_images.count()); }

signals:
    void ready(const QUuid &id);

private:
    QCache<QUuid, QImage> m_images;
    // Asked for and not arrived; a file that cannot be read stays here and is not tried again.
    QSet<QUuid> m_pending;
    // Two threads: each holds a whole decoded image while it works, and memory freed by a thread
    // stays with it.
    QThreadPool m_pool;
    // Rows asked for last go first: while the list scrolls past, those on the screen are wanted.
    int m_priority = 0;
};
