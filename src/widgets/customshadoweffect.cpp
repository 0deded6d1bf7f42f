#include "widgets/customshadoweffect.h"

#include <QImage>
#include <QPainter>

// Exported by Qt Widgets (the routine behind QGraphicsBlurEffect), not declared in a public header.
QT_BEGIN_NAMESPACE
extern Q_WIDGETS_EXPORT void qt_blurImage(QPainter *p, QImage &blurImage, qreal radius,
                                          bool quality, bool alphaOnly, int transposed = 0);
QT_END_NAMESPACE

CustomShadowEffect::CustomShadowEffect(QObject *parent)
    : QGraphicsEffect(parent)
{
}

void CustomShadowEffect::setDistance(double distance)
{
    m_distance = distance;
    updateBoundingRect();
}

void CustomShadowEffect::setBlurRadius(double blurRadius)
{
    m_blurRadius = blurRadius;
    updateBoundingRect();
}

void CustomShadowEffect::setColor(const QColor &color)
{
    m_color = color;
}

QRectF CustomShadowEffect::boundingRectFor(const QRectF &rect) const
{
    const double delta = m_distance + m_blurRadius;
    return rect.united(rect.adjusted(-delta, -delta, delta, delta));
}

void CustomShadowEffect::draw(QPainter *painter)
{
    if (m_distance + m_blurRadius <= 0) {
        drawSource(painter);
        return;
    }

    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull())
        return;

    const QTransform saved = painter->worldTransform();
    painter->setWorldTransform(QTransform());

    const QSize shadowSize(int(source.width() + 2 * m_distance), int(source.height() + 2 * m_distance));

    QImage grown(shadowSize, QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::transparent);
    {
        QPainter grownPainter(&grown);
        grownPainter.setCompositionMode(QPainter::CompositionMode_Source);
        grownPainter.drawPixmap(QRectF(-m_distance, -m_distance, shadowSize.width(), shadowSize.height()),
                                source, QRectF(source.rect()));
    }

    QImage shadow(shadowSize, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter shadowPainter(&shadow);
        qt_blurImage(&shadowPainter, grown, m_blurRadius, false, true);
        shadowPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        shadowPainter.fillRect(shadow.rect(), m_color);
    }

    painter->drawImage(offset, shadow);
    painter->drawPixmap(offset, source);
    painter->setWorldTransform(saved);
}
