#include "platform/keymonitor.h"
#include "platform/nullplatformbackend.h"
#include "platform/platform.h"

#include <QtTest>
#include <QWidget>

class PlatformServicesTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_backend = NullPlatformBackend::current();
        QVERIFY(m_backend);
        m_backend->reset();
        qunsetenv("KESTOVAN_DARK_MODE");
    }

    void testHeadlessRunChoosesNullBackend()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        QVERIFY(NullPlatformBackend::current());
    }

    void testActivateTargetWithoutFrontApplicationDoesNothing()
    {
        activateTarget();
        QCOMPARE(m_backend->activateTargetCount(), 0);
        m_backend->setFrontApplication(QStringLiteral("Editor"));
        QTest::ignoreMessage(QtDebugMsg, "Activating: Editor");
        activateTarget();
        QCOMPARE(m_backend->activateTargetCount(), 1);
        activateApp();
        QCOMPARE(m_backend->activateAppCount(), 1);
    }

    void testDarkModeOverrideComesFirst()
    {
        m_backend->setSystemDarkMode(false);
        qputenv("KESTOVAN_DARK_MODE", "1");
        QVERIFY(isDarkMode());
        m_backend->setSystemDarkMode(true);
        qputenv("KESTOVAN_DARK_MODE", "0");
        QVERIFY(!isDarkMode());
    }

    void testDarkModeFollowsDesktopThenPalette()
    {
        m_backend->setSystemDarkMode(true);
        QVERIFY(isDarkMode());
        m_backend->setSystemDarkMode(false);
        QVERIFY(!isDarkMode());

        // No desktop preference: the palette decides.
        m_backend->setSystemDarkMode(std::nullopt);
        const QPalette original = QGuiApplication::palette();
        QPalette dark = original;
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QGuiApplication::setPalette(dark);
        QVERIFY(isDarkMode());
        QPalette light = original;
        light.setColor(QPalette::Window, QColor(240, 240, 240));
        light.setColor(QPalette::WindowText, QColor(10, 10, 10));
        QGuiApplication::setPalette(light);
        QVERIFY(!isDarkMode());
        QGuiApplication::setPalette(original);
    }

    void testTrustedProcessIsNotPrompted()
    {
        QTest::ignoreMessage(QtDebugMsg, "The process is trusted.");
        QVERIFY(checkAccessibility(true));
        QCOMPARE(m_backend->trustPromptCount(), 0);
    }

    void testUntrustedProcessIsPromptedOnlyWhenAsked()
    {
        m_backend->setTrusted(false);
        QTest::ignoreMessage(QtDebugMsg, "The process is not trusted.");
        QVERIFY(!checkAccessibility(false));
        QCOMPARE(m_backend->trustPromptCount(), 0);
        QTest::ignoreMessage(QtDebugMsg, "The process is not trusted.");
        QVERIFY(!checkAccessibility(true));
        QCOMPARE(m_backend->trustPromptCount(), 1);
    }

    void testKeyListenerInstallsOnceAndReportsRemoval()
    {
        QVERIFY(!removeKeyListener());
        setupKeyListener();
        setupKeyListener();
        QVERIFY(removeKeyListener());
        QVERIFY(!removeKeyListener());
    }

    void testRefusedKeyListenerIsTriedAgain()
    {
        m_backend->setKeyMonitorAvailable(false);
        QTest::ignoreMessage(QtWarningMsg, "Unable to create the global monitor for events.");
        setupKeyListener();
        QVERIFY(!removeKeyListener());
        m_backend->setKeyMonitorAvailable(true);
        setupKeyListener();
        QVERIFY(removeKeyListener());
    }

    void testRemovedKeyListenerReportsNothing()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        m_backend->inject(KeyMonitor::Input::key(QStringLiteral("a"), 0));
        setupKeyListener();
        m_backend->inject(KeyMonitor::Input::key(QStringLiteral("b"), 11));
        removeKeyListener();
        m_backend->inject(KeyMonitor::Input::key(QStringLiteral("c"), 8));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("b"));
        QCOMPARE(spy.at(0).at(1).toInt(), 11);
    }

    void testShowInAllSpacesTakesTheTopLevelWindow()
    {
        showInAllSpaces(nullptr);
        QVERIFY(m_backend->allSpacesWindows().isEmpty());
        QWidget window;
        auto *child = new QWidget(&window);
        showInAllSpaces(child);
        QCOMPARE(m_backend->allSpacesWindows().size(), 1);
        QCOMPARE(m_backend->allSpacesWindows().constFirst().data(), &window);
    }

private:
    NullPlatformBackend *m_backend = nullptr;
};

QTEST_MAIN(PlatformServicesTest)
#include "tst_platformservices.moc"
