#include "historytestsupport.h"
#include "scopedenvironment.h"

#include "history/historyfiltermodel.h"
#include "sync/synclogdialog.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace HistoryTest;

class TestHistoryMerge : public QObject
{
    Q_OBJECT

    QDateTime m_base = QDateTime(QDate(2024, 3, 5), QTime(12, 0));
    QDateTime at(int minutes) const { return m_base.addSecs(minutes * 60); }

    // A history document as another computer would upload it.
    static QByteArray remoteDocument(const QList<QStandardItem *> &items)
    {
        HistoryItemModel remote(nullptr, nullptr);
        for (QStandardItem *item : items) {
            if (!remote.addItem(item))
                delete item;
        }
        return remote.serialize();
    }

    static QStringList mergeLines()
    {
        QStringList lines;
        for (const QString &line : std::as_const(SyncLogDialog::c_log)) {
            const int start = line.indexOf("] Merge clippings: ");
            if (start >= 0)
                lines.append(line.mid(start + 2));
        }
        return lines;
    }

private slots:
    void init()
    {
        resetStore();
        SyncLogDialog::c_log.clear();
    }

    void testIdenticalDocumentChangesNothing()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("one", at(0)));
        model.addItem(textItem("two", at(1)));
        const QByteArray local = model.serialize();
        QByteArray result;
        QVERIFY(!model.merge(local, result, BothWays));
        QCOMPARE(result, local);
        QCOMPARE(texts(model), (QStringList{"two", "one"}));
        QVERIFY(mergeLines().contains("Merge clippings: The item 'two' is already in the history (pos 0)"));
    }

    void testFullHistoryIsTrimmedByTheMerge()
    {
        HistoryTest::setSetting("KeepItems", "3");
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("one", at(0)));
        model.addItem(textItem("two", at(1)));
        model.addItem(textItem("three", at(2)));
        const QByteArray local = model.serialize();
        QByteArray result;
        QVERIFY(model.merge(local, result, BothWays));
        QCOMPARE(texts(model), (QStringList{"three", "two"}));
    }

    void testUploadWritesTheLocalDocumentAndAnnouncesImages()
    {
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        const QUuid imageId = QUuid::createUuid();
        model.addItem(imageItem("picture.png", at(2), "Viewer", imageId));
        ClippingItem *removedImage = imageItem("removed.png", at(1));
        removedImage->setData(true, RemovedRole);
        model.addItem(removedImage);
        model.addItem(textItem("text", at(0)));
        const QByteArray local = model.serialize();

        QByteArray result;
        QVERIFY(model.merge(QByteArray(), result, ToServer));
        QCOMPARE(result, local);
        QCOMPARE(sync.imageCalls, (QList<QList<QString>>{{imageId.toString() + "/picture.png"}}));
        // Saved locally, without asking for another sync.
        QCOMPARE(readFile(historyPath()), result);
        QVERIFY(sync.syncCalls.isEmpty());

        HistoryTest::setSetting("IncludeImages", false);
        QByteArray again;
        model.merge(QByteArray(), again, ToServer);
        QCOMPARE(sync.imageCalls.size(), 1);
    }

    // The pass after a save takes the saved document and its hash instead of building them again:
    // never once the rows changed after that save.
    void testPassAfterASaveUploadsTheRowsAsTheyAre_data()
    {
        QTest::addColumn<bool>("changedAfterTheSave");
        QTest::newRow("rows as saved") << false;
        QTest::newRow("a row changed since") << true;
    }

    void testPassAfterASaveUploadsTheRowsAsTheyAre()
    {
        QFETCH(bool, changedAfterTheSave);
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        model.addItem(textItem("first", at(1)));
        model.addItem(textItem("second", at(0)));
        model.requestSave(true);
        QTRY_COMPARE(sync.syncCalls.size(), 1);
        if (changedAfterTheSave) {
            // Changed without a write of its own yet, as while that write is under way.
            model.item(1)->setData(true, Qt::CheckStateRole);
        }
        const QByteArray local = model.serialize();

        QCOMPARE(model.hash(), QString::fromLatin1(QCryptographicHash::hash(local, QCryptographicHash::Sha256).toHex()));
        QByteArray result;
        QVERIFY(model.merge(QByteArray(), result, BothWays));
        QCOMPARE(result, local);
        QCOMPARE(readFile(historyPath()), local);
        QCOMPARE(model.hash(), QString::fromLatin1(QCryptographicHash::hash(local, QCryptographicHash::Sha256).toHex()));
    }

    void testLaterTombstoneWinsAndEarlierIsIgnored()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterModel proxy(nullptr, nullptr);
        proxy.setSourceModel(&model);
        const QUuid hiddenId = QUuid::createUuid();
        const QUuid keptId = QUuid::createUuid();
        model.addItem(textItem("to be removed", at(0), "Editor", hiddenId));
        model.addItem(textItem("to be kept", at(5), "Editor", keptId));

        ClippingItem *later = textItem("to be removed", at(3), "Editor", hiddenId);
        later->setData(true, RemovedRole);
        ClippingItem *earlier = textItem("to be kept", at(4), "Editor", keptId);
        earlier->setData(true, RemovedRole);
        QByteArray result;
        QVERIFY(model.merge(remoteDocument({later, earlier}), result, BothWays));
        QCOMPARE(proxy.rowCount(), 1);
        QCOMPARE(proxy.index(0, 0).data(TextRole).toString(), QString("to be kept"));
        const QStandardItem *tombstone = model.item(1);
        QCOMPARE(tombstone->data(RemovedRole).toBool(), true);
        QCOMPARE(tombstone->data(TimeRole).toDateTime(), at(3));
        QCOMPARE(readFile(historyPath()), result);
    }

    void testExcludedApplicationNeverEntersFromOnline()
    {
        HistoryTest::setSetting("ExcludedApplications", QStringList{"Vault"});
        HistoryItemModel model(nullptr, nullptr);
        QByteArray result;
        model.merge(remoteDocument({textItem("password", at(0), "Vault"), textItem("note", at(1), "Editor")}), result, BothWays);
        QCOMPARE(texts(model), QStringList{"note"});
        QVERIFY(mergeLines().contains("Merge clippings: Clipping 'password' comes from excluded application: 'Vault' -> ignored"));
    }

    void testDownloadReplacesTheLocalHistory()
    {
        HistoryItemModel model(nullptr, nullptr);
        model.addItem(textItem("local only", at(9)));
        const QByteArray online = remoteDocument({textItem("online one", at(1)), textItem("online two", at(2))});
        QByteArray result;
        QVERIFY(!model.merge(online, result, FromServer));
        QCOMPARE(result, online);
        QCOMPARE(texts(model), (QStringList{"online two", "online one"}));
    }

    void testUnreadableDownloadLeavesTheHistoryAlone_data()
    {
        QTest::addColumn<QByteArray>("online");
        QTest::newRow("garbage") << QByteArray("this is not json");
        QTest::newRow("truncated") << QByteArray("{\"clippings\":[{\"text\":\"abc\"");
        QTest::newRow("wrong magic") << QByteArray("{\"clippings\":[],\"icons\":{},\"magic\":1,\"version\":8}");
    }

    void testUnreadableDownloadLeavesTheHistoryAlone()
    {
        QFETCH(QByteArray, online);
        RecordingSync sync;
        HistoryItemModel model(nullptr, &sync);
        model.addItem(textItem("local one", at(0)));
        model.addItem(textItem("local two", at(1)));
        QVERIFY(model.save(false));
        const QByteArray saved = readFile(historyPath());

        QByteArray result;
        QTest::ignoreMessage(QtWarningMsg, "Deserializing the history data failed.");
        QVERIFY(!model.merge(online, result, FromServer));
        QVERIFY(result.isEmpty());
        QCOMPARE(texts(model), (QStringList{"local two", "local one"}));
        QCOMPARE(readFile(historyPath()), saved);
        QVERIFY(sync.imageCalls.isEmpty());
    }

    void testRemovalOutlivesTheTrimWhenAComputerReturns_data()
    {
        QTest::addColumn<bool>("copiedAgain");
        QTest::newRow("removed") << false;
        // The newer copy replaced the row under an id of its own, and the old id was forgotten.
        QTest::newRow("copied again, then removed") << true;
    }

    void testRemovalOutlivesTheTrimWhenAComputerReturns()
    {
        // A clipping locked on P, Q and R. R goes offline; P removes it (or copies its text again
        // and removes that) and copies more than "Keep items", so the tombstone is trimmed away on
        // P and Q.
        QFETCH(bool, copiedAgain);
        HistoryTest::setSetting("KeepItems", "4");
        const QDateTime now = QDateTime::currentDateTime();
        const QUuid id = QUuid::createUuid();
        ClippingItem *locked = textItem("locked everywhere", now.addSecs(-3600), "Editor", id);
        locked->setData(true, LockedRole);
        const QByteArray shared = remoteDocument({locked});
        HistoryItemModel p(nullptr, nullptr), q(nullptr, nullptr), r(nullptr, nullptr);
        const auto merge = [](HistoryItemModel &model, const QByteArray &online) {
            QByteArray result;
            return model.merge(online, result, BothWays);
        };
        for (HistoryItemModel *model : {&p, &q, &r})
            merge(*model, shared);
        if (copiedAgain) {
            p.addItem(textItem("locked everywhere", now.addSecs(-60)));
            QVERIFY(p.item(0)->data(IdRole).toUuid() != id);
        }
        p.markItemAsRemoved(p.index(0, 0));
        for (int i = 1; i <= 4; ++i)
            p.addItem(textItem(QString("copied %1").arg(i), now.addSecs(i)));
        merge(q, p.serialize());
        const auto holds = [id](const HistoryItemModel &model) {
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.item(row)->data(IdRole).toUuid() == id)
                    return true;
            }
            return false;
        };
        QVERIFY(!holds(p));
        QVERIFY(!holds(q));

        const QByteArray returning = r.serialize();
        merge(p, returning);
        merge(q, returning);
        QVERIFY(!holds(p));
        QVERIFY(!holds(q));
        QVERIFY(mergeLines().contains("Merge clippings: Clipping 'locked everywhere' was removed -> ignored"));
        // The returning computer learns of the removal, and it stays through a restart.
        merge(r, p.serialize());
        QVERIFY(!holds(r));
        HistoryItemModel restarted(nullptr, nullptr);
        restarted.deserialize(p.serialize());
        merge(restarted, returning);
        QVERIFY(!holds(restarted));
        QCOMPARE(texts(restarted), texts(p));
    }

    // At the limit, a document holding one clipping more than the trim keeps here brought it back
    // at each merge and trimmed it again: a change to save and upload every time, on and on.
    void testMergeAtTheLimitThatReaddsWhatTheTrimDropsChangesNothing()
    {
        HistoryTest::setSetting("KeepItems", "4");
        HistoryItemModel p(nullptr, nullptr), q(nullptr, nullptr);
        for (int i = 0; i < 3; ++i)
            p.addItem(textItem(QString("clipping %1").arg(i), at(i)));
        QByteArray result;
        q.merge(p.serialize(), result, BothWays);
        // P copies once more and uploads its history as a copy leaves it: as long as the limit.
        p.addItem(textItem("clipping 3", at(3)));
        const QByteArray full = p.serialize();
        result.clear();
        QVERIFY(q.merge(full, result, BothWays));
        const QStringList kept{"clipping 3", "clipping 2", "clipping 1"};
        QCOMPARE(texts(q), kept);

        // Met again, the document's oldest clipping comes back and is trimmed again.
        QVERIFY(writeFile(historyPath(), "not written again"));
        SyncLogDialog::c_log.clear();
        result.clear();
        QVERIFY(!q.merge(full, result, BothWays));
        QVERIFY(mergeLines().contains("Merge clippings: Item 'clipping 0' added at position 3"));
        QCOMPARE(texts(q), kept);
        QCOMPARE(result, q.serialize());
        QCOMPARE(readFile(historyPath()), QByteArray("not written again"));
    }

    void testLockMovesNothingWhereTheLimitIsSmaller()
    {
        // P keeps 20 clippings and Q 3; P locks its oldest, which Q has trimmed away.
        HistoryItemModel p(nullptr, nullptr), q(nullptr, nullptr);
        p.addItem(textItem("one", at(1)));
        p.addItem(textItem("two", at(2)));
        p.addItem(textItem("three", at(3)));
        QCOMPARE(texts(p), (QStringList{"three", "two", "one"}));
        QByteArray result;
        HistoryTest::setSetting("KeepItems", "3");
        q.merge(p.serialize(), result, BothWays);
        QCOMPARE(texts(q), (QStringList{"three", "two"}));

        HistoryTest::setSetting("KeepItems", "20");
        p.lockItem(p.index(2, 0), true);
        QCOMPARE(texts(p), (QStringList{"three", "two", "one"}));
        HistoryTest::setSetting("KeepItems", "3");
        result.clear();
        q.merge(p.serialize(), result, BothWays);
        QCOMPARE(texts(q), (QStringList{"three", "two", "one"}));
        QVERIFY(q.item(2)->data(LockedRole).toBool());
    }

    void testBothWaysKeepsTheNewerCopyOfEachClipping()
    {
        HistoryItemModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        model.addItem(textItem("shared", at(0), "Editor", id));
        model.addItem(textItem("local", at(1)));
        ClippingItem *newer = textItem("shared", at(5), "Editor", id);
        newer->setData(true, LockedRole);
        QByteArray result;
        QVERIFY(model.merge(remoteDocument({newer, textItem("remote", at(3))}), result, BothWays));
        QCOMPARE(texts(model), (QStringList{"shared", "remote", "local"}));
        QCOMPARE(model.item(0)->data(LockedRole).toBool(), true);
        QVERIFY(mergeLines().contains("Merge clippings: Item 'remote' added at position 1"));
    }

    // C in Tokyo copies a text and D in UTC removes it. Written without their offsets, the times
    // were read in each reader's zone: D's removal looked older than C's clipping, C kept it, and
    // C's next version brought it back to D.
    void testRemovalInAnotherTimeZoneIsNotUndone()
    {
        const QUuid id = QUuid::createUuid();
        const QDateTime copied = QDateTime::currentDateTimeUtc().addSecs(-120);
        ScopedEnvironment zone;
        zone.set("TZ", "Asia/Tokyo");
        HistoryItemModel tokyo(nullptr, nullptr);
        tokyo.addItem(textItem("copied in Tokyo", copied.toLocalTime(), "Editor", id));
        const QByteArray copy = tokyo.serialize();

        zone.set("TZ", "UTC");
        HistoryItemModel utc(nullptr, nullptr);
        QByteArray result;
        utc.merge(copy, result, BothWays);
        QCOMPARE(utc.item(0)->data(TimeRole).toDateTime(), copied.addMSecs(-copied.time().msec()));
        utc.markAllAsRemoved();
        const QByteArray removal = utc.serialize();

        zone.set("TZ", "Asia/Tokyo");
        result.clear();
        tokyo.merge(removal, result, BothWays);
        QVERIFY(tokyo.item(0)->data(RemovedRole).toBool());

        zone.set("TZ", "UTC");
        QByteArray back;
        QVERIFY(!utc.merge(result, back, BothWays));
        QVERIFY(utc.item(0)->data(RemovedRole).toBool());
        utc.flushSaves();
    }

    // The unpin took the pin of the row it replaced, with the unpin's time; the computer that
    // unpinned then refused that copy as not newer, and the two stayed apart for good.
    void testUnpinFromAnotherComputerWinsWhole()
    {
        HistoryItemModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        model.addItem(textItem("shared", at(0), "Editor", id));
        ClippingItem *pinned = textItem("shared", at(1), "Editor", id);
        pinned->setData(true, Qt::CheckStateRole);
        QByteArray result;
        model.merge(remoteDocument({pinned}), result, BothWays);
        QVERIFY(model.item(0)->data(Qt::CheckStateRole).toBool());

        const QByteArray unpinned = remoteDocument({textItem("shared", at(2), "Editor", id)});
        result.clear();
        QVERIFY(!model.merge(unpinned, result, BothWays));
        QCOMPARE(result, unpinned);
        QVERIFY(!model.item(0)->data(Qt::CheckStateRole).toBool());
        QCOMPARE(model.item(0)->data(TimeRole).toDateTime(), at(2));
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryMerge)
#include "tst_historymerge.moc"
