#include "actions/actionfile.h"
#include "clipboard/clipboardlistener.h"
#include "window/headercarousel.h"
#include "window/historyitemview.h"
#include "snippets/inputmanager.h"
#include "mainwindowtestsupport.h"
#include "window/searchmodel.h"
#include "warningboxes.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>

using namespace MainWindowTest;

// What reaches the clipboard and the application in front when something is chosen in the history
// window, and what the history records of it.
class TestMainWindowPaste : public QObject
{
    Q_OBJECT

    static HistoryItemView *historyView(MainWindow *window) { return child<HistoryItemView>(window, "historyView"); }

    static QString writeAction(const QString &name, const QString &script)
    {
        QDir().mkpath(ActionFile::userFolder());
        const QString path = ActionFile::userFolder() + "/" + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(QJsonDocument(QJsonObject{{"title", name}, {"script", script}}).toJson());
        return path;
    }

    static QHotkey *actionHotkey(MainWindow *window)
    {
        const QList<QHotkey *> hotkeys = window->actionHotkeyList();
        return hotkeys.size() == 1 ? hotkeys.first() : nullptr;
    }

private slots:
    void init()
    {
        resetStore();
    }

    void testActivatedClippingIsPastedAndNotRecordedAgain()
    {
        const auto window = freshWindow();
        addClippings({"first clipping", "second clipping", "third clipping"});
        window->showHistory();
        QElapsedTimer clock;
        clock.start();

        emit historyView(window.get())->activated(proxy()->index(2, 0));

        QCOMPARE(clipboardText(), QString("first clipping"));
        QVERIFY(!window->isVisible());
        QCOMPARE(platform()->activateTargetCount(), 1);
        QCOMPARE(pasteCount(), 0);
        QTRY_COMPARE(pasteCount(), 1);
        QVERIFY(clock.elapsed() >= 200);
        // Touched: on top with a fresh time, and the clipboard change is not a fourth clipping.
        QCOMPARE(visibleTexts(), (QStringList{"first clipping", "third clipping", "second clipping"}));
        QVERIFY(proxy()->index(0, 0).data(TimeRole).toDateTime().secsTo(QDateTime::currentDateTime()) < 5);
        QTest::qWait(50);
        QCOMPARE(visibleTexts().size(), 3);
    }

    void testShiftOrSettingPastesPlainText()
    {
        const auto window = freshWindow();
        HistoryItemModel::instance()->addText("styled text", "<b>styled</b> text", QPixmap(), "Editor");
        window->showHistory();
        emit historyView(window.get())->activated(proxy()->index(0, 0));
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasHtml());
        QTRY_COMPARE(pasteCount(), 1);

