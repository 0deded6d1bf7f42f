#include "common/imagelimits.h"

#include <QBuffer>
#include <QImageReader>

namespace ImageLimits {

void apply()
{
    QImageReader::setAllocationLimit(MaxMegabytes);
}

QSize refusedSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The header alone: its size is read without decoding the picture.
    const QSize size = QImageReader(&buffer).size();
    if (!size.isValid())
        return QSize();
    // Four bytes a pixel, as the decoder takes for most pictures.
    const qint64 needed = qint64(size.width()) * size.height() * 4;
    return needed > qint64(MaxMegabytes) * 1024 * 1024 ? size : QSize();
}

} // namespace ImageLimits
