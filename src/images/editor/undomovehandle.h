#pragma once

#include "images/editor/undobase.h"

#include <QPointF>

class GraphicsItemHandle;

// One drag of a handle; the annotation re-derives its shape from the handle's place.
class UndoMoveHandle : public UndoBase
{
public:
    UndoMoveHandle(GraphicsItemHandle *handle, const QPointF &oldPosition, const QPointF &newPosition);

    void undo() override;
    void redo() override;

private:
    void place(const QPointF &position);

    GraphicsItemHandle *m_handle;
    QPointF m_oldPosition;
    QPointF m_newPosition;
};
