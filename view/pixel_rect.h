#pragma once

#include <QRect>

#include <cmath>
#include <cstdint>

// A pixel rectangle; right and bottom lie just outside it.
struct PixelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The rectangle in pixels scale times as small, as a screen's device
// pixels are to the pane's.
inline PixelRect Scaled(const PixelRect& r, double scale)
{
    const auto times = [scale](std::int32_t v) { return static_cast<std::int32_t>(std::lround(v * scale)); };
    return {times(r.Left), times(r.Top), times(r.Right), times(r.Bottom)};
}

// A widget's rectangle, whose right and bottom are its last pixels.
inline PixelRect ToPixelRect(const QRect& r)
{
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}
