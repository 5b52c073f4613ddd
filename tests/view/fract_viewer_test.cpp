#include "model/start_generator.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

class StartCurve : public ::testing::Test {
protected:
    StartCurve() { MakeStartGenerator(generator); }

    void Expand(int depth)
    {
        viewer.Depth = depth;
        viewer.Recalculate();
    }

    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
};

void ExpectPoint(const Complex& p, double re, double im, double tolerance = 1e-12)
{
    EXPECT_NEAR(p.Re, re, tolerance);
    EXPECT_NEAR(p.Im, im, tolerance);
}

TEST_F(StartCurve, DepthOneIsTheGeneratorItself)
{
    Expand(1);
    ASSERT_EQ(viewer.PointCount, 5);
    ExpectPoint(viewer.Points[0], 0, 0);
    ExpectPoint(viewer.Points[1], 1, 0);
    ExpectPoint(viewer.Points[2], 1.6, -0.8);
    ExpectPoint(viewer.Points[3], 2.2, 0);
    ExpectPoint(viewer.Points[4], 3.2, 0);
    ExpectPoint(viewer.BoundsMin, 0, -0.8);
    ExpectPoint(viewer.BoundsMax, 3.2, 0);
    EXPECT_EQ(viewer.Level, -1);
    EXPECT_TRUE(viewer.WindowIsBounds());
}

TEST_F(StartCurve, DepthTwoReplacesEveryEdge)
{
    Expand(2);
    ASSERT_EQ(viewer.PointCount, 17);
    ExpectPoint(viewer.Points[5], 3.8, -0.8);
    ExpectPoint(viewer.Points[6], 3.52, -1.76);
    ExpectPoint(viewer.Points[16], 10.24, 0);
    ExpectPoint(viewer.BoundsMin, 0, -2.56);
    ExpectPoint(viewer.BoundsMax, 10.24, 0);
}

TEST_F(StartCurve, PointCountsAndTheCutAtTheCapacity)
{
    const int expected[] = {2, 5, 17, 65, 257, 1025, 4097, 16383, 16383};
    for (int depth = 0; depth <= 8; ++depth) {
        Expand(depth);
        EXPECT_EQ(viewer.PointCount, expected[depth]) << depth;
    }
    Expand(7);
    ExpectPoint(viewer.Points[16382], std::pow(3.2, 7) - 1.6, -0.8, 1e-9);
    Expand(0);
    ExpectPoint(viewer.Points[1], 1, 0);
}

TEST_F(StartCurve, AnEmptyGeneratorGivesTheOriginAlone)
{
    generator.Count = 0;
    Expand(5);
    EXPECT_EQ(viewer.PointCount, 1);
}

TEST_F(StartCurve, DirectionIsNeverRestoredBetweenCopies)
{
    // A product of items other than (1, 0) turns everything after a copy.
    generator.Count = 2;
    generator.Items[0].SetTo(1, 0);
    generator.Items[1].SetTo(0, 1);
    Expand(2);
    ASSERT_EQ(viewer.PointCount, 5);
    // Directions: 1, i, i (after 1*... ) etc., as the recursion multiplies them.
    ExpectPoint(viewer.Points[1], 1, 0);
    ExpectPoint(viewer.Points[2], 1, 1);
    ExpectPoint(viewer.Points[3], 0, 1);
    ExpectPoint(viewer.Points[4], 0, 0);
}

TEST_F(StartCurve, FitKeepsTheAspectAndCentres)
{
    Expand(1);
    viewer.SetRect({0, 0, 600, 400});
    EXPECT_DOUBLE_EQ(viewer.Scale, 187.5);
    ExpectPoint(viewer.Offset, 0, 256.25);
    viewer.Transform();
    ExpectPoint(*viewer.WindowMin, 0, 106.25);
    ExpectPoint(*viewer.WindowMax, 600, 256.25);
    viewer.SetRect({0, 0, 600, 400});
    EXPECT_DOUBLE_EQ(viewer.Scale, 1);
    ExpectPoint(viewer.Offset, 0, 18.75);
    viewer.Transform();
    ExpectPoint(*viewer.WindowMin, 0, 125);
    ExpectPoint(*viewer.WindowMax, 600, 275);

    Expand(2);
    viewer.SetRect({0, 0, 600, 400});
    EXPECT_DOUBLE_EQ(viewer.Scale, 58.59375);
    ExpectPoint(viewer.Offset, 0, 275);
    viewer.Transform();
    viewer.SetRect({0, 0, 600, 400});
    EXPECT_NEAR(viewer.Scale, 1, 1e-12);
    ExpectPoint(viewer.Offset, 0, 0, 1e-9);
}

