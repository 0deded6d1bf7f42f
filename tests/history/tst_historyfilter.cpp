#include "historytestsupport.h"

#include "history/historyfiltermodel.h"
#include "history/historyfilterstate.h"

using namespace HistoryTest;

class TestHistoryFilter : public QObject
{
    Q_OBJECT

    static QStringList shown(const QAbstractItemModel &proxy)
    {
        QStringList result;
        for (int row = 0; row < proxy.rowCount(); ++row)
            result.append(proxy.index(row, 0).data(TextRole).toString());
        return result;
    }

    static QDateTime minutesAgo(int minutes) { return QDateTime::currentDateTime().addSecs(-60 * minutes); }

private slots:
    void init() { resetStore(); }

    void testWithoutFiltersEveryLiveClippingShowsInHistoryOrder()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterModel proxy(nullptr, nullptr);
        proxy.setSourceModel(&model);
        model.addItem(textItem("old", minutesAgo(300)));
        model.addItem(textItem("new", minutesAgo(1)));
        ClippingItem *removed = textItem("removed", minutesAgo(2));
        removed->setData(true, RemovedRole);
        removed->setData(true, LockedRole);
        model.addItem(removed);
        QCOMPARE(shown(proxy), (QStringList{"new", "old"}));

        HistoryFilterState state;
        HistoryFilterModel unfiltered(nullptr, &state);
        unfiltered.setSourceModel(&model);
        QCOMPARE(shown(unfiltered), (QStringList{"new", "old"}));
    }

    void testRecentMeansTheLastHour()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterState state;
        state.showRecent = true;
        HistoryFilterModel proxy(nullptr, &state);
        proxy.setSourceModel(&model);
        model.addItem(textItem("59 minutes", minutesAgo(59)));
        model.addItem(textItem("61 minutes", minutesAgo(61)));
        model.addItem(textItem("no time", QDateTime()));
        QCOMPARE(shown(proxy), QStringList{"59 minutes"});

        // Pinning refreshes the time, so an old clipping pinned now is recent.
        model.togglePin(model.index(1, 0));
        QCOMPARE(shown(proxy), (QStringList{"61 minutes", "59 minutes"}));
    }

    void testActiveFiltersShowTheirUnion()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterState state;
        state.showLocked = true;
        state.showApplications = {"Browser"};
        HistoryFilterModel proxy(nullptr, &state);
        proxy.setSourceModel(&model);
        ClippingItem *locked = textItem("locked editor", minutesAgo(500), "Editor");
        locked->setData(true, LockedRole);
        model.addItem(locked);
        model.addItem(textItem("browser", minutesAgo(400), "Browser"));
        model.addItem(textItem("editor", minutesAgo(1), "Editor"));
        model.addItem(textItem("browser lower case", minutesAgo(2), "browser"));
        ClippingItem *removed = textItem("removed browser", minutesAgo(3), "Browser");
        removed->setData(true, RemovedRole);
        model.addItem(removed);
        QCOMPARE(shown(proxy), (QStringList{"browser", "locked editor"}));
    }

    void testFilterChangeAppliesOnInvalidate()
    {
        HistoryItemModel model(nullptr, nullptr);
        HistoryFilterState state;
        HistoryFilterModel proxy(nullptr, &state);
        proxy.setSourceModel(&model);
        model.addItem(textItem("editor", minutesAgo(10), "Editor"));
        model.addItem(textItem("browser", minutesAgo(5), "Browser"));
        QCOMPARE(proxy.rowCount(), 2);
        state.showApplications.insert("Editor");
        QCOMPARE(proxy.rowCount(), 2);
        proxy.invalidate();
        QCOMPARE(shown(proxy), QStringList{"editor"});
    }

    void testToListFollowsTheProcessWideFilter()
    {
        HistoryFilterState state;
        HistoryItemModel::initialize(qApp, nullptr, &state);
        HistoryItemModel *model = HistoryItemModel::instance();
        QVERIFY(model);
        QCOMPARE(HistoryItemModel::proxyInstance()->sourceModel(), model);
        model->addItem(textItem("editor", minutesAgo(10), "Editor"));
        model->addItem(textItem("browser", minutesAgo(5), "Browser"));
        ClippingItem *removed = textItem("removed", minutesAgo(1), "Editor");
        removed->setData(true, RemovedRole);
        model->addItem(removed);
        QCOMPARE(HistoryItemModel::toList(), (QStringList{"browser", "editor"}));
        state.showApplications.insert("Editor");
        HistoryItemModel::proxyInstance()->invalidate();
        QCOMPARE(HistoryItemModel::toList(), QStringList{"editor"});
    }
};

KESTOVAN_HISTORY_TEST_MAIN(TestHistoryFilter)
#include "tst_historyfilter.moc"
