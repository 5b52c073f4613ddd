// One endless frame at 1920 x 1080, traced and drawn, at x1, x1e30 and
// x1e300 about a point of the curve, each beside the polyline view's
// depth-8 frame of the same generator at full view (Recalculate, SetRect
// and Transform, DrawLines) measured in the same run: the counter
// vs_polyline is the ratio of the two frames' times. A frame is a repaint of the same view, a first
// frame one that finds its precise roots afresh, a zoom tick one step of an
// animated zoom by 8. The Koch curve, and Cesaro's of dimension near 2; the
// counter segments tells how many pieces a frame draws. Heighway's dragon,
// whose second edge is reversed, in the full view beside them. The pool
// frames repaint at 1, 2 and 4 threads, each against one thread in the same
// run. The poster is a 40,000-pixel PNG of Cesaro's curve exported by the
// program, against the same poster of the polyline.
#include "view/endless_renderer.h"
#include "view/endless_view.h"
#include "view/fract_viewer.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QThreadPool>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const PixelRect kPane{0, 0, kWidth, kHeight};
constexpr int kPolylineDepth = 8;
constexpr int kPolylineFrames = 200;

enum class Generator { Koch, Cesaro, Dragon };

// As examples/koch.fract and examples/cesaro.fract hold them.
void Make(Generator which, FractModel& model)
{
    const std::vector<Complex> koch{{1, 0}, {0.5, -0.866025403784439}, {-0.5, 0.866025403784439},
                                    {0.5, -0.866025403784439}};
    const std::vector<Complex> cesaro{{1, 0},
                                      {0.0871557427476582, -0.996194698091746},
                                      {-0.984807753012208, 0.17364817766693},
                                      {0.0871557427476582, -0.996194698091746}};
    const std::vector<Complex> dragon{{0, -1}, {0, 1}};
    const std::vector<Complex>& items = which == Generator::Koch ? koch : which == Generator::Cesaro ? cesaro : dragon;
    model.Count = static_cast<int>(items.size());
    for (int i = 0; i < model.Count; ++i)
        model.Items[i] = items[i];
    if (which == Generator::Dragon)
        model.Orientations[1] = EdgeOrientation::Reversed;
}

// Seconds of one polyline frame, measured once per generator.
double PolylineFrameSeconds(Generator which)
{
    static std::map<Generator, double> measured;
    if (const auto found = measured.find(which); found != measured.end())
        return found->second;
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = kPolylineDepth;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPolylineFrames; ++i) {
        viewer.Recalculate();
        viewer.SetRect(kPane);
        viewer.Transform();
        viewer.DrawLines(painter);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return measured[which] = spent.count() / kPolylineFrames;
}

// A point of C as deep as the magnification needs, on a path through the
// copies that is neither an end nor periodic early. Node k of the copy on
// the chord from s to e is s + (e - s) N(k) / N, in bits: a ratio N(k) / N
// rounded to a double would leave the curve.
BigComplex CurvePoint(const LimitCurve& curve, int levels, mpfr_prec_t bits)
{
    const std::vector<Complex>& nodes = curve.AbsoluteNodes();
    const int n = static_cast<int>(nodes.size()) - 1;
    const BigComplex end(curve.End(), bits);
    const BigFloat square = end.Re * end.Re + end.Im * end.Im;
    auto node = [&](const BigComplex& s, const BigComplex& e, int k) {
        const BigComplex c = e - s, nk(nodes[k], bits);
        const BigFloat re = c.Re * nk.Re - c.Im * nk.Im, im = c.Re * nk.Im + c.Im * nk.Re;
        return s + BigComplex((re * end.Re + im * end.Im) / square, (im * end.Re - re * end.Im) / square);
    };
    BigComplex s(Complex(0, 0), bits), e = end;
    for (int level = 0; level < levels; ++level) {
        const int k = (level * 7 + level / 3 + 1) % n;
        BigComplex start = node(s, e, k);
        e = node(s, e, k + 1);
        s = std::move(start);
    }
    return s;
}

// The view magnified about a point of the curve, in the pane.
void Dive(EndlessView& view, Generator which, const char* magnification)
{
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    view.Recalculate(generator);
    view.FitToPane(kPane);
    const BigFloat m = *ParseDecimal(magnification);
    const int levels = static_cast<int>(m.Exponent()) + 64;
    view.PrepareDive(CurvePoint(view.Curve(), levels, static_cast<mpfr_prec_t>(levels) * 2 + 128), m, kPane, 1);
    view.ZoomStep();
}

