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
