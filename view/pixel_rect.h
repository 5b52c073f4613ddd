#pragma once

#include <cstdint>

// A pixel rectangle; right and bottom lie just outside it.
struct PixelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
