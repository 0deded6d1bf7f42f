#pragma once

#include "images/editor/undobase.h"

class GraphicsItemBase;

class UndoWidth : public UndoBase
{
public:
    UndoWidth(GraphicsItemBase *item, int oldWidth, int newWidth);

    void undo() override;
    void redo() override;

private:
    GraphicsItemBase *m_item;
    int m_oldWidth;
    int m_newWidth;
};
