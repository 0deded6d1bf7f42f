#include "widgets/customshadoweffect.h"
#include "widgets/movableandresizable.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A frameless window with the central widget and frame layout of the real windows.
class FramelessWindow : public MovableAndResizable
{
public:
    FramelessWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint);
        central = new QFrame(this);
        auto *layout = new QVBoxLayout(central);
        frame = new QWidget(central);
        layout->addWidget(frame);
        setCentralWidget(central);
        // Mouse presses over the children reach the window, as they do over the real header.
        central->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void useShadowFrame() { setShadowFrame(central, frame, compositingActive()); }

    QFrame *central;
    QWidget *frame;
};

// A child that fills the window and takes the presses it gets, as the history list does.
class PressTaker : public QWidget
{
public:
    using QWidget::QWidget;
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->accept();
    }
};

// Sends a mouse event with the pointer at a global position, as the window system does.
void sendMouse(QWidget *window, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint local = window->mapFromGlobal(global);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

void press(QWidget *window, QPoint local, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(window, QEvent::MouseButtonPress, window->mapToGlobal(local), button, button);
}

void moveTo(QWidget *window, QPoint global, Qt::MouseButtons held = Qt::LeftButton)
{
    sendMouse(window, QEvent::MouseMove, global, Qt::NoButton, held);
}

void release(QWidget *window, QPoint global, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(window, QEvent::MouseButtonRelease, global, button, Qt::NoButton);
}

} // namespace

class TestMovableAndResizable : public QObject
{
    Q_OBJECT