TEST_F(StartCurve, TiesAndFlatWindowsTakeTheHeightBranch)
{
    Complex a(0, 0), b(3, 2);
    viewer.SetWindow(a, b);
    viewer.SetRect({0, 0, 300, 200});
    EXPECT_DOUBLE_EQ(viewer.Scale, 100);
    ExpectPoint(viewer.Offset, 0, 0);

    Complex c(0, 0), d(1, 0);
    viewer.SetWindow(c, d);
    viewer.SetRect({0, 0, 600, 400});
    EXPECT_DOUBLE_EQ(viewer.Scale, 400);
    ExpectPoint(viewer.Offset, 100, 0);

    viewer.SetRect({10, 0, 10, 400}); // an empty rectangle counts one pixel wide
    EXPECT_DOUBLE_EQ(viewer.Scale, 1);
}

TEST_F(StartCurve, TheBoundsAreMappedOnceWhenTheyAreTheWindow)
{
    Expand(1);
    viewer.SetWindow(viewer.BoundsMin, viewer.BoundsMax);
    viewer.Scale = 2;
    viewer.Offset.SetTo(1, 1);
    viewer.Transform();
    ExpectPoint(viewer.BoundsMin, 1, -0.6);
    ExpectPoint(viewer.BoundsMax, 7.4, 1);

    Complex a(0, 0), b(1, 1);
    viewer.SetWindow(a, b);
    viewer.Transform();
    ExpectPoint(viewer.BoundsMin, 3, -0.2);
    ExpectPoint(a, 1, 1);
    ExpectPoint(b, 3, 3);
}

QImage Draw(FractViewer& viewer, bool lines, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    if (lines)
        viewer.DrawLines(painter);
    else
        viewer.DrawPoints(painter);
    return image;
}

TEST_F(StartCurve, PointsAreSinglePixelsAtTruncatedCoordinates)
{
    Expand(3);
    viewer.SetRect({0, 0, 320, 200});
    viewer.Transform();
    const QImage image = Draw(viewer, false, 320, 200);
    QImage expected(320, 200, QImage::Format_RGB32);
    expected.fill(Qt::white);
    for (int i = 0; i < viewer.PointCount; ++i) {
        const auto x = static_cast<int>(viewer.Points[i].Re), y = static_cast<int>(viewer.Points[i].Im);
        if (x >= 0 && x < 320 && y >= 0 && y < 200)
            expected.setPixel(x, y, qRgb(0, 0, 0));
    }
    EXPECT_EQ(image, expected);
}

TEST_F(StartCurve, LinesJoinEveryPointAndStayInTheFill)
{
    Expand(1);
    viewer.SetRect({0, 0, 33, 10});
    viewer.Transform();
    viewer.FgColor = 0x0000FF; // red in 0x00BBGGRR
    viewer.BgColor = 0xFF0000;
    const QImage image = Draw(viewer, true, 40, 12);
    for (int i = 0; i < viewer.PointCount; ++i) {
        const auto x = static_cast<int>(viewer.Points[i].Re), y = static_cast<int>(viewer.Points[i].Im);
        EXPECT_EQ(image.pixel(std::min(x, 39), std::min(y, 11)), qRgb(255, 0, 0)) << i;
    }
    EXPECT_EQ(image.pixel(20, 0), qRgb(0, 0, 255)) << "the background fills the target";
    EXPECT_EQ(image.pixel(35, 11), qRgb(255, 0, 0)) << "outside the target stays as it was";
}

TEST(FractViewerDots, DotsAreEllipsesAroundTruncatedPoints)
{
    FractModel generator(10);
    FractViewer viewer(generator, 4);
    viewer.Recalculate();
    viewer.Points[0].SetTo(10.7, 20.2);
    viewer.PointCount = 1;
    viewer.TargetRect = {0, 0, 40, 40};
    QImage image(40, 40, QImage::Format_RGB32);
    QPainter painter(&image);
    viewer.DrawDots(painter, 5);
    painter.end();
    EXPECT_EQ(image.pixel(10, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 14), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(16, 20), qRgb(255, 255, 255));
}

