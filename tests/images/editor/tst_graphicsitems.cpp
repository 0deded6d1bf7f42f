#include "editortestsupport.h"

#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QtTest>

using namespace EditorTest;

namespace {

struct Click
{
    QPointF point;
    bool hits;
};

struct Band
{
    QRectF rect;
    bool catches;
};

// One annotation: how it is drawn, what clicks and rubber bands catch it, and one handle drag.
struct ItemCase
{
    const char *name;
    std::function<GraphicsItemBase *(ImageEditGraphicsView &)> make;
    QList<QPointF> geometry;
    QList<Click> clicks;
    QList<Band> bands;
    bool hasHandle;
    QPointF handleFrom;
    QPointF handleTo;
    QList<QPointF> dragged;
    bool recordsUndo;
};

template<typename Item>
std::function<GraphicsItemBase *(ImageEditGraphicsView &)> drawn(std::function<Item *()> create, QPointF end, int width = 8)
{
    return [create, end, width](ImageEditGraphicsView &view) -> GraphicsItemBase * {
        Item *item = place(view, create(), width);
        item->setEnd(end);
        return item;
    };
}

const QList<ItemCase> &itemCases()
{
    static const QList<ItemCase> cases = {
        {"arrow", drawn<GraphicsItemArrow>([] { return new GraphicsItemArrow({100, 100}); }, {200, 100}),
         {{100, 100}, {200, 100}},
         {{{150, 100}, true}, {{150, 104.5}, true}, {{150, 110}, false}, {{195, 100}, true}, {{210, 100}, false}},
         {{{140, 90, 20, 20}, true}, {{140, 120, 20, 20}, false}},
         true, {200, 100}, {200, 150}, {{100, 100}, {200, 150}}, true},
        {"arrow shorter than its head", drawn<GraphicsItemArrow>([] { return new GraphicsItemArrow({100, 100}); }, {105, 100}),
         {{100, 100}, {105, 100}},
         {{{114, 100}, true}, {{122, 100}, false}},
         {},
         true, {100, 100}, {50, 100}, {{50, 100}, {105, 100}}, true},
        {"rectangle", drawn<GraphicsItemRectangle>([] { return new GraphicsItemRectangle({100, 100}); }, {300, 200}),
         {{100, 100}, {300, 200}},
         {{{200, 150}, false}, {{110, 150}, true}, {{120, 150}, false}, {{96, 150}, true}, {{90, 150}, false}},
         {{{150, 130, 50, 30}, false}, {{90, 140, 20, 20}, true}, {{20, 20, 30, 30}, false}, {{50, 50, 400, 300}, true}},
         true, {300, 100}, {350, 80}, {{100, 80}, {350, 200}}, true},
        {"rectangle drawn up and left", drawn<GraphicsItemRectangle>([] { return new GraphicsItemRectangle({300, 200}); }, {100, 100}),
         {{300, 200}, {100, 100}},
         {{{200, 150}, true}, {{400, 150}, false}},
         {{{150, 130, 50, 30}, false}, {{90, 140, 20, 20}, true}},
         true, {100, 100}, {50, 50}, {{300, 200}, {50, 50}}, true},
        {"text", drawn<GraphicsItemText>([] { return new GraphicsItemText({200, 200}, "Hi"); }, {300, 300}),
         {{300, 300}, {200, 200}},
         {{{300, 300}, true}, {{200, 200}, true}, {{100, 100}, false}},
         {{{280, 280, 40, 40}, true}, {{20, 300, 30, 30}, false}},
         true, {200, 200}, {150, 260}, {{300, 300}, {150, 260}}, true},
        {"number", drawn<GraphicsItemNumber>([] { return new GraphicsItemNumber({100, 100}, 3); }, {100, 100}),
         {{100, 100}},
         {{{100, 100}, true}, {{115, 100}, true}, {{125, 100}, false}},
         {{{110, 110, 30, 30}, true}, {{130, 130, 30, 30}, false}},
         false, {100, 100}, {}, {}, false},
        {"highlight", drawn<GraphicsItemHighlight>([] { return new GraphicsItemHighlight({100, 100}, flatImage(600, 300)); }, {300, 200}, 1),
         {{100, 100}, {300, 200}},
         {{{200, 150}, true}, {{305, 150}, false}},
         {{{150, 130, 10, 10}, true}, {{310, 130, 10, 10}, false}},
         true, {100, 100}, {350, 50}, {{280, 50}, {300, 200}}, false},
        {"highlight drawn up and left", drawn<GraphicsItemHighlight>([] { return new GraphicsItemHighlight({300, 200}, flatImage(600, 300)); }, {100, 100}, 1),
         {{300, 200}, {100, 100}},
         {{{200, 150}, true}, {{80, 150}, false}},
         {},
         true, {300, 200}, {250, 150}, {{80, 80}, {100, 100}}, false},
        {"crop area",
         [](ImageEditGraphicsView &view) -> GraphicsItemBase * {
             view.setCrop(true, false);
             return view.cropArea();
         },
         {{100, 50}, {500, 250}},
         {{{300, 150}, true}},
         {},
         true, {300, 250}, {300, 60}, {{100, 50}, {500, 70}}, false},
        {"select area", drawn<GraphicsItemSelectArea>([] { return new GraphicsItemSelectArea({100, 100}); }, {50, 50}),
         {{100, 100}, {50, 50}},
         {{{75, 75}, true}, {{120, 75}, false}},
         {{{60, 60, 5, 5}, true}},
         false, {100, 100}, {}, {}, false},
    };
    return cases;
}

QString where(const char *what, QPointF p)
{
    return QString("%1 at (%2, %3)").arg(what).arg(p.x()).arg(p.y());
}

QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

} // namespace

