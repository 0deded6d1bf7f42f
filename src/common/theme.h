#pragma once

#include <QColor>
#include <QString>

enum THEME { THEME_DARK, THEME_LIGHT };

enum COLOR {
    COLOR_BACKGROUND,
    COLOR_TEXT,
    COLOR_TEXT_SECONDARY,
    COLOR_TEXT_TERTIARY,
    COLOR_SELECTED,
    COLOR_HOVER,
    COLOR_GRADIENT_TOP,
    COLOR_PANEL,
    COLOR_GRADIENT_BOTTOM,
    COLOR_BORDER,
};

void setTheme(THEME theme);
THEME getTheme();
QColor getColor(COLOR index);
QString getColorString(COLOR index);
