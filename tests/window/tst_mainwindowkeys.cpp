#include "window/headercarousel.h"
#include "window/historyitemview.h"
#include "mainwindowtestsupport.h"
#include "window/monitor.h"
#include "window/searchmodel.h"
#include "window/snippetview.h"

#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

using namespace MainWindowTest;

// Showing, hiding and pinning the history window, and the keys that drive it without the mouse.
class TestMainWindowKeys : public QObject
{
    Q_OBJECT

    // A key pressed and released on the target, as the keyboard delivers it, with the text it types
    // (by default that of a letter, digit or blank); the window acts only on releases whose press
    // reached it.
    static void tap(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false,
                    QString text = QString())
    {
        if (text.isNull() && key < 0x7f)
            text = QChar(key).toLower();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text, autoRepeat);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text, autoRepeat);
        QApplication::sendEvent(target, &release);
    }

    // One key per character; the keyboard reports a letter's key as its capital.
    static void type(QWidget *target, const QString &text)
    {
        for (const QChar character : text)
            tap(target, character.toUpper().unicode(), Qt::NoModifier, false, QString(character));
    }

    static int topPage(MainWindow *window)
    {
        return child<QStackedWidget>(window, "stackedWidgetTop")->currentIndex();
    }

    static QLineEdit *searchEdit(MainWindow *window) { return child<QLineEdit>(window, "searchEdit"); }
    static HeaderCarousel *header(MainWindow *window) { return child<HeaderCarousel>(window, "header"); }
    static HistoryItemView *historyView(MainWindow *window) { return child<HistoryItemView>(window, "historyView"); }

    // Two snippet groups: "Greetings" (Hello, Bye) and "Code" (Loop).
    static void useTwoGroups(MainWindow *window)
    {
        SnippetModel *snippets = SnippetModel::instance();
        snippets->clear();
        auto *greetings = new QStandardItem("Greetings");
        for (const char *title : {"Hello", "Bye"}) {
            auto *snippet = new QStandardItem(title);
            snippet->setData(QString(title) + " text", TextRole);
            greetings->appendRow(snippet);
        }
        auto *code = new QStandardItem("Code");
        auto *loop = new QStandardItem("Loop");
        loop->setData("for (;;) {}", TextRole);
        code->appendRow(loop);
        snippets->appendRow(greetings);
        snippets->appendRow(code);
        snippets->updateShortcuts();
        window->updateHeaderButtons();
    }

