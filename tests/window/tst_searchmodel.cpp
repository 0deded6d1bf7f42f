#include "viewtestsupport.h"

#include "history/historyfilterstate.h"
#include "window/historyitemdelegate.h"
#include "window/historyitemview.h"
#include "popupwatcher.h"
#include "window/searchdelegate.h"
#include "window/searchmodel.h"
#include "window/searchview.h"
#include "window/snippetdelegate.h"
#include "snippettestsupport.h"

#include <QPainter>
#include <QSignalSpy>

class TestSearchModel : public QObject
{
    Q_OBJECT

    QObject m_owner;
    RecordingSync *m_sync = nullptr;
    HistoryItemView *m_historyView = nullptr;
    HistoryItemDelegate *m_historyDelegate = nullptr;
    SnippetDelegate *m_snippetDelegate = nullptr;
    SearchModel *m_model = nullptr;
    SearchView *m_view = nullptr;

    HistoryFilterModel *proxy() const { return HistoryItemModel::proxyInstance(); }
    HistoryItemModel *history() const { return HistoryItemModel::instance(); }

    QStringList results() const
    {
        QStringList texts;
        for (int row = 0; row < m_model->rowCount(); ++row)
            texts.append(m_model->index(row, 0).data().toString());
        return texts;
    }

    QModelIndex sourceOf(int row) const { return m_model->index(row, 0).data(SourceIndexRole).toModelIndex(); }

    // The results for the text over a copy of the history made of new clippings, none of which
    // has searched before.
    static QStringList resultsOverFreshCopy(const QString &text)
    {
        QStandardItemModel copy;
        for (int row = 0; row < HistoryItemModel::instance()->rowCount(); ++row) {
            const QStandardItem *original = HistoryItemModel::instance()->item(row);
            auto *clipping = new ClippingItem;
            clipping->setData(ClippingItem::briefOf(original), Qt::DisplayRole);
            clipping->setData(ClippingItem::isRemovedItem(original), RemovedRole);
            copy.appendRow(clipping);
        }
        HistoryFilterModel proxy(nullptr, nullptr);
        proxy.setSourceModel(&copy);
        SearchModel search(nullptr, &proxy);
        search.setFilter(text);
        search.update();
        QStringList texts;
        for (int row = 0; row < search.rowCount(); ++row)
            texts.append(search.index(row, 0).data().toString());
        return texts;
    }

    // Sets the search text and rebuilds at once, as the timer would.
    void search(const QString &text)
    {
        m_model->setFilter(text);
        m_model->update();
    }

    void addSnippets()
    {
        const QDateTime now = QDateTime::currentDateTime();
        QStandardItem *first = SnippetTest::group("Hello group", QUuid::createUuid(), now);
        first->appendRow(SnippetTest::snippet("Greeting", "well, hello there", QUuid::createUuid(), now));
        first->appendRow(SnippetTest::snippet("Unrelated", "nothing", QUuid::createUuid(), now));
        QStandardItem *second = SnippetTest::group("Second", QUuid::createUuid(), now);
        QStandardItem *hidden = SnippetTest::snippet("Hello secret", "secret", QUuid::createUuid(), now);
        hidden->setData(true, HideRole);
        second->appendRow(hidden);
        SnippetModel::instance()->appendRow(first);
        SnippetModel::instance()->appendRow(second);
    }

