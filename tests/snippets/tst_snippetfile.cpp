#include "snippettestsupport.h"
#include "smalldisk.h"
#include "warningboxes.h"

#include "snippets/backup.h"
#include "common/globals.h"
#include "common/safefile.h"

using namespace SnippetTest;

class TestSnippetFile : public QObject
{
    Q_OBJECT

    const QUuid workId{"{5ca1ab1e-0000-4000-8000-000000000001}"};
    const QUuid emptyId{"{5ca1ab1e-0000-4000-8000-000000000002}"};
    const QUuid greetingId{"{5ca1ab1e-0000-4000-8000-000000000011}"};
    const QUuid secretId{"{5ca1ab1e-0000-4000-8000-000000000012}"};
    const QUuid recentRemovalId{"{5ca1ab1e-0000-4000-8000-0000000000a1}"};
    const QUuid oldRemovalId{"{5ca1ab1e-0000-4000-8000-0000000000a2}"};

    static QDateTime yesterday()
    {
        const QDateTime now = QDateTime::currentDateTime().addDays(-1);
        return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    }

    static QByteArray golden(const QDateTime &recentRemoval)
    {
        QByteArray bytes = HistoryTest::readFile(KESTOVAN_TEST_DATA "/snippets-golden.json");
        bytes.replace("@RECENT@", Utils::storedTime(recentRemoval).toLatin1());
        return bytes;
    }

    void fillGoldenTree(SnippetModel &model, const QDateTime &recentRemoval)
    {
        QStandardItem *work = group("Work", workId, time("2024-03-01T10:00:00"));
        QStandardItem *greeting = snippet("Greeting", "Hello \"world\"\n\tsee \u205Eyou \U0001F600 {CLIP}", greetingId,
            time("2024-03-02T11:30:05"));
        greeting->setData("Ctrl+Alt+G", HotkeyRole);
        greeting->setData("::hi", ExpanderRole);
        QStandardItem *secret = snippet("Secret", "pin 1234", secretId, time("2024-03-03T08:00:00"));
        secret->setData(true, HideRole);
        model.addItems(work, {greeting, secret});
        model.addItems(group("Empty", emptyId, time("2024-02-29T23:59:59")), {});
        model.removedItems.insert(recentRemovalId, recentRemoval);
        model.removedItems.insert(oldRemovalId, QDateTime::currentDateTime().addMonths(-2));
    }

