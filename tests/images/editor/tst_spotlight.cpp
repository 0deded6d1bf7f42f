#include "editortestsupport.h"

#include "images/editor/graphicsitembackground.h"

#include <QPainter>
#include <QtTest>

using namespace EditorTest;

namespace {

// White on the left half, black on the right.
QImage halves()
{
    QImage image = flatImage(300, 200, Qt::white);
    QPainter painter(&image);
    painter.fillRect(150, 0, 150, 200, Qt::black);
    return image;
}

int grayAt(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y));
}

} // namespace

class TestSpotlight : public QObject
{
    Q_OBJECT

private slots:
    // The spot shows the picture's own pixels, sharp; around it the picture is blurred and veiled.
    void testSpotlightPixels_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("veiled white far from the spot") << QPoint(30, 100) << 154 << 156;
        QTest::newRow("veiled black far from the spot") << QPoint(270, 100) << 0 << 1;
        QTest::newRow("white inside the spot") << QPoint(147, 100) << 255 << 255;
        QTest::newRow("black inside the spot") << QPoint(152, 100) << 0 << 0;
        QTest::newRow("blurred edge above the spot, white side") << QPoint(147, 20) << 6 << 149;
        QTest::newRow("blurred edge above the spot, black side") << QPoint(152, 20) << 6 << 149;
        QTest::newRow("rounded corner is outside") << QPoint(100, 50) << 0 << 156;
        QTest::newRow("inside the rounding") << QPoint(110, 60) << 255 << 255;
        QTest::newRow("drop shadow below the spot") << QPoint(120, 151) << 0 << 150;
    }

    void testSpotlightPixels()
    {
        QFETCH(QPoint, pixel);
        QFETCH(int, low);
        QFETCH(int, high);
        ImageEditGraphicsView view;
        view.setImage(halves());
        view.setMode(EditMode::Select);
        auto *highlight = place(view, new GraphicsItemHighlight({100, 50}, view.image()), 1);
        highlight->setEnd({200, 150});
        view.updateBackground();
        const int gray = grayAt(view.renderArea(QRect(0, 0, 300, 200)), pixel.x(), pixel.y());
        QVERIFY2(low <= gray && gray <= high, qPrintable(QString::number(gray)));
    }

    // A spot drawn up and to the left shows the same pixels.
    void testSpotDrawnBackwards()
    {
        ImageEditGraphicsView view;
        view.setImage(halves());
        auto *highlight = place(view, new GraphicsItemHighlight({200, 150}, view.image()), 1);
        highlight->setEnd({100, 50});
        view.updateBackground();
        const QImage image = view.renderArea(QRect(0, 0, 300, 200));
        QCOMPARE(grayAt(image, 147, 100), 255);
        QCOMPARE(grayAt(image, 152, 100), 0);
        QVERIFY(grayAt(image, 30, 100) <= 156);
    }

    void testBlurSwitchedRepeatedly()
    {
        ImageEditGraphicsView view;
        view.setImage(halves());
        GraphicsItemBackground *background = view.background();
        const QList<bool> steps = {true, true, false, false, true, false, true};
        for (bool blur : steps) {
            background->setBlur(blur);
            QCOMPARE(background->graphicsEffect() != nullptr, blur);
            const int gray = grayAt(view.renderArea(QRect(0, 0, 300, 200)), 30, 100);
            QCOMPARE(gray, blur ? 155 : 255);
        }
    }

    // The rubber band is the same rectangle whichever way it was dragged: a translucent dark fill
    // with a white outline.
    void testSelectAreaIsNormalised_data()
    {
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<QPointF>("pointer");
        QTest::newRow("down and right") << QPointF(50, 50) << QPointF(100, 100);
        QTest::newRow("up and left") << QPointF(100, 100) << QPointF(50, 50);
        QTest::newRow("up and right") << QPointF(50, 100) << QPointF(100, 50);
        QTest::newRow("down and left") << QPointF(100, 50) << QPointF(50, 100);
    }

    void testSelectAreaIsNormalised()
    {
        QFETCH(QPointF, press);
        QFETCH(QPointF, pointer);
        ImageEditGraphicsView view;
        view.setImage(flatImage(150, 150, QColor(128, 128, 128)));
        auto *band = new GraphicsItemSelectArea(press);
        view.scene()->addItem(band);
        band->setEnd(pointer);
        QCOMPARE(band->rect(), QRectF(50, 50, 50, 50));
        const QImage image = view.renderArea(QRect(0, 0, 150, 150));
        QCOMPARE(grayAt(image, 75, 75), 78);
        QCOMPARE(grayAt(image, 30, 75), 128);
        for (const QPoint &edge : {QPoint(50, 75), QPoint(99, 75), QPoint(75, 50), QPoint(75, 99)})
            QVERIFY2(grayAt(image, edge.x(), edge.y()) > 150, qPrintable(QString("%1,%2").arg(edge.x()).arg(edge.y())));
    }
};

QTEST_MAIN(TestSpotlight)
#include "tst_spotlight.moc"
