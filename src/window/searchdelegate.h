#pragma once

#include <QStyledItemDelegate>

class HistoryItemDelegate;
class HistoryItemView;
class SnippetDelegate;

// Draws a search result as the row of its own list: clippings with the history delegate, snippets
// with the snippet delegate (snippet icon instead of the letter). A release on the right end of a
// clipping result opens that clipping's menu; any other release activates the result.
class SearchDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    SearchDelegate(QWidget *parent, HistoryItemDelegate *historyDelegate, SnippetDelegate *snippetDelegate,
                   HistoryItemView *historyView);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    HistoryItemDelegate *historyDelegate;
    HistoryItemView *historyView;
    SnippetDelegate *snippetDelegate;
};