private slots:
    void init()
    {
        resetStore();
        platform()->reset();
    }

    void cleanup()
    {
        static_cast<Application *>(qApp)->mainWindow = nullptr;
        static_cast<Application *>(qApp)->monitorWindow = nullptr;
    }

    void testInitialSelectionSkipsPinnedRows_data()
    {
        QTest::addColumn<int>("selection");
        QTest::addColumn<int>("expectedRow");
        QTest::newRow("first") << 0 << 2;
        QTest::newRow("second") << 1 << 3;
    }

    void testInitialSelectionSkipsPinnedRows()
    {
        QFETCH(int, selection);
        QFETCH(int, expectedRow);
        setSetting("InitialSelection", selection);
        const auto window = freshWindow();
        addClippings({"oldest one", "older one", "middle one", "newer one", "newest one"});
        HistoryItemModel *history = HistoryItemModel::instance();
        history->togglePin(history->index(3, 0));
        history->togglePin(history->index(4, 0));
        QVERIFY(proxy()->index(0, 0).data(Qt::CheckStateRole).toBool());
        QVERIFY(proxy()->index(1, 0).data(Qt::CheckStateRole).toBool());
        QVERIFY(!proxy()->index(2, 0).data(Qt::CheckStateRole).toBool());

        window->showHistory();
        QVERIFY(window->isVisible());
        QCOMPARE(historyView(window.get())->currentIndex().row(), expectedRow);
    }

    void testKeptSelectionFallsBackWhenThereIsNone()
    {
        setSetting("InitialSelection", 2);
        const auto window = freshWindow();
        addClippings({"first clip", "second clip", "third clip"});
        historyView(window.get())->setCurrentIndex(QModelIndex());
        window->showHistory();
        QCOMPARE(historyView(window.get())->currentIndex().row(), 0);
        window->hideHistory();

        historyView(window.get())->setCurrentIndex(proxy()->index(2, 0));
        window->showHistory();
        QCOMPARE(historyView(window.get())->currentIndex().row(), 2);
    }

    void testEveryRowPinnedLeavesNoCurrentRow()
    {
        setSetting("InitialSelection", 0);
        const auto window = freshWindow();
        addClippings({"pinned one", "pinned two"});
        HistoryItemModel *history = HistoryItemModel::instance();
        history->togglePin(history->index(0, 0));
        history->togglePin(history->index(1, 0));
        window->showHistory();
        QVERIFY(!historyView(window.get())->currentIndex().isValid());
    }

    void testOpenOnMouseShowsTheWindowAtThePointer_data()
    {
        QTest::addColumn<QPoint>("fromBottomRight");
        // From the screen's bottom right corner, so that the rows fit any screen of the platform.
        QTest::newRow("room right and below") << QPoint(700, 560);
        QTest::newRow("at the right edge") << QPoint(10, 560);
        QTest::newRow("at the bottom edge") << QPoint(700, 10);
        QTest::newRow("in the bottom right corner") << QPoint(2, 2);
    }

    // The click the user was about to make lands on the list, never on a button of the title bar
    // (close, and Shift+close quits) nor on an edge that resizes the window.
    void testOpenOnMouseShowsTheWindowAtThePointer()
    {
        QFETCH(QPoint, fromBottomRight);
        const auto window = freshWindow();
        const QPoint pointer = QGuiApplication::primaryScreen()->availableGeometry().bottomRight() - fromBottomRight;
        QCursor::setPos(pointer);
        window->showHistory();
        const QPoint local = window->mapFromGlobal(pointer);
        QWidget *under = window->childAt(local);
        QVERIFY2(under && historyView(window.get())->isAncestorOf(under),
                 qPrintable(under ? under->objectName() : QString("nothing")));
        QCOMPARE(window->checkResizeArea(local), RESIZE_NONE);
        QCOMPARE(platform()->activateAppCount(), 1);
    }

    void testHotkeyWhileVisibleCyclesThroughTheTabs()
    {
        const auto window = freshWindow();
        useTwoGroups(window.get());
        window->showHistory();
        pressHotkey(window->hotkeyForHistory());
        QTRY_COMPARE(window->currentView(), 1);
        pressHotkey(window->hotkeyForHistory());
        QTRY_COMPARE(window->currentView(), 2);
        pressHotkey(window->hotkeyForHistory());
        QTRY_COMPARE(window->currentView(), 0);
        QVERIFY(window->isVisible());
    }

    void testTypedLettersOpenTheSearchPage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("composed");
        QTest::addColumn<QString>("found");
        QTest::newRow("a to z") << "abc" << false << "abc def";
        QTest::newRow("letter beyond a to z") << "köln" << false << "Grüße aus Köln";
        QTest::newRow("accented first letter") << "élan" << false << "Élan vital";
        QTest::newRow("Cyrillic") << "жук" << false << "Жук в муравейнике";
        QTest::newRow("Devanagari with its vowel signs") << "नमस्ते" << false << "नमस्ते दुनिया";
        QTest::newRow("digits within a search") << "r2d2" << false << "the r2d2 droid";
        QTest::newRow("Chinese through an input method") << "北京" << true << "北京的天气";
    }

    void testTypedLettersOpenTheSearchPage()
    {
        QFETCH(QString, typed);
        QFETCH(bool, composed);
        QFETCH(QString, found);
        const auto window = freshWindow();
        addClippings({found, "alpha text"});
        window->showHistory();
        if (composed) {
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(historyView(window.get()), &commit);
        } else {
            type(historyView(window.get()), typed);
        }
        QCOMPARE(searchEdit(window.get())->text(), typed);
        QCOMPARE(topPage(window.get()), 0);
        QTRY_COMPARE(topPage(window.get()), 1);
        QTRY_VERIFY(searchEdit(window.get())->hasFocus());
        SearchModel *results = window->searchResults();
        QTRY_COMPARE(results->rowCount(), 1);
        QCOMPARE(results->index(0, 0).data().toString(), found);
    }

    void testBlankOrReturnTypedBeforeTheSearchOpensDoesNotPaste()
    {
        const auto window = freshWindow();
        addClippings({"second line", "first line"});
        window->showHistory();
        HistoryItemView *view = historyView(window.get());
        QSignalSpy activated(view, &QAbstractItemView::activated);
        const QString clipboard = clipboardText();

        // "sec ond" at a typing pace: the search opens 250 ms after the last key, not before.
        for (const int key : {Qt::Key_S, Qt::Key_E, Qt::Key_C, Qt::Key_Space, Qt::Key_O, Qt::Key_N, Qt::Key_D})
            tap(view, key);
        QCOMPARE(searchEdit(window.get())->text(), QString("sec ond"));
        QCOMPARE(topPage(window.get()), 0);
        QTRY_COMPARE(topPage(window.get()), 1);
        QCOMPARE(searchEdit(window.get())->text(), QString("sec ond"));

        // Return shows the results at once.
        window->hideHistory();
        window->showHistory();
        tap(view, Qt::Key_F);
        tap(view, Qt::Key_I);
        tap(view, Qt::Key_Return);
        QCOMPARE(topPage(window.get()), 1);
        QCOMPARE(searchEdit(window.get())->text(), QString("fi"));

        QCOMPARE(activated.count(), 0);
        QVERIFY(window->isVisible());
        QCOMPARE(clipboardText(), clipboard);

        // With no search under way, Return pastes the current row.
        window->hideHistory();
        window->showHistory();
        tap(view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
    }

    void testHeldLetterTypesItOnce()
    {
        const auto window = freshWindow();
        window->showHistory();
        tap(historyView(window.get()), Qt::Key_K);
        tap(historyView(window.get()), Qt::Key_K, Qt::NoModifier, true);
        tap(historyView(window.get()), Qt::Key_K, Qt::NoModifier, true);
        QCOMPARE(searchEdit(window.get())->text(), QString("k"));
    }

    void testLetterWithModifierDoesNotSearch_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("pressedWith");
        QTest::addColumn<Qt::KeyboardModifiers>("releasedWith");
        QTest::addColumn<int>("page");
        QTest::newRow("Alt+K") << int(Qt::Key_K) << Qt::KeyboardModifiers(Qt::AltModifier)
                               << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
        // As xdotool or a busy machine gives it: Ctrl is up by the time F's release is handled.
        QTest::newRow("Ctrl+F, Ctrl let go after F") << int(Qt::Key_F) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                                     << Qt::KeyboardModifiers(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+F, Ctrl let go first") << int(Qt::Key_F) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                                   << Qt::KeyboardModifiers(Qt::NoModifier) << 1;
    }

    void testLetterWithModifierDoesNotSearch()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, pressedWith);
        QFETCH(Qt::KeyboardModifiers, releasedWith);
        QFETCH(int, page);
        const auto window = freshWindow();
        window->showHistory();
        // Held with Ctrl or Alt a letter types nothing; the keyboard holds nothing any more.
        QKeyEvent press(QEvent::KeyPress, key, pressedWith, QString());
        QApplication::sendEvent(historyView(window.get()), &press);
        const QString typed = releasedWith == Qt::NoModifier ? QString(QChar(key).toLower()) : QString();
        QKeyEvent release(QEvent::KeyRelease, key, releasedWith, typed);
        QApplication::sendEvent(historyView(window.get()), &release);
        QCOMPARE(searchEdit(window.get())->text(), QString());
        QCOMPARE(topPage(window.get()), page);
        if (page == 1)
            QTRY_VERIFY(searchEdit(window.get())->hasFocus());
    }

    void testEscapeLeavesTheSearchPageThenHidesAndStoresGeometry()
    {
        const auto window = freshWindow();
        QCursor::setPos(218, 128);
        window->showHistory();
        const QPoint placed = window->pos();
        child<QPushButton>(window.get(), "search")->click();
        searchEdit(window.get())->setText("needle");
        QCOMPARE(topPage(window.get()), 1);

        tap(window.get(), Qt::Key_Escape);
        QCOMPARE(topPage(window.get()), 0);
        QCOMPARE(searchEdit(window.get())->text(), QString());
        QVERIFY(window->isVisible());

        tap(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(setting("WindowPos").toPoint(), placed);
        QVERIFY(QRect(placed, window->size()).contains(QPoint(218, 128)));
        QCOMPARE(setting("WindowSize").toSize(), window->size());
    }

    void testHidingFromTheSearchPageReturnsToTheList()
    {
        setSetting("KeepTab", true);
        const auto window = freshWindow();
        window->showHistory();
        child<QPushButton>(window.get(), "search")->click();
        searchEdit(window.get())->setText("needle");
        window->hideHistory();
        window->showHistory();
        QCOMPARE(topPage(window.get()), 0);
        QCOMPARE(searchEdit(window.get())->text(), QString());
    }

    void testDigitsSelectTabsOrOpenThePageMenu()
    {
        const auto window = freshWindow();
        useTwoGroups(window.get());
        window->showHistory();
        tap(historyView(window.get()), Qt::Key_2);
        QCOMPARE(window->currentView(), 2);
        tap(window.get(), Qt::Key_9);
        QCOMPARE(window->currentView(), 2);
        tap(window.get(), Qt::Key_0);
        QCOMPARE(window->currentView(), 0);

        // The digit of the current tab opens the page menu instead.
        bool menuSeen = false;
        QTimer::singleShot(0, [&menuSeen] {
            QWidget *menu = QApplication::activePopupWidget();
            menuSeen = menu != nullptr;
            if (menu)
                menu->close();
        });
        tap(window.get(), Qt::Key_0);
        QVERIFY(menuSeen);
        QCOMPARE(window->currentView(), 0);
    }

    void testTabShowsTheSnippetListAndRemembersItsRow()
    {
        const auto window = freshWindow();
        useTwoGroups(window.get());
        window->showHistory();
        auto *pages = child<QStackedWidget>(window.get(), "stackedWidget");
        auto *snippetView = child<SnippetView>(window.get(), "snippetsSubView");

        tap(historyView(window.get()), Qt::Key_Tab);
        QCOMPARE(window->currentView(), 1);
        QCOMPARE(pages->currentIndex(), 1);
        QCOMPARE(snippetView->rootIndex(), SnippetModel::instance()->index(0, 0));
        snippetView->setCurrentIndex(SnippetModel::instance()->index(1, 0, snippetView->rootIndex()));

        tap(window.get(), Qt::Key_Backtab);
        QCOMPARE(window->currentView(), 0);
        QCOMPARE(pages->currentIndex(), 0);
        tap(window.get(), Qt::Key_1);
        QCOMPARE(snippetView->currentIndex().row(), 1);
    }

    void testPinKeepsTheWindowAndOwnsTheSelectionHotkeys()
    {
        const auto window = freshWindow();
        window->showHistory();
        QTRY_VERIFY(window->isActiveWindow());
        QVERIFY(!window->hotkeyForSelectionUp()->isRegistered());

        tap(window.get(), Qt::Key_section);
        QVERIFY(window->pinRight->isChecked());
        QVERIFY(window->hotkeyForSelectionUp()->isRegistered());
        QVERIFY(window->hotkeyForSelectionDown()->isRegistered());

        auto *app = static_cast<Application *>(qApp);
        app->mainWindow = window.get();
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(app, &deactivate);
        QVERIFY(window->isVisible());

        window->pinRight->click();
        QVERIFY(!window->pinRight->isChecked());
        QVERIFY(!window->hotkeyForSelectionUp()->isRegistered());
        QApplication::sendEvent(app, &deactivate);
        QVERIFY(!window->isVisible());
    }

    void testLateDeactivationDoesNotHideAJustShownWindow()
    {
        // X11 reports the loss of the focus late: a deactivation of before the hotkey arrives after
        // the window was shown and must not take it away again.
        const auto window = freshWindow();
        auto *app = static_cast<Application *>(qApp);
        app->mainWindow = window.get();
        QEvent deactivate(QEvent::ApplicationDeactivate);

        window->showHistory();
        QApplication::sendEvent(app, &deactivate);
        QVERIFY(window->isVisible());

        QTRY_VERIFY(window->isActiveWindow());
        QApplication::sendEvent(app, &deactivate);
        QVERIFY(!window->isVisible());
    }

    void testWrongPlaceReportedByTheWindowSystemIsNotStored()
    {
        // A window manager may report another place for a window mapped again; the place the
        // window was put at is what is stored, and where it shows next time.
        const auto window = freshWindow();
        addClippings({"some clipping", "other clipping"});
        auto *app = static_cast<Application *>(qApp);
        app->mainWindow = window.get();
        QCursor::setPos(300, 200);
        window->showHistory();
        const QPoint placed = window->pos();
        QTRY_VERIFY(window->isActiveWindow());

        window->move(0, 0);
        emit historyView(window.get())->activated(proxy()->index(0, 0));
        QVERIFY(!window->isVisible());
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(app, &deactivate);
        QCOMPARE(setting("WindowPos").toPoint(), placed);
        QCOMPARE(window->pos(), placed);
        QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
    }

    void testDraggedWindowStoresItsNewPlace()
    {
        const auto window = freshWindow();
        QCursor::setPos(300, 200);
        window->showHistory();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QPoint start = window->pos();
        // Dragged by its top strip, 40 px right and 30 px down.
        const QPoint grip(200, 20);
        QTest::mousePress(window.get(), Qt::LeftButton, Qt::NoModifier, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip), QPointF(window->mapToGlobal(grip) + QPoint(40, 30)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
        QTest::mouseRelease(window.get(), Qt::LeftButton, Qt::NoModifier, grip);
        QCOMPARE(window->pos(), start + QPoint(40, 30));
        window->hideHistory();
        QCOMPARE(setting("WindowPos").toPoint(), start + QPoint(40, 30));
    }

    void testHidingReleasesTheSelectionHotkeys()
    {
        const auto window = freshWindow();
        window->showHistory();
        window->pinRight->click();
        QVERIFY(window->hotkeyForSelectionDown()->isRegistered());
        window->hideHistory();
        QVERIFY(!window->hotkeyForSelectionDown()->isRegistered());

        // Shown again while still checked: it comes back unpinned.
        window->showHistory();
        QVERIFY(!window->pinRight->isChecked());
    }

    void testShiftOnTheCloseButtonQuits()
    {
        const auto window = freshWindow();
        window->showHistory();
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        child<QPushButton>(window.get(), "closeLeft")->click();
        QVERIFY(!window->isVisible());

        window->showHistory();
        platform()->setHeldModifiers(MacFlag::Shift);
        // quit() only ends a running event loop, so the click comes from inside one.
        bool guardFired = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&guardFired] {
            guardFired = true;
            QCoreApplication::exit(1);
        });
        guard.start(5000);
        QTimer::singleShot(0, window.get(), [&window] { child<QPushButton>(window.get(), "closeLeft")->click(); });
        const int code = QCoreApplication::exec();
        platform()->setHeldModifiers(0);
        QVERIFY(!guardFired);
        QCOMPARE(code, 0);
        QCOMPARE(quitting.count(), 1);
        QVERIFY(!window->isVisible());
    }

    void testUntrustedProcessShowsTheWarningButton()
    {
        const auto window = freshWindow();
        platform()->setTrusted(false);
        window->showHistory();
        QVERIFY(child(window.get(), "warning")->isVisible());
        QVERIFY(!child(window.get(), "warning")->toolTip().isEmpty());
        window->hideHistory();
        platform()->setTrusted(true);
        window->showHistory();
        QVERIFY(!child(window.get(), "warning")->isVisible());
    }

    void testMouseNearTheEdgeOfAChildShowsTheSizeCursor()
    {
        const auto window = freshWindow();
        auto *app = static_cast<Application *>(qApp);
        Monitor monitor;
        window->showHistory();
        app->mainWindow = window.get();
        app->monitorWindow = &monitor;
        QWidget *list = historyView(window.get())->viewport();
        const QPoint inList(0, 40);
        const QPoint inWindow = window->mapFromGlobal(list->mapToGlobal(inList));
        QCOMPARE(window->checkResizeArea(inWindow), RESIZE_LEFT);
        QMouseEvent move(QEvent::MouseMove, QPointF(inList), list->mapToGlobal(QPointF(inList)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list, &move);
        app->monitorWindow = nullptr;
        QCOMPARE(window->cursor().shape(), Qt::SizeHorCursor);
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(TestMainWindowKeys)
#include "tst_mainwindowkeys.moc"
