#include "view/curve_renderer.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_viewer.h"
#include "view/segment_colors.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// A straight generator of edges 1, 2 and 1 (end 4): the curve is the line
// from 0 to 4 at every depth, and a point's place along it is x / 4 by
// length, while its point index would put x = 1 at a third. Its middle edge
// lies in the middle, so the middle of every segment is the middle of a
// segment at any greater depth: a point there has one colour at all depths.
class StraightCurve : public ::testing::Test {
protected:
    StraightCurve()
    {
        generator.Count = 3;
        generator.Items[0].SetTo(1, 0);
        generator.Items[1].SetTo(2, 0);
        generator.Items[2].SetTo(0.5, 0);
    }

    // The colour index of the polyline's segment over x (in the curve's
    // coordinates, from 0 to 4) at depth.
    int PolylineColor(const CurveColoring& coloring, int depth, double x)
    {
        viewer.Depth = depth;
        viewer.Recalculate();
        ColorPolyline(generator, depth, viewer.PointCount, coloring, colors);
        const double at = x * std::pow(4.0, depth - 1);
        for (int i = 1; i < viewer.PointCount; ++i)
            if (viewer.Points[i].Re >= at)
                return colors[static_cast<std::size_t>(i)];
        return -1;
    }

    // The colour index of the traced piece over x, in a square window of
    // half size about x (the full view for none).
    int EndlessColor(const CurveColoring& coloring, double x, const char* half)
    {
        EndlessView view;
        view.Recalculate(generator);
        EXPECT_TRUE(view.Curve().Exists());
        constexpr int kSize = 65;
        double pixel = 0;
        if (half) {
            const BigFloat h = *ParseDecimal(half);
            const BigFloat c(x, 64);
            view.SetWindow({c - h, BigFloat(0.0) - h}, {c + h, h});
            pixel = kSize / 2.0;
        } else {
            pixel = x / 4 * kSize;
        }
        EndlessRenderer renderer(view);
        CurveStyle style;
        style.Coloring = coloring;
        // Recorded rather than drawn on pixels, the tiles keep their whole
        // traces, whose points carry the colours.
        QPicture picture;
        QPainter painter(&picture);
        renderer.Picture(ViewPlacement::FittedTo({0, 0, kSize, kSize}), style)->Draw(painter);
        for (const TracedTile& tile : renderer.LastTrace().Tiles()) {
            const TracedCurve& trace = tile.Curve;
            for (std::size_t i = 1; i < trace.Points.size(); ++i)
                if (trace.Points[i - 1].Re <= pixel && trace.Points[i].Re >= pixel)
                    return trace.Colors[i];
        }
        return -1;
    }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    std::vector<std::uint8_t> colors;
};

CurveColoring Gradient(int repeats)
{
    CurveColoring coloring;
    coloring.Kind = CurveColoring::Mode::Gradient;
    coloring.Repeats = repeats;
    return coloring;
}

CurveColoring Edges(int level)
{
    CurveColoring coloring;
    coloring.Kind = CurveColoring::Mode::Edges;
    coloring.EdgeLevel = level;
    return coloring;
}

