#include "history/historyfiltermodel.h"

#include "history/clippingitem.h"
#include "history/historyfilterstate.h"
#include "history/itemrole.h"

#include <QDateTime>
#include <QStandardItemModel>

namespace {
const qint64 RecentMsecs = 3600 * 1000;
} // namespace

HistoryFilterModel::HistoryFilterModel(QObject *parent, const HistoryFilterState *carousel)
    : QSortFilterProxyModel(parent)
    , m_carousel(carousel)
{
}

bool HistoryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    // The history's items are read directly; any other model through its roles.
    const QStandardItem *item = nullptr;
    if (const auto *standard = qobject_cast<const QStandardItemModel *>(sourceModel()))
        item = sourceParent.isValid() ? standard->itemFromIndex(sourceParent)->child(sourceRow) : standard->item(sourceRow);

    QModelIndex index;
    if (!item)
        index = sourceModel()->index(sourceRow, 0, sourceParent);

    const bool removed = item ? ClippingItem::isRemovedItem(item) : index.data(RemovedRole).toBool();
    if (removed)
        return false;
    if (!m_carousel || !m_carousel->isActive())
        return true;

    if (m_carousel->showLocked && (item ? ClippingItem::isLockedItem(item) : index.data(LockedRole).toBool()))
        return true;
    if (m_carousel->showRecent) {
        const qint64 time = item ? ClippingItem::timeMsecsOf(item) : ClippingItem::toMsecs(index.data(TimeRole).toDateTime());
        if (time != ClippingItem::InvalidTime && time > QDateTime::currentMSecsSinceEpoch() - RecentMsecs)
            return true;
    }
    if (!m_carousel->showApplications.isEmpty()) {
        const QString application = item ? ClippingItem::applicationOf(item) : index.data(ApplicationRole).toString();
        if (m_carousel->showApplications.contains(application))
            return true;
    }
    return false;
}
