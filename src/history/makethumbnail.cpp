#include "history/makethumbnail.h"

#include "common/safefile.h"
#include "common/utils.h"

#include <QDebug>

namespace {
const int ThumbnailWidth = 160;
const int ThumbnailHeight = 120;
const double AspectRatio = 4.0 / 3.0;
}

MakeThumbnail::MakeThumbnail(QString fileName, QUuid id, QObject *receiver, std::function<void(const QImage &)> made)
    : m_id(id), m_fileName(fileName), m_folder(Utils::imagesPath()), m_back(receiver), m_made(std::move(made))
{
}

QRect MakeThumbnail::cropRect(const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    // A crop of width or height 0 (a one-pixel line) would give a null thumbnail: keep at least 1.
    if (w > h * AspectRatio) {
        const int cw = qMax(1, int(h * AspectRatio));
        return QRect((w - cw) / 2, 0, cw, h);
    }
    const int ch = qMax(1, int(w / AspectRatio));
    return QRect(0, (h - ch) / 2, w, ch);
}

QImage MakeThumbnail::makeThumbnail(const QImage &image)
{
    return image.copy(cropRect(image.size()))
        .scaled(ThumbnailWidth, ThumbnailHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void MakeThumbnail::run()
{
    const QString path = m_folder + "/" + m_id.toString() + "/" + m_fileName;
    // A name from a synchronised document must not reach outside the clipping's folder.
    if (!Utils::isPlainFileName(m_fileName)) {
        qWarning() << "Failed to load image" << path;
        return;
    }
    const QImage image = SafeFile::readImage(path);
    if (image.isNull()) {
        qWarning() << "Failed to load image" << path;
        return;
    }
    m_back.post([made = m_made, thumbnail = makeThumbnail(image)] { made(thumbnail); });
}
