#include "view/zoom_path.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// x -> x * scale + offset, as Transform maps every point.
Complex Map(Complex x, double scale, const Complex& offset)
{
    x.MulReal(scale);
    x.Add(offset);
    return x;
}

// The whole zoom keeps one point in place: o / (1 - s). Every step must
// keep that same point, and N steps must make the whole zoom.
TEST(ZoomPath, EveryStepKeepsTheWholeZoomsFixedPointAndNStepsMakeTheZoom)
{
    for (const int steps : {1, 7, 60}) {
        for (const double scale : {4.0, 0.25, 1.0 + 1e-12}) {
            const Complex offset(-310.5, 72.25);
            const ZoomStepMapping step = GeometricZoomStep(scale, offset, steps);
            SCOPED_TRACE(testing::Message() << steps << " steps, scale " << scale);
            const Complex fixed(offset.Re / (1 - scale), offset.Im / (1 - scale));
            const Complex moved = Map(fixed, step.Scale, step.Offset);
            EXPECT_NEAR(moved.Re, fixed.Re, std::fabs(fixed.Re) * 1e-9);
            EXPECT_NEAR(moved.Im, fixed.Im, std::fabs(fixed.Im) * 1e-9);
            Complex probe(12, -34);
            const Complex whole = Map(probe, scale, offset);
            for (int i = 0; i < steps; ++i)
                probe = Map(probe, step.Scale, step.Offset);
            EXPECT_NEAR(probe.Re, whole.Re, 1e-6);
            EXPECT_NEAR(probe.Im, whole.Im, 1e-6);
        }
    }
}

TEST(ZoomPath, WithoutScalingTheOffsetIsSharedEqually)
{
    const ZoomStepMapping step = GeometricZoomStep(1.0, Complex(-30, 60), 6);
    EXPECT_EQ(step.Scale, 1.0);
    EXPECT_EQ(step.Offset.Re, -5.0);
    EXPECT_EQ(step.Offset.Im, 10.0);
}

TEST(ZoomPath, StepCountsBelowOneCountAsOne)
{
    EXPECT_EQ(ZoomStepCount(0), 1);
    EXPECT_EQ(ZoomStepCount(-5), 1);
    EXPECT_EQ(ZoomStepCount(60), 60);
}

} // namespace
