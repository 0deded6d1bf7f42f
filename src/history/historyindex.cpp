#include "history/historyindex.h"

#include "history/clippingitem.h"

#include <QStandardItemModel>

#include <future>

namespace {

// The insert test of the add rules for one row: the new item goes above a row it would be out of
// order below.
bool goesBefore(bool pinned, qint64 time, const QStandardItem *row)
{
    return HistoryIndex::outOfOrder(ClippingItem::isPinnedItem(row), ClippingItem::timeMsecsOf(row), pinned, time);
}

// A load's block of rows is indexed when the index is first needed, not while the window waits.
const int LateBlock = 1000;

} // namespace

bool HistoryIndex::outOfOrder(bool upperPinned, qint64 upperTime, bool lowerPinned, qint64 lowerTime)
{
    return (!upperPinned && lowerPinned) || (upperPinned == lowerPinned && upperTime < lowerTime);
}

HistoryIndex::HistoryIndex(QStandardItemModel *model)
    : QObject(model)
    , m_model(model)
{
    connect(model, &QAbstractItemModel::rowsInserted, this, &HistoryIndex::onRowsInserted);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &HistoryIndex::onRowsAboutToBeRemoved);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &HistoryIndex::onRowsRemoved);
    connect(model, &QAbstractItemModel::dataChanged, this, &HistoryIndex::onDataChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &HistoryIndex::rebuild);
    connect(model, &QAbstractItemModel::layoutChanged, this, &HistoryIndex::rebuild);
    connect(model, &QAbstractItemModel::rowsMoved, this, &HistoryIndex::rebuild);
    rebuild();
}

const QStandardItem *HistoryIndex::itemAt(int row) const
{
    return m_model->item(row);
}

void HistoryIndex::rebuild()
{
    m_late = false;
    m_keys.clear();
    m_byBrief.clear();
    m_byId.clear();
    m_disorder = 0;
    const int rows = m_model->rowCount();
    reserveFor(rows);
    for (int row = 0; row < rows; ++row)
        addItem(itemAt(row));
    for (int row = 0; row + 1 < rows; ++row)
        m_disorder += pairDisorder(row);
}

std::shared_ptr<HistoryIndex::Tables> HistoryIndex::build(const QList<ClippingItem *> &items)
{
    auto tables = std::make_shared<Tables>();
    tables->items = items;
    const qsizetype count = items.size();
    // Three tables apart, each on a thread of its own when there are many rows.
    const auto policy = count >= LateBlock ? std::launch::async : std::launch::deferred;
    auto ids = std::async(policy, [&tables, &items, count] {
        tables->byId.reserve(count);
        for (const ClippingItem *item : items) {
            if (tables->byId.contains(item->id()))
                tables->repeatedId = true;
            tables->byId.insert(item->id(), item);
        }
    });
    auto briefs = std::async(policy, [&tables, &items, count] {
        tables->byBrief.reserve(count);
        for (const ClippingItem *item : items) {
            if (item->clippingType() == 0 && ClippingItem::matchesByBrief(item) && tables->byBrief.contains(item->brief()))
                tables->repeatedBrief = true;
            // A removed clipping is erased as it goes in, and then found by its id only.
            if (!item->isRemoved())
                tables->byBrief.insert(item->brief(), item);
        }
    });
    tables->keys.reserve(count);
    const ClippingItem *previous = nullptr;
    for (const ClippingItem *item : items) {
        Keys keys;
        keys.byBrief = !item->isRemoved();
        keys.brief = keys.byBrief ? item->brief() : QString("");
        keys.id = item->id();
        keys.time = item->timeMsecs();
        keys.pinned = item->isPinned();
        tables->keys.insert(item, keys);
        if (previous && outOfOrder(previous->isPinned(), previous->timeMsecs(), keys.pinned, keys.time))
            ++tables->disorder;
        previous = item;
    }
    ids.get();
    briefs.get();
    return tables;
}

bool HistoryIndex::repeats(const Tables &tables)
{
    return tables.repeatedId || tables.repeatedBrief;
}

bool HistoryIndex::repeatsId(const Tables &tables)
{
    return tables.repeatedId;
}

void HistoryIndex::adopt(std::shared_ptr<Tables> tables)
{
    const int rows = m_model->rowCount();
    bool same = tables && tables->items.size() == rows;
    for (int row = 0; same && row < rows; ++row)
        same = itemAt(row) == tables->items.at(row);
    if (!same) {
        // Not the rows they were built for: the rows are indexed afresh when next asked.
        m_keys.clear();
        m_byBrief.clear();
        m_byId.clear();
        m_late = true;
        return;
    }
    m_keys = std::move(tables->keys);
    m_byBrief = std::move(tables->byBrief);
    m_byId = std::move(tables->byId);
    m_disorder = tables->disorder;
    m_late = false;
}

void HistoryIndex::catchUp()
{
    if (m_late)
        rebuild();
}

void HistoryIndex::reserveFor(qsizetype items)
{
    // Reserving rehashes even when the table is big enough already.
    if (items <= m_keys.capacity())
        return;
    m_keys.reserve(items);
    m_byBrief.reserve(items);
    m_byId.reserve(items);
}