TEST_F(StartCurve, FarPointsAfterManyZoomsDrawNoStrayLines)
{
    Expand(5);
    viewer.SetRect({0, 0, 200, 200});
    viewer.Transform();
    // Zoom into a tiny part over and over, as successive rubber bands would.
    for (int zoom = 0; zoom < 40; ++zoom) {
        Complex a(99, 99), b(101, 101);
        viewer.SetWindow(a, b);
        viewer.SetRect({0, 0, 200, 200});
        viewer.Transform();
    }
    for (bool lines : {true, false}) {
        const QImage image = Draw(viewer, lines, 200, 200);
        int black = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                black += image.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_LT(black, 200 * 3) << "at most a line or two can cross the view";
    }
}

} // namespace

namespace {

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

struct ExactPoint {
    int Index;
    std::uint64_t Re;
    std::uint64_t Im;
};

// Depth 8, cut at the capacity: a change in the order of the arithmetic
// moves the last bits, which no tolerance would notice.
void ExpectDepthEight(FractModel& generator, const std::vector<ExactPoint>& expected, const ExactPoint& boundsMin,
                      const ExactPoint& boundsMax)
{
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = 8;
    viewer.Recalculate();
    ASSERT_EQ(viewer.PointCount, 16383);
    for (const ExactPoint& p : expected) {
        EXPECT_EQ(Bits(viewer.Points[p.Index].Re), p.Re) << "point " << p.Index << " re " << viewer.Points[p.Index].Re;
        EXPECT_EQ(Bits(viewer.Points[p.Index].Im), p.Im) << "point " << p.Index << " im " << viewer.Points[p.Index].Im;
    }
    EXPECT_EQ(Bits(viewer.BoundsMin.Re), boundsMin.Re);
    EXPECT_EQ(Bits(viewer.BoundsMin.Im), boundsMin.Im);
    EXPECT_EQ(Bits(viewer.BoundsMax.Re), boundsMax.Re);
    EXPECT_EQ(Bits(viewer.BoundsMax.Im), boundsMax.Im);
}

TEST(ExactExpansion, StartGeneratorAtDepthEight)
{
    FractModel start(kGeneratorCapacity);
    MakeStartGenerator(start);
    ExpectDepthEight(start,
                     {{1, 0x3FF0000000000000ull, 0x0000000000000000ull},
                      {2, 0x3FF999999999999Aull, 0xBFE999999999999Aull},
                      {1000, 0x4074447C30D3069Full, 0xC016872B020C553Cull},
                      {5461, 0x4092DBA67A52ABDAull, 0xC0773474107317C5ull},
                      {12345, 0x40A2ACF5C43CDB50ull, 0xBFFC28F5C29B7B53ull},
                      {16382, 0x40AAD4BF67897D8Aull, 0xBFE9999999CCA204ull}},
                     {0, 0x0000000000000000ull, 0xC08AD7F29ABCB375ull}, {0, 0x40AAD4BF67897D8Aull, 0x0000000000000000ull});
}

TEST(ExactExpansion, CesaroGeneratorAtDepthEight)
{
    FractModel cesaro(kGeneratorCapacity);
    cesaro.Count = 4;
    cesaro.Items[0].SetTo(1, 0);
    cesaro.Items[1].SetTo(0.0871557427476582, -0.996194698091746);
    cesaro.Items[2].SetTo(-0.984807753012208, 0.17364817766693);
    cesaro.Items[3].SetTo(0.0871557427476582, -0.996194698091746);
    ExpectDepthEight(cesaro,
                     {{1, 0x3FF0000000000000ull, 0x0000000000000000ull},
                      {2, 0x3FF164FD6B8C2810ull, 0xBFEFE0D3B41815A6ull},
                      {1000, 0x4046E918D8ABA1E1ull, 0xC004594C6CE1E6FDull},
                      {5461, 0x40566E5B67B09CE8ull, 0xC0459BDD4FDD5E60ull},
                      {12345, 0x406082C19C346126ull, 0xBFF2B7AD29C110C6ull},
                      {16382, 0x406C952826A22064ull, 0xBFEFE0D3B3E9C5D5ull}},
                     {0, 0x0000000000000000ull, 0xC05A50D13094C798ull}, {0, 0x406C952826A22064ull, 0x3DF7738B30000000ull});
}

} // namespace
