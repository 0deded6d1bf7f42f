#include "images/editor/imageeditgraphicsview.h"

#include "images/editor/graphicsitembackground.h"
#include "images/editor/graphicsitemcroparea.h"
#include "images/editor/graphicsitemhighlight.h"
#include "images/editor/graphicsitemselectarea.h"
#include "images/editor/graphicsitemtext.h"
#include "images/editor/undobase.h"
#include "images/editor/undocolor.h"
#include "images/editor/undodelete.h"
#include "images/editor/undowidth.h"

#include <QGraphicsScene>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QStyleOptionGraphicsItem>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinimumScale = 0.25;
constexpr double MaximumScale = 8.0;

int percent(double scale)
{
    return int(std::lround(scale * 100));
}

// The bounds of the pixels an item paints within part, in scene coordinates (every annotation
// sits untransformed at 0, 0).
QRect paintedRect(QGraphicsItem *item, const QRect &part)
{
    QImage canvas(part.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.translate(-part.topLeft());
    QStyleOptionGraphicsItem option;
    option.exposedRect = part;
    item->paint(&painter, &option, nullptr);
    painter.end();

    int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (!qAlpha(line[x]))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (right < 0)
        return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(part.topLeft());
}

} // namespace

ImageEditGraphicsView::ImageEditGraphicsView(QWidget *parent)
    : QGraphicsView(parent)
    , m_scene(new QGraphicsScene(this))
{
    setScene(m_scene);
}

ImageEditGraphicsView::~ImageEditGraphicsView()
{
    clearUndo(true);
}

void ImageEditGraphicsView::setImage(const QImage &image)
{
    m_background = new GraphicsItemBackground(QPixmap::fromImage(image));
    m_scene->addItem(m_background);
    m_image = image;
    // Fixed, not the items' bounds: an annotation reaching past the picture, or the spotlight's
    // blur, would grow the scene and shift everything in the view under the user's pointer.
    const int margin = PictureMargin;
    m_scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(image.size())).adjusted(-margin, -margin, margin, margin));
}

bool ImageEditGraphicsView::select(GraphicsItemBase *item, bool pick)
{
    if (!item || !item->isShown())
        return false;
    m_selection.insert(item);
    if (pick) {
        item->setPicked(true);
        item->updatePosition();
    }
    return true;
}

void ImageEditGraphicsView::deselect(GraphicsItemBase *item)
{
    if (!m_selection.remove(item))
        return;
    item->setPicked(false);
    item->updatePosition();
}

void ImageEditGraphicsView::clearSelection()
{
    for (GraphicsItemBase *item : std::as_const(m_selection)) {
        item->setPicked(false);
        item->updatePosition();
    }
    m_selection.clear();
}

void ImageEditGraphicsView::deleteSelected()
{
    UndoGroup group;
    for (GraphicsItemBase *item : std::as_const(m_selection)) {
        // Unpicked first, so that undo brings the item back without handles it no longer owns.
        item->setPicked(false);
        item->graphicsItem()->setVisible(false);
        group.append(new UndoDelete(item->graphicsItem()));
    }
    addUndo(group);
    m_selection.clear();
    updateBackground();
}

void ImageEditGraphicsView::editText(GraphicsItemText *item)
{
    const QString text = QInputDialog::getMultiLineText(this, tr("Text"), tr("Edit the text"), item->text());
    if (text.isEmpty())
        return;
    item->setText(text);
    item->updatePosition();
}

void ImageEditGraphicsView::keyReleaseEvent(QKeyEvent *event)
{
    if (!m_selection.isEmpty() && m_mode == EditMode::Select
        && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace))
        deleteSelected();
    QGraphicsView::keyReleaseEvent(event);
}

void ImageEditGraphicsView::wheelEvent(QWheelEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::MetaModifier || modifiers == Qt::ControlModifier) {
        gentleZoom(std::pow(1.0015, event->angleDelta().y()), event->position());
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void ImageEditGraphicsView::gentleZoom(double factor, QPointF pos)
{
    const QPointF target = mapToScene(pos.toPoint());
    double scale = transform().m11();
    if (!((factor > 1 || scale > MinimumScale) && (factor < 1 || scale < MaximumScale)))
        return;
    this->scale(factor, factor);
    centerOn(target);
    // Brings the point that was under the pointer back under it.
    const QPointF delta = pos - QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0);
    centerOn(mapToScene((QPointF(mapFromScene(target)) - delta).toPoint()));
    scale = transform().m11();
    if (scale < MinimumScale || scale > MaximumScale) {
        scale = std::clamp(scale, MinimumScale, MaximumScale);
        resetTransform();
        this->scale(scale, scale);
    }
    emit zoom(percent(scale));
}

void ImageEditGraphicsView::setZoom(double factor)
{
    resetTransform();
    scale(factor, factor);
    emit zoom(percent(factor));
}

void ImageEditGraphicsView::updateBackground()
{
    if (!m_background)
        return;
    bool spotlight = m_mode == EditMode::Highlight;
    const QList<QGraphicsItem *> items = m_scene->items();
    for (int i = 0; !spotlight && i < items.size(); ++i) {
        QGraphicsItem *item = items.at(i);
        spotlight = qgraphicsitem_cast<GraphicsItemHighlight *>(item) && item->isVisible();
    }
    m_background->setBlur(spotlight);
}

