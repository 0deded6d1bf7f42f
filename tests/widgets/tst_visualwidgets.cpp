#include "widgets/customshadoweffect.h"
#include "widgets/elidedlabel.h"
#include "widgets/progresswidget.h"
#include "common/theme.h"
#include "widgets/togglelabel.h"
#include "common/utils.h"
#include "windowtestsupport.h"

#include <QMouseEvent>
#include <QSvgRenderer>

namespace {

const QString LongText = "The quick brown fox jumps over the lazy dog. Pack my box with five dozen liquor jugs. "
                         "How vexingly quick daft zebras jump. Sphinx of black quartz, judge my vow.";

// Paints the widget and its children alone, on a transparent image.
QImage renderAlone(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QColor strongestPixel(const QImage &image)
{
    QColor strongest(0, 0, 0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() > strongest.alpha())
                strongest = colour;
        }
    }
    return strongest;
}

} // namespace

class TestVisualWidgets : public QObject
{
    Q_OBJECT

private slots:
    void init() { setTheme(THEME_LIGHT); }

    void testElidedLabelReportsElisionOncePerChange()
    {
        ElidedLabel label;
        label.setText(LongText);
        QCOMPARE(label.text(), LongText);
        const int lineSpacing = label.fontMetrics().lineSpacing();
        label.resize(200, lineSpacing * 20);
        QSignalSpy changes(&label, &ElidedLabel::elisionChanged);

        label.grab();
        QVERIFY(!label.isElided());
        QVERIFY(label.toolTip().isEmpty());
        QCOMPARE(changes.size(), 0);

        label.resize(200, lineSpacing * 2);
        label.grab();
        label.grab();
        QVERIFY(label.isElided());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).toBool(), true);
        QCOMPARE(label.toolTip(), LongText);

        label.resize(200, lineSpacing * 20);
        label.grab();
        QVERIFY(!label.isElided());
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes.at(1).at(0).toBool(), false);
        QVERIFY(label.toolTip().isEmpty());
    }

    void testElidedLabelLastLineOfTextIsNotElision()
    {
        ElidedLabel label;
        label.setText("Short");
        label.resize(200, label.fontMetrics().lineSpacing());
        const QImage image = renderAlone(&label);
        QVERIFY(!label.isElided());
        QVERIFY(strongestPixel(image).alpha() > 0);

        // A single word too long for the width is cut, but nothing is hidden below it.
        label.setText(QString(120, QChar('x')));
        label.grab();
        QVERIFY(!label.isElided());
    }

    void testEmptyElidedLabelPaintsNothing()
    {
        ElidedLabel label;
        label.resize(100, 40);
        QCOMPARE(strongestPixel(renderAlone(&label)).alpha(), 0);
        QVERIFY(!label.isElided());
    }

    void testToggleLabelClicksFlipItsState()
    {
        ToggleLabel label(":/icons/images/ic_close.svg");
        auto centre = [&] { return label.pixmap().toImage().pixelColor(12, 12); };
        QCOMPARE(label.pixmap().size(), QSize(24, 24));
        QCOMPARE(centre(), QColor("#CCCCCC"));
        QSignalSpy clicked(&label, &ToggleLabel::clicked);

        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toBool(), true);
        QCOMPARE(centre(), QColor("#000000"));

        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &move);
        QCOMPARE(centre(), QColor("#888888"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
        QCOMPARE(centre(), QColor("#000000"));

        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicked.size(), 2);
        QCOMPARE(clicked.at(1).at(0).toBool(), false);
        QCOMPARE(centre(), QColor("#CCCCCC"));
    }

    void testSpinnerAnimatesOnlyWhileShown()
    {
        ProgressWidget spinner;
        spinner.resize(24, 24);
        spinner.init(false);
        PaintCounter counter;
        spinner.installEventFilter(&counter);

        QTest::qWait(150);
        QCOMPARE(counter.paints, 0);

        spinner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spinner));
        counter.paints = 0;
        QTRY_VERIFY(counter.paints >= 3);

        spinner.hide();
        QTest::qWait(20);
        counter.paints = 0;
        QTest::qWait(150);
        QCOMPARE(counter.paints, 0);

        spinner.show();
        QTRY_VERIFY(counter.paints >= 3);
    }

    void testSpinnerReloadKeepsOneRenderer()
    {
        ProgressWidget spinner;
        QCOMPARE(spinner.findChildren<QSvgRenderer *>().size(), 0);
        spinner.resize(24, 24);
        spinner.init(false);
        renderAlone(&spinner);
        spinner.init(true);
        renderAlone(&spinner);
        spinner.init(false);
        // Read when first painted, not before: hidden at start, most spinners are never shown.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(spinner.findChildren<QSvgRenderer *>().size(), 0);
        renderAlone(&spinner);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<QSvgRenderer *> renderers = spinner.findChildren<QSvgRenderer *>();
        QCOMPARE(renderers.size(), 1);
        QVERIFY(renderers.first()->isValid());
        QVERIFY(renderers.first()->animated());
    }

    void testSpinnerFollowsTheTheme()
    {
        ProgressWidget spinner;
        spinner.resize(48, 48);
        QCOMPARE(strongestPixel(renderAlone(&spinner)).alpha(), 0);

        spinner.init(false);
        QCOMPARE(strongestPixel(renderAlone(&spinner)).lightness(), 0);

        setTheme(THEME_DARK);
        spinner.init(false);
        QCOMPARE(strongestPixel(renderAlone(&spinner)).lightness(), 255);

        // The system appearance (light in the tests) wins for the settings pages.
        spinner.init(true);
        QCOMPARE(strongestPixel(renderAlone(&spinner)).lightness(), 0);
    }

    void testShadowEffectDefaultsAndBounds()
    {
        CustomShadowEffect effect;
        QCOMPARE(effect.distance(), 4.0);
        QCOMPARE(effect.blurRadius(), 10.0);
        QCOMPARE(effect.color(), QColor(0, 0, 0, 80));
        QCOMPARE(effect.boundingRectFor(QRectF(0, 0, 10, 10)), QRectF(-14, -14, 38, 38));
        effect.setDistance(0);
        effect.setBlurRadius(0);
        QCOMPARE(effect.boundingRectFor(QRectF(5, 5, 10, 10)), QRectF(5, 5, 10, 10));
    }

    void testShadowIsTheBlurredShapeAroundTheSource_data()
    {
        QTest::addColumn<double>("blur");
        QTest::newRow("no shadow") << 0.0;
        QTest::newRow("window shadow") << 10.0;
    }

    void testShadowIsTheBlurredShapeAroundTheSource()
    {
        QFETCH(double, blur);
        QWidget area;
        area.resize(100, 100);
        QPalette clear = area.palette();
        clear.setColor(QPalette::Window, Qt::transparent);
        area.setPalette(clear);
        auto *square = new QWidget(&area);
        square->setGeometry(30, 30, 40, 40);
        square->setAutoFillBackground(true);
        QPalette palette = square->palette();
        palette.setColor(QPalette::Window, Qt::white);
        square->setPalette(palette);
        auto *shadow = new CustomShadowEffect(square);
        shadow->setDistance(0);
        shadow->setBlurRadius(blur);
        shadow->setColor(QColor(0, 0, 0, 100));
        square->setGraphicsEffect(shadow);

        // As the window paints it, its own background transparent.
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        const QImage image = area.grab().toImage();
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::white));
        const int near = image.pixelColor(28, 50).alpha();
        const int middle = image.pixelColor(24, 50).alpha();
        const int far = image.pixelColor(10, 50).alpha();
        if (blur == 0) {
            QCOMPARE(near, 0);
            QCOMPARE(middle, 0);
        } else {
            QVERIFY2(near > middle && middle > 0, qPrintable(QString("%1 %2").arg(near).arg(middle)));
            QVERIFY(near <= 100);
            QCOMPARE(image.pixelColor(28, 50).red(), 0);
        }
        QCOMPARE(far, 0);
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestVisualWidgets)
#include "tst_visualwidgets.moc"
