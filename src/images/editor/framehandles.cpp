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
    // One axis at a time: the near edge moves with its corner, the far edge by length.
    const auto resizeAxis = [](bool nearEdge, bool farEdge, qreal to, qreal &position, qreal &length) {
        if (nearEdge) {
            const qreal moved = qMin(to, position + length - MinimumSize);
            length -= moved - position;
            position = moved;
        } else if (farEdge) {
            length = qMax(position + MinimumSize, to) - position;
        }
    };
    resizeAxis(index == TopLeft || index == TopCentre || index == TopRight,
               index == BottomLeft || index == BottomCentre || index == BottomRight, to.y(), start.ry(), extent.ry());
    resizeAxis(index == TopLeft || index == MiddleLeft || index == BottomLeft,
               index == TopRight || index == MiddleRight || index == BottomRight, to.x(), start.rx(), extent.rx());
}

} // namespace FrameHandles
