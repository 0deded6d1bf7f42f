#include "widgets/svgiconengine.h"

#include <QIcon>
#include <QPainter>
#include <QtTest>

namespace {
// A black square with a 6-unit transparent margin on a 24-unit canvas.
const char *Square = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\" viewBox=\"0 0 24 24\">"
                     "<rect x=\"6\" y=\"6\" width=\"12\" height=\"12\" fill=\"#000000\"/></svg>";
} // namespace

class TestSvgIconEngine : public QObject
{
    Q_OBJECT

private slots:
    void testPixmapHasTheRequestedSizeAndTransparentMargin_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("24") << QSize(24, 24);
        QTest::newRow("48") << QSize(48, 48);
        QTest::newRow("wide") << QSize(40, 24);
    }

    void testPixmapHasTheRequestedSizeAndTransparentMargin()
    {
        QFETCH(QSize, size);
        SVGIconEngine engine(Square);
        const QImage image = engine.pixmap(size, QIcon::Normal, QIcon::Off).toImage();
        QCOMPARE(image.size(), size);
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size.width() - 1, size.height() - 1)), 0);
        QCOMPARE(image.pixelColor(size.width() / 2, size.height() / 2), QColor(0, 0, 0, 255));
    }

    void testDisabledIsHalfOpaqueAndOtherModesFull()
    {
        SVGIconEngine engine(Square);
        const QPoint centre(12, 12);
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Selected}) {
            const QImage image = engine.pixmap(QSize(24, 24), mode, QIcon::Off).toImage();
            QCOMPARE(qAlpha(image.pixel(centre)), 255);
        }
        const QImage disabled = engine.pixmap(QSize(24, 24), QIcon::Disabled, QIcon::On).toImage();
        QVERIFY(qAbs(qAlpha(disabled.pixel(centre)) - 128) <= 2);
    }

    // A disabled icon must not leave its half opacity on the caller's painter.
    void testPaintRestoresFullOpacity()
    {
        SVGIconEngine engine(Square);
        QImage image(24, 24, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        engine.paint(&painter, QRect(0, 0, 24, 24), QIcon::Disabled, QIcon::Off);
        QCOMPARE(painter.opacity(), 1.0);
        painter.fillRect(0, 0, 2, 2, Qt::red);
        painter.end();
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::red));
    }

    void testPaintDrawsIntoTheRectangleOnly()
    {
        SVGIconEngine engine(Square);
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        engine.paint(&painter, QRect(24, 0, 24, 24), QIcon::Normal, QIcon::Off);
        painter.end();
        QCOMPARE(qAlpha(image.pixel(36, 12)), 255);
        QCOMPARE(qAlpha(image.pixel(12, 12)), 0);
        QCOMPARE(qAlpha(image.pixel(36, 36)), 0);
    }

    void testIconAndItsCopiesDrawThroughTheEngine()
    {
        QIcon icon(new SVGIconEngine(Square));
        QIcon copy = icon;
        copy.detach();
        std::unique_ptr<QIconEngine> clone(SVGIconEngine(Square).clone());
        for (const QImage &image : {icon.pixmap(QSize(32, 32)).toImage(), copy.pixmap(QSize(32, 32)).toImage(),
                                    clone->pixmap(QSize(32, 32), QIcon::Normal, QIcon::Off).toImage()}) {
            QCOMPARE(image.size(), QSize(32, 32));
            QCOMPARE(image.pixelColor(16, 16), QColor(0, 0, 0));
            QCOMPARE(qAlpha(image.pixel(2, 2)), 0);
        }
    }
};

QTEST_MAIN(TestSvgIconEngine)
#include "tst_svgiconengine.moc"
