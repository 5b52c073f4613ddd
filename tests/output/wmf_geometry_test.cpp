#include "output/metafile/wmf_geometry.h"

#include <gtest/gtest.h>

namespace {

using Points = std::vector<QPoint>;

TEST(WmfGeometry, OrdinaryPictureIsUnchanged)
{
    const WmfGeometry geometry(QSize(1000, 800));
    EXPECT_EQ(geometry.WindowExtent(), QSize(1000, 800));
    EXPECT_EQ(geometry.PenWidth(7), 7);
    EXPECT_EQ(geometry.Pixel(QPoint(-3, 999)), QPoint(-3, 999));
    EXPECT_EQ(geometry.Box(GdiBox{-5, 6, 1001, 801}), (GdiBox{-5, 6, 1001, 801}));
    const Points curve{{0, 0}, {500, -1000}, {999, 799}};
    EXPECT_EQ(geometry.PolylineRuns(curve), std::vector<Points>{curve});
}

TEST(WmfGeometry, OutOfRangeIsClippedOrClamped)
{
    const WmfGeometry geometry(QSize(1000, 800));
    EXPECT_FALSE(geometry.Pixel(QPoint(40000, 0)).has_value());
    EXPECT_EQ(geometry.Box(GdiBox{-40000, 0, 40000, 10}), (GdiBox{-32768, 0, 32767, 10}));
    // Out to x = 65534 and back: each leg is cut where it crosses 32767.
    const Points curve{{0, 0}, {65534, 100}, {0, 200}};
    const std::vector<Points> runs = geometry.PolylineRuns(curve);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (Points{{0, 0}, {32767, 50}}));
    EXPECT_EQ(runs[1], (Points{{32767, 150}, {0, 200}}));
}

TEST(WmfGeometry, SegmentWhollyOutsideIsDropped)
{
    const WmfGeometry geometry(QSize(100, 100));
    const Points curve{{0, 0}, {10, 10}, {40000, 10}, {40000, 50}, {10, 50}, {0, 60}};
    const std::vector<Points> runs = geometry.PolylineRuns(curve);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (Points{{0, 0}, {10, 10}, {32767, 10}}));
    EXPECT_EQ(runs[1], (Points{{32767, 50}, {10, 50}, {0, 60}}));
}

TEST(WmfGeometry, LongRunsContinueFromTheLastPoint)
{
    const WmfGeometry geometry(QSize(100, 100));
    Points curve;
    for (int i = 0; i < 2 * WmfGeometry::kMaxPolylinePoints; ++i)
        curve.emplace_back(i % 100, i % 7);
    const std::vector<Points> runs = geometry.PolylineRuns(curve);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size(), 32767u);
    EXPECT_EQ(runs[1].size(), 32767u);
    EXPECT_EQ(runs[2].size(), 2u);
    EXPECT_EQ(runs[1].front(), runs[0].back());
    EXPECT_EQ(runs[2].front(), runs[1].back());
    EXPECT_EQ(runs[2].back(), curve.back());
}

TEST(WmfGeometry, WidePictureIsScaledDown)
{
    const WmfGeometry geometry(QSize(70000, 1000));
    EXPECT_EQ(geometry.WindowExtent(), QSize(23334, 334));
    EXPECT_EQ(geometry.PenWidth(1), 1);
    EXPECT_EQ(geometry.PenWidth(8), 3);
    EXPECT_EQ(geometry.Pixel(QPoint(69999, -1)), QPoint(23333, -1));
    EXPECT_EQ(geometry.Box(GdiBox{-3, -4, 70001, 1001}), (GdiBox{-1, -2, 23333, 333}));
}

} // namespace
