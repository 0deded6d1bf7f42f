#include "platform/windowproperties.h"

#include <QStringDecoder>

namespace {

// Icons larger than this are not icons; the bound keeps width x height far from overflowing.
constexpr quint32 maxIconSide = 4096;

QString decodeName(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    // ICCCM names are Latin-1; many clients write UTF-8, which is taken when it decodes cleanly.
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

namespace WindowProperties {

QString wmClassName(const QByteArray &wmClass)
{
    const QList<QByteArray> parts = wmClass.split('\0');
    const QByteArray instance = parts.value(0);
    const QByteArray className = parts.value(1);
    return decodeName(className.isEmpty() ? instance : className);
}

QImage iconImage(const quint32 *data, qsizetype count, int size)
{
    qsizetype best = -1;
    quint32 bestWidth = 0;
    quint32 bestHeight = 0;
    for (qsizetype pos = 0; pos + 2 <= count;) {
        const quint32 width = data[pos];
        const quint32 height = data[pos + 1];
        if (width == 0 || height == 0 || width > maxIconSide || height > maxIconSide)
            break;
        const qsizetype pixels = qsizetype(width) * qsizetype(height);
        if (pixels > count - pos - 2)
            break;
        const bool bigEnough = width >= quint32(size) && height >= quint32(size);
        const bool bestBigEnough = bestWidth >= quint32(size) && bestHeight >= quint32(size);
        const quint64 area = quint64(width) * height;
        const quint64 bestArea = quint64(bestWidth) * bestHeight;
        if (best < 0 || (bigEnough && (!bestBigEnough || area < bestArea)) || (!bigEnough && !bestBigEnough && area > bestArea)) {
            best = pos;
            bestWidth = width;
            bestHeight = height;
        }
        pos += 2 + pixels;
    }
    if (best < 0)
        return {};

    QImage image(int(bestWidth), int(bestHeight), QImage::Format_ARGB32);
    const quint32 *pixels = data + best + 2;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = pixels[qsizetype(y) * bestWidth + x];
    }
    if (image.width() == size && image.height() == size)
        return image;
    return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace WindowProperties
