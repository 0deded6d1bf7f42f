#include "hotkey/hotkeykeysyms.h"
#include "hotkey/qhotkey.h"
#include "hotkey/qhotkeyprivatenull.h"

#include <QtTest>

#include <xkbcommon/xkbcommon-keysyms.h>

using Native = QHotkey::NativeShortcut;

class QHotkeyTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_backend = QHotkeyPrivateNull::current();
        QVERIFY(m_backend);
        m_backend->setRegistrationFails(false);
        m_backend->setUnregistrationFails(false);
        m_backend->resetCounts();
    }

    void cleanup()
    {
        // Every test gives its registrations back; a leftover one means a lost reference.
        QCOMPARE(m_backend->registered(), QList<Native>());
    }

    void testNativeShortcutEqualityIncludesValidity()
    {
        QVERIFY(Native() != Native(0, 0));
        QVERIFY(Native(5, 4) == Native(5, 4));
        QVERIFY(Native(5, 4) != Native(4, 5));
        QCOMPARE(qHash(Native(5, 4), 7), qHash(Native(5, 4), 7));
        QVERIFY(!Native().isValid());
        QVERIFY(Native(0, 0).isValid());
    }

    void testQtKeysMapToLayoutKeysyms()
    {
        QCOMPARE(keysymForQtKey(Qt::Key_V), quint32(XKB_KEY_v));
        QCOMPARE(keysymForQtKey(Qt::Key_Adiaeresis), quint32(XKB_KEY_adiaeresis));
        QCOMPARE(keysymForQtKey(Qt::Key(0x20AC)), quint32(XKB_KEY_EuroSign));
        QCOMPARE(keysymForQtKey(Qt::Key_F13), quint32(XKB_KEY_F13));
        QCOMPARE(keysymForQtKey(Qt::Key_PageDown), quint32(XKB_KEY_Next));
        QCOMPARE(keysymForQtKey(Qt::Key_Escape), quint32(XKB_KEY_Escape));
        // A function key without a keysym is not taken for the character of its low bits.
        QCOMPARE(keysymForQtKey(Qt::Key_Launch0), 0u);
    }

    void testModifiersMapToX11Masks()
    {
        QHotkey hotkey(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_V));
        QCOMPARE(hotkey.currentNativeShortcut(), Native(XKB_KEY_v, 0x05));
        hotkey.setShortcut(QKeyCombination(Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier, Qt::Key_1));
        QCOMPARE(hotkey.currentNativeShortcut(), Native(XKB_KEY_1, 0x48));
        QCOMPARE(hotkey.shortcut(), QKeySequence(Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier | Qt::Key_1));
    }

    void testSharedCombinationIsRegisteredOnce()
    {
        QHotkey first(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QHotkey second(QKeySequence(QStringLiteral("Ctrl+Shift+V")), true);
        QVERIFY(first.isRegistered());
        QVERIFY(second.isRegistered());
        QCOMPARE(m_backend->registerCount(), 1);

        QVERIFY(first.setRegistered(false));
        QCOMPARE(m_backend->unregisterCount(), 0);
        QCOMPARE(m_backend->registered().size(), 1);

        QVERIFY(second.setRegistered(false));
        QCOMPARE(m_backend->unregisterCount(), 1);
        QVERIFY(m_backend->registered().isEmpty());
    }

    void testPressActivatesEachRegisteredHotkeyLater()
    {
        QHotkey first(QKeySequence(QStringLiteral("Ctrl+Alt+P")), true);
        QHotkey second(QKeySequence(QStringLiteral("Ctrl+Alt+P")), true);
        QHotkey idle(QKeySequence(QStringLiteral("Ctrl+Alt+P")), false);
        QSignalSpy firstSpy(&first, &QHotkey::activated);
        QSignalSpy secondSpy(&second, &QHotkey::activated);
        QSignalSpy idleSpy(&idle, &QHotkey::activated);

        m_backend->simulatePress(first.currentNativeShortcut());
        // Never inside the windowing system's callback.
        QCOMPARE(firstSpy.count(), 0);
        QTRY_COMPARE(firstSpy.count(), 1);
        QTRY_COMPARE(secondSpy.count(), 1);
        QCOMPARE(idleSpy.count(), 0);

        m_backend->simulatePress(Native(XKB_KEY_q, 0x04));
        QCoreApplication::processEvents();
        QCOMPARE(firstSpy.count(), 1);
    }

    void testDeletedHotkeyIsNotActivated()
    {
        auto *hotkey = new QHotkey(QKeySequence(QStringLiteral("Ctrl+Alt+D")), true);
        const Native native = hotkey->currentNativeShortcut();
        QSignalSpy spy(hotkey, &QHotkey::activated);
        m_backend->simulatePress(native);
        delete hotkey;
        QCOMPARE(m_backend->unregisterCount(), 1);
        QCoreApplication::processEvents();
        m_backend->simulatePress(native);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
    }

    void testNewShortcutOnRegisteredHotkeyNeedsAutoRegister()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+A")), true);
        QSignalSpy changes(&hotkey, &QHotkey::registeredChanged);
        QVERIFY(!hotkey.setShortcut(QKeySequence(QStringLiteral("Ctrl+B"))));
        QCOMPARE(hotkey.shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        QVERIFY(hotkey.isRegistered());

        QVERIFY(hotkey.setShortcut(QKeySequence(QStringLiteral("Ctrl+B")), true));
        QCOMPARE(hotkey.shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
        QVERIFY(hotkey.isRegistered());
        QCOMPARE(m_backend->registered(), QList<Native>{Native(XKB_KEY_b, 0x04)});
        QCOMPARE(changes.count(), 2);
        QCOMPARE(changes.at(0).at(0).toBool(), false);
        QCOMPARE(changes.at(1).at(0).toBool(), true);
        hotkey.resetShortcut();
    }

    void testEmptySequenceUnregistersAndClears()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+E")), true);
        QSignalSpy changes(&hotkey, &QHotkey::registeredChanged);
        QVERIFY(hotkey.setShortcut(QKeySequence()));
        QVERIFY(!hotkey.isRegistered());
        QVERIFY(hotkey.shortcut().isEmpty());
        QCOMPARE(hotkey.keyCode(), Qt::Key_unknown);
        QVERIFY(!hotkey.currentNativeShortcut().isValid());
        QCOMPARE(changes.count(), 1);
    }

    void testMultiChordSequenceUsesFirstChord()
    {
        QTest::ignoreMessage(QtWarningMsg,
                             "Keysequences with multiple shortcuts are not allowed! Only the first shortcut will be used!");
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+K, Ctrl+L")), false);
        QCOMPARE(hotkey.shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));
    }

    void testRegisteringClearedHotkeyFails()
    {
        QHotkey hotkey;
        QVERIFY(!hotkey.setRegistered(true));
        QCOMPARE(m_backend->registerCount(), 0);
        QVERIFY(hotkey.setRegistered(false));
        hotkey.setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
        QVERIFY(hotkey.setRegistered(true));
        QVERIFY(hotkey.setRegistered(true));
        QCOMPARE(m_backend->registerCount(), 1);
        hotkey.setRegistered(false);
    }

    void testUnmappableKeyClearsHotkey()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+U")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to map shortcut to native keys\\. Key: "
                                                              "Qt::Key_Launch0 Modifiers: .*ControlModifier"));
        QVERIFY(!hotkey.setShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key_Launch0), true));
        QCOMPARE(hotkey.keyCode(), Qt::Key_unknown);
        QVERIFY(!hotkey.currentNativeShortcut().isValid());
        QVERIFY(!hotkey.isRegistered());
        QCOMPARE(m_backend->registerCount(), 0);
    }

    void testRefusedRegistrationLeavesHotkeyUnregistered()
    {
        m_backend->setRegistrationFails(true);
        QTest::ignoreMessage(QtWarningMsg, "Failed to register hotkey. Error: 10");
        QHotkey hotkey;
        QSignalSpy changes(&hotkey, &QHotkey::registeredChanged);
        QVERIFY(!hotkey.setShortcut(QKeySequence(QStringLiteral("Ctrl+T")), true));
        QVERIFY(!hotkey.isRegistered());
        QCOMPARE(changes.count(), 0);
        // The shortcut is kept, so a later attempt can succeed.
        m_backend->setRegistrationFails(false);
        QVERIFY(hotkey.setRegistered(true));
        hotkey.setRegistered(false);
    }

    void testRefusedUnregistrationCountsAsUnregistered()
    {
        QHotkey hotkey(QKeySequence(QStringLiteral("Ctrl+Y")), true);
        QSignalSpy changes(&hotkey, &QHotkey::registeredChanged);
        m_backend->setUnregistrationFails(true);
        QTest::ignoreMessage(QtWarningMsg, "Failed to unregister hotkey. Error: 10");
        QVERIFY(!hotkey.setRegistered(false));
        QVERIFY(!hotkey.isRegistered());
        QCOMPARE(changes.count(), 0);
        // The windowing system still holds it; let it go so the next test starts clean.
        m_backend->setUnregistrationFails(false);
        QVERIFY(hotkey.setRegistered(true));
        QVERIFY(hotkey.setRegistered(false));
    }

    void testGlobalMappingAppliesOnceRegistryRanIt()
    {
        const Native mapped(4242, 0x04);
        QHotkey::addGlobalMapping(QKeySequence(QStringLiteral("Ctrl+M")), mapped);
        QHotkey before(QKeySequence(QStringLiteral("Ctrl+M")));
        QCOMPARE(before.currentNativeShortcut(), Native(XKB_KEY_m, 0x04));
        QCoreApplication::processEvents();
        QHotkey after(QKeySequence(QStringLiteral("Ctrl+M")));
        QCOMPARE(after.currentNativeShortcut(), mapped);
        QCOMPARE(before.currentNativeShortcut(), Native(XKB_KEY_m, 0x04));
    }

    void testNativeShortcutHotkeyHasNoKeySequence()
    {
        QHotkey hotkey(Native(4711, 0x40), true);
        QVERIFY(hotkey.isRegistered());
        QVERIFY(hotkey.shortcut().isEmpty());
        QCOMPARE(hotkey.keyCode(), Qt::Key_unknown);
        QCOMPARE(m_backend->registered(), QList<Native>{Native(4711, 0x40)});
        QVERIFY(hotkey.setNativeShortcut(Native(), true));
        QVERIFY(!hotkey.isRegistered());
    }

    void testCallFromWorkerThreadWaitsForRegistry()
    {
        bool set = false;
        bool registered = false;
        bool released = false;
        bool activated = false;
        QThread *worker = QThread::create([&] {
            QHotkey hotkey;
            set = hotkey.setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+W")), true);
            registered = hotkey.isRegistered();
            QEventLoop loop;
            QObject::connect(&hotkey, &QHotkey::activated, &loop, [&] {
                activated = true;
                loop.quit();
            });
            QMetaObject::invokeMethod(m_backend, [this, native = hotkey.currentNativeShortcut()] {
                m_backend->simulatePress(native);
            });
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            loop.exec();
            released = hotkey.setRegistered(false);
        });
        worker->start();
        QTRY_VERIFY(worker->isFinished());
        delete worker;
        QVERIFY(set);
        QVERIFY(registered);
        QVERIFY(activated);
        QVERIFY(released);
    }

private:
    QHotkeyPrivateNull *m_backend = nullptr;
};

QTEST_MAIN(QHotkeyTest)
#include "tst_qhotkey.moc"
