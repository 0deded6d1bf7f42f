#include "editortestsupport.h"

#include "common/iconresources.h"
#include "images/editor/imageeditdialog.h"
#include "modalwatcher.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QInputDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>

using namespace EditorTest;

namespace {

// A picture no two pixels of which are likely alike, so any shift or blur shows.
QImage noiseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(width * 7919 + height);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = 0xff000000 | random.bounded(0x1000000);
    }
    return image;
}

QImage opaque(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// The dialog, shown on the middle of the screen, with its parts at hand.
struct Editor
{
    ImageEditDialog dialog;
    ImageEditGraphicsView *view;

    explicit Editor(const QImage &image)
        : dialog(image)
        , view(dialog.findChild<ImageEditGraphicsView *>("graphicsView"))
    {
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().center());
        dialog.show();
    }

    bool exposed() { return view && QTest::qWaitForWindowExposed(&dialog); }

    QToolButton *button(const char *name) { return dialog.findChild<QToolButton *>(name); }
    QComboBox *zoom() { return dialog.findChild<QComboBox *>("zoom"); }

    QStringList checkedButtons()
    {
        QStringList checked;
        for (QToolButton *button : dialog.findChildren<QToolButton *>()) {
            if (button->isChecked())
                checked << button->objectName();
        }
        checked.sort();
        return checked;
    }
};

} // namespace

