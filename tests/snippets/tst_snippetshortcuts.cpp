#include "snippettestsupport.h"

#include "hotkey/qhotkey.h"
#include "snippets/inputmanager.h"
#include "platform/nullplatformbackend.h"

using namespace SnippetTest;

class TestSnippetShortcuts : public QObject
{
    Q_OBJECT

    const QDateTime t1 = time("2024-01-01T10:00:00");

    static QStandardItem *keywordSnippet(const QString &title, const QString &keyword, const QString &text)
    {
        QStandardItem *item = snippet(title, text, QUuid::createUuid(), time("2024-01-01T10:00:00"));
        item->setData(keyword, ExpanderRole);
        return item;
    }

    static QStandardItem *hotkeySnippet(const QString &title, const QString &hotkey, const QUuid &id)
    {
        QStandardItem *item = snippet(title, title, id, time("2024-01-01T10:00:00"));
        item->setData(hotkey, HotkeyRole);
        return item;
    }

    static bool monitorInstalled() { return NullPlatformBackend::current()->isKeyMonitorInstalled(); }

private slots:
    void initTestCase() { QVERIFY(NullPlatformBackend::current()); }

    void init()
    {
        resetStore();
        NullPlatformBackend::current()->reset();
    }

    void testFirstItemOfALevelWinsItsLetter()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("Emoji", QUuid::createUuid(), t1),
            {snippet("apple", "", QUuid::createUuid(), t1), snippet("Apricot", "", QUuid::createUuid(), t1),
             snippet("", "", QUuid::createUuid(), t1)});
        model.addItems(group("email", QUuid::createUuid(), t1), {snippet("avocado", "", QUuid::createUuid(), t1)});
        model.addItems(group("Extra", QUuid::createUuid(), t1), {});
        model.addItems(group("", QUuid::createUuid(), t1), {});
        model.updateShortcuts();

        QCOMPARE(model.item(0)->data(ShortcutRole), QVariant(QChar('E')));
        QCOMPARE(model.item(1)->data(ShortcutRole), QVariant(0));
        QCOMPARE(model.item(2)->data(ShortcutRole), QVariant(0));
        QCOMPARE(model.item(3)->data(ShortcutRole), QVariant(0));
        QCOMPARE(model.item(0)->child(0)->data(ShortcutRole), QVariant(QChar('A')));
        QCOMPARE(model.item(0)->child(1)->data(ShortcutRole), QVariant(0));
        QCOMPARE(model.item(0)->child(2)->data(ShortcutRole), QVariant(0));
        // Letters are unique per group, not across groups.
        QCOMPARE(model.item(1)->child(0)->data(ShortcutRole), QVariant(QChar('A')));

        QCOMPARE(model.groupForShortcut('E'), model.index(0, 0));
        QVERIFY(!model.groupForShortcut('X').isValid());
        QCOMPARE(model.snippetForShortcut(model.index(1, 0), 'A'), model.index(0, 0, model.index(1, 0)));
        QVERIFY(!model.snippetForShortcut(model.index(0, 0), 'a').isValid());
        QVERIFY(!model.snippetForShortcut(model.index(0, 0), 'Z').isValid());
    }

    void testKeywordTableIsTrimmedAndTheLaterDuplicateWins()
    {
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", QUuid::createUuid(), t1),
            {keywordSnippet("One", "  ::one\t", "first"), keywordSnippet("Dupe", "::one", "second"),
             keywordSnippet("None", "", "not a keyword")});
        model.updateHotkeysAndKeywords();
        const QMap<QString, QString> expected{{"::one", "second"}};
        QCOMPARE(InputManager::instance()->keywords, expected);
        QVERIFY(monitorInstalled());
    }

    void testBlankKeywordIsNeverEntered()
    {
        // It would match the empty word after every break and paste its snippet over a typed space.
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", QUuid::createUuid(), t1), {keywordSnippet("Blank", "   ", "text")});
        model.updateHotkeysAndKeywords();
        QVERIFY(InputManager::instance()->keywords.isEmpty());
        QVERIFY(!monitorInstalled());
    }

    void testKeyMonitorRunsOnlyWhileThereAreKeywords()
    {
        SnippetModel model(nullptr, nullptr);
        model.updateHotkeysAndKeywords();
        QVERIFY(!monitorInstalled());

        model.addItems(group("G", QUuid::createUuid(), t1), {snippet("Plain", "", QUuid::createUuid(), t1)});
        model.updateHotkeysAndKeywords();
        QVERIFY(!monitorInstalled());

        model.item(0)->child(0)->setData("::kw", ExpanderRole);
        model.updateHotkeysAndKeywords();
        QVERIFY(monitorInstalled());

        model.clear();
        model.updateHotkeysAndKeywords();
        QVERIFY(!monitorInstalled());
        QVERIFY(InputManager::instance()->keywords.isEmpty());
    }

    void testHotkeyStaysWithItsSnippetAcrossAReload()
    {
        const QUuid groupId = QUuid::createUuid();
        const QUuid target = QUuid::createUuid();
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", groupId, t1), {snippet("First", "", QUuid::createUuid(), t1), hotkeySnippet("Target", "Ctrl+Alt+K", target)});
        model.updateHotkeysAndKeywords();
        QCOMPARE(model.hotkeys.size(), 1);
        QPointer<QHotkey> hotkey = model.hotkeys.first();
        QCOMPARE(hotkey->parent(), &model);

        // A reload from a file in which the snippet moved to another group and row.
        HistoryTest::writeFile(snippetPath(),
            document({groupObject("Other", QUuid::createUuid(), "2024-01-01T10:00:00",
                          {snippetObject("Before", QUuid::createUuid(), "2024-01-01T10:00:00"),
                           snippetObject("Before too", QUuid::createUuid(), "2024-01-01T10:00:00"),
                           snippetObject("Target", target, "2024-01-01T10:00:00", "text", QString(), "Ctrl+Alt+K")}),
                groupObject("G", groupId, "2024-01-01T10:00:00")}));
        model.load();

        QSignalSpy activated(&model, &SnippetModel::snippetActivated);
        emit hotkey->activated();
        QCOMPARE(activated.count(), 1);
        const QModelIndex index = activated.first().first().value<QModelIndex>();
        QCOMPARE(index.data(IdRole).toUuid(), target);

        // Gone: the hotkey does nothing.
        HistoryTest::writeFile(snippetPath(), document({groupObject("G", groupId, "2024-01-01T10:00:00")}));
        model.load();
        emit hotkey->activated();
        QCOMPARE(activated.count(), 1);
    }

    void testTwoSnippetsWithOneHotkeyBothFire()
    {
        SnippetModel model(nullptr, nullptr);
        const QUuid a = QUuid::createUuid(), b = QUuid::createUuid();
        model.addItems(group("G", QUuid::createUuid(), t1), {hotkeySnippet("A", "Ctrl+Alt+M", a), hotkeySnippet("B", "Ctrl+Alt+M", b)});
        model.updateHotkeysAndKeywords();
        QCOMPARE(model.hotkeys.size(), 2);
        QSignalSpy activated(&model, &SnippetModel::snippetActivated);
        for (QHotkey *hotkey : std::as_const(model.hotkeys))
            emit hotkey->activated();
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(0).first().value<QModelIndex>().data(IdRole).toUuid(), a);
        QCOMPARE(activated.at(1).first().value<QModelIndex>().data(IdRole).toUuid(), b);
    }

    void testHotkeyThatCannotBeGrabbedIsLoggedAndKept_data()
    {
        QTest::addColumn<QString>("hotkey");
        QTest::newRow("does not parse") << "Ctrl+Nonsense+Key";
        // As older versions recorded it: it would take the key from every application.
        QTest::newRow("bare key is never grabbed") << "A";
    }

    void testHotkeyThatCannotBeGrabbedIsLoggedAndKept()
    {
        QFETCH(QString, hotkey);
        SnippetModel model(nullptr, nullptr);
        model.addItems(group("G", QUuid::createUuid(), t1), {hotkeySnippet("Broken", hotkey, QUuid::createUuid())});
        MessageLog log;
        model.updateHotkeysAndKeywords();
        QCOMPARE(log.count(QtWarningMsg, "Unable to register hotkey \"" + hotkey + "\" for snippet \"Broken\""), 1);
        QCOMPARE(model.hotkeys.size(), 1);
        QVERIFY(!model.hotkeys.first()->isRegistered());
        QCOMPARE(model.item(0)->child(0)->data(HotkeyRole).toString(), hotkey);
    }
};

KESTOVAN_SNIPPET_TEST_MAIN(TestSnippetShortcuts)
#include "tst_snippetshortcuts.moc"
