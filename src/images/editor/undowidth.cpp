#include "images/editor/undowidth.h"

#include "images/editor/graphicsitembase.h"

UndoWidth::UndoWidth(GraphicsItemBase *item, int oldWidth, int newWidth)
    : m_item(item)
    , m_oldWidth(oldWidth)
    , m_newWidth(newWidth)
{
}

void UndoWidth::undo()
{
    m_item->setWidth(m_oldWidth);
    m_item->updatePosition();
}

void UndoWidth::redo()
{
    m_item->setWidth(m_newWidth);
    m_item->updatePosition();
}