// Real time per frame, against the polyline frame of the same generator.
void Report(benchmark::State& state, Generator which, const EndlessRenderer& renderer, double seconds)
{
    state.counters["segments"] = renderer.LastTrace().Segments();
    state.counters["vs_polyline"] = seconds / static_cast<double>(state.iterations()) / PolylineFrameSeconds(which);
}

using Clock = std::chrono::steady_clock;

void EndlessFrame(benchmark::State& state, Generator which, const char* magnification)
{
    EndlessView view;
    Dive(view, which, magnification);
    EndlessRenderer renderer(view);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto start = Clock::now();
    for (auto _ : state)
        renderer.Picture(ViewPlacement::AsShownIn(kPane), CurveStyle())->Draw(painter);
    Report(state, which, renderer, std::chrono::duration<double>(Clock::now() - start).count());
}

void EndlessFirstFrame(benchmark::State& state, Generator which, const char* magnification)
{
    EndlessView view;
    Dive(view, which, magnification);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    std::unique_ptr<EndlessRenderer> renderer;
    const auto start = Clock::now();
    for (auto _ : state) {
        renderer = std::make_unique<EndlessRenderer>(view);
        renderer->Picture(ViewPlacement::AsShownIn(kPane), CurveStyle())->Draw(painter);
    }
    Report(state, which, *renderer, std::chrono::duration<double>(Clock::now() - start).count());
}

// Zooms by 8 into the pane's middle in the default 60 steps, again and
// again; the steps run at the timer's 15 ms.
void EndlessZoomTick(benchmark::State& state, Generator which, const char* magnification)
{
    constexpr int kSteps = 60;
    EndlessView view;
    Dive(view, which, magnification);
    const BigComplex windowMin = view.WindowMin(), windowMax = view.WindowMax();
    EndlessRenderer renderer(view);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    int step = kSteps;
    double seconds = 0;
    for (auto _ : state) {
        if (step++ == kSteps) {
            view.SetWindow(windowMin, windowMax);
            view.FitToPane(kPane);
            view.SetBand(Complex(840, 472), Complex(1080, 607));
            view.PrepareZoom(kPane, kSteps);
            step = 1;
        }
        const auto start = Clock::now();
        view.ZoomStep();
        renderer.Picture(ViewPlacement::AsShownIn(kPane), CurveStyle())->Draw(painter);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    Report(state, which, renderer, seconds);
}

// Seconds of repaints of one view with the pool at its present size.
double RepaintSeconds(EndlessRenderer& renderer, QPainter& painter, int frames)
{
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i)
        renderer.Picture(ViewPlacement::AsShownIn(kPane), CurveStyle())->Draw(painter);
    return std::chrono::duration<double>(Clock::now() - start).count() / frames;
}

// The endless frame with the pool at range(0) threads: frames a second, and
// the speedup over one thread. Each iteration measures a frame with one
// thread and then one with range(0), so that the machine's drift from moment
// to moment falls on both alike; each after an unmeasured frame with the same
// threads, which finds the curve in those threads' caches as a zoom's next
// frame does.
void EndlessPoolFrame(benchmark::State& state, Generator which, const char* magnification)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    EndlessView view;
    Dive(view, which, magnification);
    EndlessRenderer renderer(view);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const auto frameWith = [&](int count) {
        pool->setMaxThreadCount(count);
        RepaintSeconds(renderer, painter, 1);
        return RepaintSeconds(renderer, painter, 1);
    };
    double oneThread = 0.0, pooled = 0.0;
    for (auto _ : state) {
        oneThread += frameWith(1);
        const double seconds = frameWith(static_cast<int>(state.range(0)));
        pooled += seconds;
        state.SetIterationTime(seconds);
    }
    pool->setMaxThreadCount(threads);
    state.counters["fps"] = static_cast<double>(state.iterations()) / pooled;
    state.counters["speedup"] = oneThread / pooled;
}

