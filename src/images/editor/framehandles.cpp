#include "images/editor/framehandles.h"

#include "images/editor/graphicsitemhandle.h"

#include <QtGlobal>

namespace FrameHandles {

void place(const QList<GraphicsItemHandle *> &handles, QPointF start, QPointF extent)
{
    const qreal x = start.x(), y = start.y(), w = extent.x(), h = extent.y();
    const QPointF points[Count] = {
        {x, y}, {x + w / 2, y}, {x + w, y}, {x, y + h / 2}, {x + w, y + h / 2}, {x, y + h}, {x + w / 2, y + h}, {x + w, y + h},
    };
    for (int i = 0; i < handles.size() && i < Count; ++i)
        handles.at(i)->setPos(points[i]);
}

void resize(int index, QPointF to, QPointF &start, QPointF &extent)
{
    const qreal x = start.x(), y = start.y(), w = extent.x(), h = extent.y();
    const bool top = index == TopLeft || index == TopCentre || index == TopRight;
    const bool bottom = index == BottomLeft || index == BottomCentre || index == BottomRight;
    const bool left = index == TopLeft || index == MiddleLeft || index == BottomLeft;
    const bool right = index == TopRight || index == MiddleRight || index == BottomRight;

    if (top) {
        const qreal ny = qMin(to.y(), y + h - MinimumSize);
        start.setY(ny);
        extent.setY(h - (ny - y));
    } else if (bottom) {
        extent.setY(qMax(y + MinimumSize, to.y()) - y);
    }
    if (left) {
        const qreal nx = qMin(to.x(), x + w - MinimumSize);
        start.setX(nx);
        extent.setX(w - (nx - x));
    } else if (right) {
        extent.setX(qMax(x + MinimumSize, to.x()) - x);
    }
}

} // namespace FrameHandles
