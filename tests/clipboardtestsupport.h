#pragma once

#include "clipboard/clipboardlistener.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QMimeData>
#include <QObject>
#include <QPixmap>
#include <QStringList>

#include <memory>

namespace ClipboardTest {

// What one changed() of a listener handed on.
struct Capture
{
    QString text;
    QString html;
    QStringList formats;
    QImage image;
    QPixmap icon;
    QString application;
};

// Records every changed() of a listener, taking the data over as the history model does.
class CaptureRecorder : public QObject
{
public:
    explicit CaptureRecorder(ClipboardListener *listener)
    {
        connect(listener, &ClipboardListener::changed, this, [this](std::shared_ptr<const QMimeData> data, QPixmap icon, QString application) {
            Capture capture;
            capture.text = data->text();
            capture.html = data->html();
            capture.formats = data->formats();
            if (data->hasImage())
                capture.image = qvariant_cast<QImage>(data->imageData());
            capture.icon = icon;
            capture.application = application;
            captures.append(capture);
        });
    }

    QList<Capture> captures;
};

// Counts the reads of its content: on X11 each one is a transfer from the owning application.
class CountingMimeData : public QMimeData
{
public:
    QStringList formats() const override
    {
        ++reads;
        return QMimeData::formats();
    }

    mutable int reads = 0;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        ++reads;
        return QMimeData::retrieveData(mimeType, type);
    }
};

inline QClipboard *clipboard()
{
    return QGuiApplication::clipboard();
}

inline void setText(const QString &text, const QString &html = QString())
{
    auto *data = new QMimeData;
    data->setText(text);
    if (!html.isEmpty())
        data->setHtml(html);
    clipboard()->setMimeData(data);
}

inline void setHtmlOnly(const QString &html)
{
    auto *data = new QMimeData;
    data->setHtml(html);
    clipboard()->setMimeData(data);
}

inline void setImage(const QImage &image)
{
    auto *data = new QMimeData;
    data->setImageData(image);
    clipboard()->setMimeData(data);
}

// An image of one colour with a block of another in its top-left corner; the centre pixel is the
// fill colour whatever the block.
inline QImage blockImage(int width, int height, QColor fill, QColor block, int blockSize)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    for (int y = 0; y < blockSize && y < height; ++y) {
        for (int x = 0; x < blockSize && x < width; ++x)
            image.setPixelColor(x, y, block);
    }
    return image;
}

inline QPixmap colourIcon(QColor colour)
{
    QPixmap pixmap(64, 64);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace ClipboardTest
