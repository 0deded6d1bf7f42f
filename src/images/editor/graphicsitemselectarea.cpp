#include "images/editor/graphicsitemselectarea.h"

#include <QPainter>
#include <QPen>

GraphicsItemSelectArea::GraphicsItemSelectArea(QPointF pos, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , m_start(pos)
    , m_end(pos)
{
    setZValue(SelectAreaZ);
}

void GraphicsItemSelectArea::updatePosition()
{
    setRect(QRectF(m_start, QSizeF(m_end.x() - m_start.x(), m_end.y() - m_start.y())).normalized());
    update();
}

void GraphicsItemSelectArea::setEnd(QPointF point)
{
    m_end = point;
    updatePosition();
}

void GraphicsItemSelectArea::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect().normalized();
    painter->fillRect(r, QColor(0, 0, 0, 100));
    QPen outline = pen();
    outline.setColor(Qt::white);
    outline.setWidth(1);
    outline.setStyle(Qt::SolidLine);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r);
}
