#include "window/editdialog.h"
#include "common/utils.h"
#include "windowtestsupport.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>

class TestEditDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { Utils::settings().clear(); }

    void testFormAndFirstSize()
    {
        EditDialog dialog;
        QCOMPARE(dialog.objectName(), QString("EditDialog"));
        QCOMPARE(dialog.windowTitle(), QString("Edit clipping"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog.size(), QSize(410, 156));
        QVERIFY(dialog.findChild<QPlainTextEdit *>("plainTextEdit"));
        auto *buttons = dialog.findChild<QDialogButtonBox *>("buttonBox");
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    }

    void testCancelledDialogRemembersItsSize()
    {
        {
            EditDialog dialog;
            dialog.show();
            dialog.resize(640, 320);
            dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(Utils::settings().value("EditWindowSize").toSize(), QSize(640, 320));
        EditDialog next;
        QCOMPARE(next.size(), QSize(640, 320));
    }

    void testAcceptedDialogRemembersItsSizeAndText()
    {
        EditDialog dialog;
        dialog.setText("first");
        dialog.show();
        dialog.resize(500, 200);
        QTest::keyClicks(dialog.findChild<QPlainTextEdit *>("plainTextEdit"), " line");
        dialog.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.text().contains("line"));
        QCOMPARE(Utils::settings().value("EditWindowSize").toSize(), QSize(500, 200));
    }

    void testUnreadableStoredSizeKeepsTheBuiltInSize()
    {
        Utils::settings().setValue("EditWindowSize", "wide");
        EditDialog dialog;
        QCOMPARE(dialog.size(), QSize(410, 156));
    }

    void testTextRoundTripsUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("markup stays literal") << QString("<b>bold</b> &amp; <i>x</i>");
        QTest::newRow("empty") << QString();
        QTest::newRow("lines and tabs") << QString("one\n\ttwo\n");
    }

    void testTextRoundTripsUnchanged()
    {
        QFETCH(QString, text);
        EditDialog dialog;
        dialog.setText(text);
        QCOMPARE(dialog.findChild<QPlainTextEdit *>("plainTextEdit")->toPlainText(), text);
        dialog.accept();
        QCOMPARE(dialog.text(), text);
    }
};

KESTOVAN_WINDOW_TEST_MAIN(TestEditDialog)
#include "tst_editdialog.moc"
