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

} // namespace EditorTest
