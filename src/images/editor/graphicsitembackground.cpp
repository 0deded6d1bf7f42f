#include "images/editor/graphicsitembackground.h"

#include "images/editor/graphicsitembase.h"

#include <QGraphicsBlurEffect>
#include <QPainter>

GraphicsItemBackground::GraphicsItemBackground(const QPixmap &pixmap, QGraphicsItem *parent)
    : QGraphicsPixmapItem(pixmap, parent)
{
    setZValue(GraphicsItemBase::BackgroundZ);
}

void GraphicsItemBackground::setBlur(bool blur)
{
    // A fresh effect would only blur the same picture again.
    if (blur == m_blur && (graphicsEffect() != nullptr) == blur)
        return;
    m_blur = blur;
    if (blur) {
        auto *effect = new QGraphicsBlurEffect;
        effect->setBlurRadius(10);
        setGraphicsEffect(effect);
    } else {
        setGraphicsEffect(nullptr);
    }
    update();
}

void GraphicsItemBackground::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    QGraphicsPixmapItem::paint(painter, option, widget);
    if (m_blur) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillRect(boundingRect(), QColor(0, 0, 0, 100));
    }
}
