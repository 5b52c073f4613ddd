#include "model/fract_file.h"
#include "tests/support/classic_curves.h"
#include "tests/support/picture_compare.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

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
        const char* name;
        int depth;
        int magnification;
    };
    const Row rows[] = {
        {"Heighway-Drache", 14, 1}, {"Sierpiński-Pfeilspitze", 8, 1}, {"Gosper-Kurve", 5, 1}, {"Heighway-Drache", 20, 16}};
    const PixelRect rect{0, 0, 240, 160};
    for (const Row& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        FractModel generator(kGeneratorCapacity);
        LoadFractDocument(QStringLiteral(ORNALIX_EXAMPLES "/gallery/") + name + QStringLiteral(".fract"), generator);
        EndlessView view;
        view.Recalculate(generator);
        ASSERT_TRUE(view.Curve().Exists()) << row.name;
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
        for (Complex z : GalleryLSystems().at(name).Turtle(row.depth)) {
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
        const std::string label = std::string(row.name) + " x" + std::to_string(row.magnification);
        EXPECT_GT(dark, 400) << label;
        EXPECT_LE(StrayPixels(endless, lsystem, 2), dark / 100) << label;
        EXPECT_LE(StrayPixels(lsystem, endless, 2), dark / 100) << label;
    }
}

} // namespace
