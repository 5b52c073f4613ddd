#include "view/color_ref.h"

#include <QGuiApplication>
#include <QPalette>

QColor ToQColor(ColorRef color)
{
    // Every desktop colour reference resolves through the palette; the
    // button face is the only one the program uses.
    if (color & kSystemColorFlag)
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF), static_cast<int>(color >> 16 & 0xFF));
}

ColorRef FromQColor(const QColor& color)
{
    return RgbColor(color.red(), color.green(), color.blue());
}
