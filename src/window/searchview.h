#pragma once

#include <QListView>
#include <QModelIndex>
#include <QRect>

class HistoryItemView;

// The results of the search page. Activating a result emits activated() with the index of the
// clipping or snippet it stands for (SearchModel::sourceIndex), never with a result's own index.
// The Menu key opens the history context menu of a clipping result through the history view.
class SearchView : public QListView
{
    Q_OBJECT

public:
    explicit SearchView(QWidget *parent = nullptr);

    // The history list, whose context menu clipping results use; set by the window.
    HistoryItemView *historyView;

    // The square at the right end of a result row that opens a clipping's menu.
    static QRect menuSquare(const QRect &row);
    // Opens the menu of the clipping a result stands for, through that history view, at the centre
    // of the row's menu square; then rebuilds the results, which the menu may have changed. False
    // for other results.
    bool openResultMenu(HistoryItemView *menuView, const QModelIndex &result, const QRect &row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    // A double click is two clicks: the delegate already acts on each release.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
