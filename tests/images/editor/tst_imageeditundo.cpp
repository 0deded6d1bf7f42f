#include "editortestsupport.h"

#include "images/editor/graphicsitembackground.h"
#include "images/editor/undocreate.h"
#include "images/editor/undomove.h"

#include <QGraphicsEffect>
#include <QtTest>

using namespace EditorTest;

namespace {

// A picture with four annotations of different colours and widths, nothing recorded yet.
struct Canvas
{
    ImageEditGraphicsView view;
    GraphicsItemArrow *arrow;
    GraphicsItemRectangle *rectangle;
    GraphicsItemNumber *number;
    GraphicsItemText *text;

    Canvas()
    {
        view.setImage(flatImage(400, 300));
        arrow = place(view, new GraphicsItemArrow({20, 20}), 4, Qt::red);
        arrow->setEnd({120, 40});
        rectangle = place(view, new GraphicsItemRectangle({150, 50}), 8, Qt::blue);
        rectangle->setEnd({250, 150});
        number = place(view, new GraphicsItemNumber({300, 60}, 1), 24, Qt::green);
        text = place(view, new GraphicsItemText({100, 200}, "note"), 8, Qt::yellow);
        text->setEnd({180, 250});
    }

    void selectAll()
    {
        for (GraphicsItemBase *item : QList<GraphicsItemBase *>{arrow, rectangle, number, text})
            view.select(item);
    }

    // The view's visible annotations as a user sees them.
    QStringList state()
    {
        QStringList shown;
        for (const QString &line : sceneState(view)) {
            if (line.contains(" shown "))
                shown << line;
        }
        return shown;
    }
};

using Edit = std::function<void(Canvas &)>;

// Moves the selection as a select-mode drag does: every item keeps its distance to the pointer.
void dragSelection(Canvas &c, QPointF press, QPointF release)
{
    ImageEditGraphicsView::UndoGroup group;
    for (GraphicsItemBase *item : c.view.selection()) {
        const QPointF offset = press - item->start();
        item->move(offset, release);
        group.append(new UndoMove(item, press - offset, release - offset));
    }
    c.view.addUndo(group);
}

const QList<QPair<const char *, Edit>> &edits()
{
    static const QList<QPair<const char *, Edit>> list = {
        {"create an arrow",
         [](Canvas &c) {
             auto *arrow = place(c.view, new GraphicsItemArrow({50, 250}));
             arrow->setEnd({90, 280});
             c.view.addUndo(new UndoCreate(arrow));
         }},
        {"delete the whole selection",
         [](Canvas &c) {
             c.selectAll();
             c.view.deleteSelected();
         }},
        {"recolour items of different colours",
         [](Canvas &c) {
             c.selectAll();
             c.view.setCurrentColor(Qt::black);
         }},
        {"change the width of items of different widths",
         [](Canvas &c) {
             c.selectAll();
             c.view.setCurrentWidth(16);
         }},
        {"move the selection",
         [](Canvas &c) {
             c.view.select(c.arrow);
             c.view.select(c.number);
             dragSelection(c, {60, 30}, {95, 70});
         }},
        {"drag the end of an arrow",
         [](Canvas &c) {
             c.view.select(c.arrow);
             QVERIFY(dragHandle(c.arrow, {120, 40}, {160, 90}));
         }},
        {"drag the corner of a rectangle",
         [](Canvas &c) {
             c.view.select(c.rectangle);
             QVERIFY(dragHandle(c.rectangle, {150, 150}, {130, 170}));
         }},
        {"drag the tip of a text",
         [](Canvas &c) {
             c.view.select(c.text);
             QVERIFY(dragHandle(c.text, {100, 200}, {30, 150}));
         }},
    };
    return list;
}

QList<int> sizes(const QList<QVariant> &signal)
{
    return {signal.at(0).toInt(), signal.at(1).toInt()};
}

} // namespace