    std::unique_ptr<FramelessWindow> m_window;

private slots:
    void init()
    {
        m_window = std::make_unique<FramelessWindow>();
        m_window->setGeometry(100, 100, 400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 300));
    }

    void cleanup() { m_window.reset(); }

    void testZonesOfEdgesAndCorners_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("zone");
        // Window 400 x 300: top and left bands 10 deep, bottom and right 9, corners 15 and 14 wide.
        QTest::newRow("top-left corner") << QPoint(9, 9) << 9;
        QTest::newRow("top edge") << QPoint(15, 5) << 1;
        QTest::newRow("top edge before right corner") << QPoint(385, 9) << 1;
        QTest::newRow("top-right corner") << QPoint(386, 9) << 5;
        QTest::newRow("left edge") << QPoint(5, 10) << 8;
        QTest::newRow("inside left") << QPoint(10, 150) << 0;
        QTest::newRow("inside right") << QPoint(390, 150) << 0;
        QTest::newRow("right edge") << QPoint(391, 150) << 4;
        QTest::newRow("above bottom band") << QPoint(200, 290) << 0;
        QTest::newRow("bottom edge") << QPoint(200, 291) << 2;
        QTest::newRow("bottom-left corner") << QPoint(14, 299) << 10;
        QTest::newRow("bottom-right corner") << QPoint(386, 291) << 6;
    }

    void testZonesOfEdgesAndCorners()
    {
        QFETCH(QPoint, point);
        QFETCH(int, zone);
        QCOMPARE(int(m_window->checkResizeArea(point)), zone);
    }

    void testTopBandWinsInALowWindow()
    {
        m_window->setMinimumSize(0, 0);
        m_window->resize(400, 15);
        QCOMPARE(int(m_window->checkResizeArea(QPoint(200, 9))), int(RESIZE_TOP));
        QCOMPARE(int(m_window->checkResizeArea(QPoint(200, 10))), int(RESIZE_BOTTOM));
    }

    void testCursorShowsTheZonesSizeArrow_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("shape");
        QTest::newRow("top") << QPoint(200, 2) << int(Qt::SizeVerCursor);
        QTest::newRow("bottom") << QPoint(200, 298) << int(Qt::SizeVerCursor);
        QTest::newRow("left") << QPoint(2, 150) << int(Qt::SizeHorCursor);
        QTest::newRow("right") << QPoint(398, 150) << int(Qt::SizeHorCursor);
        QTest::newRow("top-left") << QPoint(2, 2) << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-right") << QPoint(398, 298) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right") << QPoint(398, 2) << int(Qt::SizeBDiagCursor);
        QTest::newRow("bottom-left") << QPoint(2, 298) << int(Qt::SizeBDiagCursor);
        QTest::newRow("none") << QPoint(200, 150) << int(Qt::ArrowCursor);
    }

    void testCursorShowsTheZonesSizeArrow()
    {
        QFETCH(QPoint, point);
        QFETCH(int, shape);
        m_window->updateCursor(point);
        QCOMPARE(int(m_window->cursor().shape()), shape);
        QCOMPARE(int(MovableAndResizable::resizeAreaToCursor(m_window->checkResizeArea(point))), shape);
    }

    void testDragInTopStripMovesWindow()
    {
        press(m_window.get(), QPoint(100, 39));
        moveTo(m_window.get(), QPoint(250, 169));
        QCOMPARE(m_window->pos(), QPoint(150, 130));
        moveTo(m_window.get(), QPoint(210, 149));
        QCOMPARE(m_window->pos(), QPoint(110, 110));
        release(m_window.get(), QPoint(210, 149));
        moveTo(m_window.get(), QPoint(400, 400), Qt::NoButton);
        QCOMPARE(m_window->geometry(), QRect(110, 110, 400, 300));
    }

    void testPressBelowTopStripDoesNotMove()
    {
        press(m_window.get(), QPoint(100, 40));
        moveTo(m_window.get(), QPoint(250, 170));
        QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 300));
        release(m_window.get(), QPoint(250, 170));
    }

    void testLeftEdgeDragStopsAt200WithRightEdgeFixed()
    {
        press(m_window.get(), QPoint(5, 150));
        moveTo(m_window.get(), QPoint(150, 250));
        QCOMPARE(m_window->geometry(), QRect(150, 100, 350, 300));
        moveTo(m_window.get(), QPoint(1000, 250));
        QCOMPARE(m_window->width(), 200);
        QCOMPARE(m_window->geometry().right(), 499);
        moveTo(m_window.get(), QPoint(40, 250));
        QCOMPARE(m_window->geometry(), QRect(40, 100, 460, 300));
        release(m_window.get(), QPoint(40, 250));
    }

    void testTopEdgeDragStopsAt200WithBottomEdgeFixed()
    {
        press(m_window.get(), QPoint(200, 3));
        moveTo(m_window.get(), QPoint(300, 900));
        QCOMPARE(m_window->height(), 200);
        QCOMPARE(m_window->geometry().bottom(), 399);
        QCOMPARE(m_window->x(), 100);
        release(m_window.get(), QPoint(300, 900));
    }

    void testCornerDragResizesBothWays()
    {
        press(m_window.get(), QPoint(395, 295));
        moveTo(m_window.get(), QPoint(700, 600));
        QCOMPARE(m_window->geometry(), QRect(100, 100, 600, 500));
        moveTo(m_window.get(), QPoint(120, 130));
        QCOMPARE(m_window->geometry(), QRect(100, 100, 200, 200));
        release(m_window.get(), QPoint(120, 130));

        press(m_window.get(), QPoint(2, 2));
        moveTo(m_window.get(), QPoint(50, 60));
        QCOMPARE(m_window->geometry(), QRect(QPoint(50, 60), QPoint(299, 299)));
        release(m_window.get(), QPoint(50, 60));
    }

    void testRightButtonInHeaderDoesNotGlueWindowToPointer()
    {
        press(m_window.get(), QPoint(100, 20), Qt::RightButton);
        release(m_window.get(), m_window->mapToGlobal(QPoint(100, 20)), Qt::RightButton);
        moveTo(m_window.get(), QPoint(600, 500), Qt::NoButton);
        QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 300));

        press(m_window.get(), QPoint(2, 150), Qt::MiddleButton);
        moveTo(m_window.get(), QPoint(30, 250), Qt::NoButton);
        QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 300));
    }

    void testOnlyLeftReleaseEndsDrag()
    {
        press(m_window.get(), QPoint(100, 20));
        release(m_window.get(), QPoint(220, 140), Qt::RightButton);
        moveTo(m_window.get(), QPoint(220, 140));
        QCOMPARE(m_window->pos(), QPoint(120, 120));
        release(m_window.get(), QPoint(220, 140));
        moveTo(m_window.get(), QPoint(500, 500), Qt::NoButton);
        QCOMPARE(m_window->pos(), QPoint(120, 120));
    }

    void testEdgesCoveredByAChildStillResize_data()
    {
        QTest::addColumn<QPoint>("grip");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("left") << QPoint(3, 150) << QPoint(60, 400) << QRect(60, 100, 440, 300);
        QTest::newRow("right") << QPoint(396, 150) << QPoint(600, 400) << QRect(100, 100, 500, 300);
        QTest::newRow("bottom") << QPoint(200, 296) << QPoint(600, 500) << QRect(100, 100, 400, 400);
        QTest::newRow("bottom-left corner") << QPoint(3, 296) << QPoint(80, 450) << QRect(80, 100, 420, 350);
        QTest::newRow("away from the edges") << QPoint(200, 150) << QPoint(600, 500) << QRect(100, 100, 400, 300);
    }

    void testEdgesCoveredByAChildStillResize()
    {
        QFETCH(QPoint, grip);
        QFETCH(QPoint, to);
        QFETCH(QRect, expected);
        auto *list = new PressTaker(m_window.get());
        list->setGeometry(m_window->rect());
        list->show();

        // The child has the mouse from its press to its release, as the window system gives it.
        const QPoint global = m_window->mapToGlobal(grip);
        sendMouse(list, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton);
        sendMouse(list, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        sendMouse(list, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(m_window->geometry(), expected);
        QCOMPARE(list->presses, expected == QRect(100, 100, 400, 300) ? 1 : 0);
        // The drag ended with the release.
        sendMouse(list, QEvent::MouseMove, QPoint(700, 600), Qt::NoButton, Qt::NoButton);
        QCOMPARE(m_window->geometry(), expected);
    }

    void testButtonAtTheEdgeKeepsItsClick()
    {
        auto *close = new QPushButton("x", m_window.get());
        close->setGeometry(0, 0, 24, 24);
        close->show();
        QSignalSpy clicked(close, &QPushButton::clicked);
        QTest::mouseClick(close, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(m_window->geometry(), QRect(100, 100, 400, 300));
    }

    void testShadowFrameFollowsCompositing()
    {
        // Offscreen windows are drawn with their alpha, as under a compositing manager.
        QVERIFY(MovableAndResizable::compositingActive());

        m_window->useShadowFrame();
        QCOMPARE(m_window->central->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        auto *shadow = qobject_cast<CustomShadowEffect *>(m_window->frame->graphicsEffect());
        QVERIFY(shadow);
        QCOMPARE(shadow->distance(), 0.0);
        QCOMPARE(shadow->blurRadius(), 10.0);
        QCOMPARE(shadow->color(), QColor(0, 0, 0, 100));

        // Without a compositor the margin would show black: no margin, no shadow.
        m_window->setComposited(false);
        QCOMPARE(m_window->central->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
        QVERIFY(!m_window->frame->graphicsEffect());

        m_window->setComposited(true);
        QCOMPARE(m_window->central->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        QVERIFY(qobject_cast<CustomShadowEffect *>(m_window->frame->graphicsEffect()));
    }
};

QTEST_MAIN(TestMovableAndResizable)
#include "tst_movableandresizable.moc"