TEST_F(StraightCurve, APointTakesTheColourOfItsPlaceByLengthAtEveryDepthAndMagnification)
{
    struct Row {
        const char* name;
        CurveColoring coloring;
        double x;
        int index;
        // The endless view's window about x, or the full view.
        const char* half;
    };
    const Row rows[] = {
        {"start", Gradient(1), 0.0, 0, "1e-9"},
        {"middle", Gradient(1), 2.0, 128, "1e-3"},
        {"end", Gradient(1), 4.0, 255, "1e-9"},
        {"an eighth", Gradient(1), 0.5, 32, "1e-30"},
        {"deep in the last edge", Gradient(1), 3.125, 200, "1e-200"},
        {"repeated thrice", Gradient(3), 0.5, 96, "1e-12"},
        {"repeated thrice, late", Gradient(3), 3.125, 88, "1e-12"},
        {"first edge", Edges(1), 0.5, 0, nullptr},
        {"middle edge", Edges(1), 2.0, 1, nullptr},
        {"last edge", Edges(1), 3.5, 2, nullptr},
        {"level two in the first edge", Edges(2), 0.5, 1, nullptr},
        {"level two in the last edge", Edges(2), 3.125, 0, nullptr},
        {"level three in the last edge", Edges(3), 3.125, 1, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool end = row.x == 0.0 || row.x == 4.0;
        // The curve's first and last segments reach the ends only at their
        // own end: their middles near the ends as the depth grows.
        EXPECT_NEAR(PolylineColor(row.coloring, 3, row.x), row.index, end ? 2 : 0);
        EXPECT_EQ(PolylineColor(row.coloring, 6, row.x), row.index);
        EXPECT_NEAR(EndlessColor(row.coloring, row.x, row.half), row.index, 1);
    }
}

// A straight generator of edges 3 and 1 whose first edge carries a reversed
// copy: that copy meets its short edge first, so at level 2 the curve's
// first stretch descends from generator edge 1, and the places still grow
// along the line, x / 4 wherever x is.
TEST_F(StraightCurve, AReversedCopyMeetsItsLastEdgeFirstAndThePlacesStillGrowAlongTheCurve)
{
    generator.Count = 2;
    generator.Items[0].SetTo(3, 0);
    generator.Items[1].SetTo(1.0 / 3, 0);
    generator.Orientations[0] = EdgeOrientation::Reversed;
    EXPECT_EQ(PolylineColor(Edges(2), 5, 0.3), 1);
    EXPECT_EQ(PolylineColor(Edges(2), 5, 1.5), 0);
    EXPECT_EQ(PolylineColor(Edges(3), 5, 0.1), 1);
    EXPECT_EQ(EndlessColor(Edges(2), 0.3, nullptr), 1);
    EXPECT_EQ(EndlessColor(Edges(2), 1.5, nullptr), 0);
    for (const double x : {0.3, 1.5, 2.9, 3.5})
        EXPECT_NEAR(EndlessColor(Gradient(1), x, "1e-6"), x / 4 * kGradientSteps, 1) << x;
    PolylineColor(Gradient(1), 5, 0.0);
    EXPECT_TRUE(std::is_sorted(colors.begin(), colors.begin() + viewer.PointCount));
}

// Every piece's colour from its own place, one piece at a time.
void EachPiece(const EdgeShares& shares, const SegmentColors& colors, const CurvePlace& place, int levels,
               std::size_t count, std::vector<std::uint8_t>& out)
{
    if (levels == 0) {
        out.push_back(colors.IndexOf(shares, place));
        return;
    }
    for (int walk = 0; walk < shares.Count() && out.size() < count; ++walk)
        EachPiece(shares, colors, shares.Child(place, walk), levels - 1, count, out);
}

// The polyline fills copies of one colour at once: each piece still has the
// colour of its own place, also on step boundaries, in reversed copies, with
// the points running out, and deeper than a place keeps its edges.
TEST_F(StraightCurve, CopiesFilledAtOnceGiveEveryPieceItsOwnColour)
{
    generator.Orientations[1] = EdgeOrientation::Reversed;
    const struct {
        CurveColoring coloring;
        int edges;
        int depth;
        int count;
    } rows[] = {{Gradient(1), 3, 7, 2188}, {Gradient(64), 3, 7, 1500}, {Gradient(5), 3, 9, 19684},
                {Edges(1), 3, 6, 730},     {Edges(3), 3, 2, 10},       {Edges(2), 2, 19, 100000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.depth << " " << row.count);
        generator.Count = row.edges;
        EdgeShares shares;
        shares.Update(generator);
        ColorPolyline(generator, row.depth, row.count, row.coloring, colors);
        std::vector<std::uint8_t> each;
        EachPiece(shares, SegmentColors(row.coloring, row.coloring.EdgeLevel), CurvePlace{}, row.depth,
                  static_cast<std::size_t>(row.count - 1), each);
        EXPECT_TRUE(std::equal(each.begin(), each.end(), colors.begin() + 1));
    }
}

// A palette's first and last gradient steps are the stops' own colours.
TEST(CurvePalette, GradientStepsRunFromTheFirstStopToTheLast)
{
    CurveColoring coloring = Gradient(1);
    coloring.Stops = {{0.0, RgbColor(255, 0, 0)}, {0.5, RgbColor(0, 255, 0)}, {1.0, RgbColor(0, 0, 255)}};
    const CurvePalette palette(coloring);
    ASSERT_EQ(palette.Size(), kGradientSteps);
    EXPECT_EQ(palette[0], RgbColor(255, 0, 0));
    EXPECT_EQ(palette[kGradientSteps - 1], RgbColor(0, 0, 255));
    EXPECT_EQ(coloring.GradientAt(0.5), RgbColor(0, 255, 0));
    EXPECT_EQ(coloring.GradientAt(0.25), RgbColor(128, 128, 0));
}

TEST(EndlessEdgeLevel, DeepensByOneEachTimeTheMagnificationPassesAPowerOfTheInverseRatio)
{
    struct Row {
        int level;
        double log2M;
        double ratio;
        int expected;
    };
    const Row rows[] = {
        {1, 0.0, 0.5, 1},
        {1, 0.99, 0.5, 1},
        {1, 1.0, 0.5, 2},
        {2, 10.5, 0.5, 12},
        {3, 2 * std::log2(3.2) + 0.01, 1 / 3.2, 5},
        {3, -4.0, 0.5, 3},
        {1, 3000.0, 0.5, 3001},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EndlessRenderer::EdgeLevelAt(row.level, row.log2M, row.ratio), row.expected)
            << row.level << " " << row.log2M;
}

} // namespace
