#include "widgets/svgiconengine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

SVGIconEngine::SVGIconEngine(const QString &svgText) : m_data(svgText.toUtf8()) {}

void SVGIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    Q_UNUSED(state)
    QSvgRenderer renderer(m_data);
    if (mode == QIcon::Disabled)
        painter->setOpacity(0.5);
    renderer.render(painter, QRectF(rect));
    painter->setOpacity(1.0);
}

QPixmap SVGIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPixmap pixmap = QPixmap::fromImage(image, Qt::NoFormatConversion);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
}

QIconEngine *SVGIconEngine::clone() const
{
    // QByteArray is implicitly shared: the clone reuses the same bytes.
    return new SVGIconEngine(*this);
}