    // One row drawn alone by a delegate.
    QImage render(QAbstractItemDelegate *delegate, QWidget *widget, const QModelIndex &index, int height)
    {
        QStyleOptionViewItem option;
        option.widget = widget;
        option.rect = QRect(0, 0, 400, height);
        option.state = QStyle::State_Enabled;
        QImage image(option.rect.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(widget->font());
        delegate->paint(&painter, option, index);
        return image;
    }

private slots:
    void initTestCase()
    {
        m_sync = new RecordingSync(this);
        ViewTest::initializeModels(&m_owner, m_sync);
        m_historyView = new HistoryItemView;
        m_historyView->setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_historyDelegate = new HistoryItemDelegate(m_historyView);
        m_historyView->setItemDelegate(m_historyDelegate);
        m_historyView->setModel(proxy());
        m_historyView->snippetModel = SnippetModel::instance();

        m_model = new SearchModel(this, proxy());
        m_view = new SearchView;
        m_snippetDelegate = new SnippetDelegate(m_view);
        m_view->setItemDelegate(new SearchDelegate(m_view, m_historyDelegate, m_snippetDelegate, m_historyView));
        m_view->historyView = m_historyView;
        m_view->setModel(m_model);
        m_view->setMouseTracking(true);
        m_view->resize(420, 500);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }

    void cleanupTestCase()
    {
        delete m_view;
        delete m_historyView;
    }

    void init()
    {
        m_model->setFilter(QString());
        m_model->update();
        ViewTest::clearModels();
        ViewTest::appendTexts({"Hello World", "something else", "say HELLO", "last one"});
        m_historyView->clearSelection();
        m_view->setFocus();
    }

    void testSearchTextIsTrimmedAndLowerCased()
    {
        search("  HeLLo ");
        QCOMPARE(results(), QStringList({"Hello World", "say HELLO"}));
        QCOMPARE(sourceOf(1), proxy()->index(2, 0));
        QCOMPARE(m_model->index(1, 0).data(Qt::ToolTipRole), proxy()->index(2, 0).data(Qt::ToolTipRole));
    }

    void testResultsAfterAChangeAreThoseOfAFreshSearch_data()
    {
        QTest::addColumn<std::function<void()>>("change");
        HistoryItemModel *h = HistoryItemModel::instance();
        // Row 4 is the one beyond ASCII, whose lower-cased brief is kept between searches.
        QTest::newRow("edited") << std::function<void()>([h] { h->updateItem(h->index(4, 0), "Nö more Ärger\nsay hello"); });
        QTest::newRow("brief set") << std::function<void()>([h] { h->item(4)->setData("ÉCLAIR now", Qt::DisplayRole); });
        QTest::newRow("brief set quietly, as a load does") << std::function<void()>([h] {
            static_cast<ClippingItem *>(h->item(4))->setDataQuietly("Ñandú NOW", Qt::DisplayRole);
        });
        QTest::newRow("added") << std::function<void()>([h] {
            h->insertRow(0, HistoryTest::textItem("Now ÄRGER again", QDateTime::currentDateTime()));
        });
        QTest::newRow("removed") << std::function<void()>([h] { h->removeRow(4); });
        QTest::newRow("marked as removed") << std::function<void()>([h] { h->markItemAsRemoved(h->index(4, 0)); });
        QTest::newRow("moved to the top") << std::function<void()>([h] { h->touchItem(h->index(4, 0)); });
        QTest::newRow("replaced by a download") << std::function<void()>([h] {
            const QByteArray online = h->serialize();
            h->item(4)->setData("İstanbul now", Qt::DisplayRole);
            h->removeRow(0);
            QByteArray merged;
            h->merge(online, merged, FromServer);
        });
        QTest::newRow("merged both ways") << std::function<void()>([h] {
            h->item(4)->setData("Online İNFO now", Qt::DisplayRole);
            const QByteArray online = h->serialize();
            h->removeRow(4);
            QByteArray merged;
            h->merge(online, merged, BothWays);
        });
    }

    void testResultsAfterAChangeAreThoseOfAFreshSearch()
    {
        QFETCH(std::function<void()>, change);
        ViewTest::appendTexts({"Ärger über İstanbul"});
        const QStringList texts = {"hello", "ärger", "İST", "i", "now", "É"};
        QList<QStringList> before;
        for (const QString &text : texts) {
            search(text);
            before.append(results());
        }
        change();
        bool changed = false;
        for (int i = 0; i < texts.size(); ++i) {
            search(texts.at(i));
            QCOMPARE(results(), resultsOverFreshCopy(texts.at(i)));
            changed = changed || results() != before.at(i);
        }
        // Else a result kept from before the change would pass unnoticed.
        QVERIFY(changed);
    }

    void testRebuildWaitsForTheLastChange()
    {
        QSignalSpy inserted(m_model, &QAbstractItemModel::rowsInserted);
        m_model->setFilter("h");
        QTimer::singleShot(150, m_model, [this] { m_model->setFilter("hello"); });
        // 200 ms after the first change, but only 150 after the last one.
        int rowsInBetween = -1;
        QTimer::singleShot(300, this, [&] { rowsInBetween = m_model->rowCount(); });
        QTRY_COMPARE(rowsInBetween, 0);
        QTRY_COMPARE(results(), QStringList({"Hello World", "say HELLO"}));
        QCOMPARE(inserted.count(), 1);
    }

    void testClearingTheSearchTextEmptiesTheResults()
    {
        search("hello");
        QCOMPARE(m_model->rowCount(), 2);
        m_model->setFilter("   ");
        QTRY_COMPARE(m_model->rowCount(), 0);
    }

    void testRemovedAndFilteredClippingsAreNeverResults()
    {
        history()->item(2)->setData(true, RemovedRole);
        search("hello");
        QCOMPARE(results(), QStringList{"Hello World"});

        // A list filtered to locked clippings shows none of these.
        HistoryFilterState state;
        state.showLocked = true;
        HistoryFilterModel filtered(nullptr, &state);
        filtered.setSourceModel(history());
        SearchModel lockedOnly(nullptr, &filtered);
        lockedOnly.setFilter("hello");
        lockedOnly.update();
        QCOMPARE(lockedOnly.rowCount(), 0);
        history()->item(0)->setData(true, LockedRole);
        lockedOnly.update();
        QCOMPARE(lockedOnly.rowCount(), 1);
    }

    void testSnippetsFollowTheClippingsAndMatchByTitleOrText()
    {
        addSnippets();
        search("hello");
        // Groups are never results; a hidden snippet still is; a text match shows the title.
        QCOMPARE(results(), QStringList({"Hello World", "say HELLO", "Greeting", "Hello secret"}));
        QCOMPARE(sourceOf(2).model(), SnippetModel::instance());
        QCOMPARE(sourceOf(2).data(TextRole).toString(), QString("well, hello there"));
    }

    void testResultsFollowTheirClippingsWhenRowsMove()
    {
        search("hello");
        const QPersistentModelIndex result(m_model->index(0, 0));
        history()->insertRow(0, HistoryTest::textItem("a new capture", QDateTime::currentDateTime()));
        // Until the rebuild, the result still stands for its own clipping.
        QCOMPARE(result.data(SourceIndexRole).toModelIndex().data().toString(), QString("Hello World"));

        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(m_model->index(0, 0));
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toModelIndex().data().toString(), QString("Hello World"));
    }

