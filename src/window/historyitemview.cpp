#include "window/historyitemview.h"

#include "widgets/customscrollbar.h"
#include "history/itemrole.h"
#include "window/historycontextmenu.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPersistentModelIndex>
#include <QSet>
#include <QTimer>

namespace {

bool isLetter(int key)
{
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

} // namespace

HistoryItemView::HistoryItemView(QWidget *parent)
    : QListView(parent)
{
    new CustomScrollBar(this);
    snippetModel = nullptr;
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Made before the window connects its own handlers, so the current row has moved on first.
    connect(this, &QAbstractItemView::activated, this, &HistoryItemView::stepAfter);
    connect(this, &HistoryItemView::multipleActivated, this, &HistoryItemView::stepAfterList);
}

void HistoryItemView::setModel(QAbstractItemModel *model)
{
    if (QAbstractItemModel *old = this->model()) {
        disconnect(old, &QAbstractItemModel::modelAboutToBeReset, this, nullptr);
        disconnect(old, &QAbstractItemModel::modelReset, this, nullptr);
    }
    QListView::setModel(model);
    if (!model)
        return;
    // A long history whose rest cannot follow its first page is read again whole under the open
    // window, emptied and filled through several resets before it returns to the event loop; the
    // highlight stays on its clipping.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        const QVariant current = currentIndex().data(IdRole);
        if (!current.isValid())
            return;
        if (!m_currentBeforeReset.isValid())
            QTimer::singleShot(0, this, [this] { m_currentBeforeReset = QVariant(); });
        m_currentBeforeReset = current;
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        if (const QModelIndex row = rowOfClipping(m_currentBeforeReset); row.isValid()) {
            setCurrentIndex(row);
            m_currentBeforeReset = QVariant();
        }
    });
}

QModelIndex HistoryItemView::rowOfClipping(const QVariant &id) const
{
    if (!model() || !id.isValid() || model()->rowCount() == 0)
        return QModelIndex();
    const QModelIndexList found = model()->match(model()->index(0, 0), IdRole, id, 1, Qt::MatchExactly);
    return found.isEmpty() ? QModelIndex() : found.first();
}

void HistoryItemView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    // The list view lays out every row again on any change; a thumbnail leaves the row's height as
    // it was, and with thousands of image rows scrolled past the layouts would add up to minutes.
    if (roles.size() == 1 && roles.first() == ThumbnailRole) {
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    QListView::dataChanged(topLeft, bottomRight, roles);
}

void HistoryItemView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        selectAll();
        event->accept();
        return;
    }
    // Rows are activated on release only. The list view would activate on a Return or Enter press
    // and jump to rows by typed characters; they start the search instead, on release.
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || isLetter(key)
        || !searchText(event).isEmpty()) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

QString HistoryItemView::searchText(const QKeyEvent *event)
{
    if (event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QString();
    const QString text = event->text();
    if (text.trimmed().isEmpty())
        return QString();
    for (const char32_t character : text.toUcs4()) {
        if (!QChar::isPrint(character))
            return QString();
    }
    return text;
}

void HistoryItemView::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool handled = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Delete;
    // X11 repeats a held key as release and press pairs: one physical press acts once.
    if (event->isAutoRepeat()) {
        if (handled)
            event->accept();
        else
            QWidget::keyReleaseEvent(event);
        return;
    }

    // The window's KeyReleaseGuard keeps away the release of a key that closed a menu or a box.
    if (key == Qt::Key_Space || key == Qt::Key_Return) {
        const QModelIndexList selection = selectedIndexes();
        if (selection.size() >= 2)
            emit multipleActivated(selection);
        else if (currentIndex().isValid())
            emit activated(currentIndex());
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete) {
        removeSelected();
        event->accept();
        return;
    }
    if (key == Qt::Key_Menu)
        showMenuAtCurrentRow();
    QWidget::keyReleaseEvent(event);
}

void HistoryItemView::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void HistoryItemView::removeSelected()
{
    if (!model())
        return;
    const QModelIndexList selection = selectedIndexes();
    int target = model()->rowCount();
    for (const QModelIndex &index : selection)
        target = qMin(target, index.row());
    // Nothing to remove: after the last row was pasted no row is current.
    if (selection.size() < 2 && !currentIndex().isValid())
        return;

    // The row that will stand in the first one's place, followed as it moves: the removal may
    // first bring in rows above it (the rest of a long history).
    QSet<int> removed;
    for (const QModelIndex &index : selection.size() < 2 ? QModelIndexList{currentIndex()} : selection)
        removed.insert(index.row());
    QPersistentModelIndex next;
    for (int row = target; row < model()->rowCount() && !next.isValid(); ++row) {
        if (!removed.contains(row))
            next = model()->index(row, 0);
    }

    const QVariant nextId = next.data(IdRole);
    if (selection.size() < 2)
        emit removeItem(currentIndex());
    else
        emit removeItems(selection);
    // Read again whole meanwhile, the history has no rows of before: the same clipping is found anew.
    setCurrentIndex(next.isValid() ? QModelIndex(next) : rowOfClipping(nextId));
}

void HistoryItemView::showMenuAtCurrentRow()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const QRect r = visualRect(current);
    const int h = (r.bottom() - r.top() + 1) / 2;
    const QPoint point(r.right() - h - 50, r.bottom() - h + 10);
    showMenu(current, viewport()->mapToGlobal(point));
}

void HistoryItemView::stepAfter(const QModelIndex &index)
{
    if (!model() || index.model() != model())
        return;
    const int rows = model()->rowCount();
    setCurrentIndex(model()->index(qMin(rows, index.row() + 1), 0));
}

void HistoryItemView::stepAfterList(const QList<QModelIndex> &indexes)
{
    if (!indexes.isEmpty())
        stepAfter(indexes.last());
}

void HistoryItemView::modelChanged()
{
    if (!model())
        return;
    setCurrentIndex(model()->index(0, 0));
    scrollToTop();
    clearSelection();
}

void HistoryItemView::selectAddedItem(int delay)
{
    clearSelection();
    if (!model())
        return;
    const int rows = model()->rowCount();
    int row = 0;
    while (row < rows && model()->index(row, 0).data(Qt::CheckStateRole).toBool())
        ++row;
    QTimer::singleShot(delay, this, [this, row] {
        const QModelIndex index = model() ? model()->index(row, 0) : QModelIndex();
        if (index.isValid() && selectionModel())
            selectionModel()->select(index, QItemSelectionModel::Select);
    });
}

void HistoryItemView::menuClicked(QModelIndex const &index, QPoint pos)
{
    showMenu(index, QPoint(pos.x() - 50, pos.y() + 10));
}

void HistoryItemView::menuClicked(QModelIndex const &index)
{
    showMenu(index, QCursor::pos());
}

void HistoryItemView::resultMenuClicked(QModelIndex const &index, QPoint pos)
{
    openMenu(index, QPoint(pos.x() - 50, pos.y() + 10), {index});
}

void HistoryItemView::showMenu(QModelIndex const &index, QPoint pos)
{
    openMenu(index, pos, selectedIndexes());
}

void HistoryItemView::openMenu(const QModelIndex &index, QPoint pos, const QModelIndexList &selection)
{
    HistoryContextMenu menu(this, index, selection);
    menu.exec(pos);
}

