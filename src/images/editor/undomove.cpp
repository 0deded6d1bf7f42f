#include "images/editor/undomove.h"

#include "images/editor/graphicsitembase.h"

UndoMove::UndoMove(GraphicsItemBase *item, const QPointF &oldStart, const QPointF &newStart)
    : m_item(item)
    , m_oldStart(oldStart)
    , m_newStart(newStart)
{
}

void UndoMove::undo()
{
    m_item->move(QPointF(0, 0), m_oldStart);
    m_item->updatePosition();
}

void UndoMove::redo()
{
    m_item->move(QPointF(0, 0), m_newStart);
    m_item->updatePosition();
}
