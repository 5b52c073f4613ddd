#include "view/line_raster.h"

#include "model/bits_per_byte.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return -FloorDiv(-a, b);
}

// Steps along the major axis: step i lands at major0 + majorSign * i and
// minor0 + minorSign * floor((2 i dMinor + dMajor) / (2 dMajor)), the
// midpoint rule. Only the steps inside the surface are visited; the error
// term at the first of them is computed directly.
struct LineWalk {
    std::int64_t major0, minor0, majorSign, minorSign, dMajor, dMinor;
    std::int64_t majorSize, minorSize;
};

// The steps first..last, starting with the given minor coordinate and error.
template <bool XMajor>
void Run(const PixelSurface& s, const LineWalk& w, std::int64_t first, std::int64_t last, std::int64_t minor,
         std::int64_t error, std::uint32_t pixel)
{
    const std::int64_t twoMajor = 2 * w.dMajor;
    const std::int64_t twoMinor = 2 * w.dMinor;
    const std::int64_t major = w.major0 + w.majorSign * first;
    const std::int64_t rowStep = XMajor ? w.majorSign : w.majorSign * s.Stride;
    const std::int64_t minorStep = XMajor ? w.minorSign * s.Stride : w.minorSign;
    std::uint32_t* p = XMajor ? s.Bits + minor * s.Stride + major : s.Bits + major * s.Stride + minor;
    for (std::int64_t i = first; i <= last; ++i) {
        *p = pixel;
        p += rowStep;
        error += twoMinor;
        if (error >= twoMajor) {
            error -= twoMajor;
            p += minorStep;
        }
    }
}

// The same steps on a one-bit surface: the column moves the bit, the row
// the byte row.
template <bool XMajor>
void Run(const BitSurface& s, const LineWalk& w, std::int64_t first, std::int64_t last, std::int64_t minor,
         std::int64_t error, bool on)
{
    const std::int64_t twoMajor = 2 * w.dMajor;
    const std::int64_t twoMinor = 2 * w.dMinor;
    const std::int64_t major = w.major0 + w.majorSign * first;
    std::int64_t x = XMajor ? major : minor;
    std::uint8_t* row = s.Bits + (XMajor ? minor : major) * s.Stride;
    const std::int64_t xStep = XMajor ? w.majorSign : w.minorSign;
    const std::int64_t rowStep = (XMajor ? w.minorSign : w.majorSign) * s.Stride;
    const std::uint8_t value = on ? 0xFF : 0x00;
    for (std::int64_t i = first; i <= last; ++i) {
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        std::uint8_t& byte = row[x >> 3];
        byte = static_cast<std::uint8_t>((byte & ~mask) | (value & mask));
        if (XMajor)
            x += xStep;
        else
            row += rowStep;
        error += twoMinor;
        if (error >= twoMajor) {
            error -= twoMajor;
            if (XMajor)
                row += rowStep;
            else
                x += xStep;
        }
    }
}

template <bool XMajor, class Surface, class Pixel>
void Walk(const Surface& s, const LineWalk& w, Pixel pixel)
{
    const std::int64_t majorEnd = w.major0 + w.majorSign * w.dMajor;
    const std::int64_t minorEnd = w.minor0 + w.minorSign * w.dMinor;
    const auto inside = [](std::int64_t v, std::int64_t size) { return v >= 0 && v < size; };
    // Most segments of a curve lie wholly inside: no clipping arithmetic.
    if (inside(w.major0, w.majorSize) && inside(majorEnd, w.majorSize) && inside(w.minor0, w.minorSize)
        && inside(minorEnd, w.minorSize)) {
        Run<XMajor>(s, w, 0, w.dMajor, w.minor0, w.dMajor, pixel);
        return;
    }
    // Steps whose major coordinate lies inside.
    std::int64_t first = w.majorSign > 0 ? -w.major0 : w.major0 - (w.majorSize - 1);
    std::int64_t last = w.majorSign > 0 ? w.majorSize - 1 - w.major0 : w.major0;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, w.dMajor);
    // Steps whose minor offset lies within [lo, hi].
    const std::int64_t lo = w.minorSign > 0 ? -w.minor0 : w.minor0 - (w.minorSize - 1);
    const std::int64_t hi = w.minorSign > 0 ? w.minorSize - 1 - w.minor0 : w.minor0;
    if (w.dMinor == 0) {
        if (lo > 0 || hi < 0)
            return;
    } else {
        first = std::max(first, CeilDiv(2 * w.dMajor * lo - w.dMajor, 2 * w.dMinor));
        last = std::min(last, CeilDiv(2 * w.dMajor * (hi + 1) - w.dMajor, 2 * w.dMinor) - 1);
    }
    if (first > last)
        return;
    const std::int64_t numerator = 2 * first * w.dMinor + w.dMajor;
    const std::int64_t twoMajor = 2 * w.dMajor;
    Run<XMajor>(s, w, first, last, w.minor0 + w.minorSign * (numerator / twoMajor), numerator % twoMajor, pixel);
}

