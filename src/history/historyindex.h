#pragma once

#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <QString>
#include <QStandardItem>
#include <QUuid>

#include <memory>

class ClippingItem;
class QStandardItem;
class QStandardItemModel;

// Lookups the history's add rules need, kept in step with the model's rows through its signals:
// rows by brief and by id, and whether the rows are in the model's usual order (pinned block
// first, newest first inside each block), in which case the insert position is a binary search.
// The rules read "scan the rows from 0"; these answer the same questions without the scan.
// A block of many rows (a load) is indexed late: when the index is first asked, or at catchUp(),
// unless it comes with the lookups built where it was read (adopt()).
class HistoryIndex : public QObject
{
    Q_OBJECT

    // Rows by a key. Keys are rarely shared, so the first row of a key is kept apart from the
    // others: a table of 100,000 rows then costs no allocation per row.
    template<typename Key>
    class RowLookup
    {
    public:
        void reserve(qsizetype size) { m_first.reserve(size); }
        void clear()
        {
            m_first.clear();
            m_more.clear();
        }
        bool contains(const Key &key) const { return m_first.contains(key); }
        void insert(const Key &key, const QStandardItem *item)
        {
            const auto first = m_first.constFind(key);
            if (first == m_first.constEnd())
                m_first.insert(key, item);
            else
                m_more.insert(key, item);
        }
        void remove(const Key &key, const QStandardItem *item)
        {
            const auto first = m_first.find(key);
            if (first == m_first.end() || first.value() != item) {
                m_more.remove(key, item);
                return;
            }
            const auto next = m_more.find(key);
            if (next == m_more.end()) {
                m_first.erase(first);
            } else {
                first.value() = next.value();
                m_more.erase(next);
            }
        }
        // The lowest row of the key's items, if lower than *best (or *best is negative).
        void lowestRow(const Key &key, int *best) const
        {
            const auto first = m_first.constFind(key);
            if (first == m_first.constEnd())
                return;
            consider(first.value(), best);
            const auto range = m_more.equal_range(key);
            for (auto it = range.first; it != range.second; ++it)
                consider(it.value(), best);
        }

    private:
        static void consider(const QStandardItem *item, int *best)
        {
            const int row = item->row();
            if (row >= 0 && (*best < 0 || row < *best))
                *best = row;
        }

        QHash<Key, const QStandardItem *> m_first;
        QMultiHash<Key, const QStandardItem *> m_more;
    };

public:
    explicit HistoryIndex(QStandardItemModel *model);

    // The lookups of clippings about to become the rows of an empty history, in row order, built
    // where they were made (a history read ahead is indexed on the reading threads), with what the
    // add rules ask of a whole document: whether it repeats an id or a brief, or is out of order.
    class Tables;
    static std::shared_ptr<Tables> build(const QList<ClippingItem *> &items);
    // Whether the clippings repeat an id, or a text repeats the brief of one before it (among those
    // not removed): whether the add rules would meet an earlier clipping when adding them.
    static bool repeats(const Tables &tables);
    static bool repeatsId(const Tables &tables);
    // Takes the tables of the model's rows, which must be the very clippings they were built of,
    // in that order; nothing is indexed again.
    void adopt(std::shared_ptr<Tables> tables);

    // The first row whose brief equals the item's (only when matchBrief, and only among rows found
    // by their brief) or whose id equals the item's id; -1 when there is none.
    int findDuplicate(const QString &brief, const QUuid &id, bool matchBrief);
    // The first row with this id, or -1.
    int firstRowWithId(const QUuid &id);
    // The first row r where a new item (pinned, time) goes: (pinned and r is not) or (same pin
    // state and r is older). rowCount when there is none.
    int insertPosition(bool pinned, qint64 timeMsecs);
    // Whether a row (upper) above another (lower) breaks the usual order: pinned rows first, newer
    // before older within each block.
    static bool outOfOrder(bool upperPinned, qint64 upperTime, bool lowerPinned, qint64 lowerTime);
    // True when every pair of neighbouring rows is in the usual order.
    bool inOrder();

    void rebuild();
    // Indexes the rows left for later, if any.
    void catchUp();

private:
    struct Keys
    {
        QString brief;
        // Whether the row is found by its brief (see ClippingItem::matchesByBrief).
        bool byBrief = true;
        QUuid id;
        qint64 time = 0;
        bool pinned = false;
    };

    void reserveFor(qsizetype items);
    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void onRowsRemoved(const QModelIndex &parent, int first, int last);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);

    void addItem(const QStandardItem *item);
    void removeItem(const QStandardItem *item);
    // 1 when rows row and row + 1 both exist and are out of order, by their recorded keys.
    int pairDisorder(int row) const;
    const QStandardItem *itemAt(int row) const;

    QStandardItemModel *m_model;
    QHash<const QStandardItem *, Keys> m_keys;
    RowLookup<QString> m_byBrief;
    RowLookup<QUuid> m_byId;
    int m_disorder = 0;
    // Rows were added that are not indexed yet; nothing is followed until the rebuild.
    bool m_late = false;
};

class HistoryIndex::Tables
{
public:
    QHash<const QStandardItem *, HistoryIndex::Keys> keys;
    HistoryIndex::RowLookup<QString> byBrief;
    HistoryIndex::RowLookup<QUuid> byId;
    int disorder = 0;
    bool repeatedId = false;
    bool repeatedBrief = false;
    // The rows they were built for, to check that the model holds them.
    QList<ClippingItem *> items;
};
