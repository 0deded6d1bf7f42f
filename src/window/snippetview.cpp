#include "window/snippetview.h"

#include "widgets/customscrollbar.h"

#include <QKeyEvent>

SnippetView::SnippetView(QWidget *parent)
    : QListView(parent)
{
    new CustomScrollBar(this);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void SnippetView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    // Letters pick a snippet on release. The list view would also activate on a Return or Enter
    // press, so a single Return would paste twice.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void SnippetView::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // X11 repeats a held key as release and press pairs: one physical press pastes once.
        if (!event->isAutoRepeat())
            emit activated(currentIndex());
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void SnippetView::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}
