#include "model/fract_file.h"
#include "view/fract_viewer.h"
#include "view/limit_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

FractModel Generator(const std::vector<Complex>& items)
{
    FractModel generator(kGeneratorCapacity);
    generator.Count = static_cast<int>(items.size());
    for (int i = 0; i < generator.Count; ++i)
        generator.Items[i] = items[i];
    return generator;
}

FractModel Example(const char* name)
{
    FractModel generator(kGeneratorCapacity);
    LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/") + QLatin1String(name), generator);
    return generator;
}

TEST(LimitCurve, ExistsWhenTheLastEdgeIsUnitAndEveryEdgeShorterThanTheChord)
{
    struct Row {
        const char* name;
        std::vector<Complex> items;
        LimitCurve::Verdict verdict;
    };
    using V = LimitCurve::Verdict;
    const Row rows[] = {
        {"start", {{1, 0}, {0.6, -0.8}, {-0.28, 0.96}, {0.6, -0.8}}, V::Exists},
        {"last edge turned", {{1, 0}, {0.6, -0.8}, {-0.28, 0.96}, {0.6, 0.8}}, V::LastEdgeNotUnit},
        {"last edge longer", {{1, 0}, {0.6, -0.8}, {-0.28, 0.96}, {0.6 * 1.01, -0.8 * 1.01}}, V::LastEdgeNotUnit},
        {"off by the tolerance", {{1, 0}, {1 + 0.9e-9, 0}}, V::Exists},
        {"an edge as long as the chord", {{1, 0}, {-1, 0}, {-1, 0}}, V::EdgesNotShorter},
        {"one edge", {{1, 0}}, V::EdgesNotShorter},
        {"no edges", {}, V::EdgesNotShorter},
        {"end on the start", {{-1, 0}, {-1, 0}}, V::EdgesNotShorter},
    };
    for (const Row& row : rows) {
        LimitCurve curve;
        curve.Update(Generator(row.items));
        EXPECT_EQ(curve.Check(), row.verdict) << row.name;
    }
}

// The viewer's depth d + 1 scaled back by N^d is C's copies of depth d: its
// points lie on C, so within C's bounds and disc, and they reach both.
TEST(LimitCurve, TheViewersDepthsScaledBackFillTheBoundsAndTheDisc)
{
    for (const char* name : {"koch.fract", "start.fract", "cesaro.fract", "quadratic-koch.fract"}) {
        FractModel generator = Example(name);
        LimitCurve curve;
        curve.Update(generator);
        ASSERT_TRUE(curve.Exists()) << name;
        // The deepest whole curve the viewer holds.
        const int depth = static_cast<int>(std::log(kCurveCapacity - 2.0) / std::log(generator.Count));
        FractViewer viewer(generator, kCurveCapacity);
        viewer.Depth = depth;
        viewer.Recalculate();
        Complex back(1, 0);
        for (int i = 1; i < depth; ++i)
            back.Mul(curve.End());
        const double chord = std::hypot(curve.End().Re, curve.End().Im);
        const double slack = 1e-9 * chord;
        Complex centre = curve.DiscCentre();
        centre.Mul(curve.End());
        double reach = 0, left = 1e9, top = 1e9, right = 1e9, bottom = 1e9;
        for (int i = 0; i < viewer.PointCount; ++i) {
            Complex p = viewer.Points[i];
            p.Div(back);
            EXPECT_GE(p.Re, curve.BoundsMin().Re - slack) << name;
            EXPECT_GE(p.Im, curve.BoundsMin().Im - slack) << name;
            EXPECT_LE(p.Re, curve.BoundsMax().Re + slack) << name;
            EXPECT_LE(p.Im, curve.BoundsMax().Im + slack) << name;
            reach = std::max(reach, std::hypot(p.Re - centre.Re, p.Im - centre.Im));
            left = std::min(left, p.Re - curve.BoundsMin().Re);
            top = std::min(top, p.Im - curve.BoundsMin().Im);
            right = std::min(right, curve.BoundsMax().Re - p.Re);
            bottom = std::min(bottom, curve.BoundsMax().Im - p.Im);
        }
        EXPECT_LE(reach, curve.DiscRadius() * chord) << name;
        EXPECT_GE(reach, 0.9 * curve.DiscRadius() * chord) << name << ": the disc is tight";
        EXPECT_LT(std::max({left, top, right, bottom}), 0.01 * chord) << name << ": the bounds are tight";
    }
}

} // namespace
