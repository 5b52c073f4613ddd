// One step of the interactive work in a 1920 x 1080 fractal pane at depth 8:
// a drag move, an animation tick, a zoom step; each beside a plain fill of
// the pane. The session paints its pane as the window's does.
#include "model/random_source.h"
#include "model/start_generator.h"
#include "output/clip/avi_clip.h"
#include "session/fractal_session.h"
#include "session/offscreen_pane.h"

#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPaneWidth = 1920;
constexpr int kPaneHeight = 1080;
// The editor pane of the window's usual layout.
const QRect kEditorPane(0, 0, 209, 300);

struct LargePane {
    LargePane()
    {
        session.SetEditorPane(kEditorPane);
        session.LayoutEditor();
        session.SetDepth(8);
    }

    FractalSession session;
    OffscreenPane pane{session, QSize(kPaneWidth, kPaneHeight)};
};

void BM_DragStep(benchmark::State& state)
{
    LargePane large;
    FractalSession& session = large.session;
    const Complex node = session.Editor.Points[2];
    session.PressEditor(Qt::LeftButton, static_cast<int>(node.Re), static_cast<int>(node.Im));
    int i = 0;
    for (auto _ : state) {
        const int wobble = (i++ & 1) ? 1 : -1;
        session.MoveEditor(static_cast<int>(node.Re) + wobble, static_cast<int>(node.Im));
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

// Both animations from the start generator, as the same motion every time.
void RestartAnimation(FractalSession& session)
{
    session.AnimateLengths(false);
    session.AnimateAngles(false);
    MakeStartGenerator(session.Generator);
    RandomSource::Instance().Seed(7);
    session.AnimateLengths(true);
    session.SetPaused(false);
    session.AnimateAngles(true);
}

// Every few seconds of animation the generator starts afresh, so that every
// run measures the same motion.
void BM_AnimationTick(benchmark::State& state)
{
    constexpr int kTicksPerRun = 200;
    LargePane large;
    int tick = 0;
    for (auto _ : state) {
        if (tick++ % kTicksPerRun == 0) {
            state.PauseTiming();
            RestartAnimation(large.session);
            state.ResumeTiming();
        }
        large.session.Tick();
    }
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kMillisecond);

// The same animation tick with and without a frame of the pane's size
// captured into an open clip; a fixed number of ticks keeps the work file
// small.
constexpr int kRecordedTicks = 150;

void BM_RecordedTick(benchmark::State& state)
{
    const bool capture = state.range(0) != 0;
    LargePane large;
    FractalSession& session = large.session;
    QTemporaryDir folder;
    const QSize frame(kPaneWidth, kPaneHeight);
    session.PrepareFrame(frame);
    session.SetUpRecording(
        std::make_unique<AviClip>(folder.filePath(QStringLiteral("bench.avi")), frame, session.Timer().interval()));
    RestartAnimation(session);
    if (capture)
        session.StartStopCapture();
    for (auto _ : state)
        session.Tick();
    state.counters["frames"] = session.FramesRecorded();
    state.counters["frame_scale"] = session.FrameScale();
    session.AbandonRecording();
}
BENCHMARK(BM_RecordedTick)->Arg(0)->Arg(1)->Iterations(kRecordedTicks)->Unit(benchmark::kMillisecond);

void BM_ZoomStep(benchmark::State& state)
{
    LargePane large;
    FractalSession& session = large.session;
    for (auto _ : state) {
        state.PauseTiming();
        if (session.ZoomStepsLeft() == 0) {
            session.SetMode(modeIdle);
            session.FullView();
            session.ZoomToBand(Complex(900, 500), Complex(1000, 560));
        }
        state.ResumeTiming();
        session.Tick();
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

void BM_Baseline_PaneFill(benchmark::State& state)
{
    QImage image(kPaneWidth, kPaneHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    for (auto _ : state)
        painter.fillRect(QRect(0, 0, kPaneWidth, kPaneHeight), Qt::white);
}
BENCHMARK(BM_Baseline_PaneFill)->Unit(benchmark::kMillisecond);

} // namespace
