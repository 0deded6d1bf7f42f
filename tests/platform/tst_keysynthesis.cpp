#include "platform/keycodes.h"
#include "platform/keysynthesis.h"
#include "platform/nullplatformbackend.h"
#include "platform/pastetiming.h"

#include <QtTest>

using Key = SyntheticKey;

class KeySynthesisTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_backend = NullPlatformBackend::current();
        QVERIFY(m_backend);
        m_backend->reset();
    }

    void testPasteIsControlVInOrder()
    {
        sendCommandV();
        const QList<Key> expected{Key::key(MacKey::Control, true), Key::key(MacKey::V, true, MacFlag::Control),
                                  Key::key(MacKey::V, false, MacFlag::Control), Key::key(MacKey::Control, false)};
        QCOMPARE(m_backend->synthesized(), expected);
        QCOMPARE(m_backend->pausedMilliseconds(), 0);
        QCOMPARE(m_backend->finishCount(), 1);
    }

    void testPasteWaitsUntilHeldShiftIsReleased()
    {
        // The Shift of Ctrl+Shift+V, still held when the paste comes, would make it Ctrl+Shift+V.
        m_backend->setHeldModifiers(MacFlag::Shift, 300);
        sendCommandV();
        QVERIFY(m_backend->pausedMilliseconds() >= 300);
        QVERIFY(m_backend->pausedMilliseconds() < 300 + 2 * PasteTiming::ModifierPollInterval);
        QCOMPARE(m_backend->synthesized().size(), 4);
        QCOMPARE(m_backend->synthesized().at(1), Key::key(MacKey::V, true, MacFlag::Control));
    }

    void testPasteGivesUpWaitingAfterTimeout()
    {
        m_backend->setHeldModifiers(MacFlag::Control);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Modifier keys are still held"));
        sendCommandV();
        QCOMPARE(m_backend->pausedMilliseconds(), PasteTiming::ModifierReleaseTimeout);
        QCOMPARE(m_backend->synthesized().size(), 4);
    }

    void testPasteNeverPressesAModifierItDoesNotRelease()
    {
        sendCommandV();
        QHash<quint32, int> balance;
        for (const Key &key : m_backend->synthesized())
            balance[key.code] += key.down ? 1 : -1;
        for (auto it = balance.cbegin(); it != balance.cend(); ++it)
            QVERIFY2(it.value() == 0, qPrintable(QString("key %1 left pressed").arg(it.key())));
    }

    void testReleaseModifiersPostsFourKeyUps()
    {
        releaseModifiers();
        const QList<Key> expected{Key::key(MacKey::Command, false), Key::key(MacKey::Shift, false),
                                  Key::key(MacKey::Option, false), Key::key(MacKey::Control, false)};
        QCOMPARE(m_backend->synthesized(), expected);
    }

    void testModifierPressOnItsOwnIsNotPosted()
    {
        // Re-posting held modifiers after a paste would leave them stuck once the user lets go.
        for (quint16 code : {MacKey::Shift, MacKey::Control, MacKey::Option, MacKey::Command, MacKey::RightShift})
            toggleKeyCode(code, true, 0);
        QVERIFY(m_backend->synthesized().isEmpty());
        toggleKeyCode(MacKey::Shift, false, 0);
        QCOMPARE(m_backend->synthesized(), QList<Key>{Key::key(MacKey::Shift, false)});
    }

    void testTapPostsDownThenUpWithFlags()
    {
        tapKeyCode(MacKey::Left, MacFlag::Shift);
        tapKeyCode(MacKey::Delete, 0);
        const QList<Key> expected{Key::key(MacKey::Left, true, MacFlag::Shift), Key::key(MacKey::Left, false, MacFlag::Shift),
                                  Key::key(MacKey::Delete, true), Key::key(MacKey::Delete, false)};
        QCOMPARE(m_backend->synthesized(), expected);
    }

    void testSystemKeyCodesPostSystemKeys()
    {
        tapKeyCode(1000 + 7, 0);
        const QList<Key> expected{Key::systemKey(7, true), Key::systemKey(7, false)};
        QCOMPARE(m_backend->synthesized(), expected);
    }

    void testNoKeyCodePostsNothing()
    {
        // 0xFFFF is keyCodeForChar's "no key", not system key 64535.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No key to post"));
        toggleKeyCode(MacKey::NoKey, true, 0);
        QVERIFY(m_backend->synthesized().isEmpty());
    }

    void testTypeStringTypesWholeCharacters()
    {
        typeString("");
        typeString(nullptr);
        QVERIFY(m_backend->synthesized().isEmpty());

        typeString("\xC3\xA9"); // U+00E9
        QCOMPARE(m_backend->synthesized(), (QList<Key>{Key::character(U'\u00e9', true), Key::character(U'\u00e9', false)}));

        m_backend->clearSynthesized();
        const int pausedBefore = m_backend->pausedMilliseconds();
        typeString("a\xE2\x82\xAC\xF0\x9F\x98\x80"); // a, euro sign, grinning face
        const QList<Key> expected{Key::character(U'a', true), Key::character(U'a', false),
                                  Key::character(U'\u20ac', true), Key::character(U'\u20ac', false),
                                  Key::character(U'\U0001F600', true), Key::character(U'\U0001F600', false)};
        QCOMPARE(m_backend->synthesized(), expected);
        QCOMPARE(m_backend->pausedMilliseconds() - pausedBefore, 3 * PasteTiming::UnicodeKeyInterval);
    }

    void testTypeStringSkipsCharactersWithoutKeys()
    {
        QTest::ignoreMessage(QtWarningMsg, "Could not create keyboard event.");
        typeString("a\x01" "b");
        const QList<Key> expected{Key::character(U'a', true), Key::character(U'a', false),
                                  Key::character(U'b', true), Key::character(U'b', false)};
        QCOMPARE(m_backend->synthesized(), expected);
    }

    void testSurrogateHalvesTypeOneCharacter()
    {
        const QString emoji = QString::fromUcs4(U"\U0001F600");
        for (QChar unit : emoji) {
            toggleUniKey(unit.unicode(), true);
            toggleUniKey(unit.unicode(), false);
        }
        QCOMPARE(m_backend->synthesized(),
                 (QList<Key>{Key::character(U'\U0001F600', true), Key::character(U'\U0001F600', false)}));

        m_backend->clearSynthesized();
        QTest::ignoreMessage(QtWarningMsg, "Could not create keyboard event.");
        toggleUniKey(emoji.at(1).unicode(), true); // a low half on its own
        QVERIFY(m_backend->synthesized().isEmpty());
    }

    void testCharacterTableFollowsLayoutWithLowestCode()
    {
        QCOMPARE(keyCodeForChar('a'), quint16(0));
        QCOMPARE(keyCodeForChar('v'), MacKey::V);
        QCOMPARE(keyCodeForChar('1'), quint16(18)); // the top row, not keypad 1 (83)
        QCOMPARE(keyCodeForChar('\r'), MacKey::Return); // not keypad Enter (76)
        QCOMPARE(keyCodeForChar('A'), MacKey::NoKey);
        QCOMPARE(keyCodeForChar('~'), MacKey::NoKey); // typed with Shift only
        QCOMPARE(keyCodeForChar('\x01'), MacKey::NoKey);
        QCOMPARE(createStringForKey(0), QStringLiteral("a"));
        QCOMPARE(createStringForKey(MacKey::Left), QString());
    }

    void testUpperCaseLetterTypesShiftedLetterKey()
    {
        // The table only knows unshifted characters; 'A' must still press the A key with Shift.
        tapKey('A', 0);
        const QList<Key> expected{Key::key(0, true, MacFlag::Shift), Key::key(0, false, MacFlag::Shift)};
        QCOMPARE(m_backend->synthesized(), expected);
    }

    void testCharacterWithoutKeyIsNotTyped()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No key types"));
        toggleKey('~', true, 0);
        QVERIFY(m_backend->synthesized().isEmpty());
    }

private:
    NullPlatformBackend *m_backend = nullptr;
};

QTEST_MAIN(KeySynthesisTest)
#include "tst_keysynthesis.moc"
