#pragma once

#include "images/editor/undobase.h"

#include <QColor>

class GraphicsItemBase;

class UndoColor : public UndoBase
{
public:
    UndoColor(GraphicsItemBase *item, const QColor &oldColor, const QColor &newColor);

    void undo() override;
    void redo() override;

private:
    GraphicsItemBase *m_item;
    QColor m_oldColor;
    QColor m_newColor;
};
