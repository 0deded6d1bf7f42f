#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsEllipseItem>

// A numbered disc centred on start.
class GraphicsItemNumber : public QGraphicsEllipseItem, public GraphicsItemBase
{
public:
    enum { Type = NumberType };

    GraphicsItemNumber(QPointF pos, int number, QGraphicsItem *parent = nullptr);

    int number() const { return m_number; }

    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;
    void move(QPointF offset, QPointF pos) override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF m_start;
    int m_number;
};
