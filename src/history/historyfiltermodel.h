#pragma once

#include <QSortFilterProxyModel>

struct HistoryFilterState;

// What every view shows of the history: no tombstones, and only the clippings that match at least
// one active filter of the header carousel. Rows keep the history's order. A change of the filter
// state takes effect when invalidate() is called (the carousel's filterChanged()).
class HistoryFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    // The filter state is not owned and may be null: then no filter is active.
    HistoryFilterModel(QObject *parent, const HistoryFilterState *carousel);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    const HistoryFilterState *m_carousel;
};
