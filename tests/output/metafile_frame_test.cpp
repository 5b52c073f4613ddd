#include "output/metafile/metafile_frame.h"
#include "output/metafile/wmf_header.h"

#include <gtest/gtest.h>

namespace {

TEST(MetafileMulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(8, 1, 3), 3);
    EXPECT_EQ(MulDiv(2000000000, 3, 2), 3000000000);
}

TEST(MetafileFrameSize, PixelsTimesScreenMillimetresOverScreenPixels)
{
    const ReferenceScreen screen{QSize(1920, 1080), QSizeF(508.0, 286.0)};
    EXPECT_EQ(HundredthsOfMillimetre(screen), QSize(50800, 28600));
    EXPECT_EQ(FrameSize(QSize(1920, 1080), screen), QSize(50800, 28600));
    EXPECT_EQ(FrameSize(QSize(800, 600), screen), QSize(21167, 15889));
    EXPECT_EQ(FrameSize(QSize(1, 1), screen), QSize(26, 26));
}

TEST(MetafileFrameSize, FractionalMillimetresCount)
{
    const ReferenceScreen screen{QSize(1000, 1000), QSizeF(254.004, 100.0)};
    EXPECT_EQ(HundredthsOfMillimetre(screen).width(), 25400);
    EXPECT_EQ(FrameSize(QSize(500, 3), screen), QSize(12700, 30));
}

TEST(WmfPlaceableBox, NinetySixPerInch)
{
    const PlaceableBox box = PlaceableBoxOf(QSize(2540, 5080));
    EXPECT_EQ(box.Right, 96);
    EXPECT_EQ(box.Bottom, 192);
    EXPECT_EQ(box.UnitsPerInch, 96);
    EXPECT_EQ(PlaceableBoxOf(QSize(13, 14)).Right, 0); // 0.49 rounds down
    EXPECT_EQ(PlaceableBoxOf(QSize(14, 14)).Right, 1); // 0.53 rounds up
}

TEST(WmfPlaceableBox, FewerUnitsPerInchForAHugeFrame)
{
    const PlaceableBox box = PlaceableBoxOf(QSize(2116667, 1058333));
    EXPECT_LT(box.UnitsPerInch, 96);
    EXPECT_LE(box.Right, 32767);
    EXPECT_GT(box.Right, 30000);
    EXPECT_EQ(box.Bottom, (box.Right + 1) / 2);
}

} // namespace
