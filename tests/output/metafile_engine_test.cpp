#include "output/metafile/metafile_device.h"
#include "output/metafile/metafile_paint_engine.h"
#include "view/canvas.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const ReferenceScreen kScreen{QSize(1920, 1080), QSizeF(508.0, 286.0)};

// What a painter on a fresh device records.
class Recorded {
public:
    template <typename Paint>
    explicit Recorded(Paint paint, int width = 100, int height = 100) : device_(width, height, kScreen)
    {
        QPainter painter(&device_);
        paint(painter);
    }

    const MetafileDrawing& Drawing() const
    {
        return static_cast<const MetafilePaintEngine*>(device_.paintEngine())->Drawing();
    }

    template <typename T>
    const T& At(std::size_t index) const
    {
        EXPECT_LT(index, Drawing().size());
        return std::get<T>(Drawing().at(index));
    }

private:
    MetafileDevice device_;
};

QPen CurvePen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

TEST(MetafileDevice, ReportsPixelsDepthAndScreenResolution)
{
    const MetafileDevice device(800, 600, kScreen);
    EXPECT_EQ(device.width(), 800);
    EXPECT_EQ(device.height(), 600);
    EXPECT_EQ(device.depth(), 24);
    EXPECT_EQ(device.devicePixelRatio(), 1.0);
    EXPECT_EQ(device.logicalDpiX(), 96); // 1920 px over 20 inches
    EXPECT_EQ(device.logicalDpiY(), 96); // 1080 px over 11.26 inches
    EXPECT_EQ(device.widthMM(), 212);    // 800 * 508 / 1920 = 211.7
    EXPECT_EQ(device.heightMM(), 159);   // 600 * 286 / 1080 = 158.9

    // A screen without a physical size counts as 96 dpi.
    const MetafileDevice unknown(100, 100, ReferenceScreen{QSize(1000, 500), QSizeF()});
    EXPECT_EQ(unknown.logicalDpiX(), 96);
    EXPECT_EQ(unknown.physicalDpiY(), 96);

    const ReferenceScreen screen = PrimaryReferenceScreen();
    EXPECT_FALSE(screen.Pixels.isEmpty());
    EXPECT_FALSE(screen.Millimetres.isEmpty());
}

TEST(MetafilePaintEngine, FillRectBecomesRectangleWithoutPen)
{
    const Recorded r([](QPainter& p) { p.fillRect(QRect(0, 0, 800, 600), QColor(10, 20, 30)); }, 800, 600);
    ASSERT_EQ(r.Drawing().size(), 1u);
    const auto& shape = r.At<DrawnShape>(0);
    EXPECT_EQ(shape.Shape, DrawnShape::Kind::Rectangle);
    EXPECT_FALSE(shape.Pen.Visible);
    EXPECT_EQ(shape.Brush, (GdiBrush{true, 0x001E140A}));
    // With no pen, GDI fills up to two short of right and bottom.
    EXPECT_EQ(shape.Box, (GdiBox{0, 0, 801, 601}));

    // One past the widest rectangle there is stays within 32 bits.
    const Recorded widest([](QPainter& p) { p.fillRect(QRect(0, 0, 2147483647, 10), Qt::white); });
    ASSERT_EQ(widest.Drawing().size(), 1u);
    EXPECT_EQ(widest.At<DrawnShape>(0).Box, (GdiBox{0, 0, 2147483647, 11}));
}

TEST(MetafilePaintEngine, PolylinesAndLinesKeepPointsAndPenRoundedToPixels)
{
    const QPoint points[] = {{1, 2}, {50, 60}, {-30, 99}, {40000, 5}};
    const QPointF floats[] = {{1.4, 2.6}, {50.5, 60.0}};
    const QLine lines[] = {{0, 0, 10, 10}, {20, 5, 30, 5}};
    const Recorded r([&](QPainter& p) {
        p.setPen(CurvePen(QColor(255, 0, 0), 3));
        p.drawPolyline(points, 4);
        p.drawPolyline(floats, 2);
        p.drawLines(lines, 2);
        p.drawLine(QLineF(1.0, 1.0, 7.0, 3.0));
    });
    ASSERT_EQ(r.Drawing().size(), 5u);
    EXPECT_EQ(r.At<DrawnPolyline>(0).Points, std::vector<QPoint>(std::begin(points), std::end(points)));
    EXPECT_EQ(r.At<DrawnPolyline>(0).Pen, (GdiPen{true, 0x000000FF, 3}));
    EXPECT_EQ(r.At<DrawnPolyline>(1).Points, (std::vector<QPoint>{{1, 3}, {51, 60}}));
    // Each drawn line becomes a two-point polyline.
    EXPECT_EQ(r.At<DrawnPolyline>(2).Points, (std::vector<QPoint>{{0, 0}, {10, 10}}));
    EXPECT_EQ(r.At<DrawnPolyline>(3).Points, (std::vector<QPoint>{{20, 5}, {30, 5}}));
    EXPECT_EQ(r.At<DrawnPolyline>(4).Points, (std::vector<QPoint>{{1, 1}, {7, 3}}));
}

