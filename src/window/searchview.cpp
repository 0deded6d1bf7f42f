#include "window/searchview.h"

#include "widgets/customscrollbar.h"
#include "window/historyitemview.h"
#include "window/searchmodel.h"

#include <QKeyEvent>
#include <QSortFilterProxyModel>

SearchView::SearchView(QWidget *parent)
    : QListView(parent)
{
    historyView = nullptr;
    new CustomScrollBar(this);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QRect SearchView::menuSquare(const QRect &row)
{
    const int H = row.bottom() - row.top() + 1;
    return QRect(QPoint(row.right() - H, row.top()), QPoint(row.right(), row.bottom()));
}

bool SearchView::openResultMenu(HistoryItemView *menuView, const QModelIndex &result, const QRect &row)
{
    const QModelIndex source = SearchModel::sourceIndex(result);
    if (!menuView || !source.isValid() || !qobject_cast<const QSortFilterProxyModel *>(source.model()))
        return false;
    menuView->resultMenuClicked(source, viewport()->mapToGlobal(menuSquare(row).center()));
    // Later, not here: the rebuild frees the result rows, and the caller may still hold one.
    if (auto *results = qobject_cast<SearchModel *>(model()))
        QMetaObject::invokeMethod(results, &SearchModel::update, Qt::QueuedConnection);
    return true;
}

void SearchView::keyPressEvent(QKeyEvent *event)
{
    // Results are activated on release. On the press the list view would activate too (Return,
    // Enter), or search for a row starting with a blank and move the current row (Space).
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void SearchView::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return) {
        // X11 repeats a held key as release and press pairs: one physical press pastes once.
        if (!event->isAutoRepeat())
            emit activated(SearchModel::sourceIndex(currentIndex()));
        event->accept();
        return;
    }
    if (key == Qt::Key_Menu && !event->isAutoRepeat() && currentIndex().isValid())
        openResultMenu(historyView, currentIndex(), visualRect(currentIndex()));
    QWidget::keyReleaseEvent(event);
}

void SearchView::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}
