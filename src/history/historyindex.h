#pragma once

#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <QString>
#include <QUuid>

class QStandardItem;
class QStandardItemModel;

// Lookups the history's add rules need, kept in step with the model's rows through its signals:
// rows by brief and by id, and whether the rows are in the model's usual order (pinned block
// first, newest first inside each block), in which case the insert position is a binary search.
// The rules read "scan the rows from 0"; these answer the same questions without the scan.
// A block of many rows (a load) is indexed late: when the index is first asked, or at catchUp().
class HistoryIndex : public QObject
{
    Q_OBJECT

public:
    explicit HistoryIndex(QStandardItemModel *model);

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
    bool isOrdered();

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
    QMultiHash<QString, const QStandardItem *> m_byBrief;
    QMultiHash<QUuid, const QStandardItem *> m_byId;
    int m_disorder = 0;
    // Rows were added that are not indexed yet; nothing is followed until the rebuild.
    bool m_late = false;
};
