#include "viewtestsupport.h"

#include "clipboardtestsupport.h"

#include "window/historyitemdelegate.h"
#include "window/historyitemview.h"
#include "window/keyreleaseguard.h"
#include "popupwatcher.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

// The window above the list: what it receives is what the list passed on.
class KeyRecorder : public QWidget
{
public:
    QList<int> presses;
    QList<int> releases;

protected:
    void keyPressEvent(QKeyEvent *event) override { presses.append(event->key()); }
    void keyReleaseEvent(QKeyEvent *event) override { releases.append(event->key()); }
};

// Counts its layouts of every row.
class LayoutCountingView : public HistoryItemView
{
public:
    int layouts = 0;

    void doItemsLayout() override
    {
        ++layouts;
        HistoryItemView::doItemsLayout();
    }
};

} // namespace

class TestHistoryItemView : public QObject
{
    Q_OBJECT

    QObject m_owner;
    RecordingSync *m_sync = nullptr;
    KeyRecorder *m_window = nullptr;
    HistoryItemView *m_view = nullptr;

    HistoryFilterModel *proxy() const { return HistoryItemModel::proxyInstance(); }

    void select(const QList<int> &rows)
    {
        m_view->clearSelection();
        for (int row : rows)
            m_view->selectionModel()->select(proxy()->index(row, 0), QItemSelectionModel::Select);
    }