class TestImageEditUndo : public QObject
{
    Q_OBJECT

private slots:
    void testEveryEditIsOneGroup_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < edits().size(); ++i)
            QTest::newRow(edits().at(i).first) << i;
    }

    void testEveryEditIsOneGroup()
    {
        QFETCH(int, index);
        Canvas canvas;
        const QStringList before = canvas.state();
        QSignalSpy updates(&canvas.view, &ImageEditGraphicsView::undoUpdated);

        edits().at(index).second(canvas);
        const QStringList after = canvas.state();
        QVERIFY(after != before);
        QCOMPARE(canvas.view.undoCount(), 1);
        QCOMPARE(updates.count(), 1);
        QCOMPARE(sizes(updates.last()), QList<int>({1, 0}));

        canvas.view.undo();
        QCOMPARE(canvas.state(), before);
        QCOMPARE(sizes(updates.last()), QList<int>({0, 1}));

        canvas.view.redo();
        QCOMPARE(canvas.state(), after);
        QCOMPARE(sizes(updates.last()), QList<int>({1, 0}));
        QCOMPARE(updates.count(), 3);
    }

    void testNewEditDiscardsTheRedoHistory()
    {
        Canvas canvas;
        QSignalSpy updates(&canvas.view, &ImageEditGraphicsView::undoUpdated);
        auto *arrow = place(canvas.view, new GraphicsItemArrow({10, 10}));
        canvas.view.addUndo(new UndoCreate(arrow));
        canvas.view.undo();
        QVERIFY(!arrow->isVisible());

        auto *rectangle = place(canvas.view, new GraphicsItemRectangle({30, 30}));
        canvas.view.addUndo(new UndoCreate(rectangle));
        QCOMPARE(sizes(updates.last()), QList<int>({1, 0}));
        QCOMPARE(canvas.view.redoCount(), 0);
        canvas.view.redo();
        QVERIFY(!arrow->isVisible());
        QCOMPARE(updates.count(), 3);
    }

    void testEditsThatChangeNothingRecordNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("colour every selected item has") << 0;
        QTest::newRow("width every selected item has") << 1;
        QTest::newRow("colour with nothing selected") << 2;
        QTest::newRow("delete with nothing selected") << 3;
        QTest::newRow("undo with nothing to undo") << 4;
        QTest::newRow("redo with nothing to redo") << 5;
    }

    void testEditsThatChangeNothingRecordNothing()
    {
        QFETCH(int, index);
        Canvas canvas;
        canvas.rectangle->setColor(Qt::red);
        canvas.view.select(canvas.arrow);
        canvas.view.select(canvas.rectangle);
        canvas.rectangle->setWidth(4);
        const QStringList before = canvas.state();
        QSignalSpy updates(&canvas.view, &ImageEditGraphicsView::undoUpdated);
        switch (index) {
        case 0:
            canvas.view.setCurrentColor(Qt::red);
            break;
        case 1:
            canvas.view.setCurrentWidth(4);
            break;
        case 2:
            canvas.view.clearSelection();
            canvas.view.setCurrentColor(Qt::blue);
            QCOMPARE(canvas.view.currentColor(), QColor(Qt::blue));
            break;
        case 3:
            canvas.view.clearSelection();
            canvas.view.deleteSelected();
            break;
        case 4:
            canvas.view.undo();
            break;
        case 5:
            canvas.view.redo();
            break;
        }
        QCOMPARE(updates.count(), 0);
        QCOMPARE(canvas.view.undoCount() + canvas.view.redoCount(), 0);
        QCOMPARE(canvas.state(), before);
    }

    void testClearUndo_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("announcements");
        QTest::newRow("announced") << false << 1;
        QTest::newRow("silent") << true << 0;
    }

    void testClearUndo()
    {
        QFETCH(bool, silent);
        QFETCH(int, announcements);
        Canvas canvas;
        canvas.selectAll();
        canvas.view.setCurrentColor(Qt::white);
        canvas.view.setCurrentWidth(24);
        canvas.view.undo();
        QSignalSpy updates(&canvas.view, &ImageEditGraphicsView::undoUpdated);
        canvas.view.clearUndo(silent);
        QCOMPARE(canvas.view.undoCount() + canvas.view.redoCount(), 0);
        QCOMPARE(updates.count(), announcements);
        if (announcements)
            QCOMPARE(sizes(updates.last()), QList<int>({0, 0}));
    }

    void testDeletedItemComesBackUnpicked()
    {
        Canvas canvas;
        canvas.view.select(canvas.arrow);
        QVERIFY(canvas.arrow->picked());
        canvas.view.deleteSelected();
        canvas.view.undo();
        QVERIFY(canvas.arrow->isVisible());
        QVERIFY(!canvas.arrow->picked());
        for (GraphicsItemHandle *handle : canvas.arrow->handles())
            QVERIFY(!handle->isVisible());
    }

    void testHiddenItemsCannotBeSelectedOrEdited()
    {
        Canvas canvas;
        canvas.view.select(canvas.arrow);
        canvas.view.deleteSelected();
        QVERIFY(!canvas.view.select(canvas.arrow));
        QVERIFY(canvas.view.selection().isEmpty());

        // Undoing the creation of a selected item takes it out of the selection, so it cannot be
        // recoloured, moved or deleted a second time while invisible.
        auto *rectangle = place(canvas.view, new GraphicsItemRectangle({10, 10}));
        rectangle->setEnd({60, 60});
        canvas.view.addUndo(new UndoCreate(rectangle));
        QVERIFY(canvas.view.select(rectangle));
        canvas.view.undo();
        QVERIFY(canvas.view.selection().isEmpty());
        QVERIFY(!rectangle->picked());
        const int groups = canvas.view.undoCount();
        canvas.view.setCurrentColor(Qt::white);
        canvas.view.deleteSelected();
        QCOMPARE(canvas.view.undoCount(), groups);
    }

    void testExportArea_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("widened");
        QTest::newRow("arrow whose creation was undone does not widen it") << 0 << false;
        QTest::newRow("arrow beyond the right edge widens it") << 1 << true;
        QTest::newRow("deleted arrow does not") << 2 << false;
        QTest::newRow("undone delete widens it again") << 3 << true;
        QTest::newRow("crop area gives the crop rectangle") << 4 << true;
    }

    void testExportArea()
    {
        QFETCH(int, step);
        QFETCH(bool, widened);
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        // The tip lies at 652, beyond the picture's right edge.
        auto *arrow = place(view, new GraphicsItemArrow({500, 150}), 24);
        arrow->setEnd({652, 150});
        if (step == 0)
            arrow->setVisible(false);
        if (step >= 2) {
            view.select(arrow);
            view.deleteSelected();
        }
        if (step >= 3)
            view.undo();
        if (step >= 4)
            view.setCrop(true, false);

        const QRect whole = view.getImageRect(false);
        QCOMPARE(view.getImageRect(true), step == 4 ? QRect(100, 50, 400, 200) : whole);
        if (!widened) {
            QCOMPARE(whole, QRect(0, 0, 600, 300));
            return;
        }
        // Widened exactly to what the arrow paints: its last column holds arrow, not margin.
        QCOMPARE(whole.topLeft(), QPoint(0, 0));
        QCOMPARE(whole.height(), 300);
        QVERIFY(whole.right() > 652);
        const QImage rendered = view.renderArea(whole);
        bool painted = false;
        for (int y = 0; y < rendered.height() && !painted; ++y)
            painted = rendered.pixel(whole.right(), y) != qRgb(255, 255, 255);
        QVERIFY(painted);
    }

    void testFrameNearTheEdgeAddsNoMargin_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("thin") << 4;
        QTest::newRow("huge") << 24;
    }

    void testFrameNearTheEdgeAddsNoMargin()
    {
        QFETCH(int, width);
        ImageEditGraphicsView view;
        view.setImage(flatImage(400, 300));
        // Drawn well inside, though within reach of the frame's generous repaint bounds.
        auto *rectangle = place(view, new GraphicsItemRectangle({width + 10.0, width + 10.0}), width);
        rectangle->setEnd({390.0 - width, 290.0 - width});
        QVERIFY(!QRectF(0, 0, 400, 300).contains(rectangle->boundingRect()));
        QCOMPARE(view.getImageRect(false), QRect(0, 0, 400, 300));
    }

    void testSpotlightFollowsTheHighlights()
    {
        Canvas canvas;
        GraphicsItemBackground *background = canvas.view.background();
        const auto spotlight = [background] {
            // Exactly one blur effect while on, none while off.
            return background->blur() && qobject_cast<QGraphicsBlurEffect *>(background->graphicsEffect());
        };
        QVERIFY(!spotlight() && !background->graphicsEffect());

        canvas.view.setMode(EditMode::Highlight);
        QVERIFY(spotlight());
        canvas.view.setMode(EditMode::Select);
        QVERIFY(!spotlight() && !background->graphicsEffect());

        auto *highlight = place(canvas.view, new GraphicsItemHighlight({50, 50}, canvas.view.image()), 1);
        highlight->setEnd({150, 120});
        canvas.view.addUndo(new UndoCreate(highlight));
        canvas.view.updateBackground();
        QVERIFY(spotlight());

        canvas.view.select(highlight);
        canvas.view.deleteSelected();
        QVERIFY(!spotlight());
        canvas.view.undo();
        QVERIFY(spotlight());
        canvas.view.undo();
        QVERIFY(!spotlight());
        canvas.view.redo();
        QVERIFY(spotlight());
    }

    void testCropAreaKeepsItsRectangleWhenSwitched()
    {
        ImageEditGraphicsView view;
        view.setImage(flatImage(600, 300));
        view.setCrop(true, false);
        GraphicsItemCropArea *crop = view.cropArea();
        QVERIFY(crop && crop->isVisible() && !crop->picked());
        view.setCrop(true, true);
        QVERIFY(dragHandle(crop, {100, 50}, {150, 70}));
        const QRectF cropped = crop->cropRect();
        QCOMPARE(cropped, QRectF(150, 70, 350, 180));

        view.setCrop(false, false);
        QVERIFY(!crop->isVisible());
        // Hidden, it takes no presses at its handles.
        QVERIFY(!crop->mousePress({150, 70}));
        view.setCrop(true, true);
        QCOMPARE(view.cropArea(), crop);
        QVERIFY(crop->isVisible() && crop->picked());
        QCOMPARE(crop->cropRect(), cropped);
    }
};

QTEST_MAIN(TestImageEditUndo)
#include "tst_imageeditundo.moc"
