#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>

// An 8 x 8 drag square on an annotation. Its scene position stays (0, 0); only its rectangle
// moves, centred on position(), in the parent annotation's coordinates.
class GraphicsItemHandle : public QGraphicsRectItem
{
public:
    enum { Type = GraphicsItemBase::HandleType };

    GraphicsItemHandle(const QPointF &position, bool undoable, QGraphicsItem *parent);
    ~GraphicsItemHandle() override;

    // Moves the square, never the item. Call it on the handle itself: through a QGraphicsItem
    // pointer the item's own setPos would move the whole handle.
    void setPos(const QPointF &position);
    QPointF position() const { return m_position; }
    bool pressed() const { return m_pressed; }

    bool mousePress(QPointF pos);
    bool mouseMove(QPointF pos);
    bool mouseRelease(QPointF pos);

    // Ends the hover as if the pointer had left the square, giving back the cursor it set.
    void leaveHover();

    int type() const override { return Type; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void updateHover(QPointF pos);

    QPointF m_position;
    QPointF m_pressPosition;
    bool m_pressed = false;
    bool m_hover = false;
    bool m_undoable = false;
    // Whether this handle pushed the application's size-all cursor, so it pops only its own.
    bool m_pushedCursor = false;
};
