#include "images/editor/graphicsitemarrow.h"

#include "images/editor/graphicsitemhandle.h"

#include <QPainter>
#include <QPen>
#include <QtMath>

GraphicsItemArrow::GraphicsItemArrow(QPointF pos, QGraphicsItem *parent)
    : QGraphicsLineItem(parent)
    , m_start(pos)
    , m_end(pos)
{
    setPen(QPen(QBrush(m_color), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    addHandles(this, 2, pos, true);
    setZValue(AnnotationZ);
}

void GraphicsItemArrow::positionFromHandle(GraphicsItemHandle *)
{
    m_start = m_handles.at(0)->position();
    m_end = m_handles.at(1)->position();
}

void GraphicsItemArrow::updatePosition()
{
    prepareGeometryChange();
    const qreal headLength = 2.0 * m_width;
    QLineF line(m_start, m_end);
    QPointF tip = m_end;
    if (line.length() > 0) {
        line.setLength(qMax(headLength, line.length()));
        tip = line.p2();
    }
    // The shaft stops inside the head, so its round cap cannot poke through the tip.
    if (line.length() > 0)
        line.setLength(line.length() - m_width);
    setLine(line);

    const qreal angle = std::atan2(-line.dy(), line.dx());
    const QPointF p1 = tip - QPointF(std::sin(angle + M_PI / 3) * headLength, std::cos(angle + M_PI / 3) * headLength);
    const QPointF p2 = tip - QPointF(std::sin(angle + M_PI - M_PI / 3) * headLength, std::cos(angle + M_PI - M_PI / 3) * headLength);
    m_arrowHead = QPolygonF({tip, p1, p2});
    update();
    m_handles.at(1)->setPos(m_end);
    m_handles.at(0)->setPos(m_start);
}

void GraphicsItemArrow::setEnd(QPointF point)
{
    m_end = point;
    updatePosition();
}

void GraphicsItemArrow::move(QPointF offset, QPointF pos)
{
    moveTogether(offset, pos, m_start, m_end);
    updatePosition();
}

QRectF GraphicsItemArrow::boundingRect() const
{
    const qreal grow = 3.0 * m_width;
    return QRectF(line().p1(), line().p2()).normalized().adjusted(-grow, -grow, grow, grow);
}

QRectF GraphicsItemArrow::paintedBounds() const
{
    return layersBounds(QRectF(line().p1(), line().p2()).normalized().united(m_arrowHead.boundingRect()));
}

QPainterPath GraphicsItemArrow::shape() const
{
    QPainterPath head;
    head.addPolygon(m_arrowHead);
    head.closeSubpath();
    return QGraphicsLineItem::shape().united(head);
}

void GraphicsItemArrow::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    paintLayers(painter, pen(), [this, painter](QPointF offset) {
        painter->drawLine(line().translated(offset));
        painter->drawPolygon(m_arrowHead.translated(offset));
    });
}
