#pragma once

#include <QAbstractListModel>
#include <QMetaObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class SnippetModel;

// The results of the search page: one row per history clipping whose brief contains the search
// text, then one per snippet whose title or text contains it. SourceIndexRole gives the clipping's
// index in the history proxy or the snippet's index in the snippet model.
//
// Results follow their clippings and snippets: a clipping that moves is still the one a result
// stands for, and one that is removed (or taken out to be put back elsewhere) gives an invalid
// index, never another clipping. A change of the rows of either model rebuilds the results.
//
// The proxy's source must be a QStandardItemModel whose rows leave it through row removal or a
// reset: clipping results hold its items, not indexes, as thousands of persistent indexes would
// slow down every change of the history.
class SearchModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // Pause after the last change of the search text, or of the searched models, before a rebuild.
    static constexpr int RebuildDelay = 200;

    SearchModel(QObject *parent, QSortFilterProxyModel *proxy);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The clipping or snippet a result stands for; invalid when it is gone.
    static QModelIndex sourceIndex(const QModelIndex &result);

    // Rebuilds at once when a rebuild is waiting, so that the results match what was typed.
    void updateIfPending();

public slots:
    void setFilter(QString text);
    void update();

private:
    struct Result
    {
        // The history row; null for a snippet and once the row has gone.
        const QStandardItem *clipping = nullptr;
        QPersistentModelIndex snippet;
        // The brief or title when the results were built.
        QString text;
        bool isClipping = false;
    };

    void watch(QAbstractItemModel *model);
    void watchHistory();
    void scheduleRebuild();
    void forgetClippings(const QModelIndex &parent, int first, int last);
    void forgetAllClippings();
    QModelIndex sourceOf(const Result &result) const;

    QSortFilterProxyModel *proxy;
    QStandardItemModel *m_history = nullptr;
    QList<QMetaObject::Connection> m_historyConnections;
    QString filter;
    QTimer timer;
    QPointer<SnippetModel> m_watchedSnippets;
    std::vector<Result> m_results;
};