    static QStringList brokenCopies()
    {
        return QDir(Utils::dataPath()).entryList({"Snippets.json.*.broken"}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

private slots:
    void init() { resetStore(); }

    void testSnippetFileIsWrittenByteForByte()
    {
        SnippetModel model(nullptr, nullptr);
        const QDateTime removal = yesterday();
        fillGoldenTree(model, removal);
        QCOMPARE(model.serialize(true), golden(removal));

        // And what is read back is written again unchanged.
        SnippetModel reread(nullptr, nullptr);
        QCOMPARE(reread.deserialize(golden(removal), false), 2);
        QCOMPARE(reread.serialize(true), golden(removal));
        QCOMPARE(reread.removedItems.value(recentRemovalId), removal);
    }

    void testExportIsIndentedWithoutRemovals()
    {
        SnippetModel model(nullptr, nullptr);
        fillGoldenTree(model, yesterday());
        QCOMPARE(model.serialize(false), HistoryTest::readFile(KESTOVAN_TEST_DATA "/snippets-export-golden.json"));
    }

    void testRemovalRecordsExpireFromTheFileAfterAMonth()
    {
        SnippetModel model(nullptr, nullptr);
        const QDateTime now = QDateTime::currentDateTime();
        const QUuid fresh = QUuid::createUuid();
        const QUuid almostMonth = QUuid::createUuid();
        const QUuid overMonth = QUuid::createUuid();
        model.removedItems.insert(fresh, now.addDays(-1));
        model.removedItems.insert(almostMonth, now.addMonths(-1).addSecs(120));
        model.removedItems.insert(overMonth, now.addMonths(-1).addSecs(-120));

        const QJsonObject removed = QJsonDocument::fromJson(model.serialize(true)).object().value("removedItems").toObject();
        QVERIFY(removed.contains(fresh.toString()));
        QVERIFY(removed.contains(almostMonth.toString()));
        QVERIFY(!removed.contains(overMonth.toString()));

        // Out of the file, but still in force until the next load.
        QCOMPARE(model.removedItems.size(), 3);
        QCOMPARE(model.deserialize(document({groupObject("Old", overMonth, "2024-01-01T00:00:00")}), false), 0);
        QCOMPARE(model.rowCount(), 0);

        QVERIFY(model.save(false));
        model.load();
        QCOMPARE(model.removedItems.size(), 2);
        QVERIFY(!model.removedItems.contains(overMonth));
    }

    void testLegacyRemovedArrayRemovesAsOfReading()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid gone = QUuid::createUuid();
        model.addItems(group("Local", QUuid::createUuid(), time("2024-01-01T00:00:00")),
            {snippet("Gone", "x", gone, time("2024-01-01T00:00:00"))});
        QJsonObject object = QJsonDocument::fromJson(document({})).object();
        object.insert("removed", QJsonArray{gone.toString()});
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(model.deserialize(QJsonDocument(object).toJson(), false), 0);
        QCOMPARE(outline(model), QString("Local: "));
        QVERIFY(model.removedItems.value(gone) >= before.addSecs(-1));
    }

    void testRemovedItemsOfAFileDropItsOwnGroupsAndSnippets()
    {
        const QUuid groupId = QUuid::createUuid();
        const QUuid keptGroup = QUuid::createUuid();
        const QUuid droppedSnippet = QUuid::createUuid();
        const QByteArray bytes = document(
            {groupObject("Dropped", groupId, "2024-01-01T00:00:00", {snippetObject("Inside", QUuid::createUuid(), "2024-01-01T00:00:00")}),
             groupObject("Kept", keptGroup, "2024-01-01T00:00:00",
                 {snippetObject("Stays", QUuid::createUuid(), "2024-01-01T00:00:00"),
                  snippetObject("Goes", droppedSnippet, "2024-01-01T00:00:00")})},
            {{groupId.toString(), QDateTime::currentDateTime().toString(Qt::ISODate)},
             {droppedSnippet.toString(), QDateTime::currentDateTime().toString(Qt::ISODate)}});
        SnippetModel model(nullptr, nullptr);
        model.deserialize(bytes, false);
        QCOMPARE(outline(model), QString("Kept: Stays"));
    }

    void testWrongMagicChangesNothing()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Local", QUuid::createUuid(), time("2024-01-01T00:00:00")),
            {snippet("One", "1", QUuid::createUuid(), time("2024-01-01T00:00:00"))});
        const QByteArray before = model.serialize(true);

