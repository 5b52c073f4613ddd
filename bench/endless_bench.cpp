// One endless frame at 1920 x 1080, traced and drawn, at x1, x1e30 and
// x1e300 about a point of the curve, each beside the design's depth-8 frame
// of the same generator at full view (Recalculate, SetRect and Transform,
// DrawLines) measured in the same run: the counter vs_design is the ratio
// of the two frames' times. The Koch curve, and Cesaro's of dimension near
// 2; the counter segments tells how many pieces a frame draws.
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_viewer.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const PixelRect kPane{0, 0, kWidth, kHeight};
constexpr int kDesignDepth = 8;
constexpr int kDesignFrames = 200;

enum class Generator { Koch, Cesaro };

// As examples/koch.fract and examples/cesaro.fract hold them.
void Make(Generator which, FractModel& model)
{
    const std::vector<Complex> koch{{1, 0}, {0.5, -0.866025403784439}, {-0.5, 0.866025403784439},
                                    {0.5, -0.866025403784439}};
    const std::vector<Complex> cesaro{{1, 0},
                                      {0.0871557427476582, -0.996194698091746},
                                      {-0.984807753012208, 0.17364817766693},
                                      {0.0871557427476582, -0.996194698091746}};
    const std::vector<Complex>& items = which == Generator::Koch ? koch : cesaro;
    model.Count = static_cast<int>(items.size());
    for (int i = 0; i < model.Count; ++i)
        model.Items[i] = items[i];
}

// Seconds of one design frame, measured once per generator.
double DesignFrameSeconds(Generator which)
{
    static std::map<Generator, double> measured;
    if (const auto found = measured.find(which); found != measured.end())
        return found->second;
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = kDesignDepth;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kDesignFrames; ++i) {
        viewer.Recalculate();
        viewer.SetRect(kPane);
        viewer.Transform();
        viewer.DrawLines(painter);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return measured[which] = spent.count() / kDesignFrames;
}

// A point of C as deep as the magnification needs, on a path through the
// copies that is neither an end nor periodic early.
BigComplex CurvePoint(const LimitCurve& curve, int levels, mpfr_prec_t bits)
{
    const std::vector<Complex>& a = curve.Nodes();
    const int n = static_cast<int>(a.size()) - 1;
    BigComplex s(Complex(0, 0), bits), e(curve.End(), bits);
    auto along = [&](const BigComplex& chord, const Complex& r) {
        return BigComplex(chord.Re * BigFloat(r.Re) - chord.Im * BigFloat(r.Im),
                          chord.Re * BigFloat(r.Im) + chord.Im * BigFloat(r.Re));
    };
    for (int level = 0; level < levels; ++level) {
        const int k = (level * 7 + level / 3 + 1) % n;
        const BigComplex chord = e - s;
        BigComplex start = s + along(chord, a[k]);
        e = s + along(chord, a[k + 1]);
        s = std::move(start);
    }
    return s;
}

void EndlessFrame(benchmark::State& state, Generator which, const char* magnification)
{
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    EndlessView view;
    view.Recalculate(generator);
    view.FitToPane(kPane);
    const BigFloat m = *ParseDecimal(magnification);
    const int levels = static_cast<int>(m.Exponent()) + 64;
    view.PrepareDive(CurvePoint(view.Curve(), levels, static_cast<mpfr_prec_t>(levels) * 2 + 128), m, kPane, 1);
    view.ZoomStep();
    EndlessRenderer renderer(view);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const CurveStyle style;
    for (auto _ : state)
        renderer.Picture(ViewPlacement::AsShownIn(kPane), style)->Draw(painter);
    state.counters["segments"] = renderer.LastTrace().Segments;
    state.counters["vs_design"] = benchmark::Counter(static_cast<double>(state.iterations()) * DesignFrameSeconds(which),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DesignFrame(benchmark::State& state, Generator which)
{
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = kDesignDepth;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state) {
        viewer.Recalculate();
        viewer.SetRect(kPane);
        viewer.Transform();
        viewer.DrawLines(painter);
    }
    state.counters["segments"] = viewer.PointCount - 1;
}

BENCHMARK_CAPTURE(BM_DesignFrame, Koch, Generator::Koch)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Koch_x1, Generator::Koch, "1")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Koch_x1e30, Generator::Koch, "1e30")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Koch_x1e300, Generator::Koch, "1e300")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DesignFrame, Cesaro, Generator::Cesaro)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Cesaro_x1, Generator::Cesaro, "1")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Cesaro_x1e30, Generator::Cesaro, "1e30")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndlessFrame, Cesaro_x1e300, Generator::Cesaro, "1e300")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
