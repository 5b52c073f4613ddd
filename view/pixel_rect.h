#pragma once

#include <QRect>

#include <cstdint>

// A pixel rectangle; right and bottom lie just outside it.
struct PixelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A widget's rectangle, whose right and bottom are its last pixels.
inline PixelRect ToPixelRect(const QRect& r)
{
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}
