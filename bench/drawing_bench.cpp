// Drawing the depth-7 start curve into 1920 x 1080, background included,
// beside the fill alone and beside cairo stroking the same polyline.
#include "bench/fitted_curve.h"
#include "view/curve_drawing.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cairo.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void BM_DrawLines(benchmark::State& state)
{
    FittedCurve curve(7, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state)
        curve.viewer.DrawLines(painter);
}
BENCHMARK(BM_DrawLines)->Unit(benchmark::kMicrosecond);

void BM_DrawPoints(benchmark::State& state)
{
    FittedCurve curve(7, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state)
        curve.viewer.DrawPoints(painter);
}
BENCHMARK(BM_DrawPoints)->Unit(benchmark::kMicrosecond);

// Smoothed lines at depth 8, as the pane draws them with "Kantenglättung".
void BM_DrawLinesSmooth(benchmark::State& state)
{
    FittedCurve curve(8, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    CurveStyle style = curve.viewer.Style(true);
    style.Antialiased = true;
    std::vector<QPoint> scratch;
    for (auto _ : state)
        DrawStyledCurve(painter, curve.viewer.Points.data(), curve.viewer.PointCount, {0, 0, kWidth, kHeight}, style,
                        scratch);
}
BENCHMARK(BM_DrawLinesSmooth)->Unit(benchmark::kMicrosecond);

void BM_Baseline_Fill(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state)
        painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
}
BENCHMARK(BM_Baseline_Fill)->Unit(benchmark::kMicrosecond);

void BM_Baseline_CairoLines(benchmark::State& state)
{
    FittedCurve curve(7, kWidth, kHeight);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    const FractViewer& v = curve.viewer;
    for (auto _ : state) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, static_cast<int>(v.Points[0].Re), static_cast<int>(v.Points[0].Im));
        for (int i = 1; i < v.PointCount; ++i)
            cairo_line_to(cr, static_cast<int>(v.Points[i].Re), static_cast<int>(v.Points[i].Im));
        cairo_stroke(cr);
        cairo_surface_flush(surface);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(BM_Baseline_CairoLines)->Unit(benchmark::kMicrosecond);

} // namespace
