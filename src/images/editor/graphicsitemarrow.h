#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsLineItem>
#include <QPolygonF>

// A line from start (the tail) towards end with a head at the tip. Lines shorter than the head are
// drawn at the head's length in the drag direction; end keeps the mouse point.
class GraphicsItemArrow : public QGraphicsLineItem, public GraphicsItemBase
{
public:
    enum { Type = ArrowType };

    explicit GraphicsItemArrow(QPointF pos, QGraphicsItem *parent = nullptr);

    QPointF end() const { return m_end; }
    QPolygonF arrowHead() const { return m_arrowHead; }

    void positionFromHandle(GraphicsItemHandle *handle) override;
    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;
    void move(QPointF offset, QPointF pos) override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    QRectF paintedBounds() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF m_start;
    QPointF m_end;
    QPolygonF m_arrowHead;
};
