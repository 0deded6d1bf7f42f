#include "images/editor/imageeditgraphicsview.h"

#include "images/editor/graphicsitemarrow.h"
#include "images/editor/graphicsitembackground.h"
#include "images/editor/graphicsitemcroparea.h"
#include "images/editor/graphicsitemhandle.h"
#include "images/editor/graphicsitemhighlight.h"
#include "images/editor/graphicsitemnumber.h"
#include "images/editor/graphicsitemrectangle.h"
#include "images/editor/graphicsitemselectarea.h"
#include "images/editor/graphicsitemtext.h"
#include "images/editor/undocreate.h"
#include "images/editor/undomove.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QTimer>

namespace {

// Modifiers as held now: a click's own modifiers miss a Shift pressed while the button was down.
Qt::KeyboardModifiers heldModifiers()
{
    return QGuiApplication::queryKeyboardModifiers();
}

} // namespace

void ImageEditGraphicsView::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    if (m_mode != EditMode::Select) {
        pressToDraw(pos);
        QGraphicsView::mousePressEvent(event);
        event->accept();
        return;
    }

    GraphicsItemBase *hit = itemAt(pos);
    if (hit)
        pickAt(hit, pos, heldModifiers());

    // A crop handle keeps the press to itself: no band, no menu.
    if (m_cropArea && m_cropArea->mousePress(pos))
        return;

    if (!hit && !m_selectArea) {
        m_selectArea = new GraphicsItemSelectArea(pos);
        scene()->addItem(m_selectArea);
        m_selectArea->updatePosition();
        if (!(heldModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            unpickAll();
    }

    if (event->button() == Qt::RightButton && !m_selection.isEmpty()) {
        QPointer<ImageEditGraphicsView> self(this);
        showContextMenu(event->globalPosition().toPoint());
        if (!self)
            return;
    }
    QGraphicsView::mousePressEvent(event);
    // The press is the view's even where no scene item wanted it; the dialog must not get it.
    event->accept();
}

void ImageEditGraphicsView::pressToDraw(QPointF pos)
{
    GraphicsItemBase *item = nullptr;
    switch (m_mode) {
    case EditMode::Arrow:
        item = new GraphicsItemArrow(pos);
        break;
    case EditMode::Rectangle:
        item = new GraphicsItemRectangle(pos);
        break;
    case EditMode::Numbers:
        item = new GraphicsItemNumber(pos, nextNumber());
        break;
    case EditMode::Highlight:
        item = new GraphicsItemHighlight(pos, m_image);
        break;
    case EditMode::Text:
        item = new GraphicsItemText(pos, QStringLiteral("       "));
        break;
    case EditMode::Select:
        return;
    }
    item->setColor(m_currentColor);
    item->setWidth(m_currentWidth);
    scene()->addItem(item->graphicsItem());
    addUndo(new UndoCreate(item->graphicsItem()));
    // The new item follows the pointer until the release; it shows no handles meanwhile.
    m_selection.clear();
    select(item, false);
}

void ImageEditGraphicsView::pickAt(GraphicsItemBase *hit, QPointF pos, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    m_pressPoint = pos;
    m_dragOffsets.clear();
    for (GraphicsItemBase *item : std::as_const(m_selection))
        m_dragOffsets.insert(item, pos - item->start());

    if (!control && hit->picked()) {
        // A press on a handle drags that handle only; the item itself stays where it is.
        if (hit->mousePress(pos))
            m_dragOffsets.clear();
        return;
    }
    if (!shift && !control)
        unpickAll();
    if (control) {
        deselect(hit);
        m_dragOffsets.remove(hit);
        return;
    }
    m_dragOffsets.insert(hit, pos - hit->start());
    pickAndReport(hit);
}

void ImageEditGraphicsView::showContextMenu(QPoint globalPos)
{
    QMenu menu(this);
    auto *text = m_selection.size() == 1 ? qgraphicsitem_cast<GraphicsItemText *>((*m_selection.begin())->graphicsItem())
                                         : nullptr;
    if (text) {
        connect(menu.addAction(tr("Edit")), &QAction::triggered, this, [this, text] { editText(text); });
        menu.addSeparator();
    }
    connect(menu.addAction(tr("Delete")), &QAction::triggered, this, &ImageEditGraphicsView::deleteSelected);
    QPointer<ImageEditGraphicsView> self(this);
    menu.exec(globalPos);
    if (!self)
        return;
    m_dragOffsets.clear();
    // The menu took the release that would have ended a band begun by this press.
    if (m_selectArea) {
        delete m_selectArea;
        m_selectArea = nullptr;
    }
}

void ImageEditGraphicsView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    if (m_mode == EditMode::Select) {
        if (m_dragOffsets.isEmpty()) {
            // The hand is set on the viewport, not application-wide, so it can never outlive the
            // view or hide a handle's own cursor.
            if (itemAt(pos))
                viewport()->setCursor(Qt::PointingHandCursor);
            else
                viewport()->unsetCursor();
        }
        for (GraphicsItemBase *item : std::as_const(m_selection)) {
            if (!item->mouseMove(pos) && m_dragOffsets.contains(item))
                item->move(m_dragOffsets.value(item), pos);
        }
        if (m_cropArea)
            m_cropArea->mouseMove(pos);
    } else {
        for (GraphicsItemBase *item : std::as_const(m_selection))
            item->setEnd(pos);
    }
    if (m_selectArea)
        updateBand(pos);
    QGraphicsView::mouseMoveEvent(event);
}

