#include "images/editor/undocolor.h"

#include "images/editor/graphicsitembase.h"

UndoColor::UndoColor(GraphicsItemBase *item, const QColor &oldColor, const QColor &newColor)
    : m_item(item)
    , m_oldColor(oldColor)
    , m_newColor(newColor)
{
}

void UndoColor::undo()
{
    m_item->setColor(m_oldColor);
    m_item->updatePosition();
}

void UndoColor::redo()
{
    m_item->setColor(m_newColor);
    m_item->updatePosition();
}