void PolylineFrame(benchmark::State& state, Generator which, const char*)
{
    FractModel generator(kGeneratorCapacity);
    Make(which, generator);
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = kPolylineDepth;
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

// One export of examples/cesaro.fract at kPosterPixels square by the
// program, a whole process: its wall seconds and its peak resident memory.
constexpr int kPosterPixels = 40000;

struct ProcessRun {
    double Seconds = -1;
    double PeakMiB = 0;
};

ProcessRun ExportPoster(const std::string& out, bool endless)
{
    const std::string size = std::to_string(kPosterPixels) + "x" + std::to_string(kPosterPixels);
    std::vector<std::string> words{ORNALIX_BINARY, "--export", out, "--size", size, ORNALIX_EXAMPLES "/cesaro.fract"};
    if (endless)
        words.emplace_back("--endless");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, ORNALIX_BINARY, nullptr, nullptr, argv.data(), environ) != 0)
        return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {std::chrono::duration<double>(Clock::now() - start).count(), usage.ru_maxrss / 1024.0};
}

// The endless poster, each run beside the same poster of the depth-8
// polyline: vs_polyline is the ratio of their wall times, peak_MiB the
// endless export's peak memory.
void EndlessPoster(benchmark::State& state)
{
    const std::string out = QDir::temp().filePath(QStringLiteral("ornalix-poster-bench.png")).toStdString();
    double endlessSeconds = 0, polylineSeconds = 0, peak = 0, polylinePeak = 0;
    for (auto _ : state) {
        const ProcessRun endless = ExportPoster(out, true), polyline = ExportPoster(out, false);
        if (endless.Seconds < 0 || polyline.Seconds < 0) {
            state.SkipWithError("the export failed");
            break;
        }
        state.SetIterationTime(endless.Seconds);
        endlessSeconds += endless.Seconds;
        polylineSeconds += polyline.Seconds;
        peak = std::max(peak, endless.PeakMiB);
        polylinePeak = std::max(polylinePeak, polyline.PeakMiB);
    }
    std::remove(out.c_str());
    state.counters["vs_polyline"] = endlessSeconds / polylineSeconds;
    state.counters["peak_MiB"] = peak;
    state.counters["polyline_peak_MiB"] = polylinePeak;
}
BENCHMARK(EndlessPoster)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

using Frame = void (*)(benchmark::State&, Generator, const char*);

// Each generator's polyline frame, then its endless frames.
const bool kRegistered = [] {
    const struct {
        const char* name;
        Frame frame;
        Generator generator;
        const char* magnification;
    } frames[] = {
        {"PolylineFrame/Koch", PolylineFrame, Generator::Koch, ""},
        {"EndlessFrame/Koch/x1", EndlessFrame, Generator::Koch, "1"},
        {"EndlessFrame/Koch/x1e30", EndlessFrame, Generator::Koch, "1e30"},
        {"EndlessFrame/Koch/x1e300", EndlessFrame, Generator::Koch, "1e300"},
        {"EndlessFirstFrame/Koch/x1", EndlessFirstFrame, Generator::Koch, "1"},
        {"EndlessFirstFrame/Koch/x1e30", EndlessFirstFrame, Generator::Koch, "1e30"},
        {"EndlessFirstFrame/Koch/x1e300", EndlessFirstFrame, Generator::Koch, "1e300"},
        {"EndlessZoomTick/Koch/x1e300", EndlessZoomTick, Generator::Koch, "1e300"},
        {"PolylineFrame/Cesaro", PolylineFrame, Generator::Cesaro, ""},
        {"EndlessFrame/Cesaro/x1", EndlessFrame, Generator::Cesaro, "1"},
        {"EndlessFrame/Cesaro/x1e30", EndlessFrame, Generator::Cesaro, "1e30"},
        {"EndlessFrame/Cesaro/x1e300", EndlessFrame, Generator::Cesaro, "1e300"},
        {"EndlessFirstFrame/Cesaro/x1e300", EndlessFirstFrame, Generator::Cesaro, "1e300"},
        {"PolylineFrame/Dragon", PolylineFrame, Generator::Dragon, ""},
        {"EndlessFrame/Dragon/x1", EndlessFrame, Generator::Dragon, "1"},
    };
    for (const auto& f : frames)
        benchmark::RegisterBenchmark(f.name, f.frame, f.generator, f.magnification)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    const struct {
        const char* name;
        Generator generator;
    } pooled[] = {{"Cesaro", Generator::Cesaro}, {"Koch", Generator::Koch}};
    for (const auto& p : pooled)
        for (const char* magnification : {"1", "1e30", "1e300"})
            benchmark::RegisterBenchmark(
                (std::string("EndlessPoolFrame/") + p.name + "/x" + magnification).c_str(), EndlessPoolFrame,
                p.generator, magnification)
                ->ArgName("threads")
                ->Arg(1)
                ->Arg(2)
                ->Arg(4)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime();
    return true;
}();

} // namespace
