#include "images/editor/graphicsitembackground.h"

#include "images/editor/graphicsitembase.h"

#include <QGraphicsBlurEffect>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <limits>

namespace {

constexpr int BlurRadius = 10;

// The blur effect keeps the picture it blurs, padded by the blur's reach, in the pixmap cache. A
// screenshot larger than the cache would be painted, allocated and padded again on every repaint
// and export, which for a 4K picture costs more than the blur itself.
void makeRoomForBlurSource(QSize picture)
{
    const qint64 padding = 8 * BlurRadius;
    const qint64 kilobytes = (picture.width() + padding) * (picture.height() + padding) * 4 / 1024;
    // On top of the 10 MB the cache holds by default for everything else.
    const qint64 needed = kilobytes + 10240;
    if (needed > QPixmapCache::cacheLimit())
        QPixmapCache::setCacheLimit(int(std::min<qint64>(needed, std::numeric_limits<int>::max())));
}

} // namespace

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
        makeRoomForBlurSource(pixmap().size());
        auto *effect = new QGraphicsBlurEffect;
        effect->setBlurRadius(BlurRadius);
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
