// The history file written off the GUI thread: what is asked for while a write runs, at quit, and
// when the write fails.
#include "historytestsupport.h"
#include "warningboxes.h"

#include <QFileInfo>
#include <QMimeData>

using namespace HistoryTest;

class TestHistorySaver : public QObject
{
    Q_OBJECT

    static void copy(HistoryItemModel &model, const QString &text)
    {
        auto data = std::make_shared<QMimeData>();
        data->setText(text);
        model.clipboardChanged(data, QPixmap(), "Editor");
    }

    static int writes(const RecordingSync &sync) { return int(sync.syncCalls.size()); }

private slots:
    void init() { resetStore(); }

    void testCopiesDuringAWriteBecomeOneWriteRightAfterIt()
    {
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        // The first copy starts a write; the event loop has not come round to its end while the
        // others arrive, so they wait for it.
        copy(model, "first copy");
        copy(model, "second copy");
        copy(model, "third copy");
        copy(model, "fourth copy");
        QCOMPARE(writes(sync), 0);
        QTRY_COMPARE(writes(sync), 2);
        // No timed delay: the second write followed the first without being asked again.
        const QByteArray written = readFile(historyPath());
        for (const char *text : {"first copy", "second copy", "third copy", "fourth copy"})
            QVERIFY2(written.contains(text), text);
        QTest::qWait(100);
        QCOMPARE(writes(sync), 2);
    }

    void testWriteTakesTheRowsAsTheyAreWhenItStarts()
    {
        HistoryItemModel model(nullptr, nullptr);
        copy(model, "copied first");
        copy(model, "copied second");
        // Removed after asking, before the second write started: it is not in the file.
        model.markItemAsRemoved(model.index(0, 0));
        model.flushSaves();
        HistoryItemModel reread(nullptr, nullptr);
        reread.load();
        QCOMPARE(reread.rowCount(), 2);
        QVERIFY(reread.item(0)->data(RemovedRole).toBool());
    }

    void testNothingAskedForIsLostAtQuit()
    {
        {
            RecordingSync sync;
            HistoryItemModel model(nullptr, &sync);
            copy(model, "written by the flush");
            copy(model, "waiting behind it");
            model.flushSaves();
            QCOMPARE(writes(sync), 2);
            QVERIFY(readFile(historyPath()).contains("waiting behind it"));
            copy(model, "asked for as the model goes");
        }
        QVERIFY(readFile(historyPath()).contains("asked for as the model goes"));
        QVERIFY(!QFileInfo::exists(historyPath() + "-tmp"));
    }

    void testSaveNowWaitsForTheWriteUnderWayAndKeepsItsSync()
    {
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        copy(model, "being written");
        copy(model, "waiting");
        QVERIFY(model.save(false));
        // The write under way and the one waiting both asked for a sync; the waiting one is this save.
        QCOMPARE(writes(sync), 2);
        QVERIFY(readFile(historyPath()).contains("waiting"));
        QTest::qWait(50);
        QCOMPARE(writes(sync), 2);
    }

    void testFailedWriteIsToldOnceAndSyncsNothing()
    {
        WarningBoxesShown shown;
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        // A folder where the file should be: the checked write fails.
        QVERIFY(QDir().mkpath(historyPath()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing to file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Writing the clippings file failed: "));
        copy(model, "cannot be written");
        copy(model, "cannot be written either");
        copy(model, "nor this");
        QTRY_COMPARE(openWarningBoxes().size(), 1);
        QVERIFY(openWarningBoxes().first()->text().startsWith("Writing the clippings file failed: " + historyPath()));
        model.flushSaves();
        QCOMPARE(openWarningBoxes().size(), 1);
        QVERIFY(sync.syncCalls.isEmpty());
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistorySaver)
#include "tst_historysaver.moc"
