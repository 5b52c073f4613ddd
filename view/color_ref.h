#pragma once

#include <QColor>

#include <cstdint>

// A colour as the settings store it: 0x00BBGGRR, or, with the top bit set,
// a reference to one of the desktop's own colours.
using ColorRef = std::uint32_t;

constexpr ColorRef kWhite = 0x00FFFFFF;
constexpr ColorRef kBlack = 0x00000000;
constexpr ColorRef kSystemColorFlag = 0x80000000;
constexpr ColorRef kButtonFaceColor = kSystemColorFlag | 15;

constexpr ColorRef RgbColor(int red, int green, int blue)
{
    return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8
        | static_cast<ColorRef>(blue & 0xFF) << 16;
}

QColor ToQColor(ColorRef color);
ColorRef FromQColor(const QColor& color);
