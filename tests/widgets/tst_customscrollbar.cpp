#include "widgets/customscrollbar.h"
#include "common/theme.h"

#include <QAbstractScrollArea>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

class TestCustomScrollBar : public QObject
{
    Q_OBJECT

private:
    // What is on screen now, without repainting (a widget grab would paint afresh).
    static QImage onScreen(QWidget *window)
    {
        return window->screen()->grabWindow(window->winId()).toImage();
    }

    static int thumbPixels(const QImage &image, int column, const QColor &colour)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += image.pixelColor(column, y) == colour;
        return count;
    }

private slots:
    void cleanup() { setTheme(THEME_LIGHT); }

    void testStartsSmallThenFollowsTheAreaSize()
    {
        QAbstractScrollArea area;
        auto *bar = new CustomScrollBar(&area);
        QCOMPARE(bar->parentWidget(), &area);
        QVERIFY(bar->testAttribute(Qt::WA_TransparentForMouseEvents));
        QCOMPARE(bar->size(), QSize(3, 30));

        area.resize(250, 180);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(bar->geometry(), QRect(247, 0, 3, 180));

        area.resize(120, 400);
        QTRY_COMPARE(bar->geometry(), QRect(117, 0, 3, 400));

        QResizeEvent event(QSize(60, 70), area.size());
        bar->onResize(&event);
        QCOMPARE(bar->geometry(), QRect(57, 0, 3, 70));
    }

    void testThumbFromValuePageStepAndMaximum()
    {
        QAbstractScrollArea area;
        auto *bar = new CustomScrollBar(&area);
        QResizeEvent event(QSize(100, 200), QSize());
        bar->onResize(&event);
        QScrollBar *scroll = area.verticalScrollBar();

        scroll->setRange(0, 0);
        QVERIFY(bar->thumbRect().isEmpty());

        scroll->setRange(0, 30);
        scroll->setPageStep(10);
        scroll->setValue(0);
        QCOMPARE(bar->thumbRect(), QRect(0, 0, 2, 50));
        scroll->setValue(30);
        QCOMPARE(bar->thumbRect(), QRect(0, 150, 2, 50));
        QCOMPARE(bar->thumbRect().bottom(), 199);

        // Floating point, then truncated: 7 / 22 x 200 = 63.6, 15 / 22 x 200 = 136.4.
        scroll->setRange(0, 15);
        scroll->setPageStep(7);
        scroll->setValue(15);
        QCOMPARE(bar->thumbRect(), QRect(0, 136, 2, 63));
    }

    void testThumbIsPaintedInTheSecondaryTextColour()
    {
        for (THEME theme : {THEME_LIGHT, THEME_DARK}) {
            setTheme(theme);
            QAbstractScrollArea area;
            area.setStyleSheet("background: white; border: none;");
            area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            auto *bar = new CustomScrollBar(&area);
            area.resize(100, 200);
            area.show();
            QVERIFY(QTest::qWaitForWindowExposed(&area));
            QScrollBar *scroll = area.verticalScrollBar();
            scroll->setRange(0, 30);
            scroll->setPageStep(10);
            scroll->setValue(30);
            bar->update();
            QCoreApplication::processEvents();

            const QImage image = area.grab().toImage();
            const QColor thumb = getColor(COLOR_TEXT_SECONDARY);
            QCOMPARE(image.pixelColor(97, 175), thumb);
            QCOMPARE(image.pixelColor(98, 175), thumb);
            // One pixel narrower than the bar, and nothing above the thumb.
            QVERIFY(image.pixelColor(99, 175) != thumb);
            QVERIFY(image.pixelColor(97, 100) != thumb);
            QCOMPARE(thumbPixels(image, 97, thumb), 50);
        }
    }

    void testNothingIsDrawnWhenTheContentFits()
    {
        QListWidget list;
        list.addItems({"one", "two"});
        list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        new CustomScrollBar(&list);
        list.resize(200, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QImage image = list.grab().toImage();
        QCOMPARE(thumbPixels(image, 197, getColor(COLOR_TEXT_SECONDARY)), 0);
    }

    // The bar lies over the view's right edge; it must not swallow the click meant for a row.
    void testClickOnTheBarReachesTheRowBelow()
    {
        QListWidget list;
        for (int i = 0; i < 100; ++i)
            list.addItem(QString("row %1").arg(i));
        list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list.setFrameShape(QFrame::NoFrame);
        auto *bar = new CustomScrollBar(&list);
        list.resize(200, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCOMPARE(bar->geometry(), QRect(197, 0, 3, 300));

        const QRect row = list.visualItemRect(list.item(3));
        const QPoint onBar(198, row.center().y());
        QVERIFY(bar->geometry().contains(onBar));
        QCOMPARE(list.childAt(onBar), list.viewport());
        QSignalSpy clicked(&list, &QListWidget::itemClicked);
        QTest::mouseClick(list.windowHandle(), Qt::LeftButton, Qt::NoModifier, onBar);
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(list.currentRow(), 3);
    }

    // The bar does not watch the scroll bar itself; scrolling the view must still repaint it.
    void testThumbFollowsTheViewWhenItScrolls()
    {
        QListWidget list;
        for (int i = 0; i < 200; ++i)
            list.addItem(QString("row %1").arg(i));
        list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list.setFrameShape(QFrame::NoFrame);
        auto *bar = new CustomScrollBar(&list);
        list.resize(200, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QColor thumb = getColor(COLOR_TEXT_SECONDARY);
        QTRY_VERIFY(onScreen(&list).pixelColor(197, 0) == thumb);

        list.scrollToBottom();
        const QRect expected = bar->thumbRect();
        QVERIFY(expected.top() > 0);
        QTRY_VERIFY(onScreen(&list).pixelColor(197, expected.bottom()) == thumb);
        QCOMPARE(onScreen(&list).pixelColor(197, 0) == thumb, false);
    }
};

QTEST_MAIN(TestCustomScrollBar)
#include "tst_customscrollbar.moc"
