#include "images/editor/graphicsitemtext.h"

#include "images/editor/graphicsitemhandle.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace {

QPainterPath roundedBox(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius, Qt::AbsoluteSize);
    return path;
}

QPainterPath polygonPath(const QPolygonF &polygon)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

} // namespace

GraphicsItemText::GraphicsItemText(QPointF pos, const QString &text, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
    , m_start(pos)
    , m_end(pos)
    , m_text(text)
{
    setPen(QPen(QBrush(m_color), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    addHandles(this, 2, pos, true);
    setZValue(AnnotationZ);
}

QFont GraphicsItemText::textFont(int width)
{
    QFont font;
    font.setPixelSize(qMax(1, 3 * width));
    return font;
}

void GraphicsItemText::positionFromHandle(GraphicsItemHandle *)
{
    m_end = m_handles.at(Tip)->position();
    m_start = m_handles.at(Box)->position();
}

void GraphicsItemText::updatePosition()
{
    prepareGeometryChange();
    const qreal w = m_width;
    const qreal margin = m_width < 5 ? 2 * w : w;
    const QSizeF textSize = QFontMetrics(textFont(m_width)).size(Qt::TextDontClip, m_text);
    setRect(QRectF(m_start.x() - textSize.width() / 2 - 1.5 * margin, m_start.y() - textSize.height() / 2 - margin,
                   textSize.width() + 3 * margin, textSize.height() + 2 * margin));

    const QPointF centre = rect().center();
    const QLineF toTip(centre, m_end);
    if (toTip.length() > 0) {
        const QPointF normal = QPointF(toTip.dy(), -toTip.dx()) / toTip.length();
        m_pointer = QPolygonF({m_end, centre + 1.5 * w * normal, centre - 1.5 * w * normal});
    } else {
        m_pointer = QPolygonF({m_end, m_start, m_start});
    }
    update();
    m_handles.at(Tip)->setPos(m_end);
    m_handles.at(Box)->setPos(m_start);
}

void GraphicsItemText::setEnd(QPointF point)
{
    // Drawing drags the box away from the pressed spot, which the tip keeps pointing at.
    m_start = point;
    updatePosition();
}

void GraphicsItemText::move(QPointF offset, QPointF pos)
{
    moveTogether(offset, pos, m_start, m_end);
    updatePosition();
}

QRectF GraphicsItemText::boundingRect() const
{
    const qreal grow = m_width;
    return rect().normalized().united(QRectF(m_end, QSizeF(1, 1))).adjusted(-grow, -grow, grow, grow);
}

QPainterPath GraphicsItemText::shape() const
{
    return QGraphicsRectItem::shape().united(polygonPath(m_pointer));
}

void GraphicsItemText::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const int w = m_width;
    const QRectF r = rect();
    const int d = shadowOffset(w);
    const qreal o = w < 5 ? 0 : -1;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    QPen outline = pen();

    if (m_picked) {
        painter->fillPath(roundedBox(r, w + 4), Qt::white);
        outline.setWidth(8);
        outline.setColor(Qt::white);
        painter->setPen(outline);
        painter->drawPolygon(m_pointer.translated(o, o));
    } else {
        const QPainterPath shadow = roundedBox(QRectF(r.x() + d, r.y() + d, r.width() - d, r.height() - d), w + 2)
                                        .united(polygonPath(m_pointer.translated(d, d)));
        painter->fillPath(shadow, QColor(0, 0, 0, 96));
    }

    painter->fillPath(roundedBox(r.adjusted(2, 2, -2, -2), w + 2), Qt::black);
    outline.setWidth(4);
    outline.setColor(Qt::black);
    painter->setPen(outline);
    painter->drawPolygon(m_pointer.translated(o, o));

    if (w > 4) {
        painter->fillPath(roundedBox(r.adjusted(4, 4, -4, -4), w), Qt::white);
        outline.setWidth(2);
        outline.setColor(Qt::white);
        painter->setPen(outline);
        painter->drawPolygon(m_pointer.translated(-1, -1));
    }

    const int k = w <= 4 ? 4 : w <= 8 ? 5 : 6;
    painter->fillPath(roundedBox(QRectF(r.x() + k, r.y() + k, r.width() - 4 - k, r.height() - 4 - k), w), m_color);
    painter->fillPath(polygonPath(m_pointer), m_color);

    painter->setFont(textFont(w));
    painter->setPen(m_color == QColor(Qt::black) ? Qt::white : Qt::black);
    painter->drawText(r, Qt::AlignCenter | Qt::TextDontClip, m_text);
}