QRect ImageEditGraphicsView::getImageRect(bool crop) const
{
    if (crop && m_cropArea)
        return m_cropArea->cropRect().toRect();
    QRect area = m_background ? m_background->boundingRect().toRect() : QRect();
    // Hidden (deleted) annotations, handles and the frames of the crop and select tools do not
    // belong to the picture.
    for (QGraphicsItem *item : m_scene->items()) {
        if (item == m_background || item->parentItem() || !item->isVisible() || item == m_cropArea
            || qgraphicsitem_cast<GraphicsItemSelectArea *>(item))
            continue;
        // An annotation's bounds leave room for repainting; only what it paints beyond the
        // picture widens it, or a frame near the edge would add an empty white margin.
        QRect bounds = item->boundingRect().toAlignedRect();
        if (const auto *annotation = dynamic_cast<const GraphicsItemBase *>(item))
            bounds &= annotation->paintedBounds().toAlignedRect();
        const QRegion outside = QRegion(bounds).subtracted(area);
        QRect painted;
        for (const QRect &part : outside)
            painted = painted.united(paintedRect(item, part));
        area = area.united(painted);
    }
    return area;
}

QImage ImageEditGraphicsView::renderArea(const QRect &area)
{
    QImage result(area.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    m_scene->render(&painter, QRectF(result.rect()), QRectF(area), Qt::KeepAspectRatio);
    painter.end();
    return result;
}

void ImageEditGraphicsView::setCurrentColor(const QColor &color)
{
    UndoGroup group;
    for (GraphicsItemBase *item : std::as_const(m_selection)) {
        if (item->color() == color)
            continue;
        group.append(new UndoColor(item, item->color(), color));
        item->setColor(color);
    }
    addUndo(group);
    m_currentColor = color;
}

void ImageEditGraphicsView::setCurrentWidth(int width)
{
    UndoGroup group;
    for (GraphicsItemBase *item : std::as_const(m_selection)) {
        if (item->width() == width)
            continue;
        group.append(new UndoWidth(item, item->width(), width));
        item->setWidth(width);
    }
    addUndo(group);
    m_currentWidth = width;
}

void ImageEditGraphicsView::setMode(EditMode mode)
{
    m_mode = mode;
    clearSelection();
    // The hover hand belongs to the select tool.
    viewport()->unsetCursor();
    setAttribute(Qt::WA_MouseTracking, mode == EditMode::Select);
    // The pointer's moves reach the view through its viewport: hovering needs them there.
    viewport()->setMouseTracking(mode == EditMode::Select);
    updateBackground();
}

void ImageEditGraphicsView::setCrop(bool enabled, bool selected)
{
    if (!enabled) {
        if (m_cropArea)
            m_cropArea->setVisible(false);
        return;
    }
    if (!m_cropArea) {
        m_cropArea = new GraphicsItemCropArea(m_image);
        m_scene->addItem(m_cropArea);
        m_cropArea->updatePosition();
    }
    m_cropArea->setVisible(true);
    m_cropArea->setPicked(selected);
}

void ImageEditGraphicsView::addUndo(UndoGroup group)
{
    if (group.isEmpty())
        return;
    m_undoStack.append(group);
    deleteGroups(m_redoStack);
    emit undoUpdated(m_undoStack.size(), m_redoStack.size());
}

void ImageEditGraphicsView::addUndo(UndoBase *record)
{
    addUndo(UndoGroup{record});
}

void ImageEditGraphicsView::undo()
{
    applyGroup(m_undoStack, m_redoStack, false);
}

void ImageEditGraphicsView::redo()
{
    applyGroup(m_redoStack, m_undoStack, true);
}

void ImageEditGraphicsView::applyGroup(QList<UndoGroup> &from, QList<UndoGroup> &to, bool forward)
{
    if (from.isEmpty())
        return;
    const UndoGroup group = from.takeLast();
    for (UndoBase *record : group) {
        if (forward)
            record->redo();
        else
            record->undo();
    }
    to.append(group);
    dropHiddenFromSelection();
    emit undoUpdated(m_undoStack.size(), m_redoStack.size());
    updateBackground();
}

void ImageEditGraphicsView::dropHiddenFromSelection()
{
    // An item hidden by undo or redo must not stay selected, or it could be moved, recoloured or
    // deleted again while invisible.
    const QSet<GraphicsItemBase *> selection = m_selection;
    for (GraphicsItemBase *item : selection) {
        if (!item->isShown())
            deselect(item);
    }
}

void ImageEditGraphicsView::clearUndo(bool silent)
{
    deleteGroups(m_undoStack);
    deleteGroups(m_redoStack);
    if (!silent)
        emit undoUpdated(0, 0);
}

void ImageEditGraphicsView::deleteGroups(QList<UndoGroup> &stack)
{
    for (const UndoGroup &group : std::as_const(stack))
        qDeleteAll(group);
    stack.clear();
}
