#pragma once

#include "images/editor/undobase.h"

class QGraphicsItem;

// A new annotation: undo hides it, redo shows it again.
class UndoCreate : public UndoBase
{
public:
    explicit UndoCreate(QGraphicsItem *item);

    void undo() override;
    void redo() override;

private:
    QGraphicsItem *m_item;
};
