#include "common/theme.h"

namespace {

THEME currentTheme = THEME_LIGHT;

struct PaletteEntry {
    QRgb dark;
    QRgb light;
};

// Indexed by COLOR.
constexpr PaletteEntry palette[] = {
    {qRgb(31, 32, 35), qRgb(248, 248, 248)},     // COLOR_BACKGROUND
    {qRgb(248, 248, 248), qRgb(41, 46, 50)},     // COLOR_TEXT
    {qRgb(165, 171, 183), qRgb(92, 93, 97)},     // COLOR_TEXT_SECONDARY
    {qRgb(117, 121, 132), qRgb(152, 146, 144)},  // COLOR_TEXT_TERTIARY
    {qRgb(81, 82, 87), qRgb(220, 220, 220)},     // COLOR_SELECTED
    {qRgb(55, 56, 57), qRgb(240, 240, 240)},     // COLOR_HOVER
    {qRgb(57, 57, 59), qRgb(247, 245, 246)},     // COLOR_GRADIENT_TOP
    {qRgb(53, 53, 54), qRgb(241, 240, 239)},     // COLOR_PANEL
    {qRgb(48, 47, 52), qRgb(234, 234, 234)},     // COLOR_GRADIENT_BOTTOM
    {qRgb(80, 81, 82), qRgb(197, 197, 197)},     // COLOR_BORDER
};
constexpr int paletteSize = int(sizeof(palette) / sizeof(palette[0]));

} // namespace

void setTheme(THEME theme)
{
    currentTheme = theme;
}

THEME getTheme()
{
    return currentTheme;
}

QColor getColor(COLOR index)
{
    if (int(index) < 0 || int(index) >= paletteSize)
        return QColor();
    const PaletteEntry &entry = palette[index];
    return QColor::fromRgb(currentTheme == THEME_LIGHT ? entry.light : entry.dark);
}

QString getColorString(COLOR index)
{
    const QColor color = getColor(index);
    if (!color.isValid())
        return QStringLiteral("0, 0, 0");
    return QStringLiteral("%1, %2, %3").arg(color.red()).arg(color.green()).arg(color.blue());
}
