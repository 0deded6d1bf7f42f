#include "history/makethumbnail.h"
#include "common/utils.h"

#include <QPainter>
#include <QtTest>

#include <memory>

class TestMakeThumbnail : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString cachedPath(QUuid id, const QString &fileName)
    {
        const QString folder = Utils::dataPath() + "/images/" + id.toString();
        QDir().mkpath(folder);
        return folder + "/" + fileName;
    }

    // Three bands across the long side: only the middle band belongs to the 4:3 crop.
    static QImage bandedImage(int w, int h, const QRect &crop)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.fillRect(crop, Qt::green);
        return image;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    }

    void testCropIsTheCentred4To3Part_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("crop");
        QTest::newRow("wide 1600x900") << QSize(1600, 900) << QRect(200, 0, 1200, 900);
        QTest::newRow("tall 900x1600") << QSize(900, 1600) << QRect(0, 462, 900, 675);
        QTest::newRow("exactly 4:3") << QSize(800, 600) << QRect(0, 0, 800, 600);
        QTest::newRow("odd width") << QSize(1001, 600) << QRect(100, 0, 800, 600);
        QTest::newRow("truncated width") << QSize(1000, 7) << QRect(495, 0, 9, 7);
        QTest::newRow("truncated height") << QSize(10, 100) << QRect(0, 46, 10, 7);
    }

    void testCropIsTheCentred4To3Part()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, crop);
        QCOMPARE(MakeThumbnail::cropRect(size), crop);
    }

    void testThumbnailShowsOnlyTheCrop_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("wide") << QSize(1600, 900);
        QTest::newRow("tall") << QSize(900, 1600);
        QTest::newRow("4:3") << QSize(800, 600);
        QTest::newRow("small") << QSize(40, 40);
    }

    void testThumbnailShowsOnlyTheCrop()
    {
        QFETCH(QSize, size);
        const QImage image =
            bandedImage(size.width(), size.height(), MakeThumbnail::cropRect(size));
        const QImage thumbnail = MakeThumbnail::makeThumbnail(image);
        QCOMPARE(thumbnail.size(), QSize(160, 120));
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x)
                QCOMPARE(QColor(thumbnail.pixel(x, y)), QColor(Qt::green));
    }

    // A one-pixel line would give an empty crop and so a null thumbnail.
    void testThinImagesStillGiveAThumbnail_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("one pixel high") << QSize(1000, 1);
        QTest::newRow("one pixel wide") << QSize(1, 1000);
        QTest::newRow("one pixel") << QSize(1, 1);
    }

    void testThinImagesStillGiveAThumbnail()
    {
        QFETCH(QSize, size);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QImage thumbnail = MakeThumbnail::makeThumbnail(image);
        QVERIFY(!thumbnail.isNull());
        QCOMPARE(thumbnail.size(), QSize(160, 120));
        QCOMPARE(QColor(thumbnail.pixel(80, 60)), QColor(Qt::blue));
    }

    void testThumbnailOfACachedImageArrivesQueued_data()
    {
        QTest::addColumn<bool>("receiverGone");
        QTest::newRow("to its receiver") << false;
        // Removed or closed while the job ran: the result must not reach what is left of it.
        QTest::newRow("after its receiver is gone") << true;
    }

    void testThumbnailOfACachedImageArrivesQueued()
    {
        QFETCH(bool, receiverGone);
        const QUuid id = QUuid::createUuid();
        const QSize size(1600, 900);
        QVERIFY(bandedImage(1600, 900, MakeThumbnail::cropRect(size)).save(cachedPath(id, "Shot-1600x900.png")));

        QList<QPair<QImage, QUuid>> received;
        auto receiver = std::make_unique<QObject>();
        QThreadPool::globalInstance()->start(new MakeThumbnail("Shot-1600x900.png", id, receiver.get(),
            [&received, id](const QImage &image) { received.append({image, id}); }));
        if (receiverGone) {
            QThreadPool::globalInstance()->waitForDone();
            receiver.reset();
            QCoreApplication::processEvents();
            QVERIFY(received.isEmpty());
            return;
        }
        QVERIFY(received.isEmpty());
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received[0].second, id);
        QCOMPARE(received[0].first.size(), QSize(160, 120));
        QCOMPARE(QColor(received[0].first.pixel(0, 0)), QColor(Qt::green));
    }

    void testMissingOrUnreadableImageSendsNoThumbnail()
    {
        const QUuid id = QUuid::createUuid();
        QFile broken(cachedPath(id, "broken.png"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not an image");
        broken.close();

        for (const QString name : {"missing.png", "broken.png"}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to load image .*" + name));
            int made = 0;
            MakeThumbnail job(name, id, this, [&made](const QImage &) { ++made; });
            job.run();
            QCoreApplication::processEvents();
            QCOMPARE(made, 0);
        }
    }

    // A file name from a synchronised document must not read images outside the clipping's folder.
    void testFileNameCannotReachOutsideTheClippingFolder()
    {
        const QUuid id = QUuid::createUuid();
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::yellow);
        QVERIFY(image.save(Utils::dataPath() + "/images/outside.png"));
        QDir().mkpath(Utils::dataPath() + "/images/" + id.toString());

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to load image"));
        int made = 0;
        MakeThumbnail job("../outside.png", id, this, [&made](const QImage &) { ++made; });
        job.run();
        QCoreApplication::processEvents();
        QCOMPARE(made, 0);
    }
};

QTEST_MAIN(TestMakeThumbnail)
#include "tst_makethumbnail.moc"
