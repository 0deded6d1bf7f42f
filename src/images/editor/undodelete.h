#pragma once

#include "images/editor/undobase.h"

class QGraphicsItem;

// A deleted annotation, which is only hidden: undo shows it again, redo hides it.
class UndoDelete : public UndoBase
{
public:
    explicit UndoDelete(QGraphicsItem *item);

    void undo() override;
    void redo() override;

private:
    QGraphicsItem *m_item;
};
