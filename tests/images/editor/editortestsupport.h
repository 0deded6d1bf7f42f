#pragma once

#include "images/editor/graphicsitemarrow.h"
#include "images/editor/graphicsitembase.h"
#include "images/editor/graphicsitemcroparea.h"
#include "images/editor/graphicsitemhandle.h"
#include "images/editor/graphicsitemhighlight.h"
#include "images/editor/graphicsitemnumber.h"
#include "images/editor/graphicsitemrectangle.h"
#include "images/editor/graphicsitemselectarea.h"
#include "images/editor/graphicsitemtext.h"
#include "images/editor/imageeditgraphicsview.h"

#include <QGraphicsScene>
#include <QImage>
#include <QStringList>
#include <QtTest>

#include <functional>

namespace EditorTest {

// The points that define an item's geometry, as the item keeps them (not normalised).
inline QList<QPointF> definingPoints(GraphicsItemBase *item)
{
    if (auto *arrow = dynamic_cast<GraphicsItemArrow *>(item))
        return {arrow->start(), arrow->end()};
    if (auto *rectangle = dynamic_cast<GraphicsItemRectangle *>(item))
        return {rectangle->start(), rectangle->end()};
    if (auto *text = dynamic_cast<GraphicsItemText *>(item))
        return {text->start(), text->end()};
    if (auto *highlight = dynamic_cast<GraphicsItemHighlight *>(item))
        return {highlight->start(), highlight->start() + highlight->extent()};
    if (auto *crop = dynamic_cast<GraphicsItemCropArea *>(item))
        return {crop->cropRect().topLeft(), crop->cropRect().bottomRight()};
    if (auto *select = dynamic_cast<GraphicsItemSelectArea *>(item))
        return {select->start(), select->end()};
    return {item->start()};
}

// Everything a user can see change of the view's annotations, in a fixed order.
inline QStringList sceneState(ImageEditGraphicsView &view)
{
    QStringList state;
    for (QGraphicsItem *graphicsItem : view.scene()->items(Qt::AscendingOrder)) {
        auto *item = dynamic_cast<GraphicsItemBase *>(graphicsItem);
        if (!item)
            continue;
        QString line = QString("%1 %2 %3 w%4")
                           .arg(graphicsItem->type() - QGraphicsItem::UserType)
                           .arg(graphicsItem->isVisible() ? "shown" : "hidden", item->color().name())
                           .arg(item->width());
        for (const QPointF &point : definingPoints(item))
            line += QString(" (%1,%2)").arg(point.x()).arg(point.y());
        state << line;
    }
    return state;
}

// An opaque picture of the given size in one colour.
inline QImage flatImage(int width, int height, QColor color = Qt::white)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Gives an item the editor's current colour and width and adds it to the view's scene, as the view
// does when a drawing tool is pressed.
template<typename Item>
Item *place(ImageEditGraphicsView &view, Item *item, int width = 8, QColor color = Qt::red)
{
    item->setColor(color);
    item->setWidth(width);
    view.scene()->addItem(item);
    return item;
}

// Drags the handle at from to to through the item's own mouse operations.
inline bool dragHandle(GraphicsItemBase *item, QPointF from, QPointF to)
{
    if (!item->mousePress(from))
        return false;
    const bool moved = item->mouseMove(to);
    item->mouseRelease(to);
    return moved;
}

// Gestures on a shown view, as a user makes them: points are in scene coordinates, and the events
// go through the window system's path, so the keyboard modifiers held count as held for the view.
inline QPoint viewPoint(ImageEditGraphicsView &view, QPointF scenePoint)
{
    return view.mapFromScene(scenePoint);
}

inline void sendMouse(ImageEditGraphicsView &view, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers, int pause)
{
    static Qt::MouseButtons held;
    if (type == QEvent::MouseButtonPress)
        held |= button;
    else if (type == QEvent::MouseButtonRelease)
        held &= ~Qt::MouseButtons(button);
    QWidget *window = view.window();
    const QPointF local = view.viewport()->mapTo(window, viewPoint(view, at));
    QTest::lastMouseTimestamp += pause;
    qt_handleMouseEvent(window->windowHandle(), local, window->mapToGlobal(local), held,
                        type == QEvent::MouseMove ? Qt::NoButton : button, type, modifiers, QTest::lastMouseTimestamp);
}

// Presses far apart in time, so that no two make a double click.
inline void press(ImageEditGraphicsView &view, QPointF at, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(view, QEvent::MouseButtonPress, at, button, modifiers, QTest::mouseDoubleClickInterval + 1);
}

inline void release(ImageEditGraphicsView &view, QPointF at, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(view, QEvent::MouseButtonRelease, at, button, modifiers, 20);
}

inline void hover(ImageEditGraphicsView &view, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    sendMouse(view, QEvent::MouseMove, at, Qt::NoButton, modifiers, 20);
}

// Press at from, move in a few steps to to, release there.
inline void drag(ImageEditGraphicsView &view, QPointF from, QPointF to, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = {})
{
    press(view, from, button, modifiers);
    for (int step = 1; step <= 4; ++step)
        hover(view, from + (to - from) * step / 4.0, modifiers);
    release(view, to, button, modifiers);
}

inline void click(ImageEditGraphicsView &view, QPointF at, Qt::KeyboardModifiers modifiers = {})
{
    press(view, at, Qt::LeftButton, modifiers);
    release(view, at, Qt::LeftButton, modifiers);
}

inline void doubleClick(ImageEditGraphicsView &view, QPointF at)
{
    click(view, at);
    sendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, {}, 20);
    release(view, at);
}

} // namespace EditorTest
