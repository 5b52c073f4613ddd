#include "model/start_generator.h"
#include "view/fract_viewer.h"
#include "view/frame_capture.h"

#include <QImage>
#include <QPainter>

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

// The start curve at depth 4, fitted into a pane of 200 x 120 pixels.
class FrameOfPane : public ::testing::Test {
protected:
    FrameOfPane()
    {
        MakeStartGenerator(generator);
        viewer.Depth = 4;
        viewer.Recalculate();
        viewer.SetRect({0, 0, kPane.width(), kPane.height()});
        viewer.Transform();
    }

    QImage PanePicture()
    {
        QImage pane(kPane, QImage::Format_RGB32);
        QPainter painter(&pane);
        viewer.DrawCurve(painter, true);
        return pane;
    }

    static int ForegroundPixels(const QImage& picture, QRect area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += picture.pixel(x, y) != qRgb(255, 255, 255);
        return count;
    }

    const QSize kPane{200, 120};
    FractModel generator{10};
    FractViewer viewer{generator, 16384};
};

TEST_F(FrameOfPane, AtScaleOneTheFrameIsThePanePicture)
{
    const QImage pane = PanePicture();
    QImage frame(kPane, QImage::Format_RGB32);
    DrawFrame(viewer, true, 1.0, frame);
    EXPECT_EQ(frame, pane);
}

TEST_F(FrameOfPane, ScaleAndOffsetComeBackExactlyAndThePointsNearly)
{
    viewer.Scale = 0.123456789;
    viewer.Offset = Complex(-3.25, 17.5);
    const std::vector<Complex> before(viewer.Points.begin(), viewer.Points.begin() + viewer.PointCount);
    QImage frame(77, 51, QImage::Format_RGB32);
    DrawFrame(viewer, true, 77.0 / 200.0, frame);
    EXPECT_EQ(viewer.Scale, 0.123456789);
    EXPECT_EQ(viewer.Offset.Re, -3.25);
    EXPECT_EQ(viewer.Offset.Im, 17.5);
    for (int i = 0; i < viewer.PointCount; ++i) {
        EXPECT_NEAR(viewer.Points[i].Re, before[i].Re, 1e-9);
        EXPECT_NEAR(viewer.Points[i].Im, before[i].Im, 1e-9);
    }
}

TEST_F(FrameOfPane, TheHalfScalePictureLiesInTheTopLeftQuarter)
{
    QImage frame(kPane, QImage::Format_RGB32);
    DrawFrame(viewer, true, 0.5, frame);
    EXPECT_GT(ForegroundPixels(frame, QRect(0, 0, 101, 61)), 50);
    EXPECT_EQ(ForegroundPixels(frame, QRect(102, 0, 98, 120)), 0);
    EXPECT_EQ(ForegroundPixels(frame, QRect(0, 62, 200, 58)), 0);
}

TEST_F(FrameOfPane, TheWholeFrameIsClearedEvenBeyondThePane)
{
    QImage frame(400, 300, QImage::Format_RGB32);
    frame.fill(Qt::red);
    DrawFrame(viewer, false, 1.0, frame);
    // The curve reaches the pane's right and bottom edge, one pixel beyond.
    EXPECT_EQ(ForegroundPixels(frame, QRect(201, 0, 199, 300)), 0);
    EXPECT_EQ(ForegroundPixels(frame, QRect(0, 121, 400, 179)), 0);
    EXPECT_GT(ForegroundPixels(frame, QRect(QPoint(0, 0), kPane)), 0);
}

} // namespace
