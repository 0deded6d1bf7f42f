#include "common/utils.h"
#include "window/mainwindow.h"
#include "window/monitor.h"
#include "windowtestsupport.h"

#include <QLayout>
#include <QSettings>
#include <QWidget>

#include <X11/Xlib.h>

// On X11 the frameless windows keep their transparent margin and shadow only while a compositing
// manager owns _NET_WM_CM_S<screen>. This test stands in for one by owning that selection.
class TestCompositingCheck : public QObject
{
    Q_OBJECT

    Display *m_display = nullptr;
    Window m_owner = 0;
    Atom m_selection = 0;

    void claim()
    {
        XSetSelectionOwner(m_display, m_selection, m_owner, CurrentTime);
        XSync(m_display, False);
    }

    void release()
    {
        XSetSelectionOwner(m_display, m_selection, 0, CurrentTime);
        XSync(m_display, False);
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs a real X server");
        m_display = XOpenDisplay(nullptr);
        QVERIFY(m_display);
        const int screen = DefaultScreen(m_display);
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        m_selection = XInternAtom(m_display, name.constData(), False);
        if (XGetSelectionOwner(m_display, m_selection) != 0)
            QSKIP("a compositing manager is running");
        m_owner = XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, 0, 1, 1, 0, 0, 0);
    }

    void cleanupTestCase()
    {
        if (!m_display)
            return;
        release();
        if (m_owner)
            XDestroyWindow(m_display, m_owner);
        XCloseDisplay(m_display);
    }

    int depth(QWidget *window) const
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, window->winId(), &attributes))
            return 0;
        return attributes.depth;
    }

    void testHistoryWindowIsTranslucentOnlyUnderACompositor()
    {
        Utils::settings().setValue("SyncTarget", "None");
        {
            MainWindow window;
            QVERIFY(!window.testAttribute(Qt::WA_TranslucentBackground));
            QCOMPARE(depth(&window), DefaultDepth(m_display, DefaultScreen(m_display)));
        }
        // The shadow's margin must let the desktop show through.
        claim();
        {
            MainWindow window;
            QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
            QCOMPARE(depth(&window), 32);
            QCOMPARE(window.centralWidget()->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        }
        release();
    }

    void testCompositingFollowsTheSelectionOwner()
    {
        QVERIFY(!MovableAndResizable::compositingActive());
        claim();
        QVERIFY(MovableAndResizable::compositingActive());
        release();
        QVERIFY(!MovableAndResizable::compositingActive());
    }

    void testMonitorDropsItsMarginWithoutCompositor()
    {
        Monitor monitor;
        monitor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&monitor));
        QCOMPARE(monitor.centralWidget()->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
        QVERIFY(!monitor.findChild<QWidget *>("widget")->graphicsEffect());
        monitor.hide();

        // A compositor started later is seen at the next show.
        claim();
        monitor.show();
        QCOMPARE(monitor.centralWidget()->layout()->contentsMargins(), QMargins(8, 8, 8, 8));
        QVERIFY(monitor.findChild<QWidget *>("widget")->graphicsEffect());
        release();
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestCompositingCheck)
#include "tst_compositingcheck.moc"
