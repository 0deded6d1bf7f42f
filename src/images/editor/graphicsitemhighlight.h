#pragma once

#include "images/editor/graphicsitembase.h"

#include <QGraphicsRectItem>
#include <QImage>

// A spotlight: a rounded window through the blurred, darkened background that shows the picture
// sharp. start is the press corner and extent the size, negative while drawn up or to the left.
class GraphicsItemHighlight : public QGraphicsRectItem, public GraphicsItemBase
{
public:
    enum { Type = HighlightType };

    // image is the unblurred picture in scene pixels.
    GraphicsItemHighlight(QPointF pos, const QImage &image, QGraphicsItem *parent = nullptr);

    QPointF extent() const { return m_extent; }

    void positionFromHandle(GraphicsItemHandle *handle) override;
    void updatePosition() override;
    QPointF start() const override { return m_start; }
    void setEnd(QPointF point) override;
    void move(QPointF offset, QPointF pos) override;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF m_start;
    QPointF m_extent;
    QImage m_image;
};
