#pragma once

// The desktop services the rest of the program uses. Callers never see a windowing-system type.
// Implemented over a back end chosen once at start: X11 on an xcb session, else the null back end.

#include <QPixmap>
#include <QString>

class QWidget;

// Name of the application in front: the last application other than ours that had the focus (its
// WM_CLASS class on X11); empty when there is none.
QString getApplicationName();
// That application's icon as a 64 x 64 pixmap; null when it has none.
QPixmap getIcon();
// Brings this program's window to the front.
void activateApp();
// Gives the focus back to the application in front, before a paste.
void activateTarget();
// Lets the widget's window show on every desktop.
void showInAllSpaces(QWidget *widget);
// KESTOVAN_DARK_MODE (1 or 0), else the desktop's colour-scheme preference, else the palette.
bool isDarkMode();
// Whether synthetic keys can reach other applications; with prompt, says what is missing when not.
bool checkAccessibility(bool prompt);
// The global key monitor feeding keyword expansion (see KeyMonitor); a second setup changes nothing.
void setupKeyListener();
// Returns whether a monitor was installed.
bool removeKeyListener();
void playNotification();
