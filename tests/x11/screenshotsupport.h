#pragma once

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

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

// A dark desktop's palette, for the dialogs that keep the desktop's look.
inline QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Button, QColor(55, 55, 58));
    palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(55, 55, 58));
    palette.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    palette.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    palette.setColor(QPalette::Link, QColor(110, 170, 255));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    return palette;
}

// A light or a dark desktop appearance, as the program sees it.
inline void useAppearance(bool dark)
{
    qputenv("KESTOVAN_DARK_MODE", dark ? "1" : "0");
    if (dark) {
        QApplication::setPalette(darkPalette());
        return;
    }
    // Only its palette is wanted; the style itself is not installed.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QApplication::setPalette(fusion->standardPalette());
}

} // namespace Screenshots
