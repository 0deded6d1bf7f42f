#include "platform/keycodes.h"

#include <QtTest>

#include <xkbcommon/xkbcommon-keysyms.h>

class KeyCodesTest : public QObject
{
    Q_OBJECT

private slots:
    void testKeyTableMapsPositionsBothWays()
    {
        // A typo in the table would send one key for another, or report the wrong key code.
        QSet<int> seen;
        for (quint16 code = 0; code < 128; ++code) {
            const int evdev = KeyCodes::evdevCodeForMacKey(code);
            if (evdev < 0)
                continue;
            QVERIFY2(!seen.contains(evdev), qPrintable(QString("position %1 listed twice").arg(evdev)));
            seen.insert(evdev);
            QCOMPARE(KeyCodes::macKeyForEvdevCode(evdev), code);
        }
        QVERIFY(seen.size() > 90);
    }

    void testModifierKeysAreRecognised()
    {
        for (quint32 keysym : {XKB_KEY_Shift_L, XKB_KEY_Shift_R, XKB_KEY_Control_L, XKB_KEY_Alt_R, XKB_KEY_Super_L,
                               XKB_KEY_Caps_Lock, XKB_KEY_Num_Lock, XKB_KEY_ISO_Level3_Shift, XKB_KEY_ISO_Level5_Shift,
                               XKB_KEY_Mode_switch, XKB_KEY_Meta_L})
            QVERIFY2(KeyCodes::isModifierKeysym(keysym), qPrintable(QString::number(keysym, 16)));
        for (quint32 keysym : {XKB_KEY_a, XKB_KEY_BackSpace, XKB_KEY_Return, XKB_KEY_Left, XKB_KEY_F1})
            QVERIFY(!KeyCodes::isModifierKeysym(keysym));
        QCOMPARE(KeyCodes::flagForModifierMacKey(MacKey::RightShift), MacFlag::Shift);
        QCOMPARE(KeyCodes::flagForModifierMacKey(MacKey::Command), MacFlag::Command);
        QVERIFY(KeyCodes::isModifierMacKey(MacKey::CapsLock));
        QVERIFY(!KeyCodes::isModifierMacKey(MacKey::V));
    }

    void testCodePointsBecomeTypableKeysyms()
    {
        QCOMPARE(KeyCodes::keysymForCodePoint(U'a'), quint32(XKB_KEY_a));
        QCOMPARE(KeyCodes::keysymForCodePoint(U'\u00e9'), quint32(XKB_KEY_eacute));
        QCOMPARE(KeyCodes::keysymForCodePoint(U'\u20ac'), quint32(XKB_KEY_EuroSign));
        QCOMPARE(KeyCodes::keysymForCodePoint(U'\U0001F600'), 0x0101F600u);
        QCOMPARE(KeyCodes::keysymForCodePoint(U'\n'), quint32(XKB_KEY_Return));
        QCOMPARE(KeyCodes::keysymForCodePoint(U'\t'), quint32(XKB_KEY_Tab));
        QCOMPARE(KeyCodes::keysymForCodePoint(0x01), 0u);
        QCOMPARE(KeyCodes::keysymForCodePoint(0x85), 0u);
        QCOMPARE(KeyCodes::keysymForCodePoint(0xD800), 0u);
        QCOMPARE(KeyCodes::keysymForCodePoint(0x110000), 0u);
        QCOMPARE(KeyCodes::textForKeysym(XKB_KEY_EuroSign), QStringLiteral("\u20ac"));
        QCOMPARE(KeyCodes::textForKeysym(XKB_KEY_Left), QString());
    }
};

QTEST_MAIN(KeyCodesTest)
#include "tst_keycodes.moc"
