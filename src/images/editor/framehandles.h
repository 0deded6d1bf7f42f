#pragma once

#include <QList>
#include <QPointF>

class GraphicsItemHandle;

// The eight handles shared by the resizable frames (spotlight and crop area): where they sit and how
// dragging one reshapes the frame.
namespace FrameHandles {

enum Handle { TopLeft, TopCentre, TopRight, MiddleLeft, MiddleRight, BottomLeft, BottomCentre, BottomRight, Count };

// Opposite edges never come nearer than this.
constexpr qreal MinimumSize = 20;

// Places the handles, in handle order, on the corners and edge centres of the frame at start with
// the size extent (which may be negative).
void place(const QList<GraphicsItemHandle *> &handles, QPointF start, QPointF extent);

// Moves the edges that handle index drags to the point to, keeping the opposite edges where they
// are and at least MinimumSize away.
void resize(int index, QPointF to, QPointF &start, QPointF &extent);

} // namespace FrameHandles
