#include "widgets/custommenu.h"

#include <QKeyEvent>

CustomMenu::CustomMenu(QString title, QWidget *parent)
    : QMenu(title, parent)
{
}

void CustomMenu::keyPressEvent(QKeyEvent *event)
{
    QMenu::keyPressEvent(event);
    if (event->key() == Qt::Key_Left) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QMenu::keyPressEvent(&escape);
    }
}
