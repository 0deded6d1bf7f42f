#include "editortestsupport.h"

#include "images/editor/graphicsitembackground.h"
#include "modalwatcher.h"
#include "popupwatcher.h"

#include <QGraphicsEffect>
#include <QInputDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace EditorTest;

namespace {

// A shown canvas over a 400 x 300 picture, at 100 %, scrolled to the picture's top left.
struct Canvas
{
    ImageEditGraphicsView view;

    Canvas()
    {
        view.setImage(flatImage(400, 300, QColor(200, 210, 220)));
        view.setCurrentColor(Qt::red);
        view.setCurrentWidth(8);
        view.resize(520, 420);
        view.show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(&view); }

    // Draws one item with a tool and leaves the view in that tool.
    GraphicsItemBase *draw(EditMode mode, QPointF from, QPointF to, QColor color = Qt::red, int width = 8)
    {
        view.setMode(mode);
        view.setCurrentColor(color);
        view.setCurrentWidth(width);
        const QList<GraphicsItemBase *> before = items();
        drag(view, from, to);
        const QList<GraphicsItemBase *> after = items();
        for (GraphicsItemBase *item : after) {
            if (!before.contains(item))
                return item;
        }
        return nullptr;
    }

    // The annotations, hidden ones included, oldest first.
    QList<GraphicsItemBase *> items()
    {
        QList<GraphicsItemBase *> result;
        for (QGraphicsItem *item : view.scene()->items(Qt::AscendingOrder)) {
            auto *base = dynamic_cast<GraphicsItemBase *>(item);
            if (base && item != view.cropArea() && item != view.selectArea())
                result.append(base);
        }
        return result;
    }

    bool selected(std::initializer_list<GraphicsItemBase *> expected)
    {
        const QSet<GraphicsItemBase *> wanted(expected.begin(), expected.end());
        for (GraphicsItemBase *item : wanted) {
            if (!item->picked())
                return false;
        }
        return view.selection() == wanted;
    }
};

QString typeName(GraphicsItemBase *item)
{
    switch (item->graphicsItem()->type()) {
    case GraphicsItemArrow::Type:
        return "arrow";
    case GraphicsItemRectangle::Type:
        return "rectangle";
    case GraphicsItemNumber::Type:
        return "number";
    case GraphicsItemHighlight::Type:
        return "highlight";
    case GraphicsItemText::Type:
        return "text";
    }
    return "other";
}

// Answers the next text prompt with text; a null text cancels it.
QObject *answerPrompt(QObject *parent, const QString &text, QString *asked = nullptr)
{
    auto *watcher = new ModalWatcher<QInputDialog>([text, asked](QInputDialog *dialog) {
        if (asked)
            *asked = dialog->labelText() + "|" + dialog->textValue();
        dialog->setTextValue(text);
        if (text.isNull())
            dialog->reject();
        else
            dialog->accept();
    });
    watcher->setParent(parent);
    return watcher;
}

} // namespace

class TestImageEditView : public QObject
{
    Q_OBJECT

private slots:
    void testDrawingTools_data()
    {
        QTest::addColumn<EditMode>("mode");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<QPointF>>("points");

        const QPointF from(60, 50), to(180, 140);
        QTest::newRow("arrow") << EditMode::Arrow << int(Qt::LeftButton) << "arrow" << QList<QPointF>{from, to};
        QTest::newRow("rectangle") << EditMode::Rectangle << int(Qt::LeftButton) << "rectangle" << QList<QPointF>{from, to};
        // A disc is placed where the pointer lets go.
        QTest::newRow("numbers") << EditMode::Numbers << int(Qt::LeftButton) << "number" << QList<QPointF>{to};
        QTest::newRow("highlight") << EditMode::Highlight << int(Qt::LeftButton) << "highlight" << QList<QPointF>{from, to};
        QTest::newRow("right button draws too") << EditMode::Rectangle << int(Qt::RightButton) << "rectangle"
                                                << QList<QPointF>{from, to};
    }

