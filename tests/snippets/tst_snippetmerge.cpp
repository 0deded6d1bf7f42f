#include "snippettestsupport.h"

#include "sync/synclogdialog.h"

using namespace SnippetTest;

class TestSnippetMerge : public QObject
{
    Q_OBJECT

    const QString t1 = "2024-01-01T10:00:00";
    const QString t2 = "2024-01-02T10:00:00";
    const QString t3 = "2024-01-03T10:00:00";

    static bool logged(const QString &line)
    {
        for (const QString &entry : std::as_const(SyncLogDialog::c_log)) {
            if (entry.endsWith(line))
                return true;
        }
        return false;
    }

    // Writes the model and reads it back as the next start would.
    static QString outlineAfterReload(SnippetModel &model)
    {
        SnippetModel reread(nullptr, nullptr);
        reread.deserialize(model.serialize(true), false);
        return outline(reread);
    }

private slots:
    void init()
    {
        resetStore();
        SyncLogDialog::c_log.clear();
    }

    void testGroupWithSameTitleMergesAndTakesTheNewerId()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid remoteId = QUuid::createUuid();
        model.addItems(group("Work", QUuid::createUuid(), time(t1)), {snippet("Local", "", QUuid::createUuid(), time(t1))});
        model.deserialize(document({groupObject("Work", remoteId, t2, {snippetObject("Remote", QUuid::createUuid(), t1)})}), false);
        QCOMPARE(outline(model), QString("Work: Local, Remote"));
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), remoteId);
        QCOMPARE(model.item(0)->data(TimeRole).toDateTime(), time(t2));
        QVERIFY(logged("Merge snippets: Updating parent group 'Work'"));
        QVERIFY(logged("Merge snippets: Added child 'Remote' under parent 'Work'."));
    }

    void testOlderGroupChangesNothing()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        model.addItems(group("Local title", id, time(t2)), {});
        model.addItems(group("Other", QUuid::createUuid(), time(t2)), {});
        QStandardItem *incoming = group("Remote title", id, time(t1));
        incoming->setData(1, OrdinalRole);
        model.addItems(incoming, {});
        QCOMPARE(outline(model), QString("Local title:  | Other: "));
    }

    void testNewerGroupMovesToItsPosition()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid id = QUuid::createUuid();
        model.addItems(group("A", id, time(t1)), {});
        model.addItems(group("B", QUuid::createUuid(), time(t1)), {});
        model.addItems(group("C", QUuid::createUuid(), time(t1)), {});
        QStandardItem *incoming = group("A renamed", id, time(t2));
        incoming->setData(99, OrdinalRole);
        model.addItems(incoming, {});
        QCOMPARE(outline(model), QString("B:  | C:  | A renamed: "));
    }

    void testNewerSnippetReplacesAtItsRemotePositionOlderOneIsKept()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid groupId = QUuid::createUuid();
        const QUuid a = QUuid::createUuid(), b = QUuid::createUuid(), c = QUuid::createUuid();
        model.addItems(group("G", groupId, time(t1)),
            {snippet("A", "", a, time(t2)), snippet("B", "", b, time(t1)), snippet("C", "", c, time(t2))});
        model.deserialize(document({groupObject("G", groupId, t1,
                              {snippetObject("B new", b, t2), snippetObject("A old", a, t1), snippetObject("C same", c, t2)})}),
            false);
        QCOMPARE(outline(model), QString("G: B new, A, C"));
        QVERIFY(logged("Merge snippets: Updating child 'B new' under parent 'G'."));
        QVERIFY(logged("Merge snippets: Child 'A old' already exists under parent 'G'."));
        QVERIFY(logged("Merge snippets: Child 'C same' already exists under parent 'G'."));
        // The replaced copy is not a removal.
        QVERIFY(!model.removedItems.contains(b));
    }

    void testSwappedNewerSnippetsEndInRemoteOrder()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid groupId = QUuid::createUuid();
        const QUuid a = QUuid::createUuid(), b = QUuid::createUuid();
        model.addItems(group("G", groupId, time(t1)), {snippet("A", "", a, time(t1)), snippet("B", "", b, time(t1))});
        model.deserialize(document({groupObject("G", groupId, t1, {snippetObject("B2", b, t2), snippetObject("A2", a, t2)})}), false);
        QCOMPARE(outline(model), QString("G: B2, A2"));
    }

    void testRemovedGroupIsDroppedWithNewChildren()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid gone = QUuid::createUuid();
        model.removedItems.insert(gone, time(t2));
        model.deserialize(document({groupObject("Gone", gone, t1, {snippetObject("Brand new", QUuid::createUuid(), t3)})}), false);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(logged("Merge snippets: Parent group 'Gone' is in removed list -> Ignoring children"));
    }

    void testImportAfterARemovalElsewhereStaysEverywhere()
    {
        // A minute ago P removed the group "Templates" and the snippet "Old" of another group. Q
        // learned of it; R, offline, imported a file holding both half a minute ago.
        const QDateTime now = QDateTime::currentDateTime();
        const QString before = now.addSecs(-3600).toString(Qt::ISODate), imported = now.addSecs(-30).toString(Qt::ISODate);
        const QUuid templates = QUuid::createUuid(), markdown = QUuid::createUuid(), other = QUuid::createUuid(),
                    old = QUuid::createUuid();
        const auto file = [&](const QString &time) {
            return document({groupObject("Templates", templates, time, {snippetObject("Markdown", markdown, time)}),
                             groupObject("Other", other, before, {snippetObject("Old", old, time)})});
        };
        SnippetModel p(nullptr, nullptr), q(nullptr, nullptr), r(nullptr, nullptr);
        p.deserialize(file(before), false);
        p.removeRows(0, 1);
        p.removeRows(0, 1, p.index(0, 0));
        p.removedItems[templates] = p.removedItems[old] = now.addSecs(-60);
        const QByteArray removal = p.serialize(true);
        q.deserialize(file(before), false);
        q.deserialize(removal, false);
        QCOMPARE(outline(q), QString("Other: "));
        r.deserialize(file(imported), false);

        q.deserialize(r.serialize(true), false);
        QCOMPARE(outline(q), QString("Other: Old | Templates: Markdown"));
        QVERIFY(logged("Merge snippets: Parent group 'Templates' changed after its removal -> Restored"));
        p.deserialize(q.serialize(true), false);
        QCOMPARE(outline(p), QString("Other: Old | Templates: Markdown"));
        QVERIFY(!p.removedItems.contains(templates));
        QVERIFY(!p.removedItems.contains(old));
        // The removal, still stored online, takes nothing from either of them.
        q.deserialize(removal, false);
        QCOMPARE(outline(q), QString("Other: Old | Templates: Markdown"));
        QCOMPARE(outlineAfterReload(p), QString("Other: Old | Templates: Markdown"));
    }

    void testRenamedGroupAndANewGroupOfItsOldTitleKeepTheirSnippets()
    {
        // P renamed "Email" to "Mail" and made a new "Email" above it; Q has the group as it was.
        const QUuid email = QUuid::createUuid(), newEmail = QUuid::createUuid();
        const QJsonArray old = {snippetObject("Hello", QUuid::createUuid(), t1), snippetObject("Bye", QUuid::createUuid(), t1)};
        SnippetModel p(nullptr, nullptr), q(nullptr, nullptr);
        p.deserialize(document({groupObject("Email", newEmail, t2), groupObject("Mail", email, t2, old)}), false);
        q.deserialize(document({groupObject("Email", email, t1, old)}), false);

        q.deserialize(p.serialize(true), false);
        QCOMPARE(outline(q), QString("Email:  | Mail: Hello, Bye"));
        QCOMPARE(ids(q), ids(p));
        p.deserialize(q.serialize(true), false);
        QCOMPARE(outline(p), QString("Email:  | Mail: Hello, Bye"));
    }

    void testSnippetOrdinalPastTheEndPlacesItLast()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid groupId = QUuid::createUuid();
        const QUuid a = QUuid::createUuid();
        model.addItems(group("G", groupId, time(t1)),
            {snippet("A", "", a, time(t1)), snippet("B", "", QUuid::createUuid(), time(t1))});
        QStandardItem *incoming = snippet("A newer", "", a, time(t2));
        incoming->setData(50, OrdinalRole);
        model.addItem(group("G", groupId, time(t1)), incoming);
        QCOMPARE(outline(model), QString("G: B, A newer"));
    }

    void testRenamedGroupDoesNotTakeAnotherGroupsPlace()
    {
        // The other side renamed "Home" to "Work", which a group here already is.
        SnippetModel model(nullptr, nullptr);
        const QUuid work = QUuid::createUuid(), home = QUuid::createUuid();
        model.addItems(group("Work", work, time(t1)), {snippet("W", "", QUuid::createUuid(), time(t1))});
        model.addItems(group("Home", home, time(t1)), {snippet("H", "", QUuid::createUuid(), time(t1))});
        model.deserialize(document({groupObject("Work", work, t1), groupObject("Work", home, t2)}), false);

        QCOMPARE(outline(model), QString("Work: W | Work: H"));
        QCOMPARE(model.item(0)->data(IdRole).toUuid(), work);
        QCOMPARE(model.item(1)->data(IdRole).toUuid(), home);
        // Nothing is lost at the next start.
        QCOMPARE(outlineAfterReload(model), QString("Work: W | Work: H"));
    }

    void testTwoGroupsOfOneFileWithOneTitleStayApart()
    {
        // Two groups named alike in the settings dialog must not fuse at every start.
        const QUuid first = QUuid::createUuid(), second = QUuid::createUuid();
        SnippetModel model(nullptr, nullptr);
        model.deserialize(document({groupObject("New group", first, t1, {snippetObject("One", QUuid::createUuid(), t1)}),
                              groupObject("New group", second, t2, {snippetObject("Two", QUuid::createUuid(), t1)})}),
            false);
        QCOMPARE(outline(model), QString("New group: One | New group: Two"));
        QCOMPARE(ids(model).at(0), first);
        QCOMPARE(ids(model).at(2), second);
    }

    void testSnippetMovedToAnotherGroupIsNotDoubled()
    {
        const QUuid from = QUuid::createUuid(), to = QUuid::createUuid(), moved = QUuid::createUuid();
        {
            // Moved on the other side, which stamped it with the time of the move.
            SnippetModel model(nullptr, nullptr);
            model.addItems(group("From", from, time(t1)), {snippet("Moved", "", moved, time(t1))});
            model.addItems(group("To", to, time(t1)), {});
            model.deserialize(document({groupObject("From", from, t1), groupObject("To", to, t1, {snippetObject("Moved", moved, t2)})}), false);
            QCOMPARE(outline(model), QString("From:  | To: Moved"));
            QVERIFY(!model.removedItems.contains(moved));
            QCOMPARE(outlineAfterReload(model), QString("From:  | To: Moved"));
        }
        {
            // Moved here; the other side still has the older copy in the old group.
            SnippetModel model(nullptr, nullptr);
            model.addItems(group("From", from, time(t1)), {});
            model.addItems(group("To", to, time(t1)), {snippet("Moved", "", moved, time(t2))});
            model.deserialize(document({groupObject("From", from, t1, {snippetObject("Moved", moved, t1)}), groupObject("To", to, t1)}), false);
            QCOMPARE(outline(model), QString("From:  | To: Moved"));
        }
    }

    void testMergeBothWaysJoinsAndSavesWithoutSync()
    {
        RecordingSync sync;
        SnippetModel model(nullptr, &sync);
        model.addItems(group("Local", QUuid::createUuid(), time(t1)), {});
        const QByteArray online = document({groupObject("Remote", QUuid::createUuid(), t1)});
        QByteArray result;
        QVERIFY(model.merge(online, result, BothWays));
        QCOMPARE(outline(model), QString("Local:  | Remote: "));
        QCOMPARE(result, model.serialize(true));
        QCOMPARE(HistoryTest::readFile(snippetPath()), result);
        QCOMPARE(sync.syncCalls.size(), 0);

        // Nothing new on either side: nothing to upload.
        QByteArray again;
        QVERIFY(!model.merge(result, again, BothWays));
        QCOMPARE(again, result);
    }

    void testMergeFromServerReplacesTheLocalTree()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Local only", QUuid::createUuid(), time(t1)), {});
        model.removedItems.insert(QUuid::createUuid(), QDateTime::currentDateTime());
        QByteArray result;
        model.merge(document({groupObject("Remote", QUuid::createUuid(), t1)}), result, FromServer);
        QCOMPARE(outline(model), QString("Remote: "));
        QVERIFY(model.removedItems.isEmpty());
    }

    void testMergeFromServerWithUnreadableCopyKeepsTheTree()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Local", QUuid::createUuid(), time(t1)), {snippet("S", "", QUuid::createUuid(), time(t1))});
        const QUuid removal = QUuid::createUuid();
        model.removedItems.insert(removal, QDateTime::currentDateTime());
        QByteArray result;
        QVERIFY(!model.merge("{\"magic\":0}", result, FromServer));
        QVERIFY(!model.merge("not json at all", result, FromServer));
        QVERIFY(result.isEmpty());
        QCOMPARE(outline(model), QString("Local: S"));
        QVERIFY(model.removedItems.contains(removal));
        QVERIFY(!QFileInfo::exists(snippetPath()));
    }

    void testMergeFromServerWithoutRemoteCopyKeepsTheTree()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Local", QUuid::createUuid(), time(t1)), {});
        QByteArray result;
        QVERIFY(model.merge(QByteArray(), result, FromServer));
        QCOMPARE(outline(model), QString("Local: "));
    }

    void testMergeToServerUploadsTheLocalTree()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Local", QUuid::createUuid(), time(t1)), {snippet("S", "", QUuid::createUuid(), time(t1))});
        const QByteArray before = model.serialize(true);
        QByteArray result;
        QVERIFY(model.merge(QByteArray(), result, ToServer));
        QCOMPARE(result, before);
        QCOMPARE(HistoryTest::readFile(snippetPath()), before);
    }

    void testRemoteRemovalsReachTheLocalTree()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid groupId = QUuid::createUuid(), gone = QUuid::createUuid();
        model.addItems(group("G", groupId, time(t1)), {snippet("Gone", "", gone, time(t1)), snippet("Kept", "", QUuid::createUuid(), time(t1))});
        QByteArray result;
        model.merge(document({groupObject("G", groupId, t1)}, {{gone.toString(), QDateTime::currentDateTime().toString(Qt::ISODate)}}), result, BothWays);
        QCOMPARE(outline(model), QString("G: Kept"));
        QVERIFY(QJsonDocument::fromJson(result).object().value("removedItems").toObject().contains(gone.toString()));
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetMerge)
#include "tst_snippetmerge.moc"
