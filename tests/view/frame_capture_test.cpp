#include "view/frame_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameScaleFor, TakesTheSmallerOfTheTwoRatios)
{
    EXPECT_DOUBLE_EQ(FrameScaleFor(Complex(10, 20), Complex(110, 70), 200, 50), 1.0);
    EXPECT_DOUBLE_EQ(FrameScaleFor(Complex(10, 20), Complex(110, 70), 50, 200), 0.5);
    EXPECT_DOUBLE_EQ(FrameScaleFor(Complex(0, 0), Complex(400, 300), 400, 300), 1.0);
}

TEST(FrameScaleFor, AFitOfThePaneSizeIsOneExactly)
{
    EXPECT_EQ(FrameScaleFor(Complex(0, 0.5), Complex(476.00000000001, 300), 476, 467), 1.0);
    EXPECT_LT(FrameScaleFor(Complex(0, 0), Complex(476.001, 300), 476, 467), 1.0);
}

TEST(FrameScaleFor, AWindowWithoutWidthOrHeightGivesOne)
{
    EXPECT_EQ(FrameScaleFor(Complex(5, 0), Complex(5, 80), 100, 100), 1.0);
    EXPECT_EQ(FrameScaleFor(Complex(0, 7), Complex(80, 7), 100, 100), 1.0);
    EXPECT_EQ(FrameScaleFor(Complex(80, 0), Complex(0, 80), 100, 100), 1.0);
}

} // namespace