    void testDrawingTools()
    {
        QFETCH(EditMode, mode);
        QFETCH(int, button);
        QFETCH(QString, type);
        QFETCH(QList<QPointF>, points);

        Canvas c;
        QVERIFY(c.exposed());
        c.view.setMode(mode);
        c.view.setCurrentColor(Qt::blue);
        c.view.setCurrentWidth(16);
        QSignalSpy undo(&c.view, &ImageEditGraphicsView::undoUpdated);
        drag(c.view, {60, 50}, {180, 140}, Qt::MouseButton(button));

        QCOMPARE(c.items().size(), 1);
        GraphicsItemBase *item = c.items().first();
        QCOMPARE(typeName(item), type);
        QCOMPARE(definingPoints(item), points);
        QCOMPARE(item->color(), QColor(Qt::blue));
        QCOMPARE(item->width(), 16);
        // Drawn, then let go: nothing stays selected or picked, and one step can take it back.
        QVERIFY(c.view.selection().isEmpty());
        QVERIFY(!item->picked());
        QCOMPARE(undo.count(), 1);
        QCOMPARE(undo.first(), QVariantList({1, 0}));
        c.view.undo();
        QVERIFY(!item->isShown());
    }

    void testCanvasHoldsStillForItemsPastThePicture_data()
    {
        QTest::addColumn<EditMode>("mode");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::newRow("number in the margin above left") << EditMode::Numbers << QPointF(-25, -25) << QPointF(-25, -25);
        QTest::newRow("arrow from above the picture") << EditMode::Arrow << QPointF(150, -30) << QPointF(220, 90);
        QTest::newRow("rectangle past the right edge") << EditMode::Rectangle << QPointF(300, 100) << QPointF(460, 200);
    }

    // A shape reaching past the picture must not move the picture, or the next one lands where the
    // user did not aim; nor may taking it back.
    void testCanvasHoldsStillForItemsPastThePicture()
    {
        QFETCH(EditMode, mode);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        Canvas c;
        QVERIFY(c.exposed());
        const QRectF scene = c.view.sceneRect();
        const QPoint picture = c.view.mapFromScene(QPointF(0, 0));
        QVERIFY(scene.contains(QRectF(0, 0, 400, 300)));

        QVERIFY(c.draw(mode, from, to));
        QCoreApplication::processEvents();
        QCOMPARE(c.view.sceneRect(), scene);
        QCOMPARE(c.view.mapFromScene(QPointF(0, 0)), picture);

        c.view.undo();
        QCoreApplication::processEvents();
        QCOMPARE(c.view.sceneRect(), scene);
        QCOMPARE(c.view.mapFromScene(QPointF(0, 0)), picture);
    }

    void testClickWithoutMovementKeepsTheItemAtThePress()
    {
        Canvas c;
        QVERIFY(c.exposed());
        c.view.setMode(EditMode::Arrow);
        click(c.view, {100, 100});
        QCOMPARE(c.items().size(), 1);
        QCOMPARE(definingPoints(c.items().first()), QList<QPointF>({{100, 100}, {100, 100}}));
        QVERIFY(c.items().first()->isShown());
    }

    void testNumbersCountPerColourAmongShownDiscs()
    {
        Canvas c;
        QVERIFY(c.exposed());
        auto number = [&](QPointF at, QColor color) {
            return static_cast<GraphicsItemNumber *>(c.draw(EditMode::Numbers, at, at, color))->number();
        };
        QCOMPARE(number({40, 40}, Qt::red), 1);
        c.view.setMode(EditMode::Numbers);
        auto *second = static_cast<GraphicsItemNumber *>(c.draw(EditMode::Numbers, {100, 40}, {100, 40}));
        QCOMPARE(second->number(), 2);
        QCOMPARE(number({160, 40}, Qt::red), 3);
        QCOMPARE(number({40, 120}, Qt::blue), 1);

        c.view.setMode(EditMode::Select);
        click(c.view, {100, 40});
        QVERIFY(c.selected({second}));
        c.view.deleteSelected();
        QCOMPARE(number({100, 120}, Qt::red), 2);
        QCOMPARE(number({160, 120}, Qt::red), 4);
    }

