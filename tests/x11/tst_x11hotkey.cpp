#include "hotkey/qhotkey.h"
#include "x11/x11testsupport.h"

#include <QApplication>
#include <QKeySequenceEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace X11Test;

class X11HotkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_probe.start());
        QVERIFY(activate(m_probe.window()));
        // A second hotkey pressed after the one under test tells when every event before it has arrived.
        m_marker = new QHotkey(QKeySequence(QStringLiteral("Ctrl+Shift+F9")), true, this);
        QVERIFY(m_marker->isRegistered());
    }

    void init()
    {
        QVERIFY(activate(m_probe.window()));
        m_probe.forgetLines();
    }

    void testHotkeyFiresOncePerPressInAnotherApplication()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QVERIFY(hotkey.isRegistered());
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        QVERIFY(xdotool({"key", "ctrl+shift+v"}));
        pressMarker();
        QCOMPARE(spy.count(), 1);
        QVERIFY2(!m_probe.lines().contains(QStringLiteral("KEY:Ctrl+Shift+V")), "the other application saw the hotkey");
    }

    void testHotkeyFiresWithLockKeysOn_data()
    {
        QTest::addColumn<QString>("lockKey");
        QTest::addColumn<int>("lockMask");
        QTest::newRow("NumLock") << "Num_Lock" << int(XCB_MOD_MASK_2);
        QTest::newRow("CapsLock") << "Caps_Lock" << int(XCB_MOD_MASK_LOCK);
    }

    void testHotkeyFiresWithLockKeysOn()
    {
        QFETCH(QString, lockKey);
        QFETCH(int, lockMask);
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        Connection connection;
        QVERIFY(xdotool({"key", lockKey}));
        QTRY_VERIFY(connection.modifierState() & lockMask);
        QVERIFY(xdotool({"key", "ctrl+shift+v"}));
        pressMarker();
        QVERIFY(xdotool({"key", lockKey}));
        QTRY_VERIFY(!(connection.modifierState() & lockMask));
        QCOMPARE(spy.count(), 1);
    }

    void testHeldHotkeyFiresOnce()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        // Held well past the auto-repeat delay.
        QVERIFY(xdotool({"keydown", "ctrl+shift+v", "sleep", "1.2", "keyup", "v", "keyup", "shift+ctrl"}));
        pressMarker();
        QCOMPARE(spy.count(), 1);
    }

    // The history hotkey opened the window over the shortcut dialog recording it.
    void testHotkeyWaitsWhileAShortcutIsRecorded()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        QWidget window;
        auto *field = new QKeySequenceEdit(&window);
        (new QVBoxLayout(&window))->addWidget(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(activate(quint32(window.winId())));
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);

        QVERIFY(xdotool({"key", "ctrl+shift+v"}));
        QTRY_COMPARE(field->keySequence(), QKeySequence(QStringLiteral("Ctrl+Shift+V")));
        QCOMPARE(spy.count(), 0);

        // Once the field has no focus, the hotkey is back.
        window.hide();
        QVERIFY(activate(m_probe.window()));
        QVERIFY(xdotool({"key", "ctrl+shift+v"}));
        pressMarker();
        QCOMPARE(spy.count(), 1);
    }

    void testTakenCombinationIsReportedAsFailure()
    {
        Connection other;
        const xcb_keycode_t k = keycodeOf(other, 'k');
        QVERIFY(k);
        const uint16_t controlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
        Reply<xcb_generic_error_t> grabError(xcb_request_check(
            other.get(), xcb_grab_key_checked(other.get(), 1, other.root(), controlAlt, k, XCB_GRAB_MODE_ASYNC,
                                              XCB_GRAB_MODE_ASYNC)));
        QVERIFY(!grabError);

        QTest::ignoreMessage(QtWarningMsg, "Failed to register hotkey. Error: 10");
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Alt+K")), true);
        QVERIFY(!hotkey.isRegistered());

        // Once the other client lets go, the combination is ours.
        Reply<xcb_generic_error_t> ungrabError(
            xcb_request_check(other.get(), xcb_ungrab_key_checked(other.get(), k, other.root(), controlAlt)));
        QVERIFY(!ungrabError);
        QVERIFY(hotkey.setRegistered(true));
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        QVERIFY(xdotool({"key", "ctrl+alt+k"}));
        pressMarker();
        QCOMPARE(spy.count(), 1);
    }

    void testUnregisteredHotkeyGivesCombinationBack()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Alt+J")), true);
        QVERIFY(hotkey.isRegistered());
        QSignalSpy spy(&hotkey, &QHotkey::activated);
        QVERIFY(hotkey.setRegistered(false));

        Connection other;
        const xcb_keycode_t j = keycodeOf(other, 'j');
        const uint16_t lockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
        for (uint16_t locks : lockVariants) {
            Reply<xcb_generic_error_t> error(xcb_request_check(
                other.get(), xcb_grab_key_checked(other.get(), 1, other.root(),
                                                  uint16_t(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | locks), j,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
            QVERIFY2(!error, "a lock variant of the grab was left behind");
        }
        QVERIFY(xdotool({"key", "ctrl+alt+j"}));
        pressMarker();
        QCOMPARE(spy.count(), 0);
    }

    void testLetterHotkeyFollowsLayout()
    {
        QVERIFY(run("setxkbmap", {"fr"}));
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Alt+A")), false);
        QVERIFY(run("setxkbmap", {"us"}));
        // On AZERTY, A sits where QWERTY has Q (evdev 16, X key code 24).
        QCOMPARE(hotkey.currentNativeShortcut().key, 24u);
    }

private:
    void pressMarker()
    {
        QSignalSpy marker(m_marker, &QHotkey::activated);
        QVERIFY(xdotool({"key", "ctrl+shift+F9"}));
        QTRY_COMPARE(marker.count(), 1);
    }

    static xcb_keycode_t keycodeOf(Connection &connection, xcb_keysym_t keysym)
    {
        const xcb_setup_t *setup = xcb_get_setup(connection.get());
        const int count = setup->max_keycode - setup->min_keycode + 1;
        Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
            connection.get(), xcb_get_keyboard_mapping(connection.get(), setup->min_keycode, uint8_t(count)), nullptr));
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(reply.get());
        for (int i = 0; i < count; ++i) {
            if (symbols[i * reply->keysyms_per_keycode] == keysym)
                return xcb_keycode_t(setup->min_keycode + i);
        }
        return 0;
    }

    Probe m_probe;
    QHotkey *m_marker = nullptr;
};

QTEST_MAIN(X11HotkeyTest)
#include "tst_x11hotkey.moc"
