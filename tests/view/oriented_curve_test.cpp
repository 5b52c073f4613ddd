#include "tests/support/classic_curves.h"
#include "view/fract_viewer.h"

#include <gtest/gtest.h>

namespace {

// Each classic curve, expanded, is its L-system point for point: the
// orientations compose down the copies and reversed copies are walked from
// their far end. A wrong composition shows from depth 3 on.
TEST(OrientedCurve, TheExpansionDrawsTheClassicCurvesAsTheirLSystems)
{
    for (const ClassicCurve& curve : ClassicCurves()) {
        FractModel generator = curve.Generator();
        FractViewer viewer(generator, kCurveCapacity);
        for (const int depth : {1, 3, 4}) {
            viewer.Depth = depth;
            viewer.Recalculate();
            const std::vector<Complex> expected = curve.Turtle(depth);
            ASSERT_EQ(viewer.PointCount, static_cast<int>(expected.size())) << curve.Name << " " << depth;
            const std::vector<Complex> points = ClassicCurve::FromZeroToOne(
                std::vector<Complex>(viewer.Points.begin(), viewer.Points.begin() + viewer.PointCount));
            for (std::size_t i = 0; i < points.size(); ++i) {
                ASSERT_NEAR(points[i].Re, expected[i].Re, 1e-9) << curve.Name << " " << depth << " point " << i;
                ASSERT_NEAR(points[i].Im, expected[i].Im, 1e-9) << curve.Name << " " << depth << " point " << i;
            }
        }
    }
}

} // namespace
