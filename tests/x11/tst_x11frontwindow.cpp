#include "platform/platform.h"
#include "x11/x11testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

using namespace X11Test;

class X11FrontWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_probe.start());
        m_own.setWindowTitle(QStringLiteral("Our own window"));
        m_own.resize(300, 100);
    }

    void init() { QVERIFY(activate(m_probe.window())); }

    void cleanup() { m_own.hide(); }

    void testFrontApplicationIsTheActiveForeignWindow()
    {
        QTRY_COMPARE(getApplicationName(), QStringLiteral("KestovanProbe"));
        const QPixmap icon = getIcon();
        QCOMPARE(icon.size(), QSize(64, 64));
        const QColor colour = icon.toImage().pixelColor(32, 32);
        QCOMPARE(colour.red(), 208);
        QCOMPARE(colour.green(), 32);
    }

    void testFrontApplicationSurvivesOwnFocus()
    {
        QTRY_COMPARE(getApplicationName(), QStringLiteral("KestovanProbe"));
        showOwnWindow();
        QCOMPARE(getApplicationName(), QStringLiteral("KestovanProbe"));
        QVERIFY(!getIcon().isNull());
    }

    void testActivateTargetReturnsFocusToFrontApplication()
    {
        QTRY_COMPARE(getApplicationName(), QStringLiteral("KestovanProbe"));
        showOwnWindow();
        activateTarget();
        QTRY_COMPARE(m_connection.activeWindow(), m_probe.window());
    }

    void testActivateAppBringsOwnWindowToFront()
    {
        m_own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_own));
        QVERIFY(activate(m_probe.window()));
        activateApp();
        QTRY_COMPARE(m_connection.activeWindow(), quint32(m_own.winId()));
    }

    void testClosedApplicationIsNotReportedAsFront()
    {
        Probe other({QStringLiteral("--class"), QStringLiteral("OtherProbe")});
        QVERIFY(other.start());
        QVERIFY(activate(other.window()));
        QTRY_COMPARE(getApplicationName(), QStringLiteral("OtherProbe"));
        showOwnWindow();
        other.stop();
        QTRY_VERIFY(getApplicationName() != QStringLiteral("OtherProbe"));
        activateTarget(); // to a window that is gone: nothing happens
    }

    void testShowInAllSpacesSetsAllDesktops()
    {
        // With children, as the history window has: none of them may pass for the keeper.
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("a child")));
        showInAllSpaces(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(m_connection.cardinal(quint32(window.winId()), "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL), 0xFFFFFFFFu);
        // Still so after the window manager withdrew it, dropped the property, and mapped it again.
        // A window manager starved by a build beside the tests may keep it past the withdrawal, so
        // the test drops it as the manager would.
        window.hide();
        xcb_delete_property(m_connection.get(), quint32(window.winId()), m_connection.atom("_NET_WM_DESKTOP"));
        xcb_flush(m_connection.get());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(m_connection.cardinal(quint32(window.winId()), "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL), 0xFFFFFFFFu);
    }

    void testXTestServerIsTrusted()
    {
        QVERIFY(checkAccessibility(false));
        QVERIFY(checkAccessibility(true));
    }

private:
    void showOwnWindow()
    {
        m_own.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_own));
        QVERIFY(activate(quint32(m_own.winId())));
    }

    Probe m_probe;
    Connection m_connection;
    QWidget m_own;
};

QTEST_MAIN(X11FrontWindowTest)
#include "tst_x11frontwindow.moc"
