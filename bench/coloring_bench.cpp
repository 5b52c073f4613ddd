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

#include <algorithm>
#include <ctime>
#include <functional>
#include <limits>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const PixelRect kPane{0, 0, kWidth, kHeight};
constexpr int kTimedRounds = 20;

// The processor time of this thread: the machine's other work does not
// count.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fastest of each kind's rounds, taken in turn, so that both meet the
// same caches and clock; their ratio is the counter.
class Race {
public:
    void Run(const std::function<void()>& colored, const std::function<void()>& plain)
    {
        for (int i = 0; i < kTimedRounds; ++i) {
            colored_ = std::min(colored_, Timed(colored));
            plain_ = std::min(plain_, Timed(plain));
        }
    }
    double Ratio() const { return colored_ / plain_; }

private:
    static double Timed(const std::function<void()>& round)
    {
        const double start = ThreadSeconds();
        round();
        return ThreadSeconds() - start;
    }

    double colored_ = std::numeric_limits<double>::infinity();
    double plain_ = std::numeric_limits<double>::infinity();
};

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
    Race race;
    for (auto _ : state)
        race.Run(colored, plain);
    state.counters["vs_one_colour"] = race.Ratio();
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
    Race race;
    for (auto _ : state)
        race.Run(colored, plain);
    state.counters["segments"] = renderer.LastTrace().Segments();
    state.counters["vs_one_colour"] = race.Ratio();
}
BENCHMARK(BM_EndlessFrameByEdge)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