    void makeCurrent(int row)
    {
        m_view->selectionModel()->setCurrentIndex(proxy()->index(row, 0), QItemSelectionModel::NoUpdate);
    }

private slots:
    void initTestCase()
    {
        m_sync = new RecordingSync(this);
        ViewTest::initializeModels(&m_owner, m_sync);
        m_window = new KeyRecorder;
        auto *layout = new QVBoxLayout(m_window);
        m_view = new HistoryItemView(m_window);
        layout->addWidget(m_view);
        m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_view->setItemDelegate(new HistoryItemDelegate(m_view));
        m_view->setModel(proxy());
        m_window->resize(420, 400);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase() { delete m_window; }

    void init()
    {
        ViewTest::clearModels();
        QStringList texts;
        for (int i = 0; i < 10; ++i)
            texts.append(QString("clipping %1").arg(i));
        ViewTest::appendTexts(texts);
        m_view->clearSelection();
        m_view->setFocus();
        m_window->presses.clear();
        m_window->releases.clear();
    }

    void testReturnAndSpacePasteTheCurrentRowOnceAndStepToTheNext()
    {
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Space)}) {
            QSignalSpy activated(m_view, &QAbstractItemView::activated);
            QSignalSpy multiple(m_view, &HistoryItemView::multipleActivated);
            m_view->setCurrentIndex(proxy()->index(2, 0));
            ViewTest::pressAndRelease(m_view, key);
            QCOMPARE(activated.count(), 1);
            QCOMPARE(activated.at(0).at(0).toModelIndex().row(), 2);
            QCOMPARE(multiple.count(), 0);
            QCOMPARE(m_view->currentIndex().row(), 3);
        }
    }

    void testPastingTheLastRowLeavesNoCurrentRow()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(proxy()->index(9, 0));
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QVERIFY(!m_view->currentIndex().isValid());

        // Nothing current: a further Return pastes nothing.
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
    }

    void testReturnAndEnterPressesDoNotActivate()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(proxy()->index(1, 0));
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return);
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(activated.count(), 0);
        // The keypad Enter is not a paste key of the list; its release goes on to the window.
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(activated.count(), 0);
        QCOMPARE(m_window->releases, QList<int>{Qt::Key_Enter});
        QCOMPARE(m_view->currentIndex().row(), 1);
    }

    void testAutoRepeatedReleasesDoNotActAgain()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        QSignalSpy removed(m_view, &HistoryItemView::removeItem);
        m_view->setCurrentIndex(proxy()->index(0, 0));
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Delete)}) {
            ViewTest::sendKey(m_view, QEvent::KeyPress, key);
            for (int i = 0; i < 3; ++i) {
                ViewTest::sendKey(m_view, QEvent::KeyRelease, key, Qt::NoModifier, true);
                ViewTest::sendKey(m_view, QEvent::KeyPress, key, Qt::NoModifier, true);
            }
            ViewTest::sendKey(m_view, QEvent::KeyRelease, key);
        }
        QCOMPARE(activated.count(), 1);
        QCOMPARE(removed.count(), 1);
    }

    void testReturnWithSeveralSelectedRowsPastesThemTogether()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        QSignalSpy multiple(m_view, &HistoryItemView::multipleActivated);
        // Selected in the order 5, 1, 3: the row after the last selected becomes current.
        select({5, 1, 3});
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 0);
        QCOMPARE(multiple.count(), 1);
        QStringList rows = ViewTest::rowsOf(multiple.at(0).at(0).value<QList<QModelIndex>>());
        QCOMPARE(rows, QStringList({"5", "1", "3"}));
        QCOMPARE(m_view->currentIndex().row(), 4);
    }

    void testDeleteRemovesTheSelectionAndKeepsThePlace_data()
    {
        QTest::addColumn<int>("comingInAbove");
        QTest::addColumn<bool>("readAgain");
        QTest::newRow("rows stay") << 0 << false;
        // The removal first brings in the rest of a long history, some of it above.
        QTest::newRow("rows come in above meanwhile") << 2 << false;
        // Or, where the rest cannot follow the first page, reads the history again whole.
        QTest::newRow("the history is read again whole meanwhile") << 0 << true;
    }

    void testDeleteRemovesTheSelectionAndKeepsThePlace()
    {
        QFETCH(int, comingInAbove);
        QFETCH(bool, readAgain);
        HistoryItemModel *history = HistoryItemModel::instance();
        const QMetaObject::Connection removal = connect(
            m_view, &HistoryItemView::removeItems, history, [this, history, comingInAbove, readAgain](QList<QModelIndex> indexes) {
                QList<QPersistentModelIndex> kept(indexes.cbegin(), indexes.cend());
                for (int i = 0; i < comingInAbove; ++i)
                    history->insertRow(0, HistoryTest::textItem(QString("come in %1").arg(i), QDateTime::currentDateTime()));
                if (readAgain) {
                    const QVariant current = m_view->currentIndex().data(IdRole);
                    QList<QVariant> ids;
                    for (const QPersistentModelIndex &index : std::as_const(kept))
                        ids.append(index.data(IdRole));
                    // As a whole load does it to the window's list: no row is left, then all are back.
                    proxy()->setSourceModel(nullptr);
                    proxy()->setSourceModel(history);
                    QCOMPARE(m_view->currentIndex().data(IdRole), current);
                    kept.clear();
                    for (const QVariant &id : std::as_const(ids))
                        kept.append(proxy()->match(proxy()->index(0, 0), IdRole, id, 1, Qt::MatchExactly).value(0));
                }
                history->markItemsAsRemoved(QList<QModelIndex>(kept.cbegin(), kept.cend()));
            });
        QSignalSpy removedOne(m_view, &HistoryItemView::removeItem);
        QSignalSpy removedMany(m_view, &HistoryItemView::removeItems);
        select({4, 7});
        ViewTest::pressAndRelease(m_view, Qt::Key_Delete);
        disconnect(removal);

        QCOMPARE(removedOne.count(), 0);
        QCOMPARE(removedMany.count(), 1);
        QCOMPARE(proxy()->rowCount(), 8 + comingInAbove);
        QCOMPARE(m_view->currentIndex().row(), 4 + comingInAbove);
        QCOMPARE(m_view->currentIndex().data().toString(), QString("clipping 5"));
    }

    void testDeleteWithNothingSelectedRemovesTheCurrentRow()
    {
        QSignalSpy removed(m_view, &HistoryItemView::removeItem);
        makeCurrent(6);
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
        // Backspace is not the delete key here; it goes on to the window.
        ViewTest::pressAndRelease(m_view, Qt::Key_Backspace);
        QCOMPARE(removed.count(), 0);
        QVERIFY(m_window->releases.contains(Qt::Key_Backspace));
        ViewTest::pressAndRelease(m_view, Qt::Key_Delete);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).toModelIndex().row(), 6);
        // The target is the row count: no row is current afterwards.
        QVERIFY(!m_view->currentIndex().isValid());
    }

    void testDeleteWithoutCurrentRowDoesNothing()
    {
        HistoryItemModel *history = HistoryItemModel::instance();
        connect(m_view, &HistoryItemView::removeItem, history, &HistoryItemModel::markItemAsRemoved);
        QSignalSpy removed(m_view, &HistoryItemView::removeItem);
        m_view->setCurrentIndex(proxy()->index(9, 0));
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QVERIFY(!m_view->currentIndex().isValid());

        ViewTest::pressAndRelease(m_view, Qt::Key_Delete);
        disconnect(m_view, &HistoryItemView::removeItem, history, &HistoryItemModel::markItemAsRemoved);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(proxy()->rowCount(), 10);
    }

    void testControlASelectsAllButOtherLettersGoToTheWindow()
    {
        makeCurrent(5);
        ViewTest::pressAndRelease(m_view, Qt::Key_A, Qt::ShiftModifier);
        ViewTest::pressAndRelease(m_view, Qt::Key_A, Qt::AltModifier);
        ViewTest::pressAndRelease(m_view, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        ViewTest::pressAndRelease(m_view, Qt::Key_C);
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
        // No jump to a row starting with the letter; no press reaches the window, every release does.
        QCOMPARE(m_view->currentIndex().row(), 5);
        QVERIFY(m_window->presses.isEmpty());
        QCOMPARE(m_window->releases, QList<int>({Qt::Key_A, Qt::Key_A, Qt::Key_A, Qt::Key_C}));

        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m_view->selectionModel()->selectedIndexes().size(), 10);
    }

    void testReturnThatPicksAMenuEntryDoesNotAlsoPaste()
    {
        const std::unique_ptr<KeyReleaseGuard> guard(new KeyReleaseGuard(m_window));
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        QSignalSpy locked(m_view, &HistoryItemView::lockItem);
        m_view->setCurrentIndex(proxy()->index(3, 0));
        const QRect r = m_view->visualRect(m_view->currentIndex());
        const int h = (r.bottom() - r.top() + 1) / 2;
        const QPoint expected = m_view->viewport()->mapToGlobal(QPoint(r.right() - h - 50, r.bottom() - h + 10));

        QPoint shownAt;
        QStringList entries;
        PopupWatcher watcher([&](QMenu *menu) {
            shownAt = menu->pos();
            entries = ViewTest::entryTexts(menu);
            for (QAction *action : menu->actions()) {
                if (action->text() == "Keep forever")
                    menu->setActiveAction(action);
            }
            // Return picks the entry on its press, which the menu gets.
            ViewTest::sendKey(menu, QEvent::KeyPress, Qt::Key_Return);
        });
        ViewTest::pressAndRelease(m_view, Qt::Key_Menu);
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(shownAt, expected);
        QCOMPARE(entries.first(), QString("Paste"));
        QVERIFY(m_window->releases.contains(Qt::Key_Menu));
        QCOMPARE(locked.count(), 1);
        QCOMPARE(locked.at(0).at(0).toModelIndex().row(), 3);

        // Its release reaches the list, which has the keyboard again: it pastes nothing.
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(activated.count(), 0);
        // A Return pressed on the list pastes.
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toModelIndex().row(), 3);
    }

    void testMenuKeyWithoutCurrentRowOpensNothing()
    {
        m_view->setCurrentIndex(QModelIndex());
        PopupWatcher watcher([](QMenu *menu) { menu->hide(); });
        ViewTest::pressAndRelease(m_view, Qt::Key_Menu);
        QCOMPARE(watcher.seen(), 0);
        QVERIFY(m_window->releases.contains(Qt::Key_Menu));
    }

    void testNewClippingShowsTheTopRowCurrentAndUnselected()
    {
        HistoryItemModel *history = HistoryItemModel::instance();
        connect(history, &HistoryItemModel::clippingAdded, m_view, &HistoryItemView::modelChanged);
        QStringList more;
        for (int i = 10; i < 60; ++i)
            more.append(QString("clipping %1").arg(i));
        ViewTest::appendTexts(more);
        m_view->scrollToBottom();
        QVERIFY(m_view->verticalScrollBar()->value() > 0);
        select({40, 41});

        ClipboardTest::setText("a brand new clipping");
        QTRY_COMPARE(ViewTest::briefAt(proxy(), 0), QString("a brand new clipping"));
        disconnect(history, &HistoryItemModel::clippingAdded, m_view, &HistoryItemView::modelChanged);
        QCOMPARE(m_view->currentIndex().row(), 0);
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
        QCOMPARE(m_view->verticalScrollBar()->value(), 0);
    }

    void testSelectAddedItemSkipsPinnedRows()
    {
        HistoryItemModel *history = HistoryItemModel::instance();
        history->item(0)->setData(true, Qt::CheckStateRole);
        history->item(1)->setData(true, Qt::CheckStateRole);
        makeCurrent(7);
        select({5});
        m_view->selectAddedItem(50);
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
        QTRY_COMPARE(ViewTest::rowsOf(m_view->selectionModel()->selectedIndexes()), QStringList{"2"});
        QCOMPARE(m_view->currentIndex().row(), 7);
    }

    void testSelectAddedItemWithEveryRowPinnedSelectsNothing()
    {
        HistoryItemModel *history = HistoryItemModel::instance();
        for (int row = 0; row < history->rowCount(); ++row)
            history->item(row)->setData(true, Qt::CheckStateRole);
        m_view->selectAddedItem(20);
        bool waited = false;
        QTimer::singleShot(80, this, [&waited] { waited = true; });
        QTRY_VERIFY(waited);
        QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
    }

    void testThumbnailArrivalDoesNotLayOutEveryRowAgain_data()
    {
        QTest::addColumn<QList<int>>("roles");
        QTest::addColumn<bool>("laidOut");
        QTest::newRow("thumbnail") << QList<int>{ThumbnailRole} << false;
        QTest::newRow("type, which sets the height") << QList<int>{TypeRole} << true;
        QTest::newRow("any role") << QList<int>() << true;
    }

    void testThumbnailArrivalDoesNotLayOutEveryRowAgain()
    {
        QFETCH(QList<int>, roles);
        QFETCH(bool, laidOut);
        LayoutCountingView view;
        view.setItemDelegate(new HistoryItemDelegate(&view));
        view.setModel(proxy());
        view.resize(420, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();
        QVERIFY(view.layouts > 0);

        view.layouts = 0;
        const QModelIndex row = HistoryItemModel::instance()->index(3, 0);
        emit HistoryItemModel::instance()->dataChanged(row, row, roles);
        QCoreApplication::processEvents();
        // Runs a layout still waiting.
        view.visualRect(proxy()->index(3, 0));
        QCOMPARE(view.layouts > 0, laidOut);
    }

    void testDoubleClickPastesOncePerClickOnly()
    {
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        const QRect r = m_view->visualRect(proxy()->index(2, 0));
        const QPoint point(r.left() + 150, r.center().y());
        QCursor::setPos(m_view->viewport()->mapToGlobal(point));
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(activated.count(), 1);
        // The double-click event itself pastes nothing: only its release does, like any click.
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(activated.count(), 1);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        for (const QList<QVariant> &call : std::as_const(activated))
            QCOMPARE(call.at(0).toModelIndex().row(), 2);
        QCOMPARE(activated.count(), 2);
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestHistoryItemView)
#include "tst_historyitemview.moc"
