#include "images/editor/graphicsitemcroparea.h"

#include "images/editor/framehandles.h"
#include "images/editor/graphicsitemhandle.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <cstdlib>

namespace {

int grayAt(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y));
}

// Whether the row (vertical scan) or column at line matches at all five probes: the centre, its two
// neighbours, one third and two thirds along. The reference grey is the centre's.
bool lineMatches(const QImage &image, int line, bool vertical)
{
    const qreal length = vertical ? image.width() : image.height();
    const int probes[] = {int(length * 0.5), int(length * 0.5 - 1), int(length * 0.5 + 1), int(length / 3),
                          int(length / 3 * 2)};
    const int reference = vertical ? grayAt(image, probes[0], line) : grayAt(image, line, probes[0]);
    for (int probe : probes) {
        const bool match = vertical ? GraphicsItemCropArea::testPixel(image, probe, line, reference, true)
                                    : GraphicsItemCropArea::testPixel(image, line, probe, reference, false);
        if (!match)
            return false;
    }
    return true;
}

// The first line from first onwards, by step, before limit that matches; -1 when none does.
int firstMatch(const QImage &image, int first, int step, qreal limit, bool vertical)
{
    for (int line = first; step > 0 ? line < limit : line > limit; line += step) {
        if (lineMatches(image, line, vertical))
            return line;
    }
    return -1;
}

} // namespace

GraphicsItemCropArea::GraphicsItemCropArea(const QImage &image, QGraphicsItem *parent)
    : QGraphicsRectItem(parent)
{
    calculateRects(image, m_imageRect, m_cropRect);
    setPen(QPen(QBrush(m_color), 1.0, Qt::DotLine, Qt::SquareCap, Qt::MiterJoin));
    m_width = 1;
    setRect(m_imageRect);
    addHandles(this, FrameHandles::Count, QPointF(0, 0), false);
    setZValue(CropAreaZ);
}

bool GraphicsItemCropArea::testPixel(const QImage &image, int x, int y, int reference, bool vertical)
{
    const int width = image.width(), height = image.height();
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    if (vertical ? !(1 < y && y < height - 1) : !(1 < x && x < width - 1))
        return false;
    if (std::abs(grayAt(image, x, y) - reference) > 3)
        return false;
    const int next = vertical ? grayAt(image, x, y + 1) : grayAt(image, x + 1, y);
    if (std::abs(next - reference) > 15)
        return true;
    const int previous = vertical ? grayAt(image, x, y - 1) : grayAt(image, x - 1, y);
    return std::abs(previous - reference) > 15;
}

void GraphicsItemCropArea::calculateRects(const QImage &image, QRectF &imageRect, QRectF &cropRect)
{
    const qreal w = image.rect().width(), h = image.rect().height();
    imageRect = QRectF(0, 0, w, h);
    cropRect = QRectF(w / 6, h / 6, w - 2 * w / 6, h - 2 * h / 6);
    if (image.isNull())
        return;

    // Top, bottom, left, right, each from the rectangle the scans before it left.
    int line = -1;
    if (cropRect.top() > 1 && (line = firstMatch(image, 1, 1, cropRect.top(), true)) >= 0)
        cropRect.setTop(line);
    if ((line = firstMatch(image, image.height() - 1, -1, cropRect.top() + cropRect.height(), true)) >= 0)
        cropRect.setHeight(line + 1 - cropRect.top());
    if (cropRect.left() > 1 && (line = firstMatch(image, 1, 1, cropRect.left(), false)) >= 0)
        cropRect.setLeft(line);
    if ((line = firstMatch(image, image.width() - 1, -1, cropRect.left() + cropRect.width(), false)) >= 0)
        cropRect.setWidth(line + 1 - cropRect.left());
}

void GraphicsItemCropArea::positionFromHandle(GraphicsItemHandle *handle)
{
    QPointF start = m_cropRect.topLeft();
    QPointF extent(m_cropRect.width(), m_cropRect.height());
    FrameHandles::resize(m_handles.indexOf(handle), handle->position(), start, extent);
    m_cropRect = QRectF(start, QSizeF(extent.x(), extent.y()));
}

void GraphicsItemCropArea::updatePosition()
{
    prepareGeometryChange();
    setRect(m_cropRect.united(m_imageRect));
    update();
    FrameHandles::place(m_handles, m_cropRect.topLeft(), QPointF(m_cropRect.width(), m_cropRect.height()));
}

void GraphicsItemCropArea::setEnd(QPointF)
{
    updatePosition();
}

QRectF GraphicsItemCropArea::boundingRect() const
{
    return rect().normalized().adjusted(-4, -4, 4, 4);
}

void GraphicsItemCropArea::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF a = m_imageRect, c = m_cropRect;
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const QColor shade(0, 0, 0, 128);
    const auto band = [painter, &shade](qreal x, qreal y, qreal width, qreal height) {
        painter->fillRect(QRect(int(x), int(y), int(width), int(height)), shade);
    };
    band(a.x(), a.y(), a.width(), c.y() - a.y());
    band(a.x(), c.y(), c.x() - a.x(), c.height());
    band(c.x() + c.width(), c.y(), (a.x() + a.width()) - (c.x() + c.width()), c.height());
    band(a.x(), c.y() + c.height(), a.width(), (a.y() + a.height()) - (c.y() + c.height()));

    QPen outline = pen();
    outline.setColor(QColor(192, 192, 192));
    outline.setWidth(1);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(c);
}
