#include "common/utils.h"
#include "widgets/shortcutdialog.h"
#include "settings/snippetclipdialog.h"
#include "windowtestsupport.h"

#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

// The two small dialogs of the snippet and action pages: one key combination, and the clipping a
// snippet placeholder stands for.
class TestShortcutAndClipDialogs : public QObject
{
    Q_OBJECT

    static void choose(SnippetClipDialog &dialog, const QString &choice)
    {
        dialog.findChild<QRadioButton *>(choice)->setChecked(true);
    }

    static QPushButton *okButton(SnippetClipDialog &dialog)
    {
        return dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok);
    }

private slots:
    void init()
    {
        Utils::settings().setValue("KeepItems", "20");
    }

    void testPlaceholderForEachChoice_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result");
        QTest::newRow("current") << "current" << 1 << "" << true << "{CLIP}";
        QTest::newRow("position") << "index" << 3 << "" << true << "{CLIP:3}";
        QTest::newRow("expression") << "regexp" << 1 << "^https?://\\S+" << true << "{CLIP:^https?://\\S+}";
        QTest::newRow("empty expression") << "regexp" << 1 << "" << true << "{CLIP}";
        QTest::newRow("expression beside another choice") << "current" << 1 << "abc" << true << "{CLIP}";
        QTest::newRow("cancelled") << "index" << 4 << "" << false << "";
        QTest::newRow("cancelled expression") << "regexp" << 1 << "x" << false << "";
    }

    void testPlaceholderForEachChoice()
    {
        QFETCH(QString, choice);
        QFETCH(int, position);
        QFETCH(QString, expression);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        SnippetClipDialog dialog;
        QCOMPARE(dialog.getResult(), QString());
        choose(dialog, choice);
        dialog.findChild<QSpinBox *>("indexSpinBox")->setValue(position);
        dialog.findChild<QLineEdit *>("regexpLineEdit")->setText(expression);
        if (accepted)
            okButton(dialog)->click();
        else
            dialog.reject();
        QCOMPARE(dialog.getResult(), result);
    }

    void testExpressionThatWouldBreakThePlaceholderCannotBeAccepted_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<bool>("usable");
        QTest::newRow("closing brace") << "a}b" << false;
        QTest::newRow("counted repeat") << "x{2}" << false;
        QTest::newRow("unbalanced") << "(abc" << false;
        QTest::newRow("nothing to repeat") << "*x" << false;
        QTest::newRow("all digits names a position") << "2024" << false;
        QTest::newRow("plain") << "invoice \\d+" << true;
        QTest::newRow("empty") << "" << true;
    }

    void testExpressionThatWouldBreakThePlaceholderCannotBeAccepted()
    {
        QFETCH(QString, expression);
        QFETCH(bool, usable);
        SnippetClipDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        choose(dialog, "regexp");
        QTest::keyClicks(dialog.findChild<QLineEdit *>("regexpLineEdit"), expression);
        QCOMPARE(okButton(dialog)->isEnabled(), usable);
        // Return does not get past a disabled OK either.
        QTest::keyClick(dialog.findChild<QLineEdit *>("regexpLineEdit"), Qt::Key_Return);
        QCOMPARE(dialog.result() == QDialog::Accepted, usable);
        // Choosing another kind of clipping makes the text irrelevant.
        choose(dialog, "current");
        QVERIFY(okButton(dialog)->isEnabled());
    }

    void testPositionsReachTheKeptItems_data()
    {
        QTest::addColumn<QVariant>("keepItems");
        QTest::addColumn<int>("maximum");
        QTest::newRow("five") << QVariant("5") << 5;
        QTest::newRow("number") << QVariant(200) << 200;
        QTest::newRow("zero still offers one") << QVariant(0) << 1;
    }

    void testPositionsReachTheKeptItems()
    {
        QFETCH(QVariant, keepItems);
        QFETCH(int, maximum);
        Utils::settings().setValue("KeepItems", keepItems);
        SnippetClipDialog dialog;
        auto *spin = dialog.findChild<QSpinBox *>("indexSpinBox");
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->value(), 1);
    }

    void testShortcutKeepsTheFirstCombination()
    {
        ShortcutDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Set shortcut"));
        QCOMPARE(dialog.getShortcut(), QString());
        auto *edit = dialog.findChild<QKeySequenceEdit *>("keySequenceEdit");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(dialog.getShortcut(), QString("Ctrl+A"));

        // A longer sequence given some other way is cut to its first combination when editing ends.
        edit->setKeySequence(QKeySequence("Alt+X, Alt+Y"));
        emit edit->editingFinished();
        QCOMPARE(dialog.getShortcut(), QString("Alt+X"));
    }

    void testShortcutTakesNoBareKeyAndCanBeEmptied()
    {
        ShortcutDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *edit = dialog.findChild<QKeySequenceEdit *>("keySequenceEdit");
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(dialog.getShortcut(), QString());
        QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(dialog.getShortcut(), QString("Alt+A"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(dialog.getShortcut(), QString());
        // Escape is no hotkey either: it cancels the dialog, as in every other.
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestShortcutAndClipDialogs)
#include "tst_shortcutandclipdialogs.moc"