        window->showHistory();
        platform()->setHeldModifiers(MacFlag::Shift);
        emit historyView(window.get())->activated(proxy()->index(0, 0));
        platform()->setHeldModifiers(0);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());
        QCOMPARE(clipboardText(), QString("styled text"));
        QTRY_COMPARE(pasteCount(), 2);

        setSetting("PastePlainText", true);
        window->showHistory();
        emit historyView(window.get())->activated(proxy()->index(0, 0));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasHtml());
        QTRY_COMPARE(pasteCount(), 3);
    }

    void testPinnedWindowStaysVisibleThroughPastes()
    {
        const auto window = freshWindow();
        addClippings({"one clipping", "two clipping"});
        window->showHistory();
        window->pinRight->click();
        emit historyView(window.get())->activated(proxy()->index(0, 0));
        QTRY_COMPARE(pasteCount(), 1);
        window->historyItemsActivated({proxy()->index(0, 0), proxy()->index(1, 0)});
        QTRY_COMPARE(pasteCount(), 2);
        QVERIFY(window->isVisible());
    }

    void testPasteNextWalksDownAndStartsAgainAtTheTop()
    {
        setSetting("ShortcutPasteNext", "Ctrl+Alt+N");
        const auto window = freshWindow();
        addClippings({"row four", "row three", "row two", "row one", "row zero"});
        window->showHistory();
        window->pinRight->click();
        emit historyView(window.get())->activated(proxy()->index(2, 0));
        QCOMPARE(clipboardText(), QString("row two"));
        QTRY_COMPARE(pasteCount(), 1);

        pressHotkey(window->hotkeyForPasteNext());
        QTRY_COMPARE(clipboardText(), QString("row three"));
        QTRY_COMPARE(pasteCount(), 2);
        pressHotkey(window->hotkeyForPasteNext());
        QTRY_COMPARE(clipboardText(), QString("row four"));
        QTRY_COMPARE(pasteCount(), 3);
        // Past the last row: the top of the history.
        pressHotkey(window->hotkeyForPasteNext());
        QTRY_COMPARE(pasteCount(), 4);
        QCOMPARE(clipboardText(), visibleTexts().value(0));
        QCOMPARE(visibleTexts(), (QStringList{"row four", "row three", "row two", "row zero", "row one"}));
    }

    void testPasteNextOnAFilteredRowLeavesTheClipboardAlone()
    {
        const auto window = freshWindow();
        addClippings({"locked clipping", "plain clipping"});
        HistoryItemModel *history = HistoryItemModel::instance();
        history->lockItem(history->index(1, 0), true);
        history->setNextIndex(history->index(0, 0));

        // Only locked clippings shown: the paste-next row is hidden.
        auto *header = child<HeaderCarousel>(window.get(), "header");
        header->showLocked = true;
        emit header->filterChanged();
        QCOMPARE(visibleTexts(), QStringList{"locked clipping"});

        setClipboardText("the user's own clipboard");
        window->pasteNext();
        QTest::qWait(300);
        QCOMPARE(clipboardText(), QString("the user's own clipboard"));
        QCOMPARE(pasteCount(), 0);
        QCOMPARE(platform()->activateTargetCount(), 0);

        window->historyItemActivated(QModelIndex(), false);
        window->pasteText(QModelIndex(), NormalText, false);
        window->pasteImage(QModelIndex(), false);
        QTest::qWait(300);
        QCOMPARE(clipboardText(), QString("the user's own clipboard"));
        QCOMPARE(pasteCount(), 0);
    }

    void testSelectedRowsAreJoinedByOneLineFeed_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty in the middle") << QStringList{"a", "", "b"} << "a\nb";
        QTest::newRow("empty first") << QStringList{"", "a"} << "a";
        QTest::newRow("in the given order") << QStringList{"z", "y"} << "z\ny";
    }

    void testSelectedRowsAreJoinedByOneLineFeed()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, expected);
        const auto window = freshWindow();
        QStandardItemModel rows;
        QList<QModelIndex> indexes;
        for (const QString &text : texts) {
            auto *item = new QStandardItem(text);
            item->setData(text, TextRole);
            rows.appendRow(item);
            indexes.append(item->index());
        }
        const QStringList before = visibleTexts();
        window->historyItemsActivated(indexes);
        QCOMPARE(clipboardText(), expected);
        QTRY_COMPARE(pasteCount(), 1);
        QTest::qWait(50);
        QCOMPARE(visibleTexts(), before);
    }

    void testMergeRecordsTheJoinedTextAndRemovesTheSources()
    {
        const auto window = freshWindow();
        addClippings({"merge part one", "merge part two", "untouched one"});
        window->showHistory();
        window->mergeItems({proxy()->index(2, 0), proxy()->index(1, 0)});
        QVERIFY(window->isVisible());
        QTRY_COMPARE(visibleTexts(), (QStringList{"merge part one\nmerge part two", "untouched one"}));
        QTest::qWait(300);
        QCOMPARE(pasteCount(), 0);
    }

    void testTypedTextKeepsCharactersOutsideTheBasicPlane()
    {
        const QString text = QString::fromUtf8("a\xF0\x9F\x98\x80" "b\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD");
        QCOMPARE(MainWindow::nextTypedCharacter(text), QString("a"));
        QCOMPARE(MainWindow::nextTypedCharacter(text.mid(1)), QString::fromUtf8("\xF0\x9F\x98\x80"));

        const auto window = freshWindow();
        addClippings({text});
        window->showHistory();
        emit historyView(window.get())->typeText(proxy()->index(0, 0));
        QTRY_COMPARE(typedText(), text);
        QCOMPARE(pasteCount(), 0);
        QCOMPARE(clipboardText(), text);
    }

    void testEscapeStopsTyping()
    {
        const auto window = freshWindow();
        const QString text(200, QChar('x'));
        addClippings({text});
        window->showHistory();
        window->pasteText(proxy()->index(0, 0), PlainText, true);
        QTRY_VERIFY(!typedText().isEmpty());

        // Guarded: the window deletes the hotkey once it stopped typing.
        QPointer<QHotkey> escape;
        for (QHotkey *hotkey : window->findChildren<QHotkey *>()) {
            if (hotkey->isRegistered() && hotkey->shortcut() == QKeySequence("Esc"))
                escape = hotkey;
        }
        pressHotkey(escape);
        QTRY_VERIFY(!escape || !escape->isRegistered());
        const int typed = typedText().size();
        QTest::qWait(200);
        QCOMPARE(typedText().size(), typed);
        QVERIFY(typed < text.size());
    }

    void testSnippetPlaceholdersAndCursorAreFilled()
    {
        const auto window = freshWindow();
        addClippings({"older clip", "newest clip"});
        SnippetModel *snippets = SnippetModel::instance();
        snippets->clear();
        auto *group = new QStandardItem("Templates");
        auto *snippet = new QStandardItem("Wrap");
        snippet->setData(QString("x{CLIP}y") + InputManager::CursorMarker + "z", TextRole);
        group->appendRow(snippet);
        snippets->appendRow(group);
        window->showHistory();

        const int before = visibleTexts().size();
        window->snippetActivated(snippet->index());
        QCOMPARE(clipboardText(), QString("xnewest clipyz"));
        QVERIFY(!window->isVisible());
        QTRY_COMPARE(pasteCount(), 1);
        // The cursor goes back over "z" after the paste.
        QTRY_VERIFY(std::count_if(platform()->synthesized().cbegin(), platform()->synthesized().cend(),
                                  [](const SyntheticKey &key) { return key.code == MacKey::Left && key.down; })
                    == 1);
        QTest::qWait(50);
        QCOMPARE(visibleTexts().size(), before);

        window->snippetActivated(QModelIndex());
        QTest::qWait(300);
        QCOMPARE(pasteCount(), 1);
    }

    void testSearchResultPastesWhatItStandsFor()
    {
        const auto window = freshWindow();
        addClippings({"needle in a haystack", "plain straw"});
        SnippetModel *snippets = SnippetModel::instance();
        snippets->clear();
        auto *group = new QStandardItem("Group");
        auto *snippet = new QStandardItem("Sewing");
        snippet->setData("needle and thread", TextRole);
        group->appendRow(snippet);
        snippets->appendRow(group);

        window->showHistory();
        child<QLineEdit>(window.get(), "searchEdit")->setText("NEEDLE ");
        SearchModel *results = window->searchResults();
        QTRY_COMPARE(results->rowCount(), 2);

        emit child<QAbstractItemView>(window.get(), "searchView")->activated(results->index(1, 0));
        QCOMPARE(clipboardText(), QString("needle and thread"));
        QTRY_COMPARE(pasteCount(), 1);

        window->showHistory();
        emit child<QAbstractItemView>(window.get(), "searchView")->activated(results->index(0, 0));
        QCOMPARE(clipboardText(), QString("needle in a haystack"));
        QTRY_COMPARE(pasteCount(), 2);
    }

    void testReturnInTheSearchFieldPastesTheCurrentOrFirstResult()
    {
        const auto window = freshWindow();
        addClippings({"second wren", "first wren", "plain straw"});
        auto *field = child<QLineEdit>(window.get(), "searchEdit");
        SearchModel *results = window->searchResults();

        // Typed and sent at once, before the results would be rebuilt.
        window->showHistory();
        child<QPushButton>(window.get(), "search")->click();
        QTest::keyClicks(field, "wren");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(clipboardText(), QString("first wren"));
        QTRY_COMPARE(pasteCount(), 1);

        window->showHistory();
        child<QPushButton>(window.get(), "search")->click();
        QSignalSpy rebuilt(results, &QAbstractItemModel::rowsInserted);
        QTest::keyClicks(field, "wren");
        QTRY_COMPARE(rebuilt.count(), 1);
        QCOMPARE(results->rowCount(), 2);
        child<QAbstractItemView>(window.get(), "searchView")->setCurrentIndex(results->index(1, 0));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(clipboardText(), QString("second wren"));
        QTRY_COMPARE(pasteCount(), 2);
    }

    void testFailedActionHotkeyTellsWhyAndLeavesTheClipboardAlone_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("told");
        QTest::newRow("deleted action") << QString() << "Failed to run action 'missing'\nFailed to open";
        QTest::newRow("script throws") << "(c => { throw 'broken'; })" << "Failed to run action 'throws.json'\nFailure: broken";
    }

    void testFailedActionHotkeyTellsWhyAndLeavesTheClipboardAlone()
    {
        QFETCH(QString, script);
        QFETCH(QString, told);
        const QString path =
            script.isEmpty() ? ActionFile::userFolder() + "/missing.json" : writeAction("throws.json", script);
        setSetting("ActionShortcuts", QVariantMap{{path, "Ctrl+Alt+U"}});
        const auto window = freshWindow();
        setClipboardText("keep me");
        WarningBoxesShown boxes;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed:"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Failed to run action"));
        pressHotkey(actionHotkey(window.get()));
        QTRY_VERIFY(UserWarning::currentBox());
        QVERIFY2(UserWarning::currentBox()->text().startsWith(told), qPrintable(UserWarning::currentBox()->text()));
        QTest::qWait(100);
        QCOMPARE(clipboardText(), QString("keep me"));
        QCOMPARE(pasteCount(), 0);
    }

    void testActionResultsArePastedJoinedAndNotRecorded()
    {
        const QString path = writeAction("shout.json", "(c => [c.plainText.toUpperCase(), 'B'])");
        setSetting("ActionShortcuts", QVariantMap{{path, "Ctrl+Alt+U"}});
        const auto window = freshWindow();
        setClipboardText("quiet words");
        QTRY_COMPARE(visibleTexts().value(0), QString("quiet words"));
        const int before = visibleTexts().size();

        pressHotkey(actionHotkey(window.get()));
        QTRY_COMPARE(clipboardText(), QString("QUIET WORDS\nB"));
        QTRY_COMPARE(pasteCount(), 1);
        QTest::qWait(50);
        QCOMPARE(visibleTexts().size(), before);
    }

    void testImmediatePasteWaitsUntilTheHotkeyIsLetGo()
    {
        // While the hotkey's keys are down, X11 sends every key to the program that grabbed them.
        const QString path = writeAction("shout.json", "(c => c.plainText.toUpperCase())");
        setSetting("ActionShortcuts", QVariantMap{{path, "Ctrl+Alt+U"}});
        setSetting("ShortcutPlainText", "Ctrl+Alt+P");
        const auto window = freshWindow();
        setClipboardText("held keys");

        platform()->setHeldModifiers(MacFlag::Control | MacFlag::Option);
        pressHotkey(actionHotkey(window.get()));
        pressHotkey(window->hotkeyForPlainText());
        QTest::qWait(100);
        QCOMPARE(pasteCount(), 0);
        QCOMPARE(clipboardText(), QString("held keys"));

        QSignalSpy changes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        platform()->setHeldModifiers(0);
        QTRY_COMPARE(pasteCount(), 2);
        // The action's result, the plain-text copy of it, and the content put back afterwards.
        QTRY_COMPARE(changes.count(), 3);
        QCOMPARE(clipboardText(), QString("HELD KEYS"));
    }

    void testActionOnNonTextClipboardDoesNothing()
    {
        const QString path = writeAction("shout.json", "(c => c.plainText.toUpperCase())");
        setSetting("ActionShortcuts", QVariantMap{{path, "Ctrl+Alt+U"}});
        const auto window = freshWindow();
        auto *image = new QMimeData;
        QImage picture(8, 8, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        image->setImageData(picture);
        QGuiApplication::clipboard()->setMimeData(image);
        QTest::ignoreMessage(QtWarningMsg, "Current clipboard content is not text. Unable to run the action.");
        pressHotkey(actionHotkey(window.get()));
        QTest::qWait(100);
        QCOMPARE(pasteCount(), 0);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void testAcceptingSettingsTwiceBindsEachActionShortcutOnce()
    {
        const QString path = writeAction("shout.json", "(c => c.plainText.toUpperCase())");
        setSetting("ActionShortcuts", QVariantMap{{path, "Ctrl+Alt+U"}});
        const auto window = freshWindow();
        window->applySettings(false);
        window->applySettings(false);
        QCOMPARE(window->actionHotkeyList().size(), 1);
        const QHotkey::NativeShortcut native = actionHotkey(window.get())->currentNativeShortcut();
        QCOMPARE(hotkeys()->registered().count(native), 1);

        setClipboardText("quiet");
        pressHotkey(actionHotkey(window.get()));
        QTRY_COMPARE(pasteCount(), 1);
        QTest::qWait(100);
        QCOMPARE(pasteCount(), 1);
    }

    void testUnregistrableHotkeyIsLoggedAndTheOthersStillWork()
    {
        // Taken by another application: logged, and the window is still built with its other hotkeys.
        setSetting("ShortcutPasteNext", "Ctrl+Alt+N");
        hotkeys()->setRegistrationFails(true);
        QTest::ignoreMessage(QtWarningMsg, "Unable to register hotkey \"CTRL+SHIFT+V\"");
        QTest::ignoreMessage(QtWarningMsg, "Unable to register hotkey \"Ctrl+Alt+N\"");
        {
            const auto window = freshWindow();
            QVERIFY(!window->hotkeyForHistory()->isRegistered());
        }
        hotkeys()->setRegistrationFails(false);

        // A text that names no key: logged, that hotkey is off, the others are set.
        setSetting("Shortcut", "Ctrl+Shift+Nonsense");
        QTest::ignoreMessage(QtWarningMsg, "Unable to register hotkey \"Ctrl+Shift+Nonsense\"");
        const auto window = freshWindow();
        QVERIFY(!window->hotkeyForHistory()->isRegistered());
        QVERIFY(window->hotkeyForPasteNext()->isRegistered());
        QVERIFY(!window->hotkeyForPlainText()->isRegistered());
    }

    void testBareKeyIsNeverGrabbed_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("grabbed");
        // Written by an older version or by hand: refused like a key typed into the field.
        QTest::newRow("bare letter to open") << "Shortcut" << "A" << false;
        QTest::newRow("bare letter for plain text") << "ShortcutPlainText" << "A" << false;
        QTest::newRow("letter with Shift for paste next") << "ShortcutPasteNext" << "Shift+B" << false;
        QTest::newRow("bare letter for an action") << "ActionShortcuts" << "A" << false;
        QTest::newRow("function key alone") << "ShortcutPlainText" << "F9" << true;
        QTest::newRow("letter with Meta for an action") << "ActionShortcuts" << "Meta+A" << true;
    }

    void testBareKeyIsNeverGrabbed()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(bool, grabbed);
        if (key == "ActionShortcuts")
            setSetting(key, QVariantMap{{writeAction("shout.json", "(c => c.plainText.toUpperCase())"), text}});
        else
            setSetting(key, text);
        if (!grabbed)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Unable to register hotkey \"" + QRegularExpression::escape(text) + "\""));
        const auto window = freshWindow();
        QHotkey *hotkey = key == "Shortcut"            ? window->hotkeyForHistory()
                          : key == "ShortcutPlainText" ? window->hotkeyForPlainText()
                          : key == "ShortcutPasteNext" ? window->hotkeyForPasteNext()
                                                       : actionHotkey(window.get());
        QVERIFY(hotkey);
        QCOMPARE(hotkey->isRegistered(), grabbed);
        QHotkey probe(QKeySequence(text), false);
        QCOMPARE(hotkeys()->registered().contains(probe.currentNativeShortcut()), grabbed);
    }

    void testSelectionHotkeysWalkThePinnedList()
    {
        const auto window = freshWindow();
        addClippings({"bottom text", "middle text", "top text"});
        window->showHistory();
        window->pinRight->click();
        historyView(window.get())->setCurrentIndex(proxy()->index(0, 0));

        pressHotkey(window->hotkeyForSelectionDown());
        QTRY_COMPARE(historyView(window.get())->currentIndex().row(), 1);
        QCOMPARE(clipboardText(), QString("middle text"));
        pressHotkey(window->hotkeyForSelectionUp());
        QTRY_COMPARE(historyView(window.get())->currentIndex().row(), 0);
        QCOMPARE(clipboardText(), QString("top text"));
        window->selectionUp();
        QCOMPARE(historyView(window.get())->currentIndex().row(), 0);
        QTest::qWait(300);
        QCOMPARE(pasteCount(), 0);
        QCOMPARE(visibleTexts().size(), 3);
        QVERIFY(window->isVisible());
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(TestMainWindowPaste)
#include "tst_mainwindowpaste.moc"
