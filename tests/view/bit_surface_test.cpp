// A two-colour picture of one bit a pixel gets exactly the pixels a 32-bit
// picture gets: the frames of a clip are drawn that way.
#include "view/curve_drawing.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr QSize kPicture(61, 37);
constexpr ColorRef kGround = RgbColor(10, 200, 30);
constexpr ColorRef kPen = RgbColor(250, 0, 90);

QImage Drawn(QImage::Format format, const std::vector<Complex>& points, const CurveStyle& style, QPoint shift,
             const PixelRect& rect)
{
    QImage image(kPicture, format);
    // What the fill leaves alone shows the pen's colour.
    if (format == QImage::Format_Mono) {
        image.setColorTable({ToQColor(style.Background).rgb(), ToQColor(style.Foreground).rgb()});
        image.fill(1);
    } else {
        image.fill(ToQColor(style.Foreground));
    }
    QPainter painter(&image);
    painter.translate(shift);
    std::vector<QPoint> scratch;
    DrawStyledCurve(painter, points.data(), static_cast<int>(points.size()), rect, style, scratch);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(BitSurface, DrawsThePixelsOfA32BitPicture)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> near(-40.0, 100.0);
    std::vector<Complex> points;
    for (int i = 0; i < 400; ++i)
        points.emplace_back(near(random), near(random));
    points[100] = Complex(-3e9, 20.5); // clipped before it is drawn
    struct Case {
        CurveStyle::Marks Shape;
        QPoint Shift;
        PixelRect Rect;
    };
    const Case cases[] = {
        {CurveStyle::Marks::Lines, {0, 0}, {0, 0, kPicture.width(), kPicture.height()}},
        {CurveStyle::Marks::Lines, {-5, 7}, {3, 2, 50, 30}}, // fills that start and end inside a byte
        {CurveStyle::Marks::Pixels, {0, 0}, {0, 0, kPicture.width(), kPicture.height()}},
        {CurveStyle::Marks::Pixels, {9, -4}, {-20, 9, 17, 90}},
    };
    for (const Case& c : cases) {
        CurveStyle style;
        style.Background = kGround;
        style.Foreground = kPen;
        style.Shape = c.Shape;
        ASSERT_TRUE(DrawsOnBits(style));
        EXPECT_EQ(Drawn(QImage::Format_Mono, points, style, c.Shift, c.Rect),
                  Drawn(QImage::Format_RGB32, points, style, c.Shift, c.Rect))
            << int(c.Shape) << " shifted " << c.Shift.x() << "," << c.Shift.y();
    }
}

} // namespace
