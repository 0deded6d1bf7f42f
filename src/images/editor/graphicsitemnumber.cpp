#include "images/editor/graphicsitemnumber.h"

#include <QPainter>

GraphicsItemNumber::GraphicsItemNumber(QPointF pos, int number, QGraphicsItem *parent)
    : QGraphicsEllipseItem(parent)
    , m_start(pos)
    , m_number(number)
{
    setZValue(AnnotationZ);
}

void GraphicsItemNumber::updatePosition()
{
    prepareGeometryChange();
    const qreal radius = 2.0 * m_width;
    setRect(QRectF(m_start - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)));
    update();
}

void GraphicsItemNumber::setEnd(QPointF point)
{
    m_start = point;
    updatePosition();
}

void GraphicsItemNumber::move(QPointF offset, QPointF pos)
{
    m_start = pos - offset;
    updatePosition();
}

QRectF GraphicsItemNumber::boundingRect() const
{
    const qreal grow = 3.0 * m_width;
    return rect().normalized().adjusted(-grow, -grow, grow, grow);
}

void GraphicsItemNumber::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const int w = m_width;
    const QRectF e = rect();
    painter->setRenderHint(QPainter::Antialiasing);
    const auto disc = [painter](const QRectF &rect, const QColor &color) {
        painter->setPen(QPen(color, 1));
        painter->setBrush(color);
        painter->drawEllipse(rect);
    };

    if (m_picked) {
        disc(e.adjusted(-4, -4, 4, 4), Qt::white);
    } else {
        const int d = shadowOffset(w);
        disc(e.translated(d, d), QColor(0, 0, 0, 96));
    }
    disc(e.adjusted(-2, -2, 2, 2), Qt::black);
    int t = 0;
    if (w > 4) {
        disc(e, Qt::white);
        t = w <= 8 ? 1 : 2;
    }
    disc(QRectF(e.x() + t, e.y() + t, e.width() - t, e.height() - t), m_color);

    QFont font = painter->font();
    font.setPixelSize(qMax(1, 3 * w));
    painter->setFont(font);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;
    const QString text = QString::number(m_number);
    painter->setPen(QColor(0, 0, 0, 128));
    painter->drawText(e.translated(t, 0), flags, text);
    painter->setPen(m_color == QColor(Qt::white) ? Qt::black : Qt::white);
    painter->drawText(e.translated(0, -t), flags, text);
}
