// Thumbnails made when a row first asks for one, kept for the rows asked for last.
#include "historytestsupport.h"

#include "history/makethumbnail.h"
#include "history/thumbnailcache.h"

#include <QPainter>
#include <QSignalSpy>

using namespace HistoryTest;

class TestThumbnailCache : public QObject
{
    Q_OBJECT

    // An image file in the image cache, with a pattern the crop and the scaling show.
    static QUuid cachedImage(const QString &fileName, const QColor &colour)
    {
        const QUuid id = QUuid::createUuid();
        const QString folder = Utils::dataPath() + "/images/" + id.toString();
        QDir().mkpath(folder);
        QImage image(640, 360, QImage::Format_RGB32);
        image.fill(colour);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        for (int x = 0; x < 640; x += 37)
            painter.drawLine(x, 0, 639 - x, 359);
        painter.end();
        image.save(folder + "/" + fileName);
        return id;
    }

    static QImage waitFor(ThumbnailCache &cache, const QUuid &id, const QString &fileName)
    {
        QImage thumbnail;
        // A null image tells the caller the thumbnail never came.
        if (!QTest::qWaitFor([&] { return !(thumbnail = cache.thumbnail(id, fileName)).isNull(); }, 5000))
            return QImage();
        return thumbnail;
    }

private slots:
    void init() { resetStore(); }

    void testEvictedThumbnailComesBackIdentical()
    {
        ThumbnailCache cache(nullptr, 1);
        const QUuid first = cachedImage("first.png", Qt::yellow);
        const QUuid second = cachedImage("second.png", Qt::cyan);

        QVERIFY(cache.thumbnail(first, "first.png").isNull());
        const QImage made = waitFor(cache, first, "first.png");
        QVERIFY(!made.isNull());
        QCOMPARE(made, MakeThumbnail::makeThumbnail(QImage(Utils::dataPath() + "/images/" + first.toString() + "/first.png")));

        // Room for one: the second drops the first.
        QVERIFY(!waitFor(cache, second, "second.png").isNull());
        QVERIFY(!cache.contains(first));
        QVERIFY(cache.thumbnail(first, "first.png").isNull());
        QCOMPARE(waitFor(cache, first, "first.png"), made);
    }

    void testAThumbnailOnItsWayIsNotMadeTwice()
    {
        ThumbnailCache cache;
        const QUuid id = cachedImage("shot.png", Qt::green);
        QSignalSpy ready(&cache, &ThumbnailCache::ready);
        cache.expect(id);
        QVERIFY(cache.thumbnail(id, "shot.png").isNull());
        QTest::qWait(200);
        QCOMPARE(ready.count(), 0);
        QImage arrived(160, 120, QImage::Format_RGB32);
        arrived.fill(Qt::magenta);
        cache.insert(arrived, id);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(cache.thumbnail(id, "shot.png"), arrived);
    }

    void testUnsafeNameIsNeverRead()
    {
        ThumbnailCache cache;
        QSignalSpy ready(&cache, &ThumbnailCache::ready);
        QVERIFY(cache.thumbnail(QUuid::createUuid(), "../outside.png").isNull());
        QTest::qWait(100);
        QCOMPARE(ready.count(), 0);
    }

    void testHistoryRowGetsItsThumbnailWhenFirstAskedAndReportsIt()
    {
        HistoryItemModel model(nullptr, nullptr);
        const QUuid id = cachedImage("row.png", Qt::blue);
        model.addItem(imageItem("row.png", time("2024-03-05T10:20:30"), "Viewer", id));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.index(0, 0).data(ThumbnailRole).isNull());
        QTRY_VERIFY(!changed.isEmpty());
        QCOMPARE(changed.first().at(0).toModelIndex(), model.index(0, 0));
        const QImage thumbnail = model.index(0, 0).data(ThumbnailRole).value<QImage>();
        QCOMPARE(thumbnail.size(), QSize(160, 120));
        // A text row has none.
        model.addItem(textItem("text", time("2024-03-05T11:00:00")));
        QVERIFY(model.index(0, 0).data(ThumbnailRole).isNull());
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestThumbnailCache)
#include "tst_thumbnailcache.moc"
