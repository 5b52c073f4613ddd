#include "view/curve_renderer.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 40;

// The column's pixel furthest from the white background.
QRgb Inkiest(const QImage& picture, int x)
{
    QRgb inkiest = qRgb(255, 255, 255);
    for (int y = 0; y < kHeight; ++y) {
        const QRgb p = picture.pixel(x, y);
        if (qRed(p) + qGreen(p) + qBlue(p) < qRed(inkiest) + qGreen(inkiest) + qBlue(inkiest))
            inkiest = p;
    }
    return inkiest;
}

// A straight generator drawn across the picture, red at its start and blue
// at its end: every way of drawing (pixels written directly, the painter
// for thick lines, smoothed paths, single pixels) draws each piece in its
// own colour.
TEST(ColoredDrawing, EveryWayOfDrawingShowsTheGradientAlongTheCurve)
{
    FractModel generator(kGeneratorCapacity);
    generator.Count = 2;
    generator.Items[0].SetTo(1, 0);
    generator.Items[1].SetTo(1, 0);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = 8;
    viewer.Recalculate();
    CurveRenderer renderer(viewer);

    struct Row {
        CurveStyle::Marks shape;
        int pen;
        bool smooth;
    };
    const Row rows[] = {
        {CurveStyle::Marks::Lines, 1, false}, {CurveStyle::Marks::Lines, 10, false},
        {CurveStyle::Marks::Lines, 1, true},  {CurveStyle::Marks::Lines, 10, true},
        {CurveStyle::Marks::Pixels, 1, false}, {CurveStyle::Marks::Pixels, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.shape) << " pen " << row.pen << " smooth " << row.smooth);
        CurveStyle style;
        style.Shape = row.shape;
        style.PenWidth = row.pen;
        style.Antialiased = row.smooth;
        style.Coloring.Kind = CurveColoring::Mode::Gradient;
        style.Coloring.Stops = {{0.0, RgbColor(255, 0, 0)}, {1.0, RgbColor(0, 0, 255)}};
        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        QPainter painter(&picture);
        renderer.Picture(ViewPlacement::FittedTo({0, 0, kWidth, kHeight}), style)->Draw(painter);
        const QRgb start = Inkiest(picture, 8), end = Inkiest(picture, kWidth - 8);
        EXPECT_GT(qRed(start), qBlue(start) + 100) << std::hex << start;
        EXPECT_GT(qBlue(end), qRed(end) + 100) << std::hex << end;
        const QRgb middle = Inkiest(picture, kWidth / 2);
        EXPECT_NEAR(qRed(middle), qBlue(middle), 40) << std::hex << middle;
    }
}

} // namespace
