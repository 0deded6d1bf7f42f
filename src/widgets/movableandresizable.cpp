#include "widgets/movableandresizable.h"

#include "widgets/customshadoweffect.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLayout>
#include <QMouseEvent>

namespace {
// Depth of the strip at the top that moves the window.
const int MoveStripHeight = 40;
} // namespace

// Sees the mouse events of every widget, so that the window can take the presses on its children
// that fall in an edge zone.
class MovableAndResizable::EdgeGrip : public QObject
{
public:
    explicit EdgeGrip(MovableAndResizable *window)
        : QObject(window)
        , m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override { return m_window->takeEdgeEvent(watched, event); }

private:
    MovableAndResizable *m_window;
};

MovableAndResizable::MovableAndResizable(QWidget *parent)
    : QMainWindow(parent)
{
    setMouseTracking(true);
    // The lists and the header fill the window up to its edges and would take those presses.
    m_edgeGrip = new EdgeGrip(this);
}

MovableAndResizable::~MovableAndResizable()
{
    // Before the children go: the grip must not see a window half taken apart.
    delete m_edgeGrip;
}

bool MovableAndResizable::takeEdgeEvent(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        || watched == this || !watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;

    // A press on a child in an edge zone resizes the window; the child keeps the mouse until the
    // release, so that drag is followed here too.
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPointF global = mouse->globalPosition();
    const QPointF local = mapFromGlobal(global);
    // A button keeps the whole of its face, as it would beside a window frame.
    const bool takePress = type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton
        && checkResizeArea(local.toPoint()) != RESIZE_NONE && !qobject_cast<QAbstractButton *>(watched);
    if (!takePress && !(resizing && type != QEvent::MouseButtonPress))
        return false;

    QMouseEvent mapped(type, local, global, mouse->button(), mouse->buttons(), mouse->modifiers(),
                       mouse->pointingDevice());
    if (type == QEvent::MouseButtonPress)
        mousePressEvent(&mapped);
    else if (type == QEvent::MouseMove)
        mouseMoveEvent(&mapped);
    else
        mouseReleaseEvent(&mapped);
    return true;
}

ResizeArea MovableAndResizable::checkResizeArea(QPoint const &point) const
{
    const int x = point.x();
    const int y = point.y();
    const int w = width();
    const int h = height();

    if (y <= 9) {
        if (x <= 14)
            return ResizeArea(RESIZE_TOP | RESIZE_LEFT);
        if (x >= w - 14)
            return ResizeArea(RESIZE_TOP | RESIZE_RIGHT);
        return RESIZE_TOP;
    }
    if (y >= h - 9) {
        if (x <= 14)
            return ResizeArea(RESIZE_BOTTOM | RESIZE_LEFT);
        if (x >= w - 14)
            return ResizeArea(RESIZE_BOTTOM | RESIZE_RIGHT);
        return RESIZE_BOTTOM;
    }
    if (x <= 9)
        return RESIZE_LEFT;
    if (x >= w - 9)
        return RESIZE_RIGHT;
    return RESIZE_NONE;
}

void MovableAndResizable::updateCursor(QPoint const &point)
{
    setCursor(resizeAreaToCursor(checkResizeArea(point)));
}

Qt::CursorShape MovableAndResizable::resizeAreaToCursor(ResizeArea area)
{
    switch (int(area)) {
    case RESIZE_TOP:
    case RESIZE_BOTTOM:
        return Qt::SizeVerCursor;
    case RESIZE_LEFT:
    case RESIZE_RIGHT:
        return Qt::SizeHorCursor;
    case RESIZE_TOP | RESIZE_LEFT:
    case RESIZE_BOTTOM | RESIZE_RIGHT:
        return Qt::SizeFDiagCursor;
    case RESIZE_TOP | RESIZE_RIGHT:
    case RESIZE_BOTTOM | RESIZE_LEFT:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void MovableAndResizable::mousePressEvent(QMouseEvent *event)
{
    // Only the left button's release ends a drag, so only the left button may start one;
    // otherwise a right click in the header would leave the window glued to the pointer.
    if (event->button() != Qt::LeftButton)
        return;

    const QPoint point = event->position().toPoint();
    const ResizeArea area = checkResizeArea(point);
    const QRect g = geometry();

    if (area != RESIZE_NONE) {
        resizeArea = area;
        resizing = true;
        switch (int(area)) {
        case RESIZE_TOP:
        case RESIZE_TOP | RESIZE_RIGHT:
            dragPoint = g.bottomLeft();
            break;
        case RESIZE_TOP | RESIZE_LEFT:
        case RESIZE_LEFT:
            dragPoint = g.bottomRight();
            break;
        case RESIZE_RIGHT:
        case RESIZE_BOTTOM | RESIZE_RIGHT:
            dragPoint = g.topLeft();
            break;
        default: // bottom, bottom-left
            dragPoint = g.topRight();
            break;
        }
        return;
    }

    resizeArea = RESIZE_NONE;
    if (point.y() < MoveStripHeight) {
        moving = true;
        dragPoint = point;
    }
}

void MovableAndResizable::mouseMoveEvent(QMouseEvent *event)
{
    if (moving) {
        const QPointF target = event->globalPosition() - QPointF(dragPoint);
        move(int(target.x()), int(target.y()));
        return;
    }
    if (!resizing)
        return;

    const QPoint g = mapToGlobal(event->position().toPoint());
    const QRect current = geometry();
    int left = current.x();
    int top = current.y();
    int width = current.width();
    int height = current.height();

    // dragPoint holds the opposite edge as an inclusive pixel, so the dragged left or top edge
    // spans it too: counting it keeps the opposite edge where it was.
    if (resizeArea & RESIZE_RIGHT) {
        width = qMax(g.x() - dragPoint.x(), MinimumSize);
    } else if (resizeArea & RESIZE_LEFT) {
        width = qMax(dragPoint.x() - g.x() + 1, MinimumSize);
        left = qMin(dragPoint.x() - MinimumSize + 1, g.x());
    }
    if (resizeArea & RESIZE_BOTTOM) {
        height = qMax(g.y() - dragPoint.y(), MinimumSize);
    } else if (resizeArea & RESIZE_TOP) {
        height = qMax(dragPoint.y() - g.y() + 1, MinimumSize);
        top = qMin(dragPoint.y() - MinimumSize + 1, g.y());
    }
    move(left, top);
    resize(width, height);
}

void MovableAndResizable::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        moving = false;
        resizing = false;
    }
}

void MovableAndResizable::setShadowFrame(QWidget *central, QWidget *frame, bool composited)
{
    m_shadowCentral = central;
    m_shadowFrame = frame;
    setComposited(composited);
}

void MovableAndResizable::setComposited(bool composited)
{
    if (m_shadowCentral && m_shadowCentral->layout()) {
        const int margin = composited ? ShadowMargin : 0;
        m_shadowCentral->layout()->setContentsMargins(margin, margin, margin, margin);
    }
    if (!m_shadowFrame)
        return;
    if (!composited) {
        m_shadowFrame->setGraphicsEffect(nullptr);
    } else if (!m_shadowFrame->graphicsEffect()) {
        auto *shadow = new CustomShadowEffect(m_shadowFrame);
        shadow->setDistance(0);
        shadow->setBlurRadius(10.0);
        shadow->setColor(QColor(0, 0, 0, 100));
        m_shadowFrame->setGraphicsEffect(shadow);
    }
}
