#include "images/editor/undomovehandle.h"

#include "images/editor/graphicsitembase.h"
#include "images/editor/graphicsitemhandle.h"

UndoMoveHandle::UndoMoveHandle(GraphicsItemHandle *handle, const QPointF &oldPosition, const QPointF &newPosition)
    : m_handle(handle)
    , m_oldPosition(oldPosition)
    , m_newPosition(newPosition)
{
}

void UndoMoveHandle::undo()
{
    place(m_oldPosition);
}

void UndoMoveHandle::redo()
{
    place(m_newPosition);
}

void UndoMoveHandle::place(const QPointF &position)
{
    m_handle->setPos(position);
    if (auto *item = dynamic_cast<GraphicsItemBase *>(m_handle->parentItem())) {
        item->positionFromHandle(m_handle);
        item->updatePosition();
    }
}
