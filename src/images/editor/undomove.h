#pragma once

#include "images/editor/undobase.h"

#include <QPointF>

class GraphicsItemBase;

// A move of a whole annotation, by its start point in scene coordinates.
class UndoMove : public UndoBase
{
public:
    UndoMove(GraphicsItemBase *item, const QPointF &oldStart, const QPointF &newStart);

    void undo() override;
    void redo() override;

private:
    GraphicsItemBase *m_item;
    QPointF m_oldStart;
    QPointF m_newStart;
};
