#include "platform/keycodes.h"
#include "platform/keymonitor.h"

#include <QtTest>

using Input = KeyMonitor::Input;

class KeyMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void testTypedCharactersCarryTextAndKeyCode()
    {
        KeyMonitor monitor;
        QSignalSpy spy(&monitor, &KeyMonitor::keyboardEvent);
        monitor.deliver(Input::key(QStringLiteral(":"), 41), false);
        monitor.deliver(Input::key(QStringLiteral("\u00e9"), 19), false);
        monitor.deliver(Input::key(QStringLiteral("\b"), MacKey::Delete), false);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0), (QList<QVariant>{QStringLiteral(":"), 41}));
        QCOMPARE(spy.at(1), (QList<QVariant>{QStringLiteral("\u00e9"), 19}));
        QCOMPARE(spy.at(2).at(1).toInt(), 51);
    }

    void testModifierPressAloneIsNoBreak()
    {
        // "::brb" is typed with Shift pressed for each colon; a break there would lose the keyword.
        KeyMonitor monitor;
        QSignalSpy spy(&monitor, &KeyMonitor::keyboardEvent);
        monitor.deliver(Input::modifier(MacKey::Shift), false);
        monitor.deliver(Input::modifier(MacKey::Control), false);
        QCOMPARE(spy.count(), 0);
    }

    void testControlOrSuperChordIsBreak()
    {
        KeyMonitor monitor;
        QSignalSpy spy(&monitor, &KeyMonitor::keyboardEvent);
        monitor.deliver(Input::key(QStringLiteral("\x01"), 0, true), false);
        monitor.deliver(Input::key(QStringLiteral("\b"), MacKey::Delete, true), false);
        QCOMPARE(spy.count(), 2);
        for (const QList<QVariant> &event : std::as_const(spy))
            QCOMPARE(event, (QList<QVariant>{QString(), 0}));
    }

    void testLeftAndRightClicksAreBreaksOthersIgnored()
    {
        KeyMonitor monitor;
        QSignalSpy spy(&monitor, &KeyMonitor::keyboardEvent);
        for (int button = 1; button <= 7; ++button)
            monitor.deliver(Input::click(button), false);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0), (QList<QVariant>{QString(), 0}));
        QCOMPARE(spy.at(1), (QList<QVariant>{QString(), 0}));
    }

    void testInputIntoOwnWindowIsNotSeen()
    {
        // A keyword typed into our own snippet editor must not expand there.
        KeyMonitor monitor;
        QSignalSpy spy(&monitor, &KeyMonitor::keyboardEvent);
        monitor.deliver(Input::key(QStringLiteral("a"), 0), true);
        monitor.deliver(Input::click(1), true);
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(KeyMonitorTest)
#include "tst_keymonitor.moc"
