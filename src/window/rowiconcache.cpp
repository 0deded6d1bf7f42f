#include "window/rowiconcache.h"

#include "common/theme.h"
#include "common/utils.h"
#include "widgets/svgicons.h"

#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <functional>
#include <tuple>

namespace {

struct SvgKey
{
    QString path;
    QSize size;
    int opacityPercent;
    THEME theme;
    qreal devicePixelRatio;

    bool operator==(const SvgKey &other) const
    {
        return std::tie(path, opacityPercent, theme, devicePixelRatio) ==
                   std::tie(other.path, other.opacityPercent, other.theme, other.devicePixelRatio) &&
               size == other.size;
    }
};

size_t qHash(const SvgKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.path, key.size.width(), key.size.height(), key.opacityPercent, int(key.theme),
                      key.devicePixelRatio);
}

qreal ratioOf(const QPainter *painter)
{
    return painter->device() ? painter->device()->devicePixelRatio() : 1.0;
}

QPixmap renderSvg(const SvgKey &key)
{
    QPixmap pixmap(key.size * key.devicePixelRatio);
    pixmap.setDevicePixelRatio(key.devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(Utils::loadSvg(key.path, false, key.opacityPercent / 100.0));
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(key.size)));
    return pixmap;
}

// A handful of icons in two or three sizes each: small enough to keep for the whole run.
QHash<SvgKey, QPixmap> &svgCache()
{
    static QHash<SvgKey, QPixmap> cache;
    return cache;
}

QPixmap scaledCopy(const QString &key, const QSize &size, qreal ratio, const std::function<QImage()> &source)
{
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const QImage scaled = source().scaled(size * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap = QPixmap::fromImage(scaled);
    pixmap.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

namespace RowIconCache {

void drawSvg(QPainter *painter, const QString &path, const QRect &rect, double opacity)
{
    if (rect.isEmpty())
        return;
    const SvgKey key{path, rect.size(), qRound(opacity * 100), getTheme(), ratioOf(painter)};
    auto it = svgCache().constFind(key);
    if (it == svgCache().constEnd())
        it = svgCache().insert(key, renderSvg(key));
    painter->drawPixmap(rect.topLeft(), it.value());
}

void drawScaled(QPainter *painter, const QRect &rect, const QPixmap &pixmap)
{
    if (rect.isEmpty() || pixmap.isNull())
        return;
    const qreal ratio = ratioOf(painter);
    const QString key = QStringLiteral("row-pixmap-%1-%2x%3-%4")
                            .arg(pixmap.cacheKey())
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(ratio);
    painter->drawPixmap(rect.topLeft(), scaledCopy(key, rect.size(), ratio, [&pixmap] { return pixmap.toImage(); }));
}

void drawScaled(QPainter *painter, const QRect &rect, const QImage &image)
{
    if (rect.isEmpty() || image.isNull())
        return;
    const qreal ratio = ratioOf(painter);
    const QString key = QStringLiteral("row-image-%1-%2x%3-%4")
                            .arg(image.cacheKey())
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(ratio);
    painter->drawPixmap(rect.topLeft(), scaledCopy(key, rect.size(), ratio, [&image] { return image; }));
}

} // namespace RowIconCache