void HistoryIndex::addItem(const QStandardItem *item)
{
    if (!item)
        return;
    Keys keys;
    keys.brief = ClippingItem::briefOf(item);
    keys.byBrief = ClippingItem::matchesByBrief(item);
    keys.id = ClippingItem::idOf(item);
    keys.time = ClippingItem::timeMsecsOf(item);
    keys.pinned = ClippingItem::isPinnedItem(item);
    if (keys.byBrief)
        m_byBrief.insert(keys.brief, item);
    m_byId.insert(keys.id, item);
    m_keys.insert(item, keys);
}

void HistoryIndex::removeItem(const QStandardItem *item)
{
    const auto it = m_keys.constFind(item);
    if (it == m_keys.constEnd())
        return;
    if (it->byBrief)
        m_byBrief.remove(it->brief, item);
    m_byId.remove(it->id, item);
    m_keys.erase(it);
}

int HistoryIndex::pairDisorder(int row) const
{
    if (row < 0 || row + 1 >= m_model->rowCount())
        return 0;
    const auto upper = m_keys.constFind(itemAt(row));
    const auto lower = m_keys.constFind(itemAt(row + 1));
    if (upper == m_keys.constEnd() || lower == m_keys.constEnd())
        return 0;
    return outOfOrder(upper->pinned, upper->time, lower->pinned, lower->time) ? 1 : 0;
}

void HistoryIndex::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_late)
        return;
    if (last - first + 1 >= LateBlock) {
        // Nothing held may point at a row that goes before the rebuild.
        m_keys.clear();
        m_byBrief.clear();
        m_byId.clear();
        m_late = true;
        return;
    }
    for (int row = first; row <= last; ++row)
        addItem(itemAt(row));
    // The rows above and below the inserted block were neighbours until now.
    if (first > 0 && last + 1 < m_model->rowCount()) {
        const auto upper = m_keys.constFind(itemAt(first - 1));
        const auto lower = m_keys.constFind(itemAt(last + 1));
        if (upper != m_keys.constEnd() && lower != m_keys.constEnd()
            && outOfOrder(upper->pinned, upper->time, lower->pinned, lower->time))
            --m_disorder;
    }
    for (int row = first - 1; row <= last; ++row)
        m_disorder += pairDisorder(row);
}

void HistoryIndex::onRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_late)
        return;
    for (int row = first - 1; row <= last; ++row)
        m_disorder -= pairDisorder(row);
    for (int row = first; row <= last; ++row)
        removeItem(itemAt(row));
}

void HistoryIndex::onRowsRemoved(const QModelIndex &parent, int first, int /*last*/)
{
    if (parent.isValid() || m_late)
        return;
    m_disorder += pairDisorder(first - 1);
}

void HistoryIndex::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (topLeft.parent().isValid() || m_late)
        return;
    const int first = topLeft.row();
    const int last = bottomRight.row();
    for (int row = first; row <= last; ++row) {
        // An item replaced in place (setItem) is unknown here; start afresh rather than guess.
        if (!m_keys.contains(itemAt(row))) {
            rebuild();
            return;
        }
    }
    for (int row = first - 1; row <= last; ++row)
        m_disorder -= pairDisorder(row);
    for (int row = first; row <= last; ++row) {
        const QStandardItem *item = itemAt(row);
        Keys &keys = m_keys[item];
        const QString brief = ClippingItem::briefOf(item);
        const bool byBrief = ClippingItem::matchesByBrief(item);
        if (brief != keys.brief || byBrief != keys.byBrief) {
            if (keys.byBrief)
                m_byBrief.remove(keys.brief, item);
            if (byBrief)
                m_byBrief.insert(brief, item);
            keys.brief = brief;
            keys.byBrief = byBrief;
        }
        const QUuid id = ClippingItem::idOf(item);
        if (id != keys.id) {
            m_byId.remove(keys.id, item);
            m_byId.insert(id, item);
            keys.id = id;
        }
        keys.time = ClippingItem::timeMsecsOf(item);
        keys.pinned = ClippingItem::isPinnedItem(item);
    }
    for (int row = first - 1; row <= last; ++row)
        m_disorder += pairDisorder(row);
}

int HistoryIndex::findDuplicate(const QString &brief, const QUuid &id, bool matchBrief)
{
    catchUp();
    int best = -1;
    m_byId.lowestRow(id, &best);
    if (matchBrief)
        m_byBrief.lowestRow(brief, &best);
    return best;
}

int HistoryIndex::firstRowWithId(const QUuid &id)
{
    catchUp();
    int best = -1;
    m_byId.lowestRow(id, &best);
    return best;
}

bool HistoryIndex::inOrder()
{
    catchUp();
    return m_disorder == 0;
}

int HistoryIndex::insertPosition(bool pinned, qint64 timeMsecs)
{
    catchUp();
    const int rows = m_model->rowCount();
    if (m_disorder != 0) {
        for (int row = 0; row < rows; ++row) {
            if (goesBefore(pinned, timeMsecs, itemAt(row)))
                return row;
        }
        return rows;
    }
    // In the usual order the test is false for a leading run of rows and true for the rest.
    int low = 0;
    int high = rows;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (goesBefore(pinned, timeMsecs, itemAt(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
