#include "images/editor/undodelete.h"

#include <QGraphicsItem>

UndoDelete::UndoDelete(QGraphicsItem *item)
    : m_item(item)
{
}

void UndoDelete::undo()
{
    m_item->setVisible(true);
    m_item->update();
}

void UndoDelete::redo()
{
    m_item->setVisible(false);
}
