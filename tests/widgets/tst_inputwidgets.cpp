#include "app/crash.h"
#include "widgets/custommenu.h"
#include "widgets/customkeysequenceedit.h"
#include "widgets/searchedit.h"
#include "windowtestsupport.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestInputWidgets : public QObject
{
    Q_OBJECT

private slots:
    void testShortcutEditorKeepsOnlyTheFirstChord()
    {
        CustomKeySequenceEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTest::keyClick(&edit, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(edit.keySequence(), QKeySequence("Ctrl+K"));
        QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(edit.keySequence().count(), 1);
        QCOMPARE(edit.keySequence(), QKeySequence("Ctrl+K"));
        QTest::keyClick(&edit, Qt::Key_X, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(edit.keySequence(), QKeySequence("Ctrl+K"));
    }

    void testShortcutEditorRecordsAgainAfterTheRecordingEnds()
    {
        CustomKeySequenceEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy finished(&edit, &QKeySequenceEdit::editingFinished);
        QTest::keyClick(&edit, Qt::Key_K, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 3000);
        QTest::keyClick(&edit, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(edit.keySequence(), QKeySequence("Ctrl+J"));

        edit.clear();
        QVERIFY(edit.keySequence().isEmpty());
        QTest::keyClick(&edit, Qt::Key_F5);
        QCOMPARE(edit.keySequence(), QKeySequence(Qt::Key_F5));
    }

    void testShortcutEditorRecordsOnlyGlobalChords_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("held");
        const auto row = [](const char *name, int key, Qt::KeyboardModifiers modifiers, const char *held) {
            QTest::newRow(name) << key << modifiers << QString(held);
        };
        // A bare key would be taken from every application: the field keeps what it had.
        row("bare letter", Qt::Key_A, Qt::NoModifier, "Ctrl+K");
        row("letter with Shift", Qt::Key_A, Qt::ShiftModifier, "Ctrl+K");
        row("bare space", Qt::Key_Space, Qt::NoModifier, "Ctrl+K");
        row("modifier alone", Qt::Key_Control, Qt::ControlModifier, "Ctrl+K");
        row("Backspace empties", Qt::Key_Backspace, Qt::NoModifier, "");
        row("Delete empties", Qt::Key_Delete, Qt::ShiftModifier, "");
        row("function key alone", Qt::Key_F8, Qt::NoModifier, "F8");
        row("Ctrl", Qt::Key_J, Qt::ControlModifier, "Ctrl+J");
        row("Alt and a digit", Qt::Key_3, Qt::AltModifier, "Alt+3");
        row("Meta and Shift", Qt::Key_J, Qt::MetaModifier | Qt::ShiftModifier, "Meta+Shift+J");
        row("Ctrl and Backspace", Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+Backspace");
    }

    void testShortcutEditorRecordsOnlyGlobalChords()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, held);
        CustomKeySequenceEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setKeySequence(QKeySequence("Ctrl+K"));
        QTest::keyClick(&edit, Qt::Key(key), modifiers);
        QCOMPARE(edit.keySequence().toString(QKeySequence::PortableText), held);
    }

    void testClearedShortcutEditorStaysEmpty()
    {
        CustomKeySequenceEdit edit;
        edit.setKeySequence(QKeySequence("Ctrl+Shift+V"));
        edit.clear();
        QVERIFY(edit.keySequence().isEmpty());
    }

    void testLeftArrowClosesTopLevelMenu()
    {
        CustomMenu menu("Clipping");
        menu.addAction("Paste");
        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::keyClick(&menu, Qt::Key_Down);
        QVERIFY(menu.isVisible());
        QTest::keyClick(&menu, Qt::Key_Left);
        QVERIFY(!menu.isVisible());
    }

    void testLeftArrowClosesOnlyTheSubmenu_data()
    {
        QTest::addColumn<bool>("customSubmenu");
        QTest::newRow("plain submenu") << false;
        QTest::newRow("custom submenu") << true;
    }

    void testLeftArrowClosesOnlyTheSubmenu()
    {
        QFETCH(bool, customSubmenu);
        CustomMenu menu("Clipping");
        menu.addAction("Paste");
        QMenu *submenu = customSubmenu ? new CustomMenu("Run action", &menu) : new QMenu("Run action", &menu);
        submenu->addAction("Upper case");
        submenu->addAction("Lower case");
        menu.addMenu(submenu);

        menu.popup(QPoint(100, 100));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(submenu->menuAction());
        QTest::keyClick(&menu, Qt::Key_Right);
        QTRY_VERIFY(submenu->isVisible());

        QTest::keyClick(submenu, Qt::Key_Left);
        QVERIFY(!submenu->isVisible());
        QVERIFY(menu.isVisible());

        QTest::keyClick(&menu, Qt::Key_Left);
        QVERIFY(!menu.isVisible());
    }

    void testCrashEndsTheProgramWithAFatalSignal()
    {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // The test library's own crash reporter would answer the signal; the child dies as
            // the program would without a crash handler.
            std::signal(SIGSEGV, SIG_DFL);
            crash();
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGSEGV);
    }

    void testSearchFieldLeavesOnDownAndEscapeOnly()
    {
        SearchEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QSignalSpy leave(&edit, &SearchEdit::leave);

        QTest::keyClick(&edit, Qt::Key_A);
        QTest::keyClick(&edit, Qt::Key_Up);
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(leave.size(), 0);
        QCOMPARE(edit.text(), QString("a"));

        QTest::keyClick(&edit, Qt::Key_Down);
        QCOMPARE(leave.size(), 1);
        QTest::keyClick(&edit, Qt::Key_Escape);
        QCOMPARE(leave.size(), 2);
        QTest::keyClick(&edit, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(leave.size(), 3);
        // The field still handles the keys itself.
        QCOMPARE(edit.text(), QString("a"));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestInputWidgets)
#include "tst_inputwidgets.moc"
