#include "platform/keycodes.h"
#include "platform/keysynthesis.h"
#include "platform/platform.h"
#include "x11/x11testsupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>
#include <QWidget>

using namespace X11Test;

class X11KeySynthesisTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(checkAccessibility(false));
        m_originalMapping = m_connection.keyboardMapping();
        QVERIFY(!m_originalMapping.isEmpty());
        QVERIFY(m_probe.start());
    }

    void init()
    {
        QVERIFY(activate(m_probe.window()));
        QVERIFY(m_probe.clear());
        m_probe.forgetLines();
    }

    void cleanup()
    {
        // Nothing we post may leave a key held.
        QTRY_COMPARE(m_connection.keysDown(), QList<int>());
    }

    void testControlVPastesIntoActiveWindow()
    {
        const QString text = QStringLiteral("pasted \u2713 text");
        QGuiApplication::clipboard()->setText(text);
        sendCommandV();
        QTRY_COMPARE(m_probe.text(), text);
        QVERIFY(m_probe.lines().contains(QStringLiteral("KEY:Ctrl+V")));
    }

    void testPasteReachesFrontApplicationAfterOurWindowHid()
    {
        // As with the history window: it takes the focus, hides, gives the focus back and pastes.
        QWidget history;
        history.setWindowTitle(QStringLiteral("History"));
        history.resize(300, 200);
        history.show();
        QVERIFY(QTest::qWaitForWindowExposed(&history));
        QVERIFY(activate(quint32(history.winId())));
        const QString text = QStringLiteral("from history");
        QGuiApplication::clipboard()->setText(text);
        history.hide();
        activateTarget();
        QTRY_COMPARE(m_connection.inputFocus(), m_probe.window());
        sendCommandV();
        QTRY_COMPARE(m_probe.text(), text);
    }

    void testHeldShiftDoesNotTurnPasteIntoControlShiftV()
    {
        const QString text = QStringLiteral("after shift");
        QGuiApplication::clipboard()->setText(text);
        // The user still holds the Shift of Ctrl+Shift+V and lets go a moment later.
        QVERIFY(xdotool({"keydown", "shift"}));
        QVERIFY(QProcess::startDetached(QStringLiteral("sh"), {"-c", "sleep 0.3; xdotool keyup shift"}));
        sendCommandV();
        QTRY_COMPARE(m_probe.text(), text);
        const QStringList lines = m_probe.lines();
        QVERIFY(lines.contains(QStringLiteral("KEY:Ctrl+V")));
        QVERIFY(!lines.contains(QStringLiteral("KEY:Ctrl+Shift+V")));
    }

    void testUnicodeTextArrivesIntact()
    {
        const QString text = QStringLiteral("Gr\u00fc\u00dfe \u20ac\U0001F600 \u00e6\u00f8\u00e5 ok");
        typeString(text.toUtf8().constData());
        QTRY_COMPARE(m_probe.text(), text);
        tapKeyCode(MacKey::Delete, 0);
        tapKeyCode(MacKey::Left, 0);
        typeString("X");
        QTRY_COMPARE(m_probe.text(), QStringLiteral("Gr\u00fc\u00dfe \u20ac\U0001F600 \u00e6\u00f8\u00e5 Xo"));
    }

    void testRepeatedForeignCharactersStayIntact()
    {
        // More distinct characters than a few borrowed key codes, each several times over.
        const QString text = QStringLiteral("\u00e4\u00f6\u00fc\u20ac\U0001F600\u00df\u00e6\u00f8").repeated(3);
        typeString(text.toUtf8().constData());
        QTRY_COMPARE(m_probe.text(), text);
    }

    void testCharacterByCharacterTyping()
    {
        const QString text = QStringLiteral("a\u00e9\U0001F600!");
        for (QChar unit : text) {
            toggleUniKey(unit.unicode(), true);
            toggleUniKey(unit.unicode(), false);
        }
        QTRY_COMPARE(m_probe.text(), text);
    }

    void testShiftLeftSelects()
    {
        typeString("abcd");
        QTRY_COMPARE(m_probe.text(), QStringLiteral("abcd"));
        tapKeyCode(MacKey::Left, 0);
        tapKeyCode(MacKey::Left, MacFlag::Shift);
        tapKeyCode(MacKey::Left, MacFlag::Shift);
        typeString("Z");
        QTRY_COMPARE(m_probe.text(), QStringLiteral("aZd"));
    }

    void testKeyboardMappingIsRestoredAfterTyping()
    {
        typeString("\u00fc\u20ac\U0001F600\u03a9");
        QTRY_COMPARE(m_probe.text(), QStringLiteral("\u00fc\u20ac\U0001F600\u03a9"));
        QTRY_COMPARE(m_connection.keyboardMapping(), m_originalMapping);
    }

    void testReleaseModifiersLetsGoOfSyntheticModifiers()
    {
        QVERIFY(xdotool({"keydown", "ctrl"}));
        QTRY_VERIFY(m_connection.modifierState() & XCB_MOD_MASK_CONTROL);
        releaseModifiers();
        QVERIFY(!(m_connection.modifierState() & XCB_MOD_MASK_CONTROL));
    }

    void testModifierRepostLeavesNoKeyHeld()
    {
        toggleKeyCode(MacKey::Shift, true, 0);
        toggleKeyCode(MacKey::Control, true, 0);
        QCOMPARE(m_connection.keysDown(), QList<int>());
    }

    void testCharacterTableReadsServerLayout()
    {
        QCOMPARE(createStringForKey(0), QStringLiteral("a"));
        QCOMPARE(keyCodeForChar('z'), quint16(6));
        QCOMPARE(keyCodeForChar('1'), quint16(18));
        tapKey('Q', 0);
        QTRY_COMPARE(m_probe.text(), QStringLiteral("Q"));
    }

private:
    Probe m_probe;
    Connection m_connection;
    QList<quint32> m_originalMapping;
};

QTEST_MAIN(X11KeySynthesisTest)
#include "tst_x11keysynthesis.moc"
