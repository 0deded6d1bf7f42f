#pragma once

// The desktop services the rest of the program uses. Callers never see a windowing-system type.
// Implemented over a back end chosen once at start: X11 on an xcb session, else the null back end.

#include <QPixmap>
#include <QString>

class QWidget;

QString getApplicationName();
QPixmap getIcon();
void activateApp();
void activateTarget();
void showInAllSpaces(QWidget *widget);
bool isDarkMode();
bool checkAccessibility(bool prompt);
void setupKeyListener();
bool removeKeyListener();
void playNotification();
