#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>

// The rubber band of the select tool, from the press point start to the pointer.
class GraphicsItemSelectArea : public QGraphicsRectItem, public GraphicsItemBase
{
public:
    enum { Type = SelectAreaType };

    explicit GraphicsItemSelectArea(QPointF pos, QGraphicsItem *parent = nullptr);

    QPointF end() const { return m_end; }

    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;

    int type() const override { return Type; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF m_start;
    QPointF m_end;
};