void Put(const PixelSurface& s, std::int64_t x, std::int64_t y, std::uint32_t pixel)
{
    s.Bits[y * s.Stride + x] = pixel;
}

void Put(const BitSurface& s, std::int64_t x, std::int64_t y, bool on)
{
    PutBit(s, x, y, on);
}

template <class Surface, class Pixel>
void Line(const Surface& s, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, Pixel pixel)
{
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    if (dx == 0 && dy == 0) {
        if (x0 >= 0 && x0 < s.Width && y0 >= 0 && y0 < s.Height)
            Put(s, x0, y0, pixel);
        return;
    }
    const std::int64_t sx = dx < 0 ? -1 : 1;
    const std::int64_t sy = dy < 0 ? -1 : 1;
    if (std::abs(dx) >= std::abs(dy))
        Walk<true>(s, {x0, y0, sx, sy, std::abs(dx), std::abs(dy), s.Width, s.Height}, pixel);
    else
        Walk<false>(s, {y0, x0, sy, sx, std::abs(dy), std::abs(dx), s.Height, s.Width}, pixel);
}

} // namespace

void RasterLine(const PixelSurface& s, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                std::uint32_t pixel)
{
    Line(s, x0, y0, x1, y1, pixel);
}

void RasterLine(const BitSurface& s, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, bool on)
{
    Line(s, x0, y0, x1, y1, on);
}

void FillBits(const BitSurface& s, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              bool on)
{
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min(right, s.Width);
    bottom = std::min(bottom, s.Height);
    if (left >= right || top >= bottom)
        return;
    // Whole bytes between the partial ones at either end.
    const std::int64_t firstWhole = (left + kBitsPerByte - 1) / kBitsPerByte;
    const std::int64_t endWhole = right / kBitsPerByte;
    for (std::int64_t y = top; y < bottom; ++y) {
        if (firstWhole < endWhole) {
            std::memset(s.Bits + y * s.Stride + firstWhole, on ? 0xFF : 0x00, endWhole - firstWhole);
            for (std::int64_t x = left; x < firstWhole * kBitsPerByte; ++x)
                PutBit(s, x, y, on);
            for (std::int64_t x = endWhole * kBitsPerByte; x < right; ++x)
                PutBit(s, x, y, on);
        } else {
            for (std::int64_t x = left; x < right; ++x)
                PutBit(s, x, y, on);
        }
    }
}

bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double lo, double hi)
{
    // Points pushed to infinity by zooming have no direction left to draw.
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return false;
    double t0 = 0.0, t1 = 1.0;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo, hi - x0, y0 - lo, hi - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    const double nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
    // Keep exact end points that were inside already.
    if (t0 > 0.0) {
        x0 = std::clamp(nx0, lo, hi);
        y0 = std::clamp(ny0, lo, hi);
    }
    if (t1 < 1.0) {
        x1 = std::clamp(nx1, lo, hi);
        y1 = std::clamp(ny1, lo, hi);
    }
    return true;
}
