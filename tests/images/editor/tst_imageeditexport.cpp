#include "editortestsupport.h"

#include "images/editor/graphicsitembackground.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

#include <algorithm>
#include <functional>

using namespace EditorTest;

namespace {

// A picture with detail everywhere, so that a blur or a shifted pixel shows.
QImage busyPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 7 + y * 3) % 256, (x ^ y) % 256, (x * y / 5) % 256);
    }
    return image;
}

// Every pixel an item paints outside picture, found by painting the whole item at once; the
// export area must widen the picture to exactly these.
QRect paintedBeyond(QGraphicsItem *item, const QRect &picture)
{
    const QRect bounds = item->boundingRect().toAlignedRect();
    QImage canvas(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.translate(-bounds.topLeft());
    QStyleOptionGraphicsItem option;
    option.exposedRect = bounds;
    item->paint(&painter, &option, nullptr);
    painter.end();
    QRect beyond;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QPoint at = QPoint(x, y) + bounds.topLeft();
            if (qAlpha(canvas.pixel(x, y)) && !picture.contains(at))
                beyond |= QRect(at, QSize(1, 1));
        }
    }
    return beyond;
}

QRect expectedExportArea(ImageEditGraphicsView &view)
{
    QRect area = view.background()->boundingRect().toRect();
    const QRect picture = area;
    for (QGraphicsItem *item : view.scene()->items()) {
        if (dynamic_cast<GraphicsItemBase *>(item) && item->isVisible() && !item->parentItem())
            area |= paintedBeyond(item, picture);
    }
    return area;
}

using Scene = std::function<void(ImageEditGraphicsView &)>;
// Builds a scene with annotations of the given width.
using Build = std::function<void(ImageEditGraphicsView &, int)>;

template<typename Item>
Item *drawn(ImageEditGraphicsView &view, Item *item, QPointF to, int width, QColor color = Qt::red)
{
    place(view, item, width, color);
    item->setEnd(to);
    return item;
}

} // namespace