void ImageEditGraphicsView::updateBand(QPointF pos)
{
    m_selectArea->setEnd(pos);
    const QRectF area = m_selectArea->boundingRect();
    QSet<GraphicsItemBase *> band;
    for (GraphicsItemBase *item : annotations()) {
        if (item->graphicsItem()->boundingRect().intersects(area) && item->hit(area))
            band.insert(item);
    }

    const Qt::KeyboardModifiers modifiers = heldModifiers();
    if (modifiers & Qt::ControlModifier) {
        for (GraphicsItemBase *item : std::as_const(band))
            deselect(item);
        return;
    }
    if (!(modifiers & Qt::ShiftModifier)) {
        const QSet<GraphicsItemBase *> selected = m_selection;
        for (GraphicsItemBase *item : selected) {
            if (!band.contains(item))
                deselect(item);
        }
    }
    for (GraphicsItemBase *item : std::as_const(band)) {
        if (!m_selection.contains(item))
            pickAndReport(item);
    }
}

void ImageEditGraphicsView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    if (m_mode == EditMode::Select) {
        for (GraphicsItemBase *item : std::as_const(m_selection)) {
            if (item->mouseRelease(pos))
                break;
        }
        if (m_cropArea)
            m_cropArea->mouseRelease(pos);
    } else {
        if (m_mode == EditMode::Text && !m_selection.isEmpty()) {
            QPointer<ImageEditGraphicsView> self(this);
            finishTextEntry();
            if (!self)
                return;
        }
        clearSelection();
    }

    if (!m_dragOffsets.isEmpty()) {
        UndoGroup group;
        for (GraphicsItemBase *item : std::as_const(m_selection)) {
            if (!m_dragOffsets.contains(item))
                continue;
            const QPointF offset = m_dragOffsets.value(item);
            group.append(new UndoMove(item, m_pressPoint - offset, pos - offset));
        }
        addUndo(group);
    }
    m_dragOffsets.clear();

    if (m_selectArea) {
        delete m_selectArea;
        m_selectArea = nullptr;
    }
    if (m_background)
        m_background->update();
    QGraphicsView::mouseReleaseEvent(event);
}

void ImageEditGraphicsView::finishTextEntry()
{
    auto *text = qgraphicsitem_cast<GraphicsItemText *>((*m_selection.begin())->graphicsItem());
    if (!text)
        return;
    const QString entered = QInputDialog::getMultiLineText(this, tr("Text"), tr("Enter the text"), QString());
    text->setText(entered);
    text->updatePosition();
    // Once the tool has switched to select (which empties the selection), the new box is picked.
    // The timer belongs to the view, so it cannot fire after the editor closed.
    QTimer::singleShot(100, this, [this, text] {
        emit changeMode(EditMode::Select);
        select(text);
    });
}

void ImageEditGraphicsView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_selection.size() == 1) {
        if (auto *text = qgraphicsitem_cast<GraphicsItemText *>((*m_selection.begin())->graphicsItem())) {
            QPointer<ImageEditGraphicsView> self(this);
            editText(text);
            if (!self)
                return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

bool ImageEditGraphicsView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        releaseCursors();
    return QGraphicsView::viewportEvent(event);
}

void ImageEditGraphicsView::hideEvent(QHideEvent *event)
{
    releaseCursors();
    QGraphicsView::hideEvent(event);
}

void ImageEditGraphicsView::releaseCursors()
{
    viewport()->unsetCursor();
    // A handle hears of the pointer only through moves inside the view; leaving from a handle
    // straight out of the view would keep its cursor for the whole application.
    for (QGraphicsItem *item : scene()->items()) {
        if (auto *handle = qgraphicsitem_cast<GraphicsItemHandle *>(item))
            handle->leaveHover();
    }
}

void ImageEditGraphicsView::pickAndReport(GraphicsItemBase *item)
{
    if (!select(item))
        return;
    if (m_selection.size() == 1) {
        emit changeColor(item->color());
        emit changeWidth(item->width());
    }
}

void ImageEditGraphicsView::unpickAll()
{
    const QSet<GraphicsItemBase *> selected = m_selection;
    for (GraphicsItemBase *item : selected)
        deselect(item);
}

QList<GraphicsItemBase *> ImageEditGraphicsView::annotations() const
{
    QList<GraphicsItemBase *> result;
    // Topmost first, as the user sees them.
    for (QGraphicsItem *graphicsItem : items()) {
        auto *item = dynamic_cast<GraphicsItemBase *>(graphicsItem);
        if (!item || graphicsItem == m_cropArea || graphicsItem == m_selectArea || !graphicsItem->isVisible())
            continue;
        result.append(item);
    }
    return result;
}

GraphicsItemBase *ImageEditGraphicsView::itemAt(QPointF pos) const
{
    for (GraphicsItemBase *item : annotations()) {
        if (item->hit(pos))
            return item;
    }
    return nullptr;
}

int ImageEditGraphicsView::nextNumber() const
{
    // Numbers count per colour, among the discs that are shown.
    QSet<int> used;
    for (QGraphicsItem *graphicsItem : scene()->items()) {
        auto *number = qgraphicsitem_cast<GraphicsItemNumber *>(graphicsItem);
        if (number && number->isVisible() && number->color() == m_currentColor)
            used.insert(number->number());
    }
    int n = 1;
    while (used.contains(n))
        ++n;
    return n;
}
