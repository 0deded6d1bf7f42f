#include "images/editor/undocreate.h"

#include <QGraphicsItem>

UndoCreate::UndoCreate(QGraphicsItem *item)
    : m_item(item)
{
}

void UndoCreate::undo()
{
    m_item->setVisible(false);
}

void UndoCreate::redo()
{
    m_item->setVisible(true);
    m_item->update();
}
