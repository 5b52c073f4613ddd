#include "canvas.h"
#include "metafile_device.h"
#include "metafile_paint_engine.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};

const MetafileDrawing& DrawingOf(const MetafileDevice& device)
{
    return static_cast<const MetafilePaintEngine*>(device.paintEngine())->Drawing();
}

template <typename T>
const T& ItemAt(const MetafileDevice& device, std::size_t index)
{
    const MetafileDrawing& drawing = DrawingOf(device);
    EXPECT_LT(index, drawing.size());
    return std::get<T>(drawing.at(index));
}

QPen CurvePen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

TEST(MetafileDeviceMetrics, ReportsPixelsDepthAndScreenResolution)
{
    const MetafileDevice device(800, 600, kScreen);
    EXPECT_EQ(device.width(), 800);
    EXPECT_EQ(device.height(), 600);
    EXPECT_EQ(device.depth(), 24);
    EXPECT_EQ(device.devicePixelRatio(), 1.0);
    EXPECT_EQ(device.logicalDpiX(), 96);  // 1920 px over 20 inches
    EXPECT_EQ(device.logicalDpiY(), 96);  // 1080 px over 11.26 inches
    EXPECT_EQ(device.widthMM(), 212);     // 800 * 508 / 1920 = 211.7
    EXPECT_EQ(device.heightMM(), 159);    // 600 * 286 / 1080 = 158.9
}

TEST(MetafileDeviceMetrics, ScreenWithoutPhysicalSizeCountsAs96Dpi)
{
    const MetafileDevice device(100, 100, ReferenceScreen{QSize(1000, 500), QSizeF()});
    EXPECT_EQ(device.logicalDpiX(), 96);
    EXPECT_EQ(device.physicalDpiY(), 96);
}

TEST(MetafileReferenceScreen, HasPixelsAndMillimetres)
{
    const ReferenceScreen screen = PrimaryReferenceScreen();
    EXPECT_FALSE(screen.Pixels.isEmpty());
    EXPECT_FALSE(screen.Millimetres.isEmpty());
}

TEST(MetafilePaintEngine, FillRectBecomesRectangleWithoutPen)
{
    MetafileDevice device(800, 600, kScreen);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, 800, 600), QColor(10, 20, 30));
    }
    ASSERT_EQ(DrawingOf(device).size(), 1u);
    const auto& shape = ItemAt<DrawnShape>(device, 0);
    EXPECT_EQ(shape.Shape, DrawnShape::Kind::Rectangle);
    EXPECT_FALSE(shape.Pen.Visible);
    EXPECT_TRUE(shape.Brush.Visible);
    EXPECT_EQ(shape.Brush.Color, 0x001E140Au);
    // With no pen, GDI fills up to two short of right and bottom.
    EXPECT_EQ(shape.Box, (GdiBox{0, 0, 801, 601}));
}

TEST(MetafilePaintEngine, IntegerPolylineKeepsPointsAndPen)
{
    MetafileDevice device(100, 100, kScreen);
    const QPoint points[] = {{1, 2}, {50, 60}, {-30, 99}, {40000, 5}};
    {
        QPainter painter(&device);
        painter.setPen(CurvePen(QColor(255, 0, 0), 3));
        painter.drawPolyline(points, 4);
    }
    const auto& line = ItemAt<DrawnPolyline>(device, 0);
    EXPECT_EQ(line.Points, std::vector<QPoint>(std::begin(points), std::end(points)));
    EXPECT_EQ(line.Pen, (GdiPen{true, 0x000000FF, 3}));
}

TEST(MetafilePaintEngine, FloatPolylineRoundsToPixels)
{
    MetafileDevice device(100, 100, kScreen);
    const QPointF points[] = {{1.4, 2.6}, {50.5, 60.0}};
    {
        QPainter painter(&device);
        painter.setPen(CurvePen(Qt::black, 1));
        painter.drawPolyline(points, 2);
    }
    EXPECT_EQ(ItemAt<DrawnPolyline>(device, 0).Points, (std::vector<QPoint>{{1, 3}, {51, 60}}));
}

TEST(MetafilePaintEngine, EachDrawnLineBecomesTwoPointPolyline)
{
    MetafileDevice device(100, 100, kScreen);
    const QLine lines[] = {{0, 0, 10, 10}, {20, 5, 30, 5}};
    {
        QPainter painter(&device);
        painter.drawLines(lines, 2);
        painter.drawLine(QLineF(1.0, 1.0, 7.0, 3.0));
    }
    ASSERT_EQ(DrawingOf(device).size(), 3u);
    EXPECT_EQ(ItemAt<DrawnPolyline>(device, 0).Points, (std::vector<QPoint>{{0, 0}, {10, 10}}));
    EXPECT_EQ(ItemAt<DrawnPolyline>(device, 1).Points, (std::vector<QPoint>{{20, 5}, {30, 5}}));
    EXPECT_EQ(ItemAt<DrawnPolyline>(device, 2).Points, (std::vector<QPoint>{{1, 1}, {7, 3}}));
}

TEST(MetafilePaintEngine, PointsBecomePixelsInPenColour)
{
    MetafileDevice device(100, 100, kScreen);
    const QPoint points[] = {{3, 4}, {5, 6}, {7, 8}};
    {
        QPainter painter(&device);
        painter.setPen(QPen(QColor(0, 128, 255), 1));
        painter.drawPoints(points, 3);
        painter.drawPoint(QPointF(9.2, 10.7));
    }
    const auto& pixels = ItemAt<DrawnPixels>(device, 0);
    EXPECT_EQ(pixels.Points, std::vector<QPoint>(std::begin(points), std::end(points)));
    EXPECT_EQ(pixels.Color, 0x00FF8000u);
    EXPECT_EQ(ItemAt<DrawnPixels>(device, 1).Points, (std::vector<QPoint>{{9, 11}}));
}