TEST(MetafilePaintEngine, PointsBecomePixelsInPenColour)
{
    const QPoint points[] = {{3, 4}, {5, 6}, {7, 8}};
    const Recorded r([&](QPainter& p) {
        p.setPen(QPen(QColor(0, 128, 255), 1));
        p.drawPoints(points, 3);
        p.drawPoint(QPointF(9.2, 10.7));
    });
    EXPECT_EQ(r.At<DrawnPixels>(0).Points, std::vector<QPoint>(std::begin(points), std::end(points)));
    EXPECT_EQ(r.At<DrawnPixels>(0).Color, 0x00FF8000u);
    EXPECT_EQ(r.At<DrawnPixels>(1).Points, (std::vector<QPoint>{{9, 11}}));
}

TEST(MetafilePaintEngine, NothingVisibleAndFilledPolygonsAreLeftOut)
{
    const QPoint points[] = {{0, 0}, {50, 0}, {0, 50}};
    const Recorded invisible([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawPoints(points, 2);
        p.drawPolyline(points, 2);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(0, 0, 10, 10));
    });
    EXPECT_TRUE(invisible.Drawing().empty());
    const Recorded polygon([&](QPainter& p) {
        p.setBrush(QColor(Qt::red));
        p.drawPolygon(points, 3);
        p.drawPolyline(points, 3);
    });
    ASSERT_EQ(polygon.Drawing().size(), 1u);
    EXPECT_EQ(polygon.At<DrawnPolyline>(0).Points.size(), 3u);
}

TEST(MetafilePaintEngine, EllipseBoxRunsEdgeToEdge)
{
    const Recorded r([](QPainter& p) {
        p.setPen(CurvePen(Qt::black, 2));
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(QRect(40 - 5, 30 - 5, 9, 9));
        p.drawEllipse(QRectF(1.0, 2.0, 3.0, 4.0));
    });
    const auto& dot = r.At<DrawnShape>(0);
    EXPECT_EQ(dot.Shape, DrawnShape::Kind::Ellipse);
    EXPECT_EQ(dot.Box, (GdiBox{35, 25, 45, 35}));
    EXPECT_EQ(dot.Brush, (GdiBrush{true, 0x0000FF00}));
    EXPECT_EQ(dot.Pen.Width, 2);
    EXPECT_EQ(r.At<DrawnShape>(1).Box, (GdiBox{1, 2, 5, 7}));
}

TEST(MetafilePaintEngine, PainterTransformMovesAndWidens)
{
    const QPoint points[] = {{1, 1}, {2, 3}};
    const Recorded r([&](QPainter& p) {
        p.translate(10, 20);
        p.scale(2.0, 2.0);
        p.setPen(CurvePen(Qt::black, 3));
        p.drawPolyline(points, 2);
        p.drawPoints(points, 1);
    });
    EXPECT_EQ(r.At<DrawnPolyline>(0).Points, (std::vector<QPoint>{{12, 22}, {14, 26}}));
    EXPECT_EQ(r.At<DrawnPolyline>(0).Pen.Width, 6);
    EXPECT_EQ(r.At<DrawnPixels>(1).Points, (std::vector<QPoint>{{12, 22}}));
}

TEST(MetafilePaintEngine, LaterPaintersAddToTheDrawing)
{
    MetafileDevice device(100, 100, kScreen);
    for (int i = 0; i < 2; ++i)
        QPainter(&device).drawPoint(i, i);
    EXPECT_EQ(static_cast<const MetafilePaintEngine*>(device.paintEngine())->Drawing().size(), 2u);
}

// The views draw through Canvas; these are the calls it makes.
TEST(MetafileCanvas, RecordsBackgroundCurvePixelsAndDots)
{
    std::vector<QPoint> scratch;
    const Complex curve[] = {{10.7, 20.2}, {150.0, 80.9}, {-5.5, 50.0}};
    const Recorded r(
        [&](QPainter& p) {
            Canvas canvas(p, scratch);
            canvas.SetBrushColor(RgbColor(1, 2, 3));
            canvas.FillRect(PixelRect{0, 0, 200, 100});
            canvas.SetPen(RgbColor(200, 100, 50), 4);
            canvas.Polyline(curve, 3);
            canvas.Pixels(curve, 3);
            canvas.Ellipses(curve, 1, 3);
        },
        200, 100);
    ASSERT_EQ(r.Drawing().size(), 4u);
    EXPECT_EQ(r.At<DrawnShape>(0).Box, (GdiBox{0, 0, 201, 101}));
    EXPECT_EQ(r.At<DrawnPolyline>(1).Points, (std::vector<QPoint>{{10, 20}, {150, 80}, {-5, 50}}));
    EXPECT_EQ(r.At<DrawnPolyline>(1).Pen, (GdiPen{true, RgbColor(200, 100, 50), 4}));
    EXPECT_EQ(r.At<DrawnPixels>(2).Points.size(), 3u);
    EXPECT_EQ(r.At<DrawnPixels>(2).Color, RgbColor(200, 100, 50));
    EXPECT_EQ(r.At<DrawnShape>(3).Box, (GdiBox{7, 17, 13, 23}));
    EXPECT_EQ(r.At<DrawnShape>(3).Brush.Color, RgbColor(1, 2, 3));
}

} // namespace
