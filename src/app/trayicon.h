#pragma once

#include <QSystemTrayIcon>

// The program's icon in the tray. Start-up wires its clicks and its context menu.
class TrayIcon : public QSystemTrayIcon
{
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);

public slots:
    // Chosen once, at construction: the icon does not follow later appearance changes.
    void setTrayIcon();
};
