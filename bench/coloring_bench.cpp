// A coloured frame against the same frame in one colour, in one run: the
// depth-8 start curve drawn as lines into 1920 x 1080 with "Farbverlauf"
// (the colours of its points computed anew each time, as after every
// Recalculate), and an endless frame of the Koch curve at x1e30 with
// "Nach Kante". The counter vs_one_colour is the ratio of the two times.
#include "bench/fitted_curve.h"
#include "view/curve_drawing.h"
#include "view/curve_renderer.h"
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/segment_colors.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const PixelRect kPane{0, 0, kWidth, kHeight};
constexpr int kTimedRounds = 20;

using Clock = std::chrono::steady_clock;

double SecondsPerRound(const std::function<void()>& round)
{
    round();
    const auto start = Clock::now();
    for (int i = 0; i < kTimedRounds; ++i)
        round();
    return std::chrono::duration<double>(Clock::now() - start).count() / kTimedRounds;
}

CurveStyle Colored(CurveColoring::Mode mode)
{
    CurveStyle style;
    style.Coloring.Kind = mode;
    style.Coloring.Stops = {{0.0, RgbColor(228, 26, 28)}, {0.5, RgbColor(77, 175, 74)}, {1.0, RgbColor(55, 126, 184)}};
    return style;
}

void BM_DrawLinesGradient(benchmark::State& state)
{
    FittedCurve curve(8, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const CurveStyle gradient = Colored(CurveColoring::Mode::Gradient);
    std::vector<std::uint8_t> colors;
    std::vector<QPoint> scratch;
    const auto colored = [&] {
        ColorPolyline(curve.generator, 8, curve.viewer.PointCount, gradient.Coloring, colors);
        DrawStyledCurve(painter, curve.viewer.Points.data(), curve.viewer.PointCount, kPane, gradient, scratch,
                        colors.data());
    };
    const auto plain = [&] { curve.viewer.DrawLines(painter); };
    double coloredSeconds = 0;
    for (auto _ : state)
        coloredSeconds += SecondsPerRound(colored);
    state.counters["vs_one_colour"] = coloredSeconds / static_cast<double>(state.iterations()) / SecondsPerRound(plain);
}
BENCHMARK(BM_DrawLinesGradient)->Unit(benchmark::kMillisecond)->Iterations(5);

// As examples/koch.fract holds it, magnified about the end of its first
// edge.
void BM_EndlessFrameByEdge(benchmark::State& state)
{
    FractModel generator(kGeneratorCapacity);
    generator.Count = 4;
    generator.Items[0].SetTo(1, 0);
    generator.Items[1].SetTo(0.5, -0.866025403784439);
    generator.Items[2].SetTo(-0.5, 0.866025403784439);
    generator.Items[3].SetTo(0.5, -0.866025403784439);
    EndlessView view;
    view.Recalculate(generator);
    view.FitToPane(kPane);
    view.PrepareDive(BigComplex(Complex(1, 0), 256), *ParseDecimal("1e30"), kPane, 1);
    view.ZoomStep();
    EndlessRenderer renderer(view);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const CurveStyle edges = Colored(CurveColoring::Mode::Edges);
    const auto colored = [&] { renderer.Picture(ViewPlacement::AsShownIn(kPane), edges)->Draw(painter); };
    const auto plain = [&] { renderer.Picture(ViewPlacement::AsShownIn(kPane), CurveStyle())->Draw(painter); };
    double coloredSeconds = 0;
    for (auto _ : state)
        coloredSeconds += SecondsPerRound(colored);
    state.counters["segments"] = renderer.LastTrace().Segments();
    state.counters["vs_one_colour"] = coloredSeconds / static_cast<double>(state.iterations()) / SecondsPerRound(plain);
}
BENCHMARK(BM_EndlessFrameByEdge)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