    void testTextToolAsksForTheTextThenSelectsTheBox()
    {
        Canvas c;
        QVERIFY(c.exposed());
        QSignalSpy modes(&c.view, &ImageEditGraphicsView::changeMode);
        c.view.setMode(EditMode::Text);
        QString asked;
        answerPrompt(&c.view, "first line\nsecond", &asked);
        drag(c.view, {150, 150}, {60, 60});

        QCOMPARE(asked, QString("Enter the text|"));
        auto *text = qgraphicsitem_cast<GraphicsItemText *>(c.items().first()->graphicsItem());
        QVERIFY(text);
        QCOMPARE(text->text(), QString("first line\nsecond"));
        // The box follows the pointer; the tip stays where the press was.
        QCOMPARE(definingPoints(text), QList<QPointF>({{60, 60}, {150, 150}}));
        // The tool switches to select a little later, with the new box picked.
        QVERIFY(c.view.selection().isEmpty());
        QTRY_COMPARE(modes.count(), 1);
        QCOMPARE(modes.first().first().value<EditMode>(), EditMode::Select);
        QVERIFY(c.selected({text}));
    }

    void testTextEntryLateStepDiesWithTheView()
    {
        auto *c = new Canvas;
        QVERIFY(c->exposed());
        int switched = 0;
        connect(&c->view, &ImageEditGraphicsView::changeMode, this, [&switched] { ++switched; });
        c->view.setMode(EditMode::Text);
        answerPrompt(&c->view, "gone soon");
        drag(c->view, {150, 150}, {60, 60});
        // The editor closes before the tool switch is due.
        delete c;
        QTest::qWait(300);
        QCOMPARE(switched, 0);
    }

