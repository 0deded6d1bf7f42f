#include "images/editor/graphicsitembase.h"

#include "images/editor/graphicsitemhandle.h"

#include <QPainter>
#include <QPen>

GraphicsItemBase::~GraphicsItemBase() = default;

void GraphicsItemBase::setColor(QColor color)
{
    m_color = color;
    updatePosition();
}

void GraphicsItemBase::setWidth(int width)
{
    m_width = width;
    updatePosition();
}

void GraphicsItemBase::positionFromHandle(GraphicsItemHandle *)
{
}

QPointF GraphicsItemBase::start() const
{
    return QPointF(0, 0);
}

void GraphicsItemBase::move(QPointF, QPointF)
{
}

void GraphicsItemBase::setPicked(bool picked)
{
    m_picked = picked;
    for (GraphicsItemHandle *handle : std::as_const(m_handles))
        handle->setVisible(picked);
    if (QGraphicsItem *item = graphicsItem())
        item->update();
}

bool GraphicsItemBase::mousePress(QPointF pos)
{
    if (!handlesActive())
        return false;
    bool taken = false;
    // Every handle hears the press, so none keeps a stale grab.
    for (GraphicsItemHandle *handle : std::as_const(m_handles))
        taken = handle->mousePress(pos) || taken;
    return taken;
}

bool GraphicsItemBase::mouseRelease(QPointF pos)
{
    // A release always reaches the handles: an item unpicked during a drag must not keep a handle
    // grabbed for the next time it is picked.
    for (GraphicsItemHandle *handle : std::as_const(m_handles))
        handle->mouseRelease(pos);
    return false;
}

bool GraphicsItemBase::mouseMove(QPointF pos)
{
    if (!handlesActive())
        return false;
    for (GraphicsItemHandle *handle : std::as_const(m_handles)) {
        if (handle->mouseMove(pos)) {
            positionFromHandle(handle);
            updatePosition();
            return true;
        }
    }
    return false;
}

bool GraphicsItemBase::hit(QPointF pos) const
{
    const QGraphicsItem *item = graphicsItem();
    return item && isShown() && item->shape().intersects(probe(pos));
}

bool GraphicsItemBase::hit(QRectF rect) const
{
    const QGraphicsItem *item = graphicsItem();
    const qreal half = m_width / 2.0;
    return item && isShown() && item->shape().intersects(rect.adjusted(-half, -half, half, half));
}

QRectF GraphicsItemBase::paintedBounds() const
{
    const QGraphicsItem *item = graphicsItem();
    return item ? item->boundingRect() : QRectF();
}

QGraphicsItem *GraphicsItemBase::graphicsItem()
{
    return dynamic_cast<QGraphicsItem *>(this);
}

const QGraphicsItem *GraphicsItemBase::graphicsItem() const
{
    return dynamic_cast<const QGraphicsItem *>(this);
}

bool GraphicsItemBase::isShown() const
{
    const QGraphicsItem *item = graphicsItem();
    return item && item->isVisible();
}

QRectF GraphicsItemBase::probe(QPointF pos) const
{
    const qreal half = m_width / 2.0;
    return QRectF(pos - QPointF(half, half), QSizeF(m_width, m_width));
}

void GraphicsItemBase::addHandles(QGraphicsItem *item, int count, QPointF pos, bool undoable)
{
    for (int i = 0; i < count; ++i) {
        auto *handle = new GraphicsItemHandle(pos, undoable, item);
        handle->setVisible(false);
        m_handles.append(handle);
    }
}

void GraphicsItemBase::moveTogether(QPointF offset, QPointF pos, QPointF &start, QPointF &end)
{
    const QPointF newStart = pos - offset;
    end += newStart - start;
    start = newStart;
}

bool GraphicsItemBase::handlesActive() const
{
    return m_picked && isShown();
}

int GraphicsItemBase::shadowOffset(int width)
{
    return width <= 4 ? 3 : 4;
}

QRectF GraphicsItemBase::layersBounds(const QRectF &figureBounds) const
{
    // The widest layer is the halo of a picked item, w + 8 wide, which reaches further than the
    // shadow's w / 2 + 4; round joins and caps stay within half the pen. Two more pixels take the
    // antialiased edge.
    const qreal reach = m_width / 2.0 + 4 + 2;
    return figureBounds.normalized().adjusted(-reach, -reach, reach, reach);
}

void GraphicsItemBase::paintLayers(QPainter *painter, QPen pen, const std::function<void(QPointF)> &figure) const
{
    const int w = m_width;
    const qreal inset = w <= 4 ? 0.0 : w <= 8 ? 0.5 : 1.0;
    painter->setRenderHint(QPainter::Antialiasing);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);

    if (m_picked) {
        pen.setWidth(w + 8);
        pen.setColor(Qt::white);
        painter->setPen(pen);
        figure(QPointF(0, 0));
    } else {
        const int d = shadowOffset(w);
        pen.setWidth(w);
        pen.setColor(QColor(0, 0, 0, 96));
        painter->setPen(pen);
        figure(QPointF(d, d));
    }

    pen.setWidth(w + 4);
    pen.setColor(Qt::black);
    painter->setPen(pen);
    figure(QPointF(0, 0));

    if (w >= 5) {
        pen.setWidth(w);
        pen.setColor(Qt::white);
        painter->setPen(pen);
        figure(QPointF(0, 0));
    }

    pen.setWidth(int(w - 2 * inset));
    pen.setColor(m_color);
    painter->setPen(pen);
    figure(QPointF(inset, inset));
}