class TestImageEditDialog : public QObject
{
    Q_OBJECT

private slots:
    void testTheScreenIsFullHd()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    }

    void testSizeOnAFullHdScreen_data()
    {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QSize>("canvas");
        // The window cannot be smaller than 800 x 600: a small picture gets that, centred.
        QTest::newRow("small picture") << QSize(200, 100) << QSize();
        // With the margin of 40 the canvas keeps around the picture, and the view's frame.
        QTest::newRow("picture fits") << QSize(1000, 700) << QSize(1084, 784);
        QTest::newRow("huge picture, 80 % of the screen") << QSize(3000, 2000) << QSize(1536, 864);
        // Only as high as the window's minimum leaves it.
        QTest::newRow("wide picture") << QSize(3000, 200) << QSize(1536, -1);
    }

    void testSizeOnAFullHdScreen()
    {
        QFETCH(QSize, image);
        QFETCH(QSize, canvas);
        Editor e(flatImage(image.width(), image.height()));
        QVERIFY(e.exposed());
        if (canvas.width() > 0)
            QCOMPARE(e.view->width(), canvas.width());
        if (canvas.height() > 0)
            QCOMPARE(e.view->height(), canvas.height());
        if (canvas.height() < 0)
            QCOMPARE(e.dialog.height(), 600);
        if (canvas.width() < 0)
            QCOMPARE(e.dialog.width(), 800);
        // Placed (its frame's corner) so that a window of its size is centred on the screen.
        QVERIFY2(qAbs(2 * e.dialog.x() + e.dialog.width() - 1920) <= 1 && qAbs(2 * e.dialog.y() + e.dialog.height() - 1080) <= 1,
                 qPrintable(QString("at %1, %2").arg(e.dialog.x()).arg(e.dialog.y())));
    }

    void testUneditedPictureComesBackPixelForPixel_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<double>("zoom");
        QTest::newRow("noise") << noiseImage(301, 157) << 1.0;
        QTest::newRow("noise, zoomed in") << noiseImage(240, 180) << 3.0;
        QTest::newRow("noise, zoomed out") << noiseImage(640, 480) << 0.25;
        QTest::newRow("one pixel") << noiseImage(1, 1) << 1.0;
        QTest::newRow("one line") << noiseImage(257, 1) << 1.0;
    }

    void testUneditedPictureComesBackPixelForPixel()
    {
        QFETCH(QImage, image);
        QFETCH(double, zoom);
        Editor e(image);
        QVERIFY(e.exposed());
        e.view->setZoom(zoom);
        const QImage result = e.dialog.getImage();
        QCOMPARE(result.size(), image.size());
        QCOMPARE(opaque(result), image);
    }

    void testCropSizeMarginsAndBands()
    {
        const QImage image = noiseImage(500, 360);
        Editor e(image);
        QVERIFY(e.exposed());
        // An arrow far outside the frame the crop will propose.
        e.view->setMode(EditMode::Arrow);
        drag(*e.view, {10, 10}, {60, 20});
        e.button("buttonCrop")->click();
        const QRect crop = e.view->cropArea()->cropRect().toRect();
        QVERIFY(!crop.contains(QPoint(10, 10)));

        // The frame's shaded bands and handles stay out of the picture, and so does the arrow.
        const QImage result = e.dialog.getImage();
        QCOMPARE(result.size(), crop.size());
        QCOMPARE(opaque(result), image.copy(crop));
    }

    void testCropSwitchedOffDoesNotCrop()
    {
        const QImage image = noiseImage(420, 300);
        Editor e(image);
        QVERIFY(e.exposed());
        e.button("buttonCrop")->click();
        QVERIFY(e.view->cropArea()->isVisible());
        e.button("buttonCrop")->click();
        QVERIFY(!e.view->cropArea()->isVisible());
        QCOMPARE(opaque(e.dialog.getImage()), image);
    }

    void testArrowBeyondTheEdgeWidensThePictureWithWhite()
    {
        const QImage image = noiseImage(300, 200);
        Editor e(image);
        QVERIFY(e.exposed());
        e.view->setMode(EditMode::Arrow);
        drag(*e.view, {200, 100}, {360, 100});
        const QImage result = opaque(e.dialog.getImage());
        QVERIFY(result.width() > 360);
        QCOMPARE(result.height(), 200);
        // The picture stays where it was; below and above the arrow the margin is white.
        QCOMPARE(result.copy(0, 0, 300, 40), image.copy(0, 0, 300, 40));
        for (int x = 300; x < result.width(); x += 7) {
            QCOMPARE(result.pixel(x, 5), qRgb(255, 255, 255));
            QCOMPARE(result.pixel(x, 195), qRgb(255, 255, 255));
        }
        QVERIFY(result.pixel(330, 100) != qRgb(255, 255, 255));
    }

    void testCropFollowsTheTools()
    {
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        QCOMPARE(e.view->mode(), EditMode::Arrow);
        e.button("buttonCrop")->click();
        QCOMPARE(e.view->mode(), EditMode::Select);
        QVERIFY(e.button("buttonPointer")->isChecked());
        QVERIFY(e.view->cropArea()->isVisible());
        QVERIFY(e.view->cropArea()->picked());

        e.button("buttonArrow")->click();
        QCOMPARE(e.view->mode(), EditMode::Arrow);
        QVERIFY(e.view->cropArea()->isVisible());
        QVERIFY(!e.view->cropArea()->picked());

        e.button("buttonCrop")->click();
        QVERIFY(!e.view->cropArea()->isVisible());
        QCOMPARE(e.view->mode(), EditMode::Arrow);
    }

    void testToolButtonsSetTheirTools_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<EditMode>("mode");
        QTest::newRow("select") << "buttonPointer" << EditMode::Select;
        QTest::newRow("arrow") << "buttonArrow" << EditMode::Arrow;
        QTest::newRow("rectangle") << "buttonRectangle" << EditMode::Rectangle;
        QTest::newRow("numbers") << "buttonNumbers" << EditMode::Numbers;
        QTest::newRow("tooltip") << "buttonText" << EditMode::Text;
        QTest::newRow("highlight") << "buttonHighlight" << EditMode::Highlight;
    }

    void testToolButtonsSetTheirTools()
    {
        QFETCH(QString, button);
        QFETCH(EditMode, mode);
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        e.button("buttonNumbers")->click();
        e.button(qPrintable(button))->click();
        QCOMPARE(e.view->mode(), mode);
        QCOMPARE(e.checkedButtons(), QStringList({button, "medium", "red"}));
    }

    void testSelectingOneItemShowsItsColourAndWidth()
    {
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        e.button("blue")->click();
        e.button("large")->click();
        e.button("buttonRectangle")->click();
        drag(*e.view, {50, 50}, {200, 150});
        e.button("red")->click();
        e.button("small")->click();
        e.button("buttonPointer")->click();
        const int groups = e.view->undoCount();

        click(*e.view, {50, 100});
        QCOMPARE(e.view->selection().size(), 1);
        QCOMPARE(e.checkedButtons(), QStringList({"blue", "buttonPointer", "large"}));
        QCOMPARE(e.view->currentColor(), QColor(Qt::blue));
        QCOMPARE(e.view->currentWidth(), 16);
        // Showing the item's own colour and width changes nothing, so only the click's move is kept.
        QCOMPARE(e.view->undoCount(), groups + 1);
    }

    void testColourAndWidthButtonsChangeTheSelection()
    {
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        drag(*e.view, {50, 50}, {200, 150});
        e.button("buttonPointer")->click();
        click(*e.view, {125, 100});
        e.button("yellow")->click();
        e.button("huge")->click();
        GraphicsItemBase *arrow = *e.view->selection().begin();
        QCOMPARE(arrow->color(), QColor(Qt::yellow));
        QCOMPARE(arrow->width(), 24);
        e.button("undo")->click();
        QCOMPARE(arrow->width(), 8);
        QCOMPARE(arrow->color(), QColor(Qt::yellow));
    }

    void testZoomBox()
    {
        Editor e(noiseImage(600, 400));
        QVERIFY(e.exposed());
        QCOMPARE(e.zoom()->count(), 10);
        QCOMPARE(e.zoom()->currentText(), QString("100%"));
        QCOMPARE(e.zoom()->itemData(9).toDouble(), 8.0);

        e.view->gentleZoom(1.37, QPointF(100, 100));
        QCOMPARE(e.zoom()->currentIndex(), -1);
        QCOMPARE(e.zoom()->currentText(), QString("137%"));
        e.zoom()->setCurrentIndex(3);
        QCOMPARE(e.view->transform().m11(), 1.0);
        e.zoom()->setCurrentIndex(6);
        QCOMPARE(e.view->transform().m11(), 2.0);
        // The same entry again, after a wheel zoom, still counts.
        e.view->gentleZoom(0.9, QPointF(100, 100));
        e.zoom()->setCurrentIndex(6);
        QCOMPARE(e.view->transform().m11(), 2.0);
        QCOMPARE(e.zoom()->currentText(), QString("200%"));
    }

    void testUndoAndRedoButtonsFollowTheStacks()
    {
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        e.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
        QToolButton *undo = e.button("undo");
        QToolButton *redo = e.button("redo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        drag(*e.view, {50, 50}, {200, 150});
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        // A shortcut clicks its button a moment later.
        QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(!undo->isEnabled() && redo->isEnabled());
        QCOMPARE(e.view->redoCount(), 1);
        QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(e.view->undoCount(), 1);
        // Disabled, a button's shortcut does nothing.
        QTest::keyClick(&e.dialog, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::qWait(200);
        QCOMPARE(e.view->undoCount(), 1);
    }

    void testTextToolEndsInSelectWithTheBoxPicked()
    {
        Editor e(flatImage(400, 300));
        QVERIFY(e.exposed());
        e.button("buttonCrop")->click();
        e.button("buttonText")->click();
        ModalWatcher<QInputDialog> watcher([](QInputDialog *prompt) {
            prompt->setTextValue("look here");
            prompt->accept();
        });
        drag(*e.view, {200, 150}, {100, 80});
        QTRY_VERIFY(e.button("buttonPointer")->isChecked());
        QCOMPARE(e.view->mode(), EditMode::Select);
        QCOMPARE(e.view->selection().size(), 1);
        auto *text = qgraphicsitem_cast<GraphicsItemText *>((*e.view->selection().begin())->graphicsItem());
        QVERIFY(text && text->picked());
        QCOMPARE(text->text(), QString("look here"));
        // The tool changed without the button's own handler: the crop frame stays as it was.
        QVERIFY(e.view->cropArea()->isVisible());
        QVERIFY(!e.view->cropArea()->picked());
    }

    void testOkAndCancel_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << int(QDialogButtonBox::Ok) << int(QDialog::Accepted);
        QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << int(QDialog::Rejected);
    }

    void testOkAndCancel()
    {
        QFETCH(int, button);
        QFETCH(int, result);
        const QImage image = noiseImage(200, 150);
        ImageEditDialog dialog(image);
        QCOMPARE(dialog.objectName(), QString("ImageEditDialog"));
        QCOMPARE(dialog.windowTitle(), QString("Edit Image"));
        QCOMPARE(dialog.minimumSize(), QSize(800, 600));
        QTimer::singleShot(0, &dialog, [&dialog, button] {
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::StandardButton(button))->click();
        });
        QCOMPARE(dialog.exec(), result);
        // The picture can still be had once the dialog has closed.
        QCOMPARE(opaque(dialog.getImage()), image);
    }

    void testColourButtonStyle()
    {
        QCOMPARE(ImageEditDialog::createColorStyleSheet("255, 0, 0"),
                 QString("QToolButton { border: none; background-color: rgba(255, 0, 0, 128) } "
                         "QToolButton:hover { background-color: rgba(255, 0, 0, 255); } "
                         "QToolButton:checked { background-color: rgba(255, 0, 0, 255); } "));
        Editor e(flatImage(100, 100));
        QCOMPARE(e.button("yellow")->styleSheet(), ImageEditDialog::createColorStyleSheet("255, 255, 0"));
    }
};

// The dialog sizes itself to the screen under the pointer: the tests run on one Full HD screen.
int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    QFile config(dir.path() + "/screens.json");
    if (!dir.isValid() || !config.open(QIODevice::WriteOnly))
        return 1;
    config.write(R"({"screens":[{"name":"S1","x":0,"y":0,"width":1920,"height":1080,)"
                 R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
    qputenv("KESTOVAN_DARK_MODE", "0");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    registerIconResources();
    TestImageEditDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_imageeditdialog.moc"
