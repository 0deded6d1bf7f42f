#include "window/headercarousel.h"
#include "window/monitor.h"
#include "window/monitorlist.h"
#include "common/theme.h"
#include "screenshotsupport.h"
#include "windowtestsupport.h"

#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

// Shows the clipboard monitor and the header carousel on a real X server in both themes and keeps
// pictures of them for review by eye under <build>/screenshots/.
namespace {

QMimeData *sampleClipboard()
{
    auto *data = new QMimeData;
    data->setText("Kestovan keeps what you copy.\nSecond line of plain text.");
    data->setHtml("<p>Kestovan <b>keeps</b> what you copy.</p>");
    QByteArray binary;
    for (int i = 0; i < 70; ++i)
        binary.append(char((i * 37 + 11) & 0xff));
    data->setData("application/x-kestovan-sample", binary);
    QImage image(96, 64, QImage::Format_ARGB32);
    image.fill(QColor(52, 195, 176));
    QPainter painter(&image);
    painter.fillRect(12, 12, 40, 40, QColor(31, 98, 201));
    painter.end();
    data->setImageData(image);
    return data;
}

void save(QWidget *widget, const QString &name)
{
    const QImage image = widget->grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(Screenshots::path(name)));
}

} // namespace

class TestWindowScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs a real X server");
        QGuiApplication::clipboard()->setMimeData(sampleClipboard());
    }

    void testMonitorWindow_data()
    {
        QTest::addColumn<int>("theme");
        QTest::newRow("light") << int(THEME_LIGHT);
        QTest::newRow("dark") << int(THEME_DARK);
    }

    void testMonitorWindow()
    {
        QFETCH(int, theme);
        setTheme(THEME(theme));
        Monitor monitor;
        monitor.updateTheme();
        monitor.resize(460, 560);
        monitor.move(40, 40);
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        QTRY_COMPARE(monitor.list()->count(), 4);
        QTest::qWait(100);

        save(&monitor, QString("monitor-%1").arg(QTest::currentDataTag()));

        // The list is drawn in the theme's background, the heading in its text colour.
        QWidget *viewport = monitor.list()->viewport();
        const QImage list = viewport->grab().toImage();
        QCOMPARE(list.pixelColor(list.width() - 6, list.height() - 3), getColor(COLOR_BACKGROUND));
    }

    void testHeaderCarousel_data()
    {
        QTest::addColumn<int>("theme");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("filtering");
        QTest::newRow("light-history") << int(THEME_LIGHT) << 0 << false;
        QTest::newRow("light-history-filtered") << int(THEME_LIGHT) << 0 << true;
        QTest::newRow("light-group") << int(THEME_LIGHT) << 2 << false;
        QTest::newRow("dark-history") << int(THEME_DARK) << 0 << false;
        QTest::newRow("dark-history-filtered") << int(THEME_DARK) << 0 << true;
        QTest::newRow("dark-group") << int(THEME_DARK) << 2 << false;
    }

    void testHeaderCarousel()
    {
        QFETCH(int, theme);
        QFETCH(int, tab);
        QFETCH(bool, filtering);
        setTheme(THEME(theme));

        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *carousel = new HeaderCarousel(&window);
        carousel->setMinimumHeight(28);
        layout->addWidget(carousel);
        window.resize(420, 28);
        carousel->setTitles({"History", "Code snippets", "Mail replies", "Addresses"});
        carousel->showRecent = filtering;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        carousel->select(tab);
        QTRY_COMPARE(carousel->position(), double(tab));

        save(&window, QString("carousel-%1").arg(QTest::currentDataTag()));
        const QImage image = carousel->grab().toImage();
        QCOMPARE(image.pixelColor(2, image.height() - 1), getColor(COLOR_BORDER));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestWindowScreenshots)
#include "tst_windowscreenshots.moc"
