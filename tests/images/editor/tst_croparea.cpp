#include "editortestsupport.h"

#include "images/editor/framehandles.h"

#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

using namespace EditorTest;

namespace {

// A light picture with 1-pixel lines of the given colour at the given rows and columns.
QImage withLines(int width, int height, QColor background, QColor line, const QList<int> &rows, const QList<int> &columns)
{
    QImage image = flatImage(width, height, background);
    QPainter painter(&image);
    for (int y : rows)
        painter.fillRect(0, y, width, 1, line);
    for (int x : columns)
        painter.fillRect(x, 0, 1, height, line);
    return image;
}

QImage checkerboard(int width, int height)
{
    QImage image = flatImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return image;
}

// Alternating black and white rows in a tall picture, columns in a wide one.
QImage stripes(int width, int height)
{
    QImage image = flatImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (height >= width ? y : x) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return image;
}

QRectF middleTwoThirds(qreal width, qreal height)
{
    return QRectF(width / 6, height / 6, width - 2 * width / 6, height - 2 * height / 6);
}

} // namespace

class TestCropArea : public QObject
{
    Q_OBJECT

private slots:
    void testFrameDetection_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QRectF>("crop");

        QTest::newRow("flat picture keeps the middle two thirds") << flatImage(120, 90) << QRectF(20, 15, 80, 60);
        QTest::newRow("frame line with one light pixel beyond it")
            << withLines(120, 90, Qt::white, Qt::black, {5, 84}, {5, 114}) << QRectF(4, 4, 112, 82);
        {
            QImage image = withLines(120, 90, Qt::white, Qt::black, {5, 84}, {5, 114});
            image.setPixel(40, 5, qRgb(255, 255, 255));
            QTest::newRow("line broken at one third is not taken") << image << QRectF(4, 15, 112, 71);
        }
        {
            QImage image = withLines(120, 90, Qt::white, Qt::black, {5, 84}, {5, 114});
            image.setPixel(5, 60, qRgb(255, 255, 255));
            QTest::newRow("column broken at two thirds is not taken") << image << QRectF(20, 4, 96, 82);
        }
        QTest::newRow("window on a desktop")
            << withLines(300, 200, QColor(200, 200, 200), QColor(40, 40, 40), {12, 185}, {10, 280}) << QRectF(9, 11, 273, 176);
        QTest::newRow("step too faint to be a frame")
            << withLines(120, 90, Qt::white, QColor(245, 245, 245), {5, 84}, {5, 114}) << QRectF(20, 15, 80, 60);
        // The outermost rows and columns are never probed: lines there are found only from the
        // row or column next to them, which the scans from the far edges reach.
        QTest::newRow("lines on the outermost rows and columns")
            << withLines(120, 90, Qt::white, Qt::black, {0, 89}, {0, 119}) << QRectF(20, 15, 99, 74);
        QTest::newRow("six pixels skip the top and left scans") << checkerboard(6, 6) << QRectF(1, 1, 4, 4);
        for (const QSize &size : {QSize(1, 20), QSize(2, 20), QSize(20, 1), QSize(20, 2), QSize(1, 1), QSize(2, 2)}) {
            // Stripes across the long side, so every probe that fits in the picture matches.
            const QImage image = stripes(size.width(), size.height());
            QTest::addRow("%dx%d reads nothing outside the picture", size.width(), size.height())
                << image << middleTwoThirds(size.width(), size.height());
        }
    }

    void testFrameDetection()
    {
        QFETCH(QImage, image);
        QFETCH(QRectF, crop);
        QTest::failOnWarning(QRegularExpression(".*"));
        QRectF imageRect, cropRect;
        GraphicsItemCropArea::calculateRects(image, imageRect, cropRect);
        QCOMPARE(imageRect, QRectF(image.rect()));
        QCOMPARE(cropRect, crop);
        GraphicsItemCropArea area(image);
        QCOMPARE(area.cropRect(), crop);
    }

    // Handles stop 20 pixels before the opposite edge, which never moves.
    void testResizeStopsBeforeTheOppositeEdge_data()
    {
        QTest::addColumn<bool>("crop");
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QRectF>("frame");
        using H = FrameHandles::Handle;
        QTest::newRow("top-left") << false << int(H::TopLeft) << QPointF(400, 300) << QRectF(280, 180, 20, 20);
        QTest::newRow("top-centre") << false << int(H::TopCentre) << QPointF(200, 300) << QRectF(100, 180, 200, 20);
        QTest::newRow("top-right") << false << int(H::TopRight) << QPointF(0, 300) << QRectF(100, 180, 20, 20);
        QTest::newRow("middle-left") << false << int(H::MiddleLeft) << QPointF(400, 150) << QRectF(280, 100, 20, 100);
        QTest::newRow("middle-right") << false << int(H::MiddleRight) << QPointF(0, 150) << QRectF(100, 100, 20, 100);
        QTest::newRow("bottom-left") << false << int(H::BottomLeft) << QPointF(400, 0) << QRectF(280, 100, 20, 20);
        QTest::newRow("bottom-centre") << false << int(H::BottomCentre) << QPointF(200, 0) << QRectF(100, 100, 200, 20);
        QTest::newRow("bottom-right") << false << int(H::BottomRight) << QPointF(0, 0) << QRectF(100, 100, 20, 20);
        QTest::newRow("within bounds") << false << int(H::BottomRight) << QPointF(350, 260) << QRectF(100, 100, 250, 160);
        QTest::newRow("crop top-left") << true << int(H::TopLeft) << QPointF(600, 400) << QRectF(480, 230, 20, 20);
        QTest::newRow("crop beyond the picture") << true << int(H::MiddleRight) << QPointF(700, 10) << QRectF(100, 50, 600, 200);
    }

    void testResizeStopsBeforeTheOppositeEdge()
    {
        QFETCH(bool, crop);
        QFETCH(int, handle);
        QFETCH(QPointF, to);
        QFETCH(QRectF, frame);
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        GraphicsItemBase *item = nullptr;
        if (crop) {
            view.setCrop(true, true);
            item = view.cropArea();
        } else {
            item = place(view, new GraphicsItemHighlight({100, 100}, view.image()), 1);
            item->setEnd({300, 200});
            item->setPicked(true);
        }
        QVERIFY(dragHandle(item, item->handles().at(handle)->position(), to));
        const QList<QPointF> points = definingPoints(item);
        QCOMPARE(QRectF(points.first(), points.last()), frame);
        // The handles sit on the new frame.
        QCOMPARE(item->handles().at(FrameHandles::TopLeft)->position(), frame.topLeft());
        QCOMPARE(item->handles().at(FrameHandles::BottomRight)->position(), frame.bottomRight());
    }

    void testCropAreaTakesPressesOnlyWhilePickedAndShown_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("grabs");
        QTest::newRow("picked and shown") << true << true << true;
        QTest::newRow("not picked") << false << true << false;
        QTest::newRow("switched off while picked") << true << false << false;
    }

    void testCropAreaTakesPressesOnlyWhilePickedAndShown()
    {
        QFETCH(bool, picked);
        QFETCH(bool, shown);
        QFETCH(bool, grabs);
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        view.setCrop(true, picked);
        if (!shown)
            view.setCrop(false, false);
        GraphicsItemCropArea *crop = view.cropArea();
        QCOMPARE(crop->mousePress({100, 50}), grabs);
        QCOMPARE(crop->mouseMove({130, 80}), grabs);
        crop->mouseRelease({130, 80});
        QCOMPARE(crop->cropRect(), grabs ? QRectF(130, 80, 370, 170) : QRectF(100, 50, 400, 200));
    }

    // Outside the crop rectangle the picture is shaded once, with no overlap at the corners.
    void testShadedBands_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<int>("gray");
        QTest::newRow("inside") << QPoint(300, 150) << 255;
        QTest::newRow("top") << QPoint(300, 20) << 127;
        QTest::newRow("left") << QPoint(50, 150) << 127;
        QTest::newRow("right") << QPoint(550, 150) << 127;
        QTest::newRow("bottom") << QPoint(300, 280) << 127;
        QTest::newRow("top-left corner") << QPoint(50, 20) << 127;
        QTest::newRow("bottom-right corner") << QPoint(599, 299) << 127;
    }

    void testShadedBands()
    {
        QFETCH(QPoint, pixel);
        QFETCH(int, gray);
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        view.setCrop(true, false);
        const QImage image = view.renderArea(QRect(0, 0, 600, 300));
        QVERIFY(qAbs(qGray(image.pixel(pixel)) - gray) <= 1);
    }
};

QTEST_MAIN(TestCropArea)
#include "tst_croparea.moc"
