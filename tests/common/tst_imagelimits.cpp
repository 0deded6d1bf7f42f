#include "common/imagelimits.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QtTest>

#include <zlib.h>

class TestImageLimits : public QObject
{
    Q_OBJECT

    static QByteArray png(const QSize &size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(32, 64, 96));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // The fastest compression: these pictures are large and all of one colour.
        image.save(&buffer, "PNG", 90);
        return bytes;
    }

    // A PNG header that claims size, with no pixels behind it.
    static QByteArray claimedPng(const QSize &size)
    {
        const auto chunk = [](const QByteArray &kind, const QByteArray &data) {
            QByteArray bytes;
            QDataStream out(&bytes, QIODevice::WriteOnly);
            const QByteArray checked = kind + data;
            out << quint32(data.size());
            out.writeRawData(checked.constData(), int(checked.size()));
            out << quint32(crc32(0, reinterpret_cast<const Bytef *>(checked.constData()), uInt(checked.size())));
            return bytes;
        };
        QByteArray header;
        QDataStream out(&header, QIODevice::WriteOnly);
        // Eight bits per sample, true colour.
        out << quint32(size.width()) << quint32(size.height()) << quint8(8) << quint8(2) << quint8(0) << quint8(0)
            << quint8(0);
        // The header is read up to the first pixel data.
        return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", QByteArray(8, '\0'))
            + chunk("IEND", QByteArray());
    }

private slots:
    void initTestCase() { ImageLimits::apply(); }

    void testLargePicturesDecodeAndBombsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("refused");
        QTest::newRow("10000 x 10000") << png(QSize(10000, 10000)) << QSize();
        // A few bytes that claim 6.4 GB of pixels.
        QTest::newRow("bomb") << claimedPng(QSize(40000, 40000)) << QSize(40000, 40000);
    }

    void testLargePicturesDecodeAndBombsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, refused);
        if (refused.isValid())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exceeds the current allocation limit"));
        const QImage image = QImage::fromData(bytes);
        QCOMPARE(image.isNull(), refused.isValid());
        QCOMPARE(ImageLimits::refusedSize(bytes), refused);
    }
};

QTEST_GUILESS_MAIN(TestImageLimits)
#include "tst_imagelimits.moc"