    void testRemovedClippingGivesAnInvalidSourceAndIsDroppedLater()
    {
        search("hello");
        QCOMPARE(m_model->rowCount(), 2);
        history()->removeRow(0);
        QVERIFY(!sourceOf(0).isValid());
        QCOMPARE(sourceOf(1).data().toString(), QString("say HELLO"));
        // Drawing a result that is gone is harmless.
        m_view->viewport()->repaint();
        QTRY_COMPARE(results(), QStringList{"say HELLO"});
    }

    void testHistoryResetLeavesNoDanglingResult()
    {
        addSnippets();
        search("hello");
        QCOMPARE(m_model->rowCount(), 4);
        // A download merge replaces the whole history: every clipping result goes.
        history()->clear();
        QVERIFY(!sourceOf(0).isValid());
        QVERIFY(!sourceOf(1).isValid());
        QVERIFY(sourceOf(2).isValid());
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(m_model->index(0, 0));
        m_view->viewport()->repaint();
        ViewTest::pressAndRelease(m_view, Qt::Key_Return);
        QVERIFY(!activated.at(0).at(0).toModelIndex().isValid());
        QTRY_COMPARE(results(), QStringList({"Greeting", "Hello secret"}));
    }

    void testSnippetChangesRebuildTheResults()
    {
        addSnippets();
        search("hello");
        QCOMPARE(m_model->rowCount(), 4);
        SnippetModel::instance()->removeRows(1, 1);
        QVERIFY(!sourceOf(3).isValid());
        QTRY_COMPARE(results(), QStringList({"Hello World", "say HELLO", "Greeting"}));
    }