    void testEditTextKeepsTheOldTextOnAnEmptyAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("new text") << "changed" << "changed";
        QTest::newRow("empty answer") << "" << "before";
        QTest::newRow("cancel") << QString() << "before";
    }

    void testEditTextKeepsTheOldTextOnAnEmptyAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        Canvas c;
        QVERIFY(c.exposed());
        auto *text = place(c.view, new GraphicsItemText({200, 150}, "before"));
        c.view.setMode(EditMode::Select);
        click(c.view, {200, 150});
        QVERIFY(c.selected({text}));
        QString asked;
        answerPrompt(&c.view, answer, &asked);
        // A double click on the one selected text box edits it.
        doubleClick(c.view, {200, 150});
        QCOMPARE(asked, QString("Edit the text|before"));
        QCOMPARE(text->text(), expected);
    }

    void testClickPicksAndReportsTheItem()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *arrow = c.draw(EditMode::Arrow, {40, 40}, {200, 40}, Qt::green, 16);
        c.view.setMode(EditMode::Select);
        QSignalSpy colors(&c.view, &ImageEditGraphicsView::changeColor);
        QSignalSpy widths(&c.view, &ImageEditGraphicsView::changeWidth);
        click(c.view, {120, 40});
        QVERIFY(c.selected({arrow}));
        QCOMPARE(colors.count(), 1);
        QCOMPARE(colors.first().first().value<QColor>(), QColor(Qt::green));
        QCOMPARE(widths.first().first().toInt(), 16);
        // A click on the bare picture empties the selection.
        click(c.view, {300, 250});
        QVERIFY(c.view.selection().isEmpty());
        QVERIFY(!arrow->picked());
    }

    void testSelectionModifiers_data()
    {
        QTest::addColumn<bool>("firstSelected");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("firstAfter");
        QTest::addColumn<bool>("secondAfter");
        QTest::addColumn<int>("colorReports");

        // The second item is clicked; the first may be selected before.
        QTest::newRow("plain click replaces") << true << 0 << false << true << 1;
        QTest::newRow("shift adds, no colour report") << true << int(Qt::ShiftModifier) << true << true << 0;
        QTest::newRow("control on unselected leaves it") << true << int(Qt::ControlModifier) << true << false << 0;
        QTest::newRow("shift from nothing reports") << false << int(Qt::ShiftModifier) << false << true << 1;
    }

    void testSelectionModifiers()
    {
        QFETCH(bool, firstSelected);
        QFETCH(int, modifiers);
        QFETCH(bool, firstAfter);
        QFETCH(bool, secondAfter);
        QFETCH(int, colorReports);

        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *first = c.draw(EditMode::Rectangle, {20, 20}, {100, 80});
        GraphicsItemBase *second = c.draw(EditMode::Rectangle, {200, 20}, {300, 80}, Qt::blue);
        c.view.setMode(EditMode::Select);
        if (firstSelected)
            click(c.view, {20, 50});
        QSignalSpy colors(&c.view, &ImageEditGraphicsView::changeColor);
        click(c.view, {200, 50}, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(c.view.selection().contains(first), firstAfter);
        QCOMPARE(first->picked(), firstAfter);
        QCOMPARE(c.view.selection().contains(second), secondAfter);
        QCOMPARE(second->picked(), secondAfter);
        QCOMPARE(colors.count(), colorReports);
    }

    void testControlClickDeselects()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *first = c.draw(EditMode::Rectangle, {20, 20}, {100, 80});
        GraphicsItemBase *second = c.draw(EditMode::Rectangle, {200, 20}, {300, 80});
        c.view.setMode(EditMode::Select);
        click(c.view, {20, 50});
        click(c.view, {200, 50}, Qt::ShiftModifier);
        QVERIFY(c.selected({first, second}));
        click(c.view, {20, 50}, Qt::ControlModifier);
        QVERIFY(c.selected({second}));
        QVERIFY(!first->picked());
    }

    void testDragMovesTheSelectionAsOneStep()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *arrow = c.draw(EditMode::Arrow, {40, 40}, {140, 40});
        GraphicsItemBase *disc = c.draw(EditMode::Numbers, {200, 100}, {200, 100});
        c.view.setMode(EditMode::Select);
        click(c.view, {90, 40});
        click(c.view, {200, 100}, Qt::ShiftModifier);
        const int groups = c.view.undoCount();
        const QStringList before = sceneState(c.view);

        drag(c.view, {90, 40}, {120, 90});
        QCOMPARE(definingPoints(arrow), QList<QPointF>({{70, 90}, {170, 90}}));
        QCOMPARE(definingPoints(disc), QList<QPointF>{QPointF(230, 150)});
        QCOMPARE(c.view.undoCount(), groups + 1);
        QVERIFY(c.selected({arrow, disc}));
        c.view.undo();
        QCOMPARE(sceneState(c.view), before);
    }

    void testHandleDragMovesOneEndOnly()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *arrow = c.draw(EditMode::Arrow, {40, 40}, {200, 120});
        c.view.setMode(EditMode::Select);
        click(c.view, {120, 80});
        QVERIFY(c.selected({arrow}));
        const int groups = c.view.undoCount();

        drag(c.view, {200, 120}, {260, 200});
        QCOMPARE(definingPoints(arrow), QList<QPointF>({{40, 40}, {260, 200}}));
        // One handle step, no move step.
        QCOMPARE(c.view.undoCount(), groups + 1);
        c.view.undo();
        QCOMPARE(definingPoints(arrow), QList<QPointF>({{40, 40}, {200, 120}}));
    }

    void testRubberBand_data()
    {
        QTest::addColumn<bool>("preselect");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<bool>>("selectedAfter");

        // A band over the two left items; the right one may be selected before.
        QTest::newRow("band selects what it covers") << true << 0 << QList<bool>{true, true, false};
        QTest::newRow("shift band adds") << true << int(Qt::ShiftModifier) << QList<bool>{true, true, true};
        QTest::newRow("control band over unselected does nothing") << true << int(Qt::ControlModifier)
                                                                   << QList<bool>{false, false, true};
    }

    void testRubberBand()
    {
        QFETCH(bool, preselect);
        QFETCH(int, modifiers);
        QFETCH(QList<bool>, selectedAfter);

        Canvas c;
        QVERIFY(c.exposed());
        QList<GraphicsItemBase *> items{c.draw(EditMode::Numbers, {40, 40}, {40, 40}),
                                        c.draw(EditMode::Numbers, {120, 40}, {120, 40}),
                                        c.draw(EditMode::Numbers, {320, 200}, {320, 200})};
        c.view.setMode(EditMode::Select);
        if (preselect)
            click(c.view, {320, 200});
        drag(c.view, {10, 10}, {160, 80}, Qt::LeftButton, Qt::KeyboardModifiers(modifiers));
        QList<bool> selected;
        for (GraphicsItemBase *item : items) {
            QCOMPARE(item->picked(), c.view.selection().contains(item));
            selected << c.view.selection().contains(item);
        }
        QCOMPARE(selected, selectedAfter);
        QVERIFY(!c.view.selectArea());
    }

    void testShrinkingBandReleasesAndControlBandDeselects()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *left = c.draw(EditMode::Numbers, {40, 40}, {40, 40});
        GraphicsItemBase *right = c.draw(EditMode::Numbers, {200, 40}, {200, 40});
        c.view.setMode(EditMode::Select);
        press(c.view, {10, 10});
        hover(c.view, {240, 80});
        QVERIFY(c.selected({left, right}));
        hover(c.view, {80, 80});
        QVERIFY(c.selected({left}));
        release(c.view, {80, 80});

        drag(c.view, {10, 10}, {240, 80});
        QVERIFY(c.selected({left, right}));
        drag(c.view, {150, 10}, {240, 80}, Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(c.selected({left}));
    }

    void testHiddenItemsCannotBeHitOrBanded()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *disc = c.draw(EditMode::Numbers, {100, 100}, {100, 100});
        c.view.setMode(EditMode::Select);
        click(c.view, {100, 100});
        c.view.deleteSelected();
        click(c.view, {100, 100});
        QVERIFY(c.view.selection().isEmpty());
        drag(c.view, {50, 50}, {150, 150});
        QVERIFY(c.view.selection().isEmpty());
        QVERIFY(!disc->picked());
    }

    void testContextMenu_data()
    {
        QTest::addColumn<bool>("twoItems");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("one text box") << false << QStringList{"Edit", "--", "Delete"};
        QTest::newRow("two items") << true << QStringList{"Delete"};
    }

    void testContextMenu()
    {
        QFETCH(bool, twoItems);
        QFETCH(QStringList, entries);
        Canvas c;
        QVERIFY(c.exposed());
        auto *text = place(c.view, new GraphicsItemText({100, 100}, "note"));
        GraphicsItemBase *disc = c.draw(EditMode::Numbers, {250, 100}, {250, 100});
        c.view.setMode(EditMode::Select);
        if (twoItems)
            click(c.view, {250, 100});

        QStringList shown;
        PopupWatcher watcher([&shown](QMenu *menu) {
            for (QAction *action : menu->actions())
                shown << (action->isSeparator() ? QString("--") : action->text());
            for (QAction *action : menu->actions()) {
                if (action->text() == "Delete")
                    action->trigger();
            }
            menu->close();
        });
        press(c.view, {100, 100}, Qt::RightButton, twoItems ? Qt::ShiftModifier : Qt::NoModifier);
        release(c.view, {100, 100}, Qt::RightButton);
        QCOMPARE(shown, entries);
        QVERIFY(!text->isShown());
        QCOMPARE(disc->isShown(), !twoItems);
        QVERIFY(c.view.selection().isEmpty());
    }

    void testRightPressOnBarePictureShowsNoMenu()
    {
        Canvas c;
        QVERIFY(c.exposed());
        c.draw(EditMode::Numbers, {250, 100}, {250, 100});
        c.view.setMode(EditMode::Select);
        click(c.view, {250, 100});
        PopupWatcher watcher([](QMenu *menu) { menu->close(); });
        press(c.view, {50, 250}, Qt::RightButton);
        release(c.view, {50, 250}, Qt::RightButton);
        QTest::qWait(50);
        QCOMPARE(watcher.seen(), 0);
        QVERIFY(c.view.selection().isEmpty());
    }

    void testDeleteKey_data()
    {
        QTest::addColumn<EditMode>("mode");
        QTest::addColumn<bool>("withSelection");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("delete in select mode") << EditMode::Select << true << int(Qt::Key_Delete) << true;
        QTest::newRow("backspace in select mode") << EditMode::Select << true << int(Qt::Key_Backspace) << true;
        QTest::newRow("another key") << EditMode::Select << true << int(Qt::Key_A) << false;
        QTest::newRow("nothing selected") << EditMode::Select << false << int(Qt::Key_Delete) << false;
        QTest::newRow("arrow tool") << EditMode::Arrow << true << int(Qt::Key_Delete) << false;
    }

    void testDeleteKey()
    {
        QFETCH(EditMode, mode);
        QFETCH(bool, withSelection);
        QFETCH(int, key);
        QFETCH(bool, deleted);
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *disc = c.draw(EditMode::Numbers, {100, 100}, {100, 100});
        c.view.setMode(mode);
        // Selected directly: under a drawing tool no click can leave a selection behind.
        if (withSelection)
            c.view.select(disc);
        const int groups = c.view.undoCount();
        QTest::keyClick(&c.view, Qt::Key(key));
        QCOMPARE(!disc->isShown(), deleted);
        QCOMPARE(c.view.undoCount(), groups + (deleted ? 1 : 0));
    }

    void testWheelZoom_data()
    {
        QTest::addColumn<bool>("keepsPoint");
        QTest::addColumn<double>("startScale");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<double>("endScale");
        QTest::addColumn<QVariantList>("reported");

        const int control = int(Qt::ControlModifier);
        QTest::newRow("control zooms in") << true << 2.0 << 120 << control << 2 * std::pow(1.0015, 120) << QVariantList{239};
        QTest::newRow("meta zooms out") << false << 2.0 << -120 << int(Qt::MetaModifier) << 2 * std::pow(1.0015, -120)
                                        << QVariantList{167};
        QTest::newRow("past the top ends at 800 %") << false << 7.5 << 120 << control << 8.0 << QVariantList{800};
        QTest::newRow("at the top nothing happens") << false << 8.0 << 120 << control << 8.0 << QVariantList{};
        QTest::newRow("below the bottom ends at 25 %") << false << 0.26 << -120 << control << 0.25 << QVariantList{25};
        QTest::newRow("at the bottom nothing happens") << false << 0.25 << -120 << control << 0.25 << QVariantList{};
        QTest::newRow("control and shift scroll") << false << 1.0 << 120 << int(Qt::ControlModifier | Qt::ShiftModifier) << 1.0
                                                  << QVariantList{};
        QTest::newRow("no modifier scrolls") << false << 1.0 << 120 << 0 << 1.0 << QVariantList{};
    }

    void testWheelZoom()
    {
        QFETCH(bool, keepsPoint);
        QFETCH(double, startScale);
        QFETCH(int, delta);
        QFETCH(int, modifiers);
        QFETCH(double, endScale);
        QFETCH(QVariantList, reported);

        Canvas c;
        QVERIFY(c.exposed());
        c.view.setZoom(startScale);
        QSignalSpy zoom(&c.view, &ImageEditGraphicsView::zoom);
        const QPointF pos(200, 150);
        const QPointF under = c.view.mapToScene(pos.toPoint());
        QWheelEvent wheel(pos, c.view.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QApplication::sendEvent(c.view.viewport(), &wheel);

        QVERIFY(qAbs(c.view.transform().m11() - endScale) < 1e-9);
        QCOMPARE(c.view.transform().m22(), c.view.transform().m11());
        QVariantList sent;
        for (const QList<QVariant> &signal : zoom)
            sent << signal.first();
        QCOMPARE(sent, reported);
        // Zooming keeps the point under the pointer where it was, where the scroll range allows.
        if (keepsPoint)
            QVERIFY((c.view.mapFromScene(under) - pos.toPoint()).manhattanLength() <= 2);
    }

    void testSetZoomReportsRoundedPercent()
    {
        Canvas c;
        QSignalSpy zoom(&c.view, &ImageEditGraphicsView::zoom);
        c.view.setZoom(1.375);
        c.view.setZoom(0.125);
        QCOMPARE(zoom.at(0).first().toInt(), 138);
        QCOMPARE(zoom.at(1).first().toInt(), 13);
        QCOMPARE(c.view.transform().m11(), 0.125);
    }

    void testCropHandleTakesThePress()
    {
        Canvas c;
        QVERIFY(c.exposed());
        c.view.setMode(EditMode::Select);
        c.view.setCrop(true, true);
        GraphicsItemCropArea *crop = c.view.cropArea();
        const QRectF before = crop->cropRect();
        // The bottom right handle, dragged further out: no band, and the frame grows.
        press(c.view, before.bottomRight());
        QVERIFY(!c.view.selectArea());
        hover(c.view, before.bottomRight() + QPointF(20, 10));
        release(c.view, before.bottomRight() + QPointF(20, 10));
        const QRectF grown = crop->cropRect();
        QCOMPARE(grown.topLeft(), before.topLeft());
        // The pointer moves in whole pixels of the view.
        QVERIFY(qAbs(grown.right() - before.right() - 20) < 1 && qAbs(grown.bottom() - before.bottom() - 10) < 1);

        // Unpicked, the frame lets presses through to the band.
        c.view.setCrop(true, false);
        press(c.view, crop->cropRect().bottomRight());
        QVERIFY(c.view.selectArea());
        release(c.view, crop->cropRect().bottomRight());
        QCOMPARE(crop->cropRect(), grown);
    }

    void testCursorsAreGivenBack()
    {
        Canvas c;
        QVERIFY(c.exposed());
        GraphicsItemBase *arrow = c.draw(EditMode::Arrow, {40, 40}, {200, 40});
        c.view.setMode(EditMode::Select);

        hover(c.view, {120, 40});
        QCOMPARE(c.view.viewport()->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        hover(c.view, {120, 200});
        QCOMPARE(c.view.viewport()->cursor().shape(), Qt::ArrowCursor);

        click(c.view, {120, 40});
        QVERIFY(c.selected({arrow}));
        hover(c.view, {200, 40});
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeAllCursor);
        // Out of the view straight from the handle.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(c.view.viewport(), &leave);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(c.view.viewport()->cursor().shape(), Qt::ArrowCursor);

        // Closed while hovering a handle (back in the view, the pointer moves on to it again).
        hover(c.view, {120, 200});
        hover(c.view, {200, 40});
        QVERIFY(QGuiApplication::overrideCursor());
        c.view.hide();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void testSwitchingToolsTurnsTheSpotlight()
    {
        Canvas c;
        QVERIFY(c.exposed());
        c.view.setMode(EditMode::Highlight);
        QVERIFY(c.view.background()->blur());
        c.view.setMode(EditMode::Arrow);
        QVERIFY(!c.view.background()->blur());
        c.draw(EditMode::Highlight, {40, 40}, {120, 100});
        c.view.setMode(EditMode::Select);
        QVERIFY(c.view.background()->blur());
        click(c.view, {80, 40});
        c.view.deleteSelected();
        QVERIFY(!c.view.background()->blur());
        c.view.undo();
        QVERIFY(c.view.background()->blur());
    }
};

QTEST_MAIN(TestImageEditView)
#include "tst_imageeditview.moc"