class TestImageEditExport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QPixmapCache::clear();
    }

    // The export area grows by exactly what the annotations paint beyond the picture, however
    // wide, picked, fractional or backwards they are.
    void testExportAreaIsWhatIsPainted_data()
    {
        QTest::addColumn<Scene>("scene");
        for (int width : {1, 2, 4, 5, 8, 9, 16, 24}) {
            const auto row = [width](const char *name, const Build &build) {
                QTest::addRow(name, width) << Scene([width, build](ImageEditGraphicsView &view) { build(view, width); });
            };
            row("frame on the edges, width %d", [](ImageEditGraphicsView &view, int width) {
                drawn(view, new GraphicsItemRectangle({0, 0}), {400, 300}, width);
            });
            row("frames along the edges, width %d", [](ImageEditGraphicsView &view, int width) {
                for (int i = 0; i < 6; ++i)
                    drawn(view, new GraphicsItemRectangle({3.0 + i, 2.0 + i}), {397.0 - i, 298.0 - i}, width);
            });
            row("picked frame just inside, width %d", [](ImageEditGraphicsView &view, int width) {
                const QPointF from(width + 1.5, width + 2.25);
                view.select(drawn(view, new GraphicsItemRectangle(from), QPointF(400, 300) - from, width));
            });
            row("frame drawn backwards past the corner, width %d", [](ImageEditGraphicsView &view, int width) {
                drawn(view, new GraphicsItemRectangle({420.3, 310.6}), {-7.4, -3.2}, width, Qt::white);
            });
            row("arrows out of every side, width %d", [](ImageEditGraphicsView &view, int width) {
                drawn(view, new GraphicsItemArrow({200, 150}), {-2.5, 120.25}, width);
                drawn(view, new GraphicsItemArrow({200, 150}), {402.75, 180}, width, Qt::black);
                drawn(view, new GraphicsItemArrow({200, 150}), {230.5, -1}, width, Qt::blue);
                drawn(view, new GraphicsItemArrow({200, 150}), {170, 301.5}, width, Qt::yellow);
            });
            row("picked arrow ending at the corner, width %d", [](ImageEditGraphicsView &view, int width) {
                view.select(drawn(view, new GraphicsItemArrow({300, 200}), {399, 299}, width));
            });
            row("short arrow at the edge, width %d", [](ImageEditGraphicsView &view, int width) {
                drawn(view, new GraphicsItemArrow({1, 1}), {1.5, 0.5}, width);
            });
            row("text and number at the edges, width %d", [](ImageEditGraphicsView &view, int width) {
                drawn(view, new GraphicsItemText({0, 150}, "at the edge"), {3, 2}, width);
                drawn(view, new GraphicsItemNumber({390, 5}, 12), {399, 3}, width);
            });
        }
        QTest::newRow("hidden frame beyond the edges") << Scene([](ImageEditGraphicsView &view) {
            drawn(view, new GraphicsItemRectangle({-20, -20}), {420, 320}, 8)->setVisible(false);
        });
        QTest::newRow("spotlight over the edge") << Scene([](ImageEditGraphicsView &view) {
            drawn(view, new GraphicsItemHighlight({350, 250}, view.image()), {430, 330}, 1);
            view.updateBackground();
        });
    }

    void testExportAreaIsWhatIsPainted()
    {
        QFETCH(Scene, scene);
        ImageEditGraphicsView view;
        view.setImage(flatImage(400, 300));
        scene(view);
        QCOMPARE(view.getImageRect(false), expectedExportArea(view));
    }

    // The blurred backdrop of the spotlights comes out the same whether the export paints it
    // afresh, again, or after the view has shown it at another zoom.
    void testSpotlightExportIsTheSameEveryTime_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small picture") << QSize(320, 200);
        // Larger than the pixmap cache holds by default.
        QTest::newRow("large picture") << QSize(1800, 1500);
    }

    void testSpotlightExportIsTheSameEveryTime()
    {
        QFETCH(QSize, size);
        ImageEditGraphicsView view;
        view.setImage(busyPicture(size.width(), size.height()));
        view.setMode(EditMode::Select);
        const qreal w = size.width(), h = size.height();
        drawn(view, new GraphicsItemHighlight({20.5, 30.25}, view.image()), {w / 3, h / 2}, 1);
        drawn(view, new GraphicsItemHighlight({w - 10, h / 2}, view.image()), {w / 2 + 0.75, h / 4}, 1);
        drawn(view, new GraphicsItemHighlight({w / 2, h - 40}, view.image()), {w / 2 + 60, h + 25}, 1);
        for (int i = 0; i < 4; ++i)
            drawn(view, new GraphicsItemRectangle({2.0 + i, 3.0 + i}), {w - 2 - i, h - 3 - i}, 24, Qt::green);
        drawn(view, new GraphicsItemArrow({w / 2, h / 2}), {w + 3, h / 3}, 16, Qt::blue);
        view.updateBackground();
        QVERIFY(view.background()->blur());

        QPixmapCache::clear();
        const QRect area = view.getImageRect(false);
        QVERIFY(!QRect(QPoint(0, 0), size).contains(area));
        const QImage first = view.renderArea(area);
        QCOMPARE(view.renderArea(area), first);

        view.resize(500, 400);
        view.setZoom(0.5);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.grab();
        view.resetTransform();
        QCOMPARE(view.renderArea(area), first);

        // Still the picture blurred, veiled and spotlit, not a plain copy of it.
        const QImage picture = view.image();
        const QPoint veiled(int(w * 0.8), int(h * 0.75));
        const QPoint spotlit(60, 70);
        QVERIFY(first.pixel(veiled - area.topLeft()) != picture.pixel(veiled));
        QCOMPARE(first.pixel(spotlit - area.topLeft()), picture.pixel(spotlit));
    }
};

QTEST_MAIN(TestImageEditExport)
#include "tst_imageeditexport.moc"
