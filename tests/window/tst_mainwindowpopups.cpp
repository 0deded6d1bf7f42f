// The history window beside its popups: the menus, boxes and the editor that open over it.
#include "mainwindowtestsupport.h"
#include "popupwatcher.h"

#include "common/theme.h"
#include "window/editdialog.h"
#include "window/historyitemview.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QWindow>

using namespace MainWindowTest;

namespace {

enum Popup { RowMenu, MessageBox, ClippingEditor };

void sendKey(QWidget *target, QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

QAction *entry(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMainWindowPopups : public QObject
{
    Q_OBJECT

    static HistoryItemView *historyView(MainWindow *window) { return child<HistoryItemView>(window, "historyView"); }

private slots:
    void init()
    {
        resetStore();
        setTheme(THEME_LIGHT);
    }

    void cleanup() { setTheme(THEME_LIGHT); }

    void testKeyThatClosesAPopupDoesNotActOnTheWindow_data()
    {
        QTest::addColumn<int>("popup");
        QTest::addColumn<int>("key");
        QTest::newRow("Return picks Keep forever") << int(RowMenu) << int(Qt::Key_Return);
        QTest::newRow("Escape closes the row menu") << int(RowMenu) << int(Qt::Key_Escape);
        QTest::newRow("Return closes a box") << int(MessageBox) << int(Qt::Key_Return);
        QTest::newRow("Escape closes a box") << int(MessageBox) << int(Qt::Key_Escape);
        QTest::newRow("Escape closes the editor") << int(ClippingEditor) << int(Qt::Key_Escape);
    }

    void testKeyThatClosesAPopupDoesNotActOnTheWindow()
    {
        QFETCH(int, popup);
        QFETCH(int, key);
        const auto window = freshWindow();
        addClippings({"older clipping", "newer clipping"});
        window->showHistory();
        HistoryItemView *view = historyView(window.get());
        view->setCurrentIndex(proxy()->index(1, 0));
        QSignalSpy activated(view, &QAbstractItemView::activated);
        const QString clipboard = clipboardText();

        // The press goes to the popup, which it closes; the release comes to the window.
        if (popup == RowMenu) {
            PopupWatcher watcher([key](QMenu *menu) {
                if (key == Qt::Key_Return)
                    menu->setActiveAction(entry(menu, "Keep forever"));
                sendKey(menu, QEvent::KeyPress, key);
            });
            sendKey(view, QEvent::KeyPress, Qt::Key_Menu);
            sendKey(view, QEvent::KeyRelease, Qt::Key_Menu);
            QCOMPARE(watcher.seen(), 1);
        } else if (popup == MessageBox) {
            QMessageBox box(QMessageBox::Information, "Extract texts", "Unable to find any texts in the image.",
                            QMessageBox::Ok);
            box.show();
            sendKey(&box, QEvent::KeyPress, key);
            QVERIFY(!box.isVisible());
        } else {
            EditDialog editor(view);
            editor.setText("newer clipping");
            editor.show();
            sendKey(&editor, QEvent::KeyPress, key);
            QVERIFY(!editor.isVisible());
        }
        sendKey(view, QEvent::KeyRelease, key);

        QVERIFY(window->isVisible());
        QCOMPARE(activated.count(), 0);
        QCOMPARE(clipboardText(), clipboard);
        if (popup == RowMenu && key == Qt::Key_Return)
            QVERIFY(proxy()->index(1, 0).data(LockedRole).toBool());

        // The same key pressed on the window acts again.
        sendKey(view, QEvent::KeyPress, key);
        sendKey(view, QEvent::KeyRelease, key);
        if (key == Qt::Key_Return)
            QCOMPARE(activated.count(), 1);
        else
            QVERIFY(!window->isVisible());
        QTRY_VERIFY(!ClipboardTools::c_pasteOngoing);
    }

    void testBoxOpenedOverTheWindowStaysAboveIt()
    {
        // The window stays on top of everything; a box beneath it could not be read.
        const auto window = freshWindow();
        window->showHistory();
        QMessageBox box(QMessageBox::Information, "Extract texts", "Unable to find any texts in the image.",
                        QMessageBox::Ok);
        box.show();
        QVERIFY(box.windowHandle());
        QCOMPARE(box.windowHandle()->transientParent(), window->windowHandle());
        box.close();

        // With the window hidden, a box stands on its own.
        window->hideHistory();
        QMessageBox later(QMessageBox::Warning, "Kestovan", "Writing the history file failed.", QMessageBox::Ok);
        later.show();
        QCOMPARE(later.windowHandle()->transientParent(), nullptr);
        later.close();
    }

    void testRowMenuIconsShowOnTheMenusBackground_data()
    {
        QTest::addColumn<int>("theme");
        QTest::newRow("dark") << int(THEME_DARK);
        QTest::newRow("light") << int(THEME_LIGHT);
    }

    void testRunActionMenuOffersTheBuiltInsWithoutTheSettingsDialog()
    {
        // A first start: nothing has opened the settings dialog, which lists the actions too.
        const auto window = freshWindow();
        addClippings({"some text"});
        window->showHistory();
        HistoryItemView *view = historyView(window.get());
        view->setCurrentIndex(proxy()->index(0, 0));

        QStringList offered;
        PopupWatcher watcher([&](QMenu *menu) {
            for (QAction *action : menu->actions()) {
                if (action->menu() && action->text() == "Run action") {
                    for (QAction *entry : action->menu()->actions())
                        offered.append(entry->text());
                }
            }
            menu->hide();
        });
        view->menuClicked(proxy()->index(0, 0), view->viewport()->mapToGlobal(QPoint(100, 10)));
        QCOMPARE(watcher.seen(), 1);
        for (const char *title : {"To lowercase", "To uppercase", "Word wrap", "Split lines"})
            QVERIFY2(offered.contains(title), qPrintable(offered.join(", ")));
        QVERIFY(Utils::settings().value("Actions").toMap().contains(":/data/actions/11-wordwrap.json"));
    }

    void testRowMenuIconsShowOnTheMenusBackground()
    {
        QFETCH(int, theme);
        setTheme(THEME(theme));
        const auto window = freshWindow();
        addClippings({"styled clipping"});
        window->showHistory();
        HistoryItemView *view = historyView(window.get());
        view->setCurrentIndex(proxy()->index(0, 0));

        QColor background;
        int strongestContrast = 0;
        PopupWatcher watcher([&](QMenu *menu) {
            const QImage shot = menu->grab().toImage();
            background = shot.pixelColor(shot.width() / 2, 2);
            // The monochrome icons are drawn for the theme: white in the dark one.
            for (const char *text : {"Unstylish text", "Keep forever"}) {
                const QRect row = menu->actionGeometry(entry(menu, text));
                for (int y = row.top(); y <= row.bottom(); ++y) {
                    for (int x = row.left(); x < row.left() + 32; ++x)
                        strongestContrast = qMax(strongestContrast, qAbs(qGray(shot.pixel(x, y)) - qGray(background.rgb())));
                }
            }
            menu->hide();
        });
        view->menuClicked(proxy()->index(0, 0), view->viewport()->mapToGlobal(QPoint(100, 10)));
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(background, getColor(COLOR_BACKGROUND));
        QVERIFY2(strongestContrast > 120, qPrintable(QString::number(strongestContrast)));
    }
};

KESTOVAN_MAINWINDOW_TEST_MAIN(TestMainWindowPopups)
#include "tst_mainwindowpopups.moc"
