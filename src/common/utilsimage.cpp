#include "common/utils.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

namespace {

// The history window keeps a transparent margin around its visible frame for its shadow.
const int ShadowMargin = 8;

} // namespace

namespace Utils {

QString pixmapToString(const QPixmap &pixmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!pixmap.save(&buffer, "PNG"))
        return QString();
    return QString::fromLatin1(bytes.toBase64());
}

QPixmap stringToPixmap(QString text)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    QPixmap pixmap;
    if (decoded && !decoded.decoded.isEmpty())
        pixmap.loadFromData(decoded.decoded, "PNG");
    return pixmap;
}

QPoint windowPositionInsideScreen(QPoint point, QSize size, QRect screen, QRect available, int margin)
{
    const int px = point.x();
    const int py = point.y();
    const int w = size.width();
    const int h = size.height();
    const QRect &a = available;

    // Room to the right: the visible frame starts at the point, else it ends there.
    int dx = screen.right() - px > w ? -margin : margin - w;
    int y;
    if (screen.bottom() - py > h)
        y = qMin(qMax(py - margin, a.top() - margin), a.bottom() - h + margin);
    else
        y = qMax(qMin(py + margin - h, a.bottom() + margin - h), a.top() - margin);

    if (!a.contains(point)) {
        if (py < a.top() || py > a.bottom())
            dx = -(w / 2);
        else
            y = py - h / 2;
    }

    int x = px + dx;
    if (x - margin < a.left())
        x = a.left() - margin;
    else if (x - margin + w > a.right())
        x = a.right() + margin - w;
    return QPoint(x, y);
}

void moveWindowInsideScreen(QMainWindow *window, QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        return;
    // Without a compositing manager the window drops its margin, and its frame starts at its corner.
    const QWidget *central = window->centralWidget();
    const int margin = central && central->layout() ? central->layout()->contentsMargins().left() : ShadowMargin;
    window->move(windowPositionInsideScreen(point, window->size(), screen->geometry(),
                                            screen->availableGeometry(), margin));
}

bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != "." && !name.contains("..") && !name.contains('/')
        && !name.contains('\\') && !name.contains(QChar(0));
}

} // namespace Utils
