#include "images/editor/graphicsitemhighlight.h"

#include "images/editor/framehandles.h"
#include "images/editor/graphicsitemhandle.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>

GraphicsItemHighlight::GraphicsItemHighlight(QPointF pos, const QImage &image, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , m_start(pos)
    , m_image(image)
{
    auto *shadow = new QGraphicsDropShadowEffect;
    shadow->setBlurRadius(10);
    shadow->setColor(QColor(0, 0, 0, 128));
    shadow->setOffset(3, 3);
    setGraphicsEffect(shadow);
    m_width = 1;
    addHandles(this, FrameHandles::Count, pos, false);
    setZValue(HighlightZ);
}

void GraphicsItemHighlight::positionFromHandle(GraphicsItemHandle *handle)
{
    FrameHandles::resize(m_handles.indexOf(handle), handle->position(), m_start, m_extent);
}

void GraphicsItemHighlight::updatePosition()
{
    prepareGeometryChange();
    setRect(QRectF(m_start, QSizeF(m_extent.x(), m_extent.y())));
    update();
    FrameHandles::place(m_handles, m_start, m_extent);
}

void GraphicsItemHighlight::setEnd(QPointF point)
{
    m_extent = point - m_start;
    updatePosition();
}

void GraphicsItemHighlight::move(QPointF offset, QPointF pos)
{
    m_start = pos - offset;
    updatePosition();
}

QRectF GraphicsItemHighlight::boundingRect() const
{
    // Normalised, so a spot drawn up or to the left is still found and repainted by the scene.
    const qreal half = pen().widthF() / 2;
    return rect().normalized().adjusted(-half, -half, half, half);
}

void GraphicsItemHighlight::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect().normalized();
    QPainterPath window;
    window.addRoundedRect(r, 10, 10, Qt::AbsoluteSize);
    painter->setClipPath(window);
    painter->drawImage(r, m_image, r);
}
