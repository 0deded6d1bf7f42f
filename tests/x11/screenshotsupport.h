#pragma once

#include <QColor>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QString>

// Helpers of the screenshot tests: where pictures for review by eye go, and sample icons.
namespace Screenshots {

// <build>/screenshots/<name>.png
inline QString path(const QString &name)
{
    const QString folder = QStringLiteral(KESTOVAN_BINARY_DIR) + "/screenshots";
    QDir().mkpath(folder);
    return folder + "/" + name + ".png";
}

// A rounded square in one colour, as an application's icon.
inline QPixmap applicationIcon(const QColor &colour)
{
    QPixmap icon(64, 64);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(4, 4, 56, 56, 12, 12);
    return icon;
}

} // namespace Screenshots