        QJsonObject object = QJsonDocument::fromJson(document({groupObject("Remote", QUuid::createUuid(), "2024-01-01T00:00:00")})).object();
        object.insert("magic", 4276944897.0); // 0xFEED0001 unsigned is not the signed magic
        QCOMPARE(model.deserialize(QJsonDocument(object).toJson(), false), -1);
        QCOMPARE(model.deserialize("{\"groups\":[", false), -1);
        QCOMPARE(model.serialize(true), before);
    }

    void testWrongStructureIsKeptAsideAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QUuid groupId = QUuid::createUuid();
        const QUuid dupeGroup = QUuid::createUuid();
        const QString t = "2024-01-01T00:00:00";
        const QJsonObject good = groupObject("Good", QUuid::createUuid(), t, {snippetObject("Kept", QUuid::createUuid(), t)});
        QTest::newRow("a snippet with its group's id") << document({groupObject("First", groupId, t,
            {snippetObject("Unique", QUuid::createUuid(), t), snippetObject("Same as group", groupId, t)})});
        QTest::newRow("two groups with one id") << document({good, groupObject("Second", dupeGroup, t),
            groupObject("Second again", dupeGroup, t, {snippetObject("Never read", QUuid::createUuid(), t)})});
        QJsonObject badId = groupObject("Bad id", QUuid(), t);
        badId.insert("id", "not an id");
        QTest::newRow("an id that is not one") << document({good, badId});
        QJsonObject hidden = snippetObject("Hidden", QUuid::createUuid(), t);
        hidden.insert("hide", "true");
        QTest::newRow("hide as a text") << document({good, groupObject("G", QUuid::createUuid(), t, {hidden})});
        QJsonObject groups = QJsonDocument::fromJson(document({good})).object();
        groups.insert("groups", QJsonObject{{"a", QJsonArray{good}}});
        QTest::newRow("groups as an object") << QJsonDocument(groups).toJson(QJsonDocument::Compact);
        QJsonObject huge = QJsonDocument::fromJson(document({good})).object();
        huge.insert("version", 1.2e29);
        QTest::newRow("version out of range") << QJsonDocument(huge).toJson(QJsonDocument::Compact);
    }

    void testWrongStructureIsKeptAsideAndChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        SnippetModel merged(nullptr, nullptr);
        merged.addItems(group("Local", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        const QByteArray before = merged.serialize(true);
        QCOMPARE(merged.deserialize(bytes, false), -1);
        QCOMPARE(merged.serialize(true), before);

        // As a file: kept aside whole, nothing read from it.
        QVERIFY(HistoryTest::writeFile(snippetPath(), bytes));
        MessageLog log;
        SnippetModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.loadFailed());
        QCOMPARE(log.count(QtWarningMsg, "Failed to parse the snippets file: " + snippetPath()), 1);
        QCOMPARE(HistoryTest::readFile(model.keptAsidePath()), bytes);
    }

    void testReadOnlyDataFolderTellsTheUserOnce()
    {
        KESTOVAN_SMALL_DISK_OR_SKIP(disk, 64 * 1024, Utils::dataPath());
        WarningBoxesShown shown;
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(model.save(false));
        QVERIFY(disk.setReadOnly(true));
        MessageLog log;
        for (int change = 0; change < 3; ++change) {
            model.addItems(group(QString("Change %1").arg(change), QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
            QVERIFY(!model.save(false));
        }
        QCOMPARE(log.count(QtWarningMsg, "The snippets cannot be saved"), 3);
        QCOMPARE(openWarningBoxes().size(), 1);
        QVERIFY(openWarningBoxes().first()->text().contains("Read-only file system"));
        answerWarningBox();
        QVERIFY(disk.setReadOnly(false));
    }

    void testOversizedSnippetFileIsKeptAsideNotRead()
    {
        QFile huge(snippetPath());
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(SafeFile::MaxDocumentSize + 1));
        huge.close();
        MessageLog log;
        SnippetModel model(nullptr, nullptr);
        model.load();
        QVERIFY(model.loadFailed());
        QCOMPARE(log.count(QtWarningMsg, "The snippets file is too large to load: " + snippetPath()), 1);
        QCOMPARE(QFileInfo(model.keptAsidePath()).size(), SafeFile::MaxDocumentSize + 1);
        QFile::remove(model.keptAsidePath());
    }

    void testSnippetFieldsSurviveSaveAndLoad()
    {
        {
            SnippetModel model(nullptr, nullptr);
            QStandardItem *item = snippet("Hidden", "secret text", QUuid::createUuid(), time("2024-05-06T07:08:09"));
            item->setData(true, HideRole);
            item->setData("Ctrl+Shift+H", HotkeyRole);
            item->setData("::hid", ExpanderRole);
            model.addItems(group("G", QUuid::createUuid(), time("2024-05-06T07:08:09")), {item});
            QVERIFY(model.save(false));
        }
        SnippetModel model(nullptr, nullptr);
        model.load();
        const QModelIndex read = model.index(0, 0, model.index(0, 0));
        QCOMPARE(read.data(Qt::DisplayRole).toString(), QString("Hidden"));
        QCOMPARE(read.data(TextRole).toString(), QString("secret text"));
        QCOMPARE(read.data(Qt::ToolTipRole).toString(), QString("secret text"));
        QCOMPARE(read.data(HideRole).toBool(), true);
        QCOMPARE(read.data(HotkeyRole).toString(), QString("Ctrl+Shift+H"));
        QCOMPARE(read.data(ExpanderRole).toString(), QString("::hid"));
        QCOMPARE(read.data(TimeRole).toDateTime(), time("2024-05-06T07:08:09"));
        QCOMPARE(read.data(OrdinalRole).toInt(), 0);
    }

    void testFirstStartShowsTheSampleSnippets()
    {
        SnippetModel model(nullptr, nullptr);
        QSignalSpy loaded(&model, &SnippetModel::modelLoaded);
        model.load();
        QCOMPARE(loaded.count(), 1);
        QVERIFY(!QFileInfo::exists(snippetPath())); // written with the next save

        QStringList titles;
        QStringList keywords;
        for (int g = 0; g < model.rowCount(); ++g) {
            titles.append(model.item(g)->text());
            for (int s = 0; s < model.item(g)->rowCount(); ++s) {
                const QString keyword = model.item(g)->child(s)->data(ExpanderRole).toString();
                if (!keyword.isEmpty())
                    keywords.append(keyword);
            }
        }
        QCOMPARE(titles, (QStringList{"Info", "Email", "Messaging", "Templates", "Emoji"}));
        QCOMPARE(keywords, (QStringList{"::brb", "::meeting", "::google", "::network", "::plead", "::heart",
                               "::sparkles", "::joy", "::smile", "::fire", "::up"}));

        QStandardItem *messaging = model.item(2);
        QCOMPARE(messaging->data(IdRole).toUuid(), QUuid("{12345678-0000-0000-0003-000000000000}"));
        QCOMPARE(messaging->child(0)->data(IdRole).toUuid(), QUuid("{12345678-0000-0000-0003-000000000001}"));
        QCOMPARE(messaging->child(3)->data(IdRole).toUuid(), QUuid("{12345678-0000-0000-0003-000000000004}"));
        QCOMPARE(messaging->child(0)->text(), QString("Be right back"));
        QVERIFY(model.item(0)->child(1)->data(TextRole).toString().contains("{CLIP}"));
        QVERIFY(model.item(0)->child(2)->data(TextRole).toString().contains("{Current time}"));
        QCOMPARE(model.item(1)->rowCount(), 4);
        QCOMPARE(model.item(3)->rowCount(), 3);
        QCOMPARE(model.item(4)->rowCount(), 9);
        QCOMPARE(model.item(0)->data(ShortcutRole).toChar(), QChar('I'));
    }

    void testCorruptSnippetFileIsKeptAsideAndTheDaysBackupKept()
    {
        const QByteArray corrupt = document({}).left(20);
        QVERIFY(HistoryTest::writeFile(snippetPath(), corrupt));
        QDir().mkpath(backupFolder());
        const QString backup = Backup::filePath("Snippets", QDate::currentDate());
        const QByteArray goodMorning = document({groupObject("Morning", QUuid::createUuid(), "2024-01-01T00:00:00")});
        QVERIFY(HistoryTest::writeFile(backup, goodMorning));

        MessageLog log;
        SnippetModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.loadFailed());
        QCOMPARE(log.count(QtWarningMsg, "Failed to parse the snippets file: " + snippetPath()), 1);
        QCOMPARE(brokenCopies().size(), 1);
        QCOMPARE(HistoryTest::readFile(model.keptAsidePath()), corrupt);

        // Loading the same file again (the settings dialog's Cancel) tells the user nothing new.
        model.load();
        QCOMPARE(log.count(QtWarningMsg, "Failed to parse the snippets file: "), 1);
        QCOMPARE(brokenCopies().size(), 1);

        model.addItems(group("New", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(model.save(false));
        QCOMPARE(HistoryTest::readFile(snippetPath()), model.serialize(true));
        QCOMPARE(HistoryTest::readFile(backup), goodMorning);
        QCOMPARE(HistoryTest::readFile(model.keptAsidePath()), corrupt);
    }

    void testNewerVersionLoadsAndIsKeptAside()
    {
        const QByteArray newer = document({groupObject("Future", QUuid::createUuid(), "2024-01-01T00:00:00",
                                                {snippetObject("S", QUuid::createUuid(), "2024-01-01T00:00:00")})},
            {}, 8);
        QVERIFY(HistoryTest::writeFile(snippetPath(), newer));
        MessageLog log;
        SnippetModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(outline(model), QString("Future: S"));
        QCOMPARE(log.count(QtWarningMsg, "The snippet file has version 8 but the application supports only version 7"), 1);
        QCOMPARE(brokenCopies().size(), 1);
        QCOMPARE(HistoryTest::readFile(model.keptAsidePath()), newer);
    }

    void testUnreadableFileIsNotTakenForAMissingOne()
    {
        // Something at the path that cannot be read as a file.
        QVERIFY(QDir().mkpath(snippetPath()));
        MessageLog log;
        SnippetModel model(nullptr, nullptr);
        model.load();
        QCOMPARE(model.rowCount(), 0); // no samples over a file that is there
        QCOMPARE(log.count(QtWarningMsg, "Failed to read the snippets file: " + snippetPath()), 1);
        QCOMPARE(brokenCopies().size(), 1);
        QVERIFY(model.save(false));
        QVERIFY(QFileInfo(snippetPath()).isFile());
    }

    void testRemoveRowsRecordsEveryRemovedRow()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid a = QUuid::createUuid(), b = QUuid::createUuid(), c = QUuid::createUuid();
        model.addItems(group("G", QUuid::createUuid(), time("2024-01-01T00:00:00")),
            {snippet("A", "", a, time("2024-01-01T00:00:00")), snippet("B", "", b, time("2024-01-01T00:00:00")),
             snippet("C", "", c, time("2024-01-01T00:00:00"))});
        QVERIFY(model.removeRows(0, 2, model.index(0, 0)));
        QCOMPARE(outline(model), QString("G: C"));
        QVERIFY(model.removedItems.contains(a));
        QVERIFY(model.removedItems.contains(b));
        QVERIFY(!model.removedItems.contains(c));
    }

    void testImportCountsAsChangedNowAndRevivesRemovedItems()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid revived = QUuid::createUuid();
        model.removedItems.insert(revived, QDateTime::currentDateTime());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QJsonObject object = QJsonDocument::fromJson(document({groupObject("Imported", QUuid::createUuid(), "2020-01-01T00:00:00",
                                                                   {snippetObject("Back", revived, "2020-01-01T00:00:00")})}))
                                 .object();
        // An import reads neither removal list.
        object.insert("removed", QJsonArray{revived.toString()});
        QCOMPARE(model.deserialize(QJsonDocument(object).toJson(), true), 1);
        QCOMPARE(outline(model), QString("Imported: Back"));
        QVERIFY(!model.removedItems.contains(revived));
        QVERIFY(model.item(0)->child(0)->data(TimeRole).toDateTime() >= before);
    }

    void testImportOfAFileWithWrongMagicTellsTheUser()
    {
        SnippetModel model(nullptr, nullptr);
        MessageLog log;
        QCOMPARE(model.deserialize("{\"magic\": 1, \"groups\": []}", true), -1);
        QCOMPARE(log.count(QtWarningMsg, "nothing was imported"), 1);
        // A sync document that does not read is not the user's to hear about.
        QCOMPARE(model.deserialize("{\"magic\": 1}", false), -1);
        QCOMPARE(log.count(QtWarningMsg, "nothing was imported"), 1);
    }

    void testSaveReplacesTheFileThenSyncsAndBacksUp()
    {
        RecordingSync sync;
        SnippetModel model(nullptr, &sync);
        model.addItems(group("G", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(model.save(true));
        const QByteArray written = HistoryTest::readFile(snippetPath());
        QCOMPARE(written, model.serialize(true));
        QCOMPARE(sync.syncCalls.size(), 1);
        QCOMPARE(sync.syncCalls.first().file, SyncFile::Snippets);
        QCOMPARE(sync.syncCalls.first().merge, static_cast<ISyncMerge *>(&model));
        QCOMPARE(sync.syncCalls.first().direction, BothWays);
        QCOMPARE(HistoryTest::readFile(Backup::filePath("Snippets", QDate::currentDate())), written);
        QVERIFY(!QFileInfo::exists(SafeFile::temporaryPath(snippetPath())));
    }

    void testDemoAndPerfTestSavesKeepTheUsersBackup_data()
    {
        QTest::addColumn<bool>("demo");
        QTest::addColumn<QString>("name");
        QTest::newRow("demo") << true << "Snippets-demo";
        QTest::newRow("performance test") << false << "Snippets-perftest";
    }

    void testDemoAndPerfTestSavesKeepTheUsersBackup()
    {
        QFETCH(bool, demo);
        QFETCH(QString, name);
        const QString usersBackup = Backup::filePath("Snippets", QDate::currentDate());
        QDir().mkpath(backupFolder());
        QVERIFY(HistoryTest::writeFile(usersBackup, "the user's snippets"));

        (demo ? demoEnabled : perfTestEnabled) = true;
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        const bool saved = model.save(false);
        demoEnabled = false;
        perfTestEnabled = false;

        QVERIFY(saved);
        QCOMPARE(HistoryTest::readFile(usersBackup), QByteArray("the user's snippets"));
        QCOMPARE(HistoryTest::readFile(Backup::filePath(name, QDate::currentDate())), model.serialize(true));
    }

    void testFailedSaveKeepsTheOldFileWithoutSyncOrBackup()
    {
        RecordingSync sync;
        SnippetModel model(nullptr, &sync);
        const QByteArray old = document({});
        QVERIFY(HistoryTest::writeFile(snippetPath(), old));
        // The temporary file cannot be created where a folder stands.
        QVERIFY(QDir().mkpath(SafeFile::temporaryPath(snippetPath())));
        model.addItems(group("G", QUuid::createUuid(), time("2024-01-01T00:00:00")), {});
        QVERIFY(!model.save(true));
        QCOMPARE(HistoryTest::readFile(snippetPath()), old);
        QCOMPARE(sync.syncCalls.size(), 0);
        QVERIFY(!QFileInfo::exists(Backup::filePath("Snippets", QDate::currentDate())));
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetFile)
#include "tst_snippetfile.moc"
