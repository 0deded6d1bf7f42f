#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>

// A hollow frame from the press corner start to the opposite corner end. The rectangle keeps the
// direction it was drawn in, so its width and height may be negative.
class GraphicsItemRectangle : public QGraphicsRectItem, public GraphicsItemBase
{
public:
    enum { Type = RectangleType };
    enum Handle { TopLeft, TopRight, BottomLeft, BottomRight };

    explicit GraphicsItemRectangle(QPointF pos, QGraphicsItem *parent = nullptr);

    QPointF end() const { return m_end; }

    void positionFromHandle(GraphicsItemHandle *handle) override;
    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;
    void move(QPointF offset, QPointF pos) override;
    bool hit(QPointF pos) const override;
    bool hit(QRectF rect) const override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    QRectF paintedBounds() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF m_start;
    QPointF m_end;
};
