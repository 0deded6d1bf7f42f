#include "window/searchdelegate.h"

#include "window/historyitemdelegate.h"
#include "window/historyitemview.h"
#include "window/searchmodel.h"
#include "window/searchview.h"
#include "window/snippetdelegate.h"
#include "snippets/snippetmodel.h"

#include <QMouseEvent>
#include <QSortFilterProxyModel>

namespace {

bool isSnippet(const QModelIndex &source)
{
    return qobject_cast<const SnippetModel *>(source.model()) != nullptr;
}

} // namespace

SearchDelegate::SearchDelegate(QWidget *parent, HistoryItemDelegate *historyDelegate, SnippetDelegate *snippetDelegate,
                               HistoryItemView *historyView)
    : QStyledItemDelegate(parent)
    , historyDelegate(historyDelegate)
    , historyView(historyView)
    , snippetDelegate(snippetDelegate)
{
    // Clipping results change height with the history rows (compact list).
    if (historyDelegate)
        connect(historyDelegate, &QAbstractItemDelegate::sizeHintChanged, this, &QAbstractItemDelegate::sizeHintChanged);
}

QSize SearchDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QModelIndex source = SearchModel::sourceIndex(index);
    // Gone since the last rebuild: an empty row until the next one.
    if (!source.isValid())
        return QSize(0, 0);
    if (isSnippet(source))
        return snippetDelegate->sizeHint(option, source);
    return historyDelegate->sizeHint(option, source);
}

void SearchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QModelIndex source = SearchModel::sourceIndex(index);
    if (!source.isValid())
        return;
    if (isSnippet(source))
        snippetDelegate->paint(painter, option, source, true);
    else
        historyDelegate->paint(painter, option, source);
}

bool SearchDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                 const QModelIndex &index)
{
    if (event->type() == QEvent::MouseMove)
        return true;
    if (event->type() != QEvent::MouseButtonRelease || !index.isValid())
        return QStyledItemDelegate::editorEvent(event, model, option, index);

    auto *view = qobject_cast<SearchView *>(const_cast<QWidget *>(option.widget));
    const QModelIndex source = SearchModel::sourceIndex(index);
    const QPoint p = static_cast<QMouseEvent *>(event)->position().toPoint();
    if (view && !isSnippet(source) && SearchView::menuSquare(option.rect).contains(p)) {
        if (view->openResultMenu(historyView, index, option.rect))
            return true;
    }
    if (view && SnippetDelegate::isLeftRelease(event))
        emit view->activated(source);
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