TEST(MetafilePaintEngine, NothingVisibleIsNotRecorded)
{
    MetafileDevice device(100, 100, kScreen);
    const QPoint points[] = {{3, 4}, {5, 6}};
    {
        QPainter painter(&device);
        painter.setPen(Qt::NoPen);
        painter.drawPoints(points, 2);
        painter.drawPolyline(points, 2);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRect(0, 0, 10, 10));
    }
    EXPECT_TRUE(DrawingOf(device).empty());
}

TEST(MetafilePaintEngine, FilledPolygonIsLeftOut)
{
    MetafileDevice device(100, 100, kScreen);
    const QPoint triangle[] = {{0, 0}, {50, 0}, {0, 50}};
    {
        QPainter painter(&device);
        painter.setBrush(QColor(Qt::red));
        painter.drawPolygon(triangle, 3);
        painter.drawPolyline(triangle, 3);
    }
    ASSERT_EQ(DrawingOf(device).size(), 1u);
    EXPECT_EQ(ItemAt<DrawnPolyline>(device, 0).Points.size(), 3u);
}

TEST(MetafilePaintEngine, EllipseBoxRunsEdgeToEdge)
{
    MetafileDevice device(100, 100, kScreen);
    {
        QPainter painter(&device);
        painter.setPen(CurvePen(Qt::black, 2));
        painter.setBrush(QColor(0, 255, 0));
        painter.drawEllipse(QRect(40 - 5, 30 - 5, 9, 9));
        painter.drawEllipse(QRectF(1.0, 2.0, 3.0, 4.0));
    }
    const auto& dot = ItemAt<DrawnShape>(device, 0);
    EXPECT_EQ(dot.Shape, DrawnShape::Kind::Ellipse);
    EXPECT_EQ(dot.Box, (GdiBox{35, 25, 45, 35}));
    EXPECT_EQ(dot.Brush, (GdiBrush{true, 0x0000FF00}));
    EXPECT_EQ(dot.Pen.Width, 2);
    EXPECT_EQ(ItemAt<DrawnShape>(device, 1).Box, (GdiBox{1, 2, 5, 7}));
}

TEST(MetafilePaintEngine, PainterTransformMovesAndWidens)
{
    MetafileDevice device(100, 100, kScreen);
    const QPoint points[] = {{1, 1}, {2, 3}};
    {
        QPainter painter(&device);
        painter.translate(10, 20);
        painter.scale(2.0, 2.0);
        painter.setPen(CurvePen(Qt::black, 3));
        painter.drawPolyline(points, 2);
        painter.drawPoints(points, 1);
    }
    const auto& line = ItemAt<DrawnPolyline>(device, 0);
    EXPECT_EQ(line.Points, (std::vector<QPoint>{{12, 22}, {14, 26}}));
    EXPECT_EQ(line.Pen.Width, 6);
    EXPECT_EQ(ItemAt<DrawnPixels>(device, 1).Points, (std::vector<QPoint>{{12, 22}}));
}

TEST(MetafilePaintEngine, LaterPaintersAddToTheDrawing)
{
    MetafileDevice device(100, 100, kScreen);
    for (int i = 0; i < 2; ++i) {
        QPainter painter(&device);
        painter.drawPoint(i, i);
    }
    EXPECT_EQ(DrawingOf(device).size(), 2u);
}

// The views draw through Canvas; these are the calls it makes.
TEST(MetafileCanvas, RecordsBackgroundCurvePixelsAndDots)
{
    MetafileDevice device(200, 100, kScreen);
    std::vector<QPoint> scratch;
    const Complex curve[] = {{10.7, 20.2}, {150.0, 80.9}, {-5.5, 50.0}};
    {
        QPainter painter(&device);
        Canvas canvas(painter, scratch);
        canvas.SetBrushColor(RgbColor(1, 2, 3));
        canvas.FillRect(PixelRect{0, 0, 200, 100});
        canvas.SetPen(RgbColor(200, 100, 50), 4);
        canvas.Polyline(curve, 3);
        canvas.Pixels(curve, 3);
        canvas.Ellipses(curve, 1, 3);
    }
    const MetafileDrawing& drawing = DrawingOf(device);
    ASSERT_EQ(drawing.size(), 4u);
    EXPECT_EQ(ItemAt<DrawnShape>(device, 0).Box, (GdiBox{0, 0, 201, 101}));
    const auto& line = ItemAt<DrawnPolyline>(device, 1);
    EXPECT_EQ(line.Points, (std::vector<QPoint>{{10, 20}, {150, 80}, {-5, 50}}));
    EXPECT_EQ(line.Pen, (GdiPen{true, RgbColor(200, 100, 50), 4}));
    const auto& pixels = ItemAt<DrawnPixels>(device, 2);
    EXPECT_EQ(pixels.Points.size(), 3u);
    EXPECT_EQ(pixels.Color, RgbColor(200, 100, 50));
    const auto& dot = ItemAt<DrawnShape>(device, 3);
    EXPECT_EQ(dot.Box, (GdiBox{7, 17, 13, 23}));
    EXPECT_EQ(dot.Brush.Color, RgbColor(1, 2, 3));
}

} // namespace
