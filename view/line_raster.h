#pragma once

#include <cstdint>

// Direct drawing into 32-bit pixel rows, for the panes and raster exports,
// where going through a general painter costs several times the fill.
struct PixelSurface {
    std::uint32_t* Bits = nullptr;
    std::int64_t Stride = 0; // pixels per row
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

// Direct drawing into rows of one bit a pixel, the highest bit first, as
// QImage::Format_Mono holds them: the frames of a two-colour clip, a
// thirty-second of the bytes to fill and to hand on.
struct BitSurface {
    std::uint8_t* Bits = nullptr;
    std::int64_t Stride = 0; // bytes per row
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

inline void PutBit(const BitSurface& s, std::int64_t x, std::int64_t y, bool on)
{
    std::uint8_t& byte = s.Bits[y * s.Stride + (x >> 3)];
    const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
    byte = static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
}

// Sets (on) or clears the bits of the pixels left <= x < right, top <= y <
// bottom, which lie within the surface.
void FillBits(const BitSurface& surface, std::int64_t left, std::int64_t top, std::int64_t right,
              std::int64_t bottom, bool on);

// Coordinates whose size stays below this are drawn exactly; segments
// reaching further are first clipped to it, so that integer arithmetic never
// overflows and far points never wrap around.
constexpr double kRasterGuard = 268435456.0; // 2^28

// A line from (x0, y0) to (x1, y1), both ends included, one pixel wide,
// clipped to the surface. |coordinates| must be below kRasterGuard.
void RasterLine(const PixelSurface& surface, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                std::uint32_t pixel);
// The same pixels on a one-bit surface, set (on) or cleared.
void RasterLine(const BitSurface& surface, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                bool on);

// Clips the segment to the box [lo, hi] x [lo, hi] (Liang-Barsky). Returns
// false when nothing of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hi);
