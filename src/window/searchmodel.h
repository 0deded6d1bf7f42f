#pragma once

#include <QPointer>
#include <QStandardItemModel>
#include <QString>
#include <QTimer>

class QSortFilterProxyModel;
class SnippetModel;

// The results of the search page: one row per history clipping whose brief contains the search
// text, then one per snippet whose title or text contains it. SourceIndexRole gives the clipping's
// index in the history proxy or the snippet's index in the snippet model.
//
// Results follow their clippings and snippets: the rows keep persistent indexes, so a clipping that
// moves is still the one a result stands for, and one that is removed gives an invalid index,
// never another clipping. A change of the rows of either model rebuilds the results.
class SearchModel : public QStandardItemModel
{
    Q_OBJECT

public:
    // Pause after the last change of the search text, or of the searched models, before a rebuild.
    static constexpr int RebuildDelay = 200;

    SearchModel(QObject *parent, QSortFilterProxyModel *proxy);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The clipping or snippet a result stands for; invalid when it is gone.
    static QModelIndex sourceIndex(const QModelIndex &result);

public slots:
    void setFilter(QString text);
    void update();

private:
    void watch(QAbstractItemModel *model);
    void scheduleRebuild();

    QSortFilterProxyModel *proxy;
    QString filter;
    QTimer timer;
    QPointer<SnippetModel> m_watchedSnippets;
};
