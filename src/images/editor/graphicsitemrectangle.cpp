#include "images/editor/graphicsitemrectangle.h"

#include "images/editor/graphicsitemhandle.h"

#include <QPainter>
#include <QPen>

GraphicsItemRectangle::GraphicsItemRectangle(QPointF pos, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , m_start(pos)
    , m_end(pos)
{
    setPen(QPen(QBrush(m_color), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    addHandles(this, 4, pos, true);
    setZValue(AnnotationZ);
}

void GraphicsItemRectangle::positionFromHandle(GraphicsItemHandle *handle)
{
    const QPointF p = handle->position();
    switch (m_handles.indexOf(handle)) {
    case TopLeft:
        m_start = p;
        break;
    case TopRight:
        m_start.setY(p.y());
        m_end.setX(p.x());
        break;
    case BottomLeft:
        m_start.setX(p.x());
        m_end.setY(p.y());
        break;
    case BottomRight:
        m_end = p;
        break;
    default:
        break;
    }
}

void GraphicsItemRectangle::updatePosition()
{
    prepareGeometryChange();
    setRect(QRectF(m_start, QSizeF(m_end.x() - m_start.x(), m_end.y() - m_start.y())));
    update();
    const QRectF r = rect();
    m_handles.at(TopLeft)->setPos(r.topLeft());
    m_handles.at(TopRight)->setPos(QPointF(r.left() + r.width(), r.top()));
    m_handles.at(BottomLeft)->setPos(QPointF(r.left(), r.top() + r.height()));
    m_handles.at(BottomRight)->setPos(QPointF(r.left() + r.width(), r.top() + r.height()));
}

void GraphicsItemRectangle::setEnd(QPointF point)
{
    m_end = point;
    updatePosition();
}

void GraphicsItemRectangle::move(QPointF offset, QPointF pos)
{
    moveTogether(offset, pos, m_start, m_end);
    updatePosition();
}

bool GraphicsItemRectangle::hit(QPointF pos) const
{
    const QRectF square = probe(pos);
    if (!isShown() || !shape().intersects(square))
        return false;
    // A click inside a large frame falls through to whatever lies under it.
    const QRectF r = rect();
    const qreal w = m_width;
    if (r.width() > 3 * w && r.height() > 3 * w) {
        const QRectF inner(r.x() + 2 * w, r.y() + 2 * w, r.width() - 4 * w, r.height() - 4 * w);
        return !inner.intersects(square);
    }
    return true;
}

bool GraphicsItemRectangle::hit(QRectF band) const
{
    if (!isShown())
        return false;
    // The frame's outline as drawn, whichever way the rectangle was dragged.
    const QRectF r = rect().normalized();
    const qreal half = m_width / 2.0;
    const QRectF outer = r.adjusted(-half, -half, half, half);
    const QRectF inner = r.adjusted(half, half, -half, -half);
    if (!outer.intersects(band))
        return false;
    if (!inner.intersects(band))
        return true;
    return !inner.contains(band);
}

QRectF GraphicsItemRectangle::boundingRect() const
{
    const qreal grow = 4.0 * m_width;
    return rect().normalized().adjusted(-grow, -grow, grow, grow);
}

QRectF GraphicsItemRectangle::paintedBounds() const
{
    return layersBounds(rect());
}

void GraphicsItemRectangle::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    paintLayers(painter, pen(), [this, painter](QPointF offset) { painter->drawRect(rect().translated(offset)); });
}