    void testReturnAndSpacePasteTheResultOnce()
    {
        addSnippets();
        search("hello");
        QSignalSpy activated(m_view, &QAbstractItemView::activated);
        m_view->setCurrentIndex(m_model->index(1, 0));
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return);
        QCOMPARE(activated.count(), 0);
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, true);
        ViewTest::sendKey(m_view, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, true);
        ViewTest::sendKey(m_view, QEvent::KeyRelease, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toModelIndex(), proxy()->index(2, 0));

        // The Space press does not search for a row starting with a blank.
        m_view->setCurrentIndex(m_model->index(2, 0));
        QTest::keyPress(m_view, Qt::Key_Space);
        QCOMPARE(m_view->currentIndex().row(), 2);
        QTest::keyRelease(m_view, Qt::Key_Space);
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(1).at(0).toModelIndex().data().toString(), QString("Greeting"));
        QCOMPARE(activated.at(1).at(0).toModelIndex().model(), SnippetModel::instance());
    }

    void testMenuKeyOpensTheClippingMenuForThatResultOnly()
    {
        connect(m_historyView, &HistoryItemView::removeItem, history(), &HistoryItemModel::markItemAsRemoved);
        addSnippets();
        search("hello");
        // Rows selected in the list behind the search page play no part.
        m_historyView->selectionModel()->select(proxy()->index(0, 0), QItemSelectionModel::Select);
        m_historyView->selectionModel()->select(proxy()->index(1, 0), QItemSelectionModel::Select);
        m_view->setCurrentIndex(m_model->index(1, 0));
        const QRect r = m_view->visualRect(m_model->index(1, 0));
        const int H = r.height();
        const QPoint centre = m_view->viewport()->mapToGlobal(
            QRect(QPoint(r.right() - H, r.top()), QPoint(r.right(), r.bottom())).center());
        QPoint menuAt;
        QStringList entries;
        PopupWatcher watcher([&](QMenu *menu) {
            menuAt = menu->pos();
            entries = ViewTest::entryTexts(menu);
            ViewTest::chooseEntry(menu, "Remove");
        });
        ViewTest::pressAndRelease(m_view, Qt::Key_Menu);
        disconnect(m_historyView, &HistoryItemView::removeItem, history(), &HistoryItemModel::markItemAsRemoved);
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(menuAt, QPoint(centre.x() - 50, centre.y() + 10));
        QCOMPARE(entries.first(), QString("Paste"));
        QVERIFY(history()->item(2)->data(RemovedRole).toBool());
        QVERIFY(!history()->item(0)->data(RemovedRole).toBool());
        QTRY_COMPARE(results(), QStringList({"Hello World", "Greeting", "Hello secret"}));

        // Snippet results have no menu.
        m_view->setCurrentIndex(m_model->index(1, 0));
        PopupWatcher none([](QMenu *menu) { menu->hide(); });
        ViewTest::pressAndRelease(m_view, Qt::Key_Menu);
        QCOMPARE(none.seen(), 0);
    }

    void testClicksOnResults()
    {
        addSnippets();
        search("hello");
        QSignalSpy activated(m_view, &QAbstractItemView::activated);

        // The right end of a clipping result opens its menu and pastes nothing.
        const QRect clipping = m_view->visualRect(m_model->index(0, 0));
        const QPoint rightEnd(clipping.right() - 5, clipping.center().y());
        PopupWatcher watcher([](QMenu *menu) { menu->hide(); });
        ViewTest::clickAt(m_view, rightEnd);
        QCOMPARE(watcher.seen(), 1);
        QCOMPARE(activated.count(), 0);
        // The results are rebuilt once the menu has closed.
        QSignalSpy rebuilt(m_model, &QAbstractItemModel::rowsRemoved);
        QTRY_VERIFY(rebuilt.count() > 0);
        QCOMPARE(m_model->rowCount(), 4);

        ViewTest::clickAt(m_view, QPoint(clipping.left() + 100, clipping.center().y()));
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toModelIndex(), proxy()->index(0, 0));

        // The same right-end click on a snippet result pastes the snippet, with the left button only.
        const QRect snippet = m_view->visualRect(m_model->index(2, 0));
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            ViewTest::clickAt(m_view, QPoint(snippet.right() - 5, snippet.center().y()), button);
        QCOMPARE(activated.count(), 1);
        ViewTest::clickAt(m_view, QPoint(snippet.right() - 5, snippet.center().y()));
        QCOMPARE(activated.count(), 2);
        QCOMPARE(activated.at(1).at(0).toModelIndex().data().toString(), QString("Greeting"));
    }

    void testResultsAreDrawnLikeTheirOwnRows()
    {
        addSnippets();
        search("hello");
        QStyleOptionViewItem option;
        option.widget = m_view;
        QAbstractItemDelegate *delegate = m_view->itemDelegate();
        const int clippingHeight = m_historyDelegate->sizeHint(option, proxy()->index(0, 0)).height();
        QCOMPARE(delegate->sizeHint(option, m_model->index(0, 0)).height(), clippingHeight);
        QCOMPARE(render(delegate, m_view, m_model->index(0, 0), clippingHeight),
                 render(m_historyDelegate, m_view, proxy()->index(0, 0), clippingHeight));

        const QModelIndex greeting = sourceOf(2);
        const int snippetHeight = m_snippetDelegate->sizeHint(option, greeting).height();
        QCOMPARE(delegate->sizeHint(option, m_model->index(2, 0)).height(), snippetHeight);
        QImage expected(400, snippetHeight, QImage::Format_ARGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setFont(m_view->font());
            option.rect = expected.rect();
            option.state = QStyle::State_Enabled;
            m_snippetDelegate->paint(&painter, option, greeting, true);
        }
        QCOMPARE(render(delegate, m_view, m_model->index(2, 0), snippetHeight), expected);
    }
};

KESTOVAN_VIEW_TEST_MAIN(TestSearchModel)
#include "tst_searchmodel.moc"
