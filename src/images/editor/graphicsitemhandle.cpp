#include "images/editor/graphicsitemhandle.h"

#include "images/editor/imageeditgraphicsview.h"
#include "images/editor/undomovehandle.h"

#include <QGraphicsScene>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>

namespace {

QRectF squareAt(const QPointF &position)
{
    return QRectF(position - QPointF(4, 4), QSizeF(8, 8));
}

} // namespace

GraphicsItemHandle::GraphicsItemHandle(const QPointF &position, bool undoable, QGraphicsItem *parent)
    : QGraphicsRectItem(squareAt(position), parent)
    , m_position(position)
    , m_undoable(undoable)
{
    setPen(QPen(QBrush(Qt::white), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    setZValue(GraphicsItemBase::HandleZ);
}

GraphicsItemHandle::~GraphicsItemHandle()
{
    leaveHover();
}

void GraphicsItemHandle::setPos(const QPointF &position)
{
    m_position = position;
    setRect(squareAt(position));
}

bool GraphicsItemHandle::mousePress(QPointF pos)
{
    if (!rect().contains(pos))
        return false;
    m_pressPosition = m_position;
    m_pressed = true;
    return true;
}

bool GraphicsItemHandle::mouseMove(QPointF pos)
{
    updateHover(pos);
    if (!m_pressed)
        return false;
    setPos(pos);
    update();
    return true;
}

bool GraphicsItemHandle::mouseRelease(QPointF)
{
    if (m_pressed && m_undoable && m_position != m_pressPosition && scene() && !scene()->views().isEmpty()) {
        if (auto *view = qobject_cast<ImageEditGraphicsView *>(scene()->views().first()))
            view->addUndo(new UndoMoveHandle(this, m_pressPosition, m_position));
    }
    m_pressed = false;
    return false;
}

void GraphicsItemHandle::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(rect(), Qt::black);
    painter->fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
}

QVariant GraphicsItemHandle::itemChange(GraphicsItemChange change, const QVariant &value)
{
    // A handle hidden under the pointer hears no more moves; give the cursor back now.
    if (change == ItemVisibleHasChanged && !value.toBool())
        leaveHover();
    return QGraphicsRectItem::itemChange(change, value);
}

void GraphicsItemHandle::updateHover(QPointF pos)
{
    const bool inside = rect().contains(pos);
    if (inside && !m_hover) {
        const QCursor *current = QGuiApplication::overrideCursor();
        if (!current || current->shape() != Qt::SizeAllCursor) {
            QGuiApplication::setOverrideCursor(Qt::SizeAllCursor);
            m_pushedCursor = true;
        }
        m_hover = true;
    } else if (!inside && m_hover) {
        leaveHover();
    }
}

void GraphicsItemHandle::leaveHover()
{
    if (m_pushedCursor && qGuiApp)
        QGuiApplication::restoreOverrideCursor();
    m_pushedCursor = false;
    m_hover = false;
}
