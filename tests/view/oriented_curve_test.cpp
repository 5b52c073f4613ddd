#include "tests/support/classic_curves.h"
#include "tests/support/picture_compare.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Each classic curve, expanded, is its L-system point for point: the
// orientations compose down the copies and reversed copies are walked from
// their far end. A wrong composition shows from depth 3 on.
TEST(OrientedCurve, TheExpansionDrawsTheClassicCurvesAsTheirLSystems)
{
    for (const ClassicCurve& curve : ClassicCurves()) {
        FractModel generator = curve.Generator();
        FractViewer viewer(generator, kCurveCapacity);
        for (const int depth : {1, 3, 4}) {
            viewer.Depth = depth;
            viewer.Recalculate();
            const std::vector<Complex> expected = curve.Turtle(depth);
            ASSERT_EQ(viewer.PointCount, static_cast<int>(expected.size())) << curve.Name << " " << depth;
            const std::vector<Complex> points = ClassicCurve::FromZeroToOne(
                std::vector<Complex>(viewer.Points.begin(), viewer.Points.begin() + viewer.PointCount));
            for (std::size_t i = 0; i < points.size(); ++i) {
                ASSERT_NEAR(points[i].Re, expected[i].Re, 1e-9) << curve.Name << " " << depth << " point " << i;
                ASSERT_NEAR(points[i].Im, expected[i].Im, 1e-9) << curve.Name << " " << depth << " point " << i;
            }
        }
    }
}

// Dark pixels of a that lie more than reach pixels from every dark pixel
// of b.
int StrayPixels(const QImage& a, const QImage& b, int reach)
{
    const auto dark = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    int stray = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y))
                continue;
            bool near = false;
            for (int v = std::max(0, y - reach); v <= std::min(b.height() - 1, y + reach) && !near; ++v)
                for (int u = std::max(0, x - reach); u <= std::min(b.width() - 1, x + reach) && !near; ++u)
                    near = dark(b, u, v);
            stray += !near;
        }
    return stray;
}

// The endless view traces the limit curve of oriented copies: its picture
// is the L-system's of pieces about a pixel long, in the whole view and in
// a window sixteen times magnified, whose pieces the precise descent
// splits first.
TEST(OrientedCurve, TheEndlessViewDrawsTheClassicCurvesAsTheirLSystems)
{
    struct Row {
        std::size_t curve;
        int depth;
        int magnification;
    };
    const std::vector<ClassicCurve> curves = ClassicCurves();
    const Row rows[] = {{0, 14, 1}, {1, 8, 1}, {2, 5, 1}, {0, 20, 16}};
    const PixelRect rect{0, 0, 240, 160};
    for (const Row& row : rows) {
        const ClassicCurve& curve = curves[row.curve];
        const FractModel generator = curve.Generator();
        EndlessView view;
        view.Recalculate(generator);
        ASSERT_TRUE(view.Curve().Exists()) << curve.Name;
        if (row.magnification > 1) {
            const BigComplex middle = (view.WindowMin() + view.WindowMax()) / BigFloat(2.0);
            const BigFloat shrink(static_cast<double>(row.magnification));
            view.SetWindow(middle + (view.WindowMin() - middle) / shrink, middle + (view.WindowMax() - middle) / shrink);
        }
        EndlessRenderer renderer(view);
        QImage endless(rect.Right, rect.Bottom, QImage::Format_RGB32);
        {
            QPainter painter(&endless);
            renderer.Picture(ViewPlacement::FittedTo(rect), CurveStyle())->Draw(painter);
        }

        const EndlessCamera camera = FitCamera(view.WindowMin(), view.WindowMax(), rect);
        const Complex start = camera.PixelOf(BigComplex(Complex(0, 0), BigFloat::kMinBits));
        Complex chord = camera.PixelOf(BigComplex(view.Curve().End(), BigFloat::kMinBits));
        chord.Sub(start);
        QPolygonF turtle;
        for (Complex z : curve.Turtle(row.depth)) {
            z.Mul(chord);
            z.Add(start);
            turtle << QPointF(z.Re, z.Im);
        }
        QImage lsystem(endless.size(), QImage::Format_RGB32);
        lsystem.fill(Qt::white);
        {
            QPainter painter(&lsystem);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawPolyline(turtle);
        }

        const int dark = PixelsOf(endless, qRgb(0, 0, 0));
        const std::string name = std::string(curve.Name) + " x" + std::to_string(row.magnification);
        EXPECT_GT(dark, 400) << name;
        EXPECT_LE(StrayPixels(endless, lsystem, 2), dark / 100) << name;
        EXPECT_LE(StrayPixels(lsystem, endless, 2), dark / 100) << name;
    }
}

} // namespace
