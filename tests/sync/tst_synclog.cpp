#include "sync/synclogdialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList s_messages;

void captureMessages(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_messages.append(message);
}
} // namespace

class TestSyncLog : public QObject
{
    Q_OBJECT

private slots:
    void init() { SyncLogDialog::c_log.clear(); }

    void testLineCarriesDateTimeAndThread()
    {
        SyncLogDialog::add("Merge clippings: one");
        QCOMPARE(SyncLogDialog::c_log.size(), 1);
        static const QRegularExpression format(R"(^\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \[-?\d+\] Merge clippings: one$)");
        QVERIFY2(format.match(SyncLogDialog::c_log.first()).hasMatch(), qPrintable(SyncLogDialog::c_log.first()));
    }

    void testMultiLineTextStaysOneEntry()
    {
        SyncLogDialog::add("first\nsecond");
        QCOMPARE(SyncLogDialog::c_log.size(), 1);
        QVERIFY(SyncLogDialog::c_log.first().endsWith("] first\nsecond"));
    }

    void testDebugOutputIsTheBareText()
    {
        s_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(captureMessages);
        SyncLogDialog::add("Text \"quoted\" 100%s");
        qInstallMessageHandler(previous);
        QCOMPARE(s_messages, QStringList{"Text \"quoted\" 100%s"});
    }

    void testLogKeepsOnlyTheNewestLines()
    {
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        const int extra = 5;
        for (int i = 0; i < SyncLogDialog::c_maxLines + extra; ++i)
            SyncLogDialog::add(QString("line %1").arg(i));
        qInstallMessageHandler(previous);
        QCOMPARE(SyncLogDialog::c_log.size(), 20000);
        QVERIFY(SyncLogDialog::c_log.first().endsWith(QString("] line %1").arg(extra)));
        QVERIFY(SyncLogDialog::c_log.last().endsWith(QString("] line %1").arg(SyncLogDialog::c_maxLines + extra - 1)));
    }

    // The lines of a load wait for the first window; whatever is logged meanwhile comes after them,
    // and the dialog shows them all.
    void testLinesAddedLaterKeepTheirOrder()
    {
        SyncLogDialog::addLater([] {
            SyncLogDialog::add("held one");
            SyncLogDialog::add("held two");
        });
        SyncLogDialog::add("after");
        QVERIFY(SyncLogDialog::c_log.isEmpty());
        SyncLogDialog dialog;
        dialog.show();
        QCOMPARE(dialog.findChild<QListView *>("listView")->model()->rowCount(), 3);
        QStringList texts;
        for (const QString &line : std::as_const(SyncLogDialog::c_log))
            texts.append(line.section("] ", 1));
        QCOMPARE(texts, (QStringList{"held one", "held two", "after"}));
        SyncLogDialog::add("now");
        QVERIFY(SyncLogDialog::c_log.last().endsWith("] now"));
    }

    void testExportWritesEveryLineEvenWhenFiltered()
    {
        SyncLogDialog::add("alpha");
        SyncLogDialog::add("beta\ngamma");
        SyncLogDialog dialog;
        dialog.findChild<QLineEdit *>("filter")->setText("alpha");

        QTemporaryDir dir;
        const QString fileName = dir.path() + "/log.txt";
        QVERIFY(SyncLogDialog::writeLog(fileName));
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = SyncLogDialog::c_log.at(0).toUtf8() + "\n" + SyncLogDialog::c_log.at(1).toUtf8() + "\n";
        QCOMPARE(file.readAll(), expected);
        QVERIFY(expected.contains("beta\ngamma\n"));
    }

    void testExportToAnUnwritablePlaceFails()
    {
        SyncLogDialog::add("alpha");
        QVERIFY(!SyncLogDialog::writeLog("/nonexistent-folder/log.txt"));
    }

    void testClearEmptiesTheProcessWideLog()
    {
        SyncLogDialog::add("alpha");
        SyncLogDialog dialog;
        auto *list = dialog.findChild<QListView *>("listView");
        dialog.show();
        QCOMPARE(list->model()->rowCount(), 1);
        dialog.findChild<QPushButton *>("clearLog")->click();
        QVERIFY(SyncLogDialog::c_log.isEmpty());
        QCOMPARE(list->model()->rowCount(), 0);
        QTemporaryDir dir;
        QVERIFY(SyncLogDialog::writeLog(dir.path() + "/log.txt"));
        QFile file(dir.path() + "/log.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().isEmpty());
    }

    void testFilterIsAFixedCaseSensitiveSubstring()
    {
        SyncLogDialog::add("Merge clippings: a.b");
        SyncLogDialog::add("Merge clippings: axb");
        SyncLogDialog::add("merge clippings: a.b");
        SyncLogDialog dialog;
        dialog.show();
        dialog.findChild<QLineEdit *>("filter")->setText("Merge clippings: a.b");
        QCOMPARE(dialog.findChild<QListView *>("listView")->model()->rowCount(), 1);
    }

    void testProposedFileNameIsDatedOnTheDesktop()
    {
        const QString name = SyncLogDialog::proposedFileName(QDate(2024, 3, 5));
        QVERIFY(name.endsWith("/Synclog-2024-03-05.txt"));
        QVERIFY(name.startsWith(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
    }
};

QTEST_MAIN(TestSyncLog)
#include "tst_synclog.moc"
