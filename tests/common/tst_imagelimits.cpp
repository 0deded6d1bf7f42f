#include "common/imagelimits.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

// A picture that claims more than the limit is refused, and the status line says so: test_capture.sh.
class TestImageLimits : public QObject
{
    Q_OBJECT

private slots:
    void testLargePictureDecodes()
    {
        // 400 MB decoded: past the decoder's own default limit, within ours.
        QImage image(10000, 10000, QImage::Format_RGB32);
        image.fill(QColor(32, 64, 96));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // The fastest compression: the picture is large and all of one colour.
        QVERIFY(image.save(&buffer, "PNG", 90));
        image = QImage();

        ImageLimits::apply();
        QVERIFY(!QImage::fromData(bytes).isNull());
        QCOMPARE(ImageLimits::refusedSize(bytes), QSize());
    }
};

QTEST_GUILESS_MAIN(TestImageLimits)
#include "tst_imagelimits.moc"