class TestGraphicsItems : public QObject
{
    Q_OBJECT

private slots:
    void testItem_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < itemCases().size(); ++i)
            QTest::newRow(itemCases().at(i).name) << i;
    }

    // Geometry, clicks, bands and one handle drag of every item; hidden items take none of them.
    void testItem()
    {
        QFETCH(int, index);
        const ItemCase &c = itemCases().at(index);
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        GraphicsItemBase *item = c.make(view);
        QCOMPARE(definingPoints(item), c.geometry);

        for (const Click &click : c.clicks)
            QVERIFY2(item->hit(click.point) == click.hits, qPrintable(where("click", click.point)));
        for (const Band &band : c.bands)
            QVERIFY2(item->hit(band.rect) == band.catches, qPrintable(where("band", band.rect.topLeft())));

        item->setPicked(true);
        item->graphicsItem()->setVisible(false);
        for (const Click &click : c.clicks)
            QVERIFY2(!item->hit(click.point), qPrintable(where("hidden item hit by click", click.point)));
        for (const Band &band : c.bands)
            QVERIFY2(!item->hit(band.rect), qPrintable(where("hidden item caught by band", band.rect.topLeft())));
        QVERIFY(!item->mousePress(c.handleFrom));
        item->graphicsItem()->setVisible(true);

        // Handles take the mouse only while their item is picked.
        item->setPicked(false);
        QVERIFY(!item->mousePress(c.handleFrom));
        item->mouseRelease(c.handleFrom);
        item->setPicked(true);
        if (c.hasHandle) {
            QVERIFY(dragHandle(item, c.handleFrom, c.handleTo));
            QCOMPARE(definingPoints(item), c.dragged);
            QCOMPARE(view.undoCount(), c.recordsUndo ? 1 : 0);
            if (c.recordsUndo) {
                view.undo();
                QCOMPARE(definingPoints(item), c.geometry);
                view.redo();
                QCOMPARE(definingPoints(item), c.dragged);
            }
        } else {
            QVERIFY(!item->mousePress(c.handleFrom));
        }
    }

    void testArrowHeadPointsAlongTheDrag_data()
    {
        QTest::addColumn<QPointF>("end");
        QTest::addColumn<QPointF>("tip");
        QTest::newRow("click without drag points right") << QPointF(100, 100) << QPointF(100, 100);
        QTest::newRow("short drag is lengthened to the head") << QPointF(100, 95) << QPointF(100, 84);
        QTest::newRow("long drag ends at the mouse") << QPointF(40, 100) << QPointF(40, 100);
    }

    void testArrowHeadPointsAlongTheDrag()
    {
        QFETCH(QPointF, end);
        QFETCH(QPointF, tip);
        GraphicsItemArrow arrow({100, 100});
        arrow.setWidth(8);
        arrow.setEnd(end);
        QCOMPARE(arrow.end(), end);
        const QPolygonF head = arrow.arrowHead();
        QCOMPARE(head.size(), 3);
        QCOMPARE(head.at(0), tip);
        // The head's base lies behind the tip, across the drag direction, 2w long on each side.
        QLineF drag(QPointF(100, 100), end);
        if (drag.length() == 0)
            drag = QLineF(0, 0, 1, 0);
        const QPointF base = (head.at(1) + head.at(2)) / 2;
        const QLineF back(tip, base);
        QVERIFY(qAbs(back.angleTo(drag) - 180) < 0.01);
        QVERIFY(qAbs(QLineF(head.at(0), head.at(1)).length() - 16) < 0.01);
        QVERIFY(qAbs(QLineF(head.at(0), head.at(2)).length() - 16) < 0.01);
    }

    void testNumberDiscSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("diameter");
        QTest::newRow("small") << 4 << 16.0;
        QTest::newRow("huge") << 24 << 96.0;
    }

    void testNumberDiscSize()
    {
        QFETCH(int, width);
        QFETCH(qreal, diameter);
        GraphicsItemNumber number({50, 60}, 1);
        number.setWidth(width);
        QCOMPARE(number.rect(), QRectF(50 - diameter / 2, 60 - diameter / 2, diameter, diameter));
    }

    void testTextBoxHoldsEveryLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << "Hello" << 8 << 1;
        QTest::newRow("three lines") << "one\ntwo\nthree" << 8 << 3;
        QTest::newRow("thin stroke, wide margins") << "a\nb" << 4 << 2;
        QTest::newRow("empty") << "" << 16 << 0;
    }

    void testTextBoxHoldsEveryLine()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, lines);
        GraphicsItemText item({200, 100}, text);
        item.setWidth(width);
        const qreal margin = width < 5 ? 2 * width : width;
        const QFontMetrics metrics(GraphicsItemText::textFont(width));
        const QRectF box = item.rect();
        QCOMPARE(box.center(), QPointF(200, 100));
        QVERIFY(box.height() >= lines * metrics.height() + 2 * margin);
        // A pixel of slack: some fonts round an empty line one pixel taller than their line spacing.
        QVERIFY(box.height() <= qMax(lines, 1) * metrics.lineSpacing() + 2 * margin + 1);
        if (lines == 0)
            QCOMPARE(box.width(), 3 * margin);
        else
            QVERIFY(box.width() >= metrics.horizontalAdvance(text.section('\n', -1)) + 3 * margin);
    }

    void testTextPointerAtTheBoxCentreIsDegenerate()
    {
        ImageEditGraphicsView view;
        view.setImage(flatImage(200, 200));
        auto *text = place(view, new GraphicsItemText({100, 100}, "x"));
        QCOMPARE(text->pointer(), QPolygonF({{100, 100}, {100, 100}, {100, 100}}));
        QCOMPARE(view.renderArea(QRect(0, 0, 200, 200)).size(), QSize(200, 200));
    }

    // What the layered look draws: the colour on the stroke, a shadow when not picked, a white
    // halo when picked, and text that stays readable on a black box.
    void testRenderedLook_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("arrow stroke has the colour") << 0 << false << QColor(Qt::red) << QPoint(150, 100) << QColor(Qt::red) << 0;
        QTest::newRow("arrow shadow") << 0 << false << QColor(Qt::red) << QPoint(150, 107) << QColor(159, 159, 159) << 2;
        QTest::newRow("picked arrow halo") << 0 << true << QColor(Qt::red) << QPoint(150, 107) << QColor(Qt::white) << 0;
        QTest::newRow("rectangle stroke") << 1 << false << QColor(Qt::blue) << QPoint(100, 150) << QColor(Qt::blue) << 0;
        QTest::newRow("rectangle shadow") << 1 << false << QColor(Qt::blue) << QPoint(150, 207) << QColor(159, 159, 159) << 2;
        QTest::newRow("number disc") << 2 << false << QColor(Qt::green) << QPoint(88, 100) << QColor(Qt::green) << 0;
        QTest::newRow("number shadow") << 2 << false << QColor(Qt::green) << QPoint(114, 114) << QColor(159, 159, 159) << 2;
    }

    void testRenderedLook()
    {
        QFETCH(int, kind);
        QFETCH(bool, picked);
        QFETCH(QColor, color);
        QFETCH(QPoint, probe);
        QFETCH(QColor, expected);
        QFETCH(int, tolerance);
        ImageEditGraphicsView view;
        view.setImage(flatImage(300, 300));
        GraphicsItemBase *item = nullptr;
        if (kind == 0)
            item = place(view, new GraphicsItemArrow({50, 100}), 8, color);
        else if (kind == 1)
            item = place(view, new GraphicsItemRectangle({100, 100}), 8, color);
        else
            item = place(view, new GraphicsItemNumber({100, 100}, 1), 8, color);
        if (kind != 2)
            item->setEnd({250, 200});
        if (kind == 0)
            item->setEnd({250, 100});
        item->setPicked(picked);
        const QColor actual = pixelAt(view.renderArea(QRect(0, 0, 300, 300)), probe.x(), probe.y());
        QVERIFY2(qAbs(actual.red() - expected.red()) <= tolerance && qAbs(actual.green() - expected.green()) <= tolerance
                     && qAbs(actual.blue() - expected.blue()) <= tolerance,
                 qPrintable(actual.name()));
    }

    void testTextOnBlackIsWhite_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("whiteText");
        QTest::newRow("black box") << QColor(Qt::black) << true;
        QTest::newRow("yellow box") << QColor(Qt::yellow) << false;
    }

    void testTextOnBlackIsWhite()
    {
        QFETCH(QColor, color);
        QFETCH(bool, whiteText);
        ImageEditGraphicsView view;
        view.setImage(flatImage(300, 200));
        auto *text = place(view, new GraphicsItemText({150, 100}, "MMM"), 8, color);
        const QImage image = view.renderArea(QRect(0, 0, 300, 200));
        const QRect inner = text->rect().toRect().adjusted(10, 10, -12, -12);
        int white = 0, black = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y) {
            for (int x = inner.left(); x <= inner.right(); ++x) {
                const int gray = qGray(image.pixel(x, y));
                white += gray > 230 && QColor(image.pixel(x, y)).saturation() < 20;
                black += gray < 25;
            }
        }
        QCOMPARE(white > 20, whiteText);
        QCOMPARE(black > 20, !whiteText || color == QColor(Qt::black));
    }

    void testHandleGrabsOnItsBorder_data()
    {
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<bool>("grabs");
        QTest::newRow("centre") << QPointF(50, 50) << true;
        QTest::newRow("top-left corner") << QPointF(46, 46) << true;
        QTest::newRow("bottom-right corner") << QPointF(54, 54) << true;
        QTest::newRow("just outside") << QPointF(54.5, 50) << false;
    }

    void testHandleGrabsOnItsBorder()
    {
        QFETCH(QPointF, press);
        QFETCH(bool, grabs);
        GraphicsItemHandle handle({50, 50}, true, nullptr);
        QCOMPARE(handle.mousePress(press), grabs);
        QCOMPARE(handle.pressed(), grabs);
    }

    void testHandleDraggedBackRecordsNothing()
    {
        ImageEditGraphicsView view;
        view.setImage(flatImage(300, 300));
        auto *arrow = place(view, new GraphicsItemArrow({50, 50}));
        arrow->setEnd({150, 50});
        arrow->setPicked(true);
        QSignalSpy updates(&view, &ImageEditGraphicsView::undoUpdated);
        QVERIFY(arrow->mousePress({150, 50}));
        QVERIFY(arrow->mouseMove({180, 90}));
        QVERIFY(arrow->mouseMove({150, 50}));
        arrow->mouseRelease({150, 50});
        QCOMPARE(view.undoCount(), 0);
        QCOMPARE(updates.count(), 0);
        // The grab ended: a later move without a press drags nothing.
        QVERIFY(!arrow->mouseMove({200, 200}));
        QCOMPARE(arrow->end(), QPointF(150, 50));
    }

    void testUnpickedDuringDragReleasesTheHandle()
    {
        ImageEditGraphicsView view;
        view.setImage(flatImage(300, 300));
        auto *arrow = place(view, new GraphicsItemArrow({50, 50}));
        arrow->setEnd({150, 50});
        arrow->setPicked(true);
        QVERIFY(arrow->mousePress({150, 50}));
        QVERIFY(arrow->mouseMove({150, 80}));
        arrow->setPicked(false);
        arrow->mouseRelease({150, 80});
        QCOMPARE(view.undoCount(), 1);
        arrow->setPicked(true);
        QVERIFY(!arrow->mouseMove({150, 120}));
        QCOMPARE(arrow->end(), QPointF(150, 80));
    }

    // Handles share the application's cursor stack with the view; each pops only what it pushed.
    void testOverlappingHandlesPushTheCursorOnce()
    {
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        const auto top = [] {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            return cursor ? int(cursor->shape()) : -1;
        };
        QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
        {
            GraphicsItemHandle first({50, 50}, true, nullptr);
            GraphicsItemHandle second({56, 50}, true, nullptr);
            first.mouseMove({53, 50});
            second.mouseMove({53, 50});
            QCOMPARE(top(), int(Qt::SizeAllCursor));

            // Leaving the first pops its cursor, though the pointer is still over the second.
            first.mouseMove({59, 50});
            second.mouseMove({59, 50});
            QCOMPARE(top(), int(Qt::PointingHandCursor));
            second.mouseMove({80, 50});
            QCOMPARE(top(), int(Qt::PointingHandCursor));

            // A handle hidden or destroyed under the pointer gives its cursor back.
            first.mouseMove({50, 50});
            QCOMPARE(top(), int(Qt::SizeAllCursor));
            first.setVisible(false);
            QCOMPARE(top(), int(Qt::PointingHandCursor));
            second.mouseMove({56, 50});
            QCOMPARE(top(), int(Qt::SizeAllCursor));
        }
        QCOMPARE(top(), int(Qt::PointingHandCursor));
        QGuiApplication::restoreOverrideCursor();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestGraphicsItems)
#include "tst_graphicsitems.moc"
