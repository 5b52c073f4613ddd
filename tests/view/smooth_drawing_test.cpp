#include "model/start_generator.h"
#include "view/curve_drawing.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

QImage Drawn(const FractViewer& viewer, CurveStyle style)
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    std::vector<QPoint> scratch;
    DrawStyledCurve(painter, viewer.Points.data(), viewer.PointCount, {0, 0, kWidth, kHeight}, style, scratch);
    return picture;
}

bool InkNear(const QImage& picture, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (QRect(0, 0, kWidth, kHeight).contains(x + dx, y + dy)
                && picture.pixel(x + dx, y + dy) != qRgb(255, 255, 255))
                return true;
    return false;
}

// Smoothing shades the pixels along the curve in between the two colours,
// and only there: each inked pixel lies next to one the unsmoothed curve
// inks, and the other way round.
TEST(SmoothDrawing, ShadesTheCurvesPixelsAndNoOthers)
{
    FractModel generator(kGeneratorCapacity);
    MakeStartGenerator(generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = 4;
    viewer.Recalculate();
    viewer.SetRect({0, 0, kWidth, kHeight});
    viewer.Transform();
    for (const bool lines : {true, false}) {
        SCOPED_TRACE(lines ? "lines" : "points");
        CurveStyle style = viewer.Style(lines);
        const QImage plain = Drawn(viewer, style);
        style.Antialiased = true;
        const QImage smooth = Drawn(viewer, style);
        QSet<QRgb> plainColours, smoothColours;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                plainColours.insert(plain.pixel(x, y));
                smoothColours.insert(smooth.pixel(x, y));
                if (smooth.pixel(x, y) != qRgb(255, 255, 255)) {
                    ASSERT_TRUE(InkNear(plain, x, y)) << x << ", " << y;
                }
                if (plain.pixel(x, y) != qRgb(255, 255, 255)) {
                    ASSERT_TRUE(InkNear(smooth, x, y)) << x << ", " << y;
                }
            }
        EXPECT_EQ(plainColours.size(), 2);
        EXPECT_GT(smoothColours.size(), 8);
    }
}

} // namespace
