#include "common/userwarning.h"
#include "warningboxes.h"

#include <QtTest>

// Failures that repeat with every copy on a full disk once stacked one modal box per save.
class TestUserWarning : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UserWarning::setBoxesShown(true); }

    void cleanup()
    {
        while (UserWarning::currentBox())
            answerWarningBox();
    }

    void testWarningsWaitForTheOpenBoxOneAtATime()
    {
        QTest::ignoreMessage(QtWarningMsg, "first");
        QTest::ignoreMessage(QtWarningMsg, "second");
        QTest::ignoreMessage(QtWarningMsg, "second");
        QTest::ignoreMessage(QtWarningMsg, "first");
        showUserWarning("first");
        showUserWarning("second");
        // Neither open nor waiting twice.
        showUserWarning("second");
        showUserWarning("first");

        QCOMPARE(openWarningBoxes().size(), 1);
        QCOMPARE(openWarningBoxes().first()->text(), QString("first"));
        QCOMPARE(openWarningBoxes().first()->windowTitle(), QString("Kestovan"));
        // Not modal: a box with its own event loop lets the next failure open a box inside it.
        QVERIFY(!openWarningBoxes().first()->isModal());

        answerWarningBox();
        QCOMPARE(openWarningBoxes().size(), 1);
        QCOMPARE(openWarningBoxes().first()->text(), QString("second"));
        answerWarningBox();
        QVERIFY(openWarningBoxes().isEmpty());
        QVERIFY(!UserWarning::currentBox());
    }

    void testRepeatedFailureIsShownAgainOnlyAfterASuccess()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            QTest::ignoreMessage(QtWarningMsg, "the disk is full");
            showUserWarningOnce("save", "the disk is full");
            answerWarningBox();
        }
        QVERIFY(openWarningBoxes().isEmpty());
        // Another kind is its own.
        QTest::ignoreMessage(QtWarningMsg, "the image is lost");
        showUserWarningOnce("image", "the image is lost");
        QCOMPARE(openWarningBoxes().size(), 1);
        answerWarningBox();

        clearUserWarning("save");
        QTest::ignoreMessage(QtWarningMsg, "the disk is full");
        showUserWarningOnce("save", "the disk is full");
        QCOMPARE(openWarningBoxes().size(), 1);
    }
};

QTEST_MAIN(TestUserWarning)
#include "tst_userwarning.moc"
