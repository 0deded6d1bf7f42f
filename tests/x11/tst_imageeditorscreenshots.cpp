#include "images/editor/editortestsupport.h"
#include "images/editor/imageeditdialog.h"
#include "common/iconresources.h"
#include "modalwatcher.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QInputDialog>
#include <QToolButton>

using namespace EditorTest;

// Shows the image editor on a real X server in a light and a dark desktop appearance, with every
// kind of annotation drawn and each tool chosen in turn, keeps pictures of it for review by eye
// under <build>/screenshots/, and checks that every tool shows its icon and its whole name.
namespace {

// A window on a desktop, as a screenshot holds it.
QImage desktopPicture()
{
    QImage image(720, 460, QImage::Format_RGB32);
    image.fill(QColor(70, 110, 150));
    QPainter painter(&image);
    painter.fillRect(60, 50, 580, 350, QColor(248, 248, 248));
    painter.fillRect(60, 50, 580, 30, QColor(60, 90, 160));
    painter.setPen(QColor(30, 30, 30));
    painter.drawRect(60, 50, 579, 349);
    painter.drawText(100, 130, "Settings saved. Restart to apply the new theme.");
    painter.fillRect(480, 350, 130, 30, QColor(60, 120, 220));
    return image;
}

// Every kind of annotation, each drawn with its own tool and colour.
void annotate(ImageEditDialog &dialog, ImageEditGraphicsView &view)
{
    const auto choose = [&dialog](const char *name) { dialog.findChild<QToolButton *>(name)->click(); };
    choose("buttonArrow");
    drag(view, {150, 250}, {470, 140});
    choose("blue");
    choose("buttonRectangle");
    drag(view, {470, 340}, {625, 390});
    choose("red");
    choose("large");
    choose("buttonNumbers");
    click(view, {110, 200});
    click(view, {110, 290});
    choose("medium");
    choose("yellow");
    choose("buttonText");
    ModalWatcher<QInputDialog> answer([](QInputDialog *prompt) {
        prompt->setTextValue("Press here\nto restart");
        prompt->accept();
    });
    drag(view, {560, 330}, {330, 310});
    QTRY_VERIFY(dialog.findChild<QToolButton *>("buttonPointer")->isChecked());
    choose("buttonHighlight");
    drag(view, {90, 105}, {470, 145});
}

// How far apart in lightness the darkest and the lightest pixel of an area are.
int contrast(const QImage &image, const QRect &area)
{
    int lightest = 0, darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int lightness = QColor(image.pixel(x, y)).lightness();
            lightest = std::max(lightest, lightness);
            darkest = std::min(darkest, lightness);
        }
    }
    return lightest - darkest;
}

} // namespace

class TestImageEditorScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerIconResources(); }

    void testEveryTool_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("button");
        const QStringList buttons{"buttonPointer", "buttonArrow",     "buttonRectangle", "buttonNumbers",
                                  "buttonText",    "buttonHighlight", "buttonCrop"};
        for (const bool dark : {false, true}) {
            for (const QString &button : buttons)
                QTest::addRow("%s-%s", dark ? "dark" : "light", qPrintable(button.mid(6).toLower())) << dark << button;
        }
    }

    void testEveryTool()
    {
        QFETCH(bool, dark);
        QFETCH(QString, button);
        Screenshots::useAppearance(dark);
        ImageEditDialog dialog(desktopPicture());
        dialog.move(30, 30);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *view = dialog.findChild<ImageEditGraphicsView *>("graphicsView");
        annotate(dialog, *view);
        auto *tool = dialog.findChild<QToolButton *>(button);
        tool->click();
        // Under the select tool, the rectangle is picked and shows its handles.
        if (button == "buttonPointer")
            click(*view, {470, 365});
        QTest::qWait(100);
        QVERIFY(tool->isChecked());
        QCOMPARE(view->mode() == EditMode::Select, button == "buttonPointer" || button == "buttonCrop");

        const QImage image = dialog.grab().toImage();
        QVERIFY(image.save(Screenshots::path(QString("image-editor-%1").arg(QTest::currentDataTag()))));

        // Every tool's icon stands out from the window in either appearance, and its name fits.
        for (QToolButton *control : dialog.findChildren<QToolButton *>()) {
            if (control->iconSize().width() != 32)
                continue;
            const QRect icon(control->mapTo(&dialog, QPoint((control->width() - 32) / 2, 4)), QSize(32, 32));
            QVERIFY2(contrast(image, icon) > 120, qPrintable(control->objectName()));
            QVERIFY2(control->fontMetrics().horizontalAdvance(control->text()) <= control->width() - 4,
                     qPrintable(control->objectName()));
        }
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestImageEditorScreenshots)
#include "tst_imageeditorscreenshots.moc"
