#include "platform/keycodes.h"
#include "platform/keymonitor.h"
#include "platform/keysynthesis.h"
#include "platform/platform.h"
#include "platform/platformbackend.h"
#include "x11/x11testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace X11Test;

namespace {

struct Event
{
    QString text;
    int keyCode;
};

QList<Event> eventsOf(const QSignalSpy &spy)
{
    QList<Event> events;
    for (const QList<QVariant> &arguments : spy)
        events.append({arguments.at(0).toString(), arguments.at(1).toInt()});
    return events;
}

QString textsOf(const QSignalSpy &spy)
{
    QStringList texts;
    for (const Event &event : eventsOf(spy))
        texts.append(event.text.isEmpty() ? QStringLiteral("<break>") : event.text);
    return texts.join(QLatin1Char('|'));
}

} // namespace

class X11KeyMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(m_probe.start());
    }

    void init()
    {
        QVERIFY(activate(m_probe.window()));
        QVERIFY(m_probe.clear());
        setupKeyListener();
    }

    void cleanup() { removeKeyListener(); }

    void testTypedTextArrivesWithoutModifierBreaks()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        QVERIFY(xdotool({"type", "--delay", "20", "A::b"}));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("A|:|:|b"));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("A::b"));
        QCOMPARE(eventsOf(spy).at(0).keyCode, 0);  // the A key
        QCOMPARE(eventsOf(spy).at(3).keyCode, 11); // the B key
    }

    void testBackspaceArrivesAsDeleteKeyCode()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        QVERIFY(xdotool({"type", "xy"}));
        QVERIFY(xdotool({"key", "BackSpace"}));
        QTRY_COMPARE(spy.count(), 3);
        QCOMPARE(eventsOf(spy).at(2).keyCode, int(MacKey::Delete));
    }

    void testCharactersOfAnotherLayoutArrive()
    {
        QVERIFY(run("setxkbmap", {"de"}));
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        const bool typed = xdotool({"type", "--delay", "20", "Gr\u00fc\u00dfe w\u00f6rld"});
        const bool arrived = QTest::qWaitFor([&] { return spy.count() >= 11; }, 5000);
        QVERIFY(run("setxkbmap", {"us"}));
        QVERIFY(typed);
        QVERIFY(arrived);
        QCOMPARE(textsOf(spy), QStringLiteral("G|r|\u00fc|\u00df|e| |w|\u00f6|r|l|d"));
    }

    // The layout is read at the first key press, so a lock taken before the monitor started
    // must come from the server, not from a fresh state.
    void testLockTakenBeforeTheMonitorStartedCounts()
    {
        removeKeyListener();
        QVERIFY(xdotool({"key", "Caps_Lock"}));
        setupKeyListener();
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        const bool typed = xdotool({"key", "--delay", "20", "a", "b"});
        const bool arrived = QTest::qWaitFor([&] { return spy.count() >= 2; }, 5000);
        QVERIFY(xdotool({"key", "Caps_Lock"}));
        QVERIFY(typed);
        QVERIFY(arrived);
        QCOMPARE(textsOf(spy), QStringLiteral("A|B"));
    }

    void testControlChordAndClicksAreBreaks()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        // On the probe's margin: no menu there grabs the keyboard.
        QVERIFY(xdotool({"mousemove", "--window", QString::number(m_probe.window()), "3", "3"}));
        QVERIFY(xdotool({"type", "a"}));
        QVERIFY(xdotool({"key", "ctrl+a"}));
        QVERIFY(xdotool({"key", "super+b"}));
        QVERIFY(xdotool({"click", "2"}));
        QVERIFY(xdotool({"click", "1"}));
        QVERIFY(xdotool({"click", "3"}));
        QVERIFY(xdotool({"type", "c"}));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("a|<break>|<break>|<break>|<break>|c"));
        for (const Event &event : eventsOf(spy).mid(1, 4))
            QCOMPARE(event.keyCode, 0);
    }

    void testTypingIntoOwnWindowIsNotSeen()
    {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Our own window"));
        auto *edit = new QLineEdit(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(activate(quint32(window.winId())));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        QVERIFY(xdotool({"type", "zz"}));
        QTRY_COMPARE(edit->text(), QStringLiteral("zz"));
        window.hide();

        QVERIFY(activate(m_probe.window()));
        QVERIFY(xdotool({"type", "m"}));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("m"));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("m"));
    }

    void testOwnSyntheticKeysAreNotSeen()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        typeString("q\u00e9");
        tapKeyCode(MacKey::Delete, 0);
        tapKeyCode(MacKey::Left, MacFlag::Shift);
        QTRY_COMPARE(m_probe.text(), QStringLiteral("q"));
        // Keyword expansion takes the monitor away around its keys and puts it back at once.
        const bool wasInstalled = removeKeyListener();
        QVERIFY(wasInstalled);
        tapKeyCode(MacKey::Delete, 0);
        setupKeyListener();
        QTRY_COMPARE(m_probe.text(), QString());
        QVERIFY(xdotool({"type", "n"}));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("n"));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("n"));
    }

    // Keyword expansion holds the keyboard while it posts: what the user types meanwhile comes after
    // what it posted, with the modifiers it was typed with, and is seen once, as it is posted.
    void testKeysPressedWhileHeldComeAfterThePostedOnes()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        QVERIFY(holdKeys());
        QVERIFY(xdotool({"type", "Ab"}));
        // Typed while a key of ours holds Control, as during a paste: no Control chord of the user's.
        PlatformBackend::instance()->postKey(MacKey::Control, true, 0);
        QVERIFY(xdotool({"type", "d"}));
        PlatformBackend::instance()->postKey(MacKey::Control, false, 0);
        // A Shift the user holds meanwhile is not on our keys: on a paste's Control+V it made the
        // history window's hotkey.
        QVERIFY(xdotool({"keydown", "shift"}));
        tapKeyCode(MacKey::A, 0);
        QVERIFY(xdotool({"keyup", "shift"}));
        typeString("q");
        QTRY_COMPARE(m_probe.text(), QStringLiteral("aq"));
        releaseKeys();
        QTRY_COMPARE(m_probe.text(), QStringLiteral("aqAbd"));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("A|b|d"));
        QVERIFY(xdotool({"type", "c"}));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("aqAbdc"));
    }

    // Each step is an xdotool command, or "ours": a Backspace of the program's own, as it erases a
    // keyword, or with a text, that text typed again as after a keyword. "during" runs while the
    // keyboard is held, "after" once it is let go, and the probe ends with the text.
    void testKeysTypedWhileHeldComeAsTyped_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QList<QStringList>>("during");
        QTest::addColumn<QList<QStringList>>("after");
        QTest::addColumn<QString>("text");
        // The modifier stayed down through the replay: the key typed before it got it too.
        QTest::newRow("Shift pressed after a plain key")
            << "us" << QList<QStringList>{{"key", "b"}, {"keydown", "shift"}}
            << QList<QStringList>{{"key", "b"}, {"keyup", "shift"}} << "bB";
        QTest::newRow("Control pressed after a plain key")
            << "us" << QList<QStringList>{{"key", "b"}, {"keydown", "ctrl"}}
            << QList<QStringList>{{"key", "b"}, {"keyup", "ctrl"}} << "b";
        QTest::newRow("AltGr pressed after a plain key")
            << "de" << QList<QStringList>{{"key", "e"}, {"keydown", "ISO_Level3_Shift"}}
            << QList<QStringList>{{"key", "e"}, {"keyup", "ISO_Level3_Shift"}} << "e\u20ac";
        // Switched by the server as it was pressed, and again as it was posted.
        QTest::newRow("Caps Lock pressed after a plain key")
            << "us" << QList<QStringList>{{"key", "a"}, {"key", "Caps_Lock"}, {"key", "b"}}
            << QList<QStringList>{{"key", "c"}, {"key", "Caps_Lock"}} << "aBC";
        // Posted again while its device still held it, the press was dropped.
        QTest::newRow("key still down when the hold ends")
            << "us" << QList<QStringList>{{"keydown", "k"}} << QList<QStringList>{{"keyup", "k"}} << "k";
        // Let go of for a Backspace of ours, the user's Shift was missing on the key typed after it.
        QTest::newRow("Shift held across a key of ours")
            << "us" << QList<QStringList>{{"keydown", "shift"}, {"ours"}, {"key", "semicolon"}, {"keyup", "shift"}}
            << QList<QStringList>{} << ":";
        // Typed again while the user held Shift, the text came out in capitals.
        QTest::newRow("Shift held across a text of ours")
            << "us" << QList<QStringList>{{"keydown", "shift"}, {"ours", "q"}, {"key", "semicolon"}, {"keyup", "shift"}}
            << QList<QStringList>{} << "q:";
    }

    void testKeysTypedWhileHeldComeAsTyped()
    {
        QFETCH(QString, layout);
        QFETCH(QList<QStringList>, during);
        QFETCH(QList<QStringList>, after);
        QFETCH(QString, text);
        QVERIFY(run("setxkbmap", {layout}));
        const auto usLayout = qScopeGuard([] { run("setxkbmap", {"us"}); });
        QVERIFY(holdKeys());
        for (const QStringList &step : std::as_const(during)) {
            if (step == QStringList{"ours"})
                tapKeyCode(MacKey::Delete, 0);
            else if (step.first() == QStringLiteral("ours"))
                typeString(step.at(1).toUtf8().constData());
            else
                QVERIFY(xdotool(step));
        }
        releaseKeys();
        for (const QStringList &step : std::as_const(after))
            QVERIFY(xdotool(step));
        QVERIFY(xdotool({"type", "."}));
        QTRY_COMPARE(m_probe.text(), text + ".");
        Connection connection;
        QCOMPARE(connection.keysDown(), QList<int>());
    }

    void testRemovedMonitorSeesNothing()
    {
        QSignalSpy spy(KeyMonitor::instance(), &KeyMonitor::keyboardEvent);
        QVERIFY(removeKeyListener());
        QVERIFY(xdotool({"type", "x"}));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("x"));
        setupKeyListener();
        QVERIFY(xdotool({"type", "y"}));
        QTRY_COMPARE(m_probe.text(), QStringLiteral("xy"));
        QTRY_COMPARE(textsOf(spy), QStringLiteral("y"));
    }

private:
    Probe m_probe;
};

QTEST_MAIN(X11KeyMonitorTest)
#include "tst_x11keymonitor.moc"
