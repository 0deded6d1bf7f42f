#include "app/trayicon.h"

#include "common/iconresources.h"
#include "platform/platform.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

TrayIcon::TrayIcon(QObject *parent)
    : QSystemTrayIcon(parent)
{
    registerIconResources();
    setTrayIcon();
    show();
}

void TrayIcon::setTrayIcon()
{
    const QImage image(isDarkMode() ? ":/icons/images/tray-icon-mac-white.png"
                                    : ":/icons/images/tray-icon-mac-black.png");
    QIcon icon(QPixmap::fromImage(image));
    icon.setIsMask(true);
    setIcon(icon);
}
