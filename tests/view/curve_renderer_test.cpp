#include "model/start_generator.h"
#include "view/curve_renderer.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The start curve at depth 4, fitted into a pane of 200 x 120 pixels, as
// the pane's paint leaves it.
class CurvePictures : public ::testing::Test {
protected:
    CurvePictures()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 4;
        viewer.Recalculate();
        viewer.SetRect(kPane);
        viewer.Transform();
    }

    static QImage Blank(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::red);
        return picture;
    }

    QImage Render(const ViewPlacement& placement, int width, int height, bool lines = true)
    {
        QImage picture = Blank(width, height);
        QPainter painter(&picture);
        renderer.Picture(placement, viewer.Style(lines))->Draw(painter);
        return picture;
    }

    // What the same output drew when it mapped the viewer itself, in place.
    QImage MappedInPlace(const ViewMapping& mapping, const PixelRect& rect, int width, int height)
    {
        FractViewer copy(generator, kCurveCapacity);
        copy.Depth = viewer.Depth;
        copy.Recalculate();
        copy.SetRect(kPane);
        copy.Transform();
        copy.TargetRect = rect;
        copy.Scale = mapping.Scale;
        copy.Offset = mapping.Offset;
        copy.Transform();
        QImage picture = Blank(width, height);
        QPainter painter(&picture);
        copy.DrawLines(painter);
        return picture;
    }

    static int ForegroundPixels(const QImage& picture, QRect area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += picture.pixel(x, y) != qRgb(255, 255, 255);
        return count;
    }

    const PixelRect kPane{0, 0, 200, 120};
    FractModel generator{kGeneratorCapacity};
    FractViewer viewer{generator, kCurveCapacity};
    CurveRenderer renderer{viewer};
};

// Every placement draws exactly what mapping the view in place and drawing
// it drew, and leaves the view as it was.
TEST_F(CurvePictures, EachPlacementDrawsAnInPlaceMappingAndLeavesTheView)
{
    const std::vector<Complex> points(viewer.Points.begin(), viewer.Points.begin() + viewer.PointCount);
    const double scale = viewer.Scale;
    const PixelRect page{0, 0, 333, 777};
    const PixelRect frame{0, 0, 77, 51};
    const struct {
        ViewPlacement placement;
        ViewMapping mapping;
        int width, height;
    } cases[] = {
        {ViewPlacement::AsShownIn(kPane), {1.0, Complex(0, 0)}, 200, 120},
        {ViewPlacement::FittedTo(page), viewer.FitMapping(page), 333, 777},
        {ViewPlacement::ScaledBy(77.0 / 200.0, frame), {77.0 / 200.0, Complex(0, 0)}, 77, 51},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(Render(c.placement, c.width, c.height), MappedInPlace(c.mapping, c.placement.Rect, c.width, c.height));
        EXPECT_EQ(viewer.Scale, scale);
        for (int i = 0; i < viewer.PointCount; ++i)
            ASSERT_TRUE(viewer.Points[i].Re == points[i].Re && viewer.Points[i].Im == points[i].Im) << i;
    }
}

TEST_F(CurvePictures, AHalfScaleFrameLiesInTheTopLeftQuarter)
{
    const QImage frame = Render(ViewPlacement::ScaledBy(0.5, kPane), 200, 120);
    EXPECT_GT(ForegroundPixels(frame, QRect(0, 0, 101, 61)), 50);
    EXPECT_EQ(ForegroundPixels(frame, QRect(102, 0, 98, 120)), 0);
    EXPECT_EQ(ForegroundPixels(frame, QRect(0, 62, 200, 58)), 0);
}

// The placement's rectangle is cleared, also where the pane's is not.
TEST_F(CurvePictures, TheWholeRectangleIsClearedEvenBeyondThePane)
{
    const QImage frame = Render(ViewPlacement::ScaledBy(1.0, {0, 0, 400, 300}), 400, 300, false);
    // The curve reaches the pane's right and bottom edge, one pixel beyond.
    EXPECT_EQ(ForegroundPixels(frame, QRect(201, 0, 199, 300)), 0);
    EXPECT_EQ(ForegroundPixels(frame, QRect(0, 121, 400, 179)), 0);
    EXPECT_GT(ForegroundPixels(frame, QRect(0, 0, 200, 120)), 0);
}

} // namespace
