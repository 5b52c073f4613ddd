#include "view/line_raster.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

struct Surface {
    Surface(int w, int h) : pixels(static_cast<std::size_t>(w * h)), width(w), height(h) {}
    PixelSurface View() { return {pixels.data(), width, width, height}; }
    std::vector<std::uint32_t> pixels;
    int width, height;
};

// Every step of the line, clipped pixel by pixel: slow but plainly right.
void ReferenceLine(Surface& s, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    const std::int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
    const std::int64_t sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const std::int64_t steps = xMajor ? dx : dy;
    for (std::int64_t i = 0; i <= steps; ++i) {
        const std::int64_t minor = steps == 0 ? 0 : (2 * i * (xMajor ? dy : dx) + steps) / (2 * steps);
        const std::int64_t x = xMajor ? x0 + sx * i : x0 + sx * minor;
        const std::int64_t y = xMajor ? y0 + sy * minor : y0 + sy * i;
        if (x >= 0 && x < s.width && y >= 0 && y < s.height)
            s.pixels[static_cast<std::size_t>(y * s.width + x)] = 1;
    }
}

TEST(LineRaster, ClippedLinesMatchTheFullLineInsideTheSurface)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<int> near(-60, 100);
    for (int trial = 0; trial < 3000; ++trial) {
        const int x0 = near(random), y0 = near(random), x1 = near(random), y1 = near(random);
        Surface fast(37, 23), slow(37, 23);
        RasterLine(fast.View(), x0, y0, x1, y1, 1);
        ReferenceLine(slow, x0, y0, x1, y1);
        ASSERT_EQ(fast.pixels, slow.pixels) << x0 << "," << y0 << " - " << x1 << "," << y1;
    }
}

TEST(LineRaster, EndsAreIncludedAndASinglePointIsAPixel)
{
    Surface s(10, 10);
    RasterLine(s.View(), 2, 3, 7, 5, 1);
    EXPECT_EQ(s.pixels[3 * 10 + 2], 1u);
    EXPECT_EQ(s.pixels[5 * 10 + 7], 1u);
    Surface dot(10, 10);
    RasterLine(dot.View(), 4, 4, 4, 4, 9);
    EXPECT_EQ(dot.pixels[44], 9u);
    RasterLine(dot.View(), -4, 4, -4, 4, 9);
    RasterLine(dot.View(), 4, 10, 4, 10, 9);
    EXPECT_EQ(std::count(dot.pixels.begin(), dot.pixels.end(), 9u), 1);
}

TEST(LineRaster, LongLinesFromFarAwayCrossOnlyWhereTheyShould)
{
    Surface s(100, 100);
    const std::int64_t far = 200'000'000;
    RasterLine(s.View(), -far, 50, far, 50, 1); // a horizontal line through the middle
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(s.pixels[50 * 100 + x], 1u);
    EXPECT_EQ(std::count(s.pixels.begin(), s.pixels.end(), 1u), 100);
    Surface none(100, 100);
    RasterLine(none.View(), -far, -far, -far + 5, far, 1); // passes far to the left
    EXPECT_EQ(std::count(none.pixels.begin(), none.pixels.end(), 1u), 0);
}

TEST(LineRaster, SegmentClipping)
{
    double x0 = -10, y0 = 5, x1 = 10, y1 = 5;
    ASSERT_TRUE(ClipSegment(x0, y0, x1, y1, 0, 8));
    EXPECT_EQ(x0, 0);
    EXPECT_EQ(x1, 8);
    EXPECT_EQ(y0, 5);
    double a = 1, b = 1, c = 2, d = 2;
    ASSERT_TRUE(ClipSegment(a, b, c, d, 0, 8));
    EXPECT_EQ(c, 2) << "inside ends stay exact";
    double e = -5, f = -5, g = -1, h = 20;
    EXPECT_FALSE(ClipSegment(e, f, g, h, 0, 8));
    double n = std::nan(""), m = 0, o = 1, p = 1;
    EXPECT_FALSE(ClipSegment(n, m, o, p, 0, 8));
}

} // namespace
