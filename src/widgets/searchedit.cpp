#include "widgets/searchedit.h"

#include <QKeyEvent>

SearchEdit::SearchEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void SearchEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Escape)
        emit leave();
    QLineEdit::keyPressEvent(event);
}

void SearchEdit::keyReleaseEvent(QKeyEvent *event)
{
    // X11 repeats a held key as release and press pairs: one physical press acts once.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
        emit returnReleased();
    QLineEdit::keyReleaseEvent(event);
}
