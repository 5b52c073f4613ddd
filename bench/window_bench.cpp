// One step of the interactive work in a 1920 x 1080 fractal pane at depth 8:
// a drag move, an animation tick, a zoom step; each beside a plain fill of
// the pane.
#include "app/dialogs.h"
#include "app/paint_box.h"
#include "app/tform1.h"
#include "app/trecord_dlg.h"
#include "model/random_source.h"
#include "model/start_generator.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QPainter>
#include <QSlider>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPaneWidth = 1920;
constexpr int kPaneHeight = 1080;

template <typename T>
T* Control(const QObject& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

Dialogs& RealDialogs()
{
    static Dialogs dialogs;
    return dialogs;
}

std::unique_ptr<Tform1> WindowWithLargePane()
{
    auto window = std::make_unique<Tform1>(RealDialogs());
    window->show();
    // The editor panel and the splitter take the rest of the width.
    window->resize(kPaneWidth + Control<QWidget>(*window, "Panel1")->width() + Control<QSplitter>(*window, "Splitter1")->handleWidth(),
                   kPaneHeight + window->menuBar()->height());
    // Panes paint only once the window is on the (offscreen) screen.
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    QTest::qWait(50);
    Control<QSlider>(*window, "tbDepth")->setValue(8);
    return window;
}

void BM_DragStep(benchmark::State& state)
{
    auto window = WindowWithLargePane();
    const Complex node = window->Editor.Points[2];
    window->ptbEditorMouseDown(Qt::LeftButton, static_cast<int>(node.Re), static_cast<int>(node.Im));
    int i = 0;
    for (auto _ : state) {
        const int wobble = (i++ & 1) ? 1 : -1;
        window->ptbEditorMouseMove(static_cast<int>(node.Re) + wobble, static_cast<int>(node.Im));
    }
    state.counters["pane_width"] = Control<PaintBox>(*window, "ptbFract")->width();
    state.counters["pane_height"] = Control<PaintBox>(*window, "ptbFract")->height();
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

// Both animations from the start generator; every few seconds of animation
// the generator starts afresh, so that every run measures the same motion.
void BM_AnimationTick(benchmark::State& state)
{
    constexpr int kTicksPerRun = 200;
    auto window = WindowWithLargePane();
    int tick = 0;
    for (auto _ : state) {
        if (tick++ % kTicksPerRun == 0) {
            state.PauseTiming();
            Control<QCheckBox>(*window, "chkAnimLen")->setChecked(false);
            Control<QCheckBox>(*window, "chkAnimAng")->setChecked(false);
            MakeStartGenerator(window->Generator);
            RandomSource::Instance().Seed(7);
            Control<QCheckBox>(*window, "chkAnimLen")->setChecked(true);
            Control<QCheckBox>(*window, "chkPause")->setChecked(false);
            Control<QCheckBox>(*window, "chkAnimAng")->setChecked(true);
            state.ResumeTiming();
        }
        window->Timer1Timer();
    }
    window->Timer1.stop();
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kMillisecond);

// The same animation tick with and without a frame of the pane's size
// captured into an open clip; a fixed number of ticks keeps the work file
// small.
constexpr int kRecordedTicks = 150;

void RestartAnimation(Tform1& window)
{
    Control<QCheckBox>(window, "chkAnimLen")->setChecked(false);
    Control<QCheckBox>(window, "chkAnimAng")->setChecked(false);
    MakeStartGenerator(window.Generator);
    RandomSource::Instance().Seed(7);
    Control<QCheckBox>(window, "chkAnimLen")->setChecked(true);
    Control<QCheckBox>(window, "chkPause")->setChecked(false);
    Control<QCheckBox>(window, "chkAnimAng")->setChecked(true);
}

void BM_RecordedTick(benchmark::State& state)
{
    const bool capture = state.range(0) != 0;
    auto window = WindowWithLargePane();
    QTemporaryDir folder;
    window->StartRecording(kPaneWidth, kPaneHeight, folder.filePath(QStringLiteral("bench.avi")));
    RestartAnimation(*window);
    if (capture)
        window->RecordDialog().cmdStartStopClick();
    for (auto _ : state)
        window->Timer1Timer();
    state.counters["frames"] = window->FramesRecorded;
    state.counters["frame_scale"] = window->FrameScale;
    window->Timer1.stop();
    window->FramesRecorded = 0;
    window->RecordDialog().cmdOkClick();
}
BENCHMARK(BM_RecordedTick)->Arg(0)->Arg(1)->Iterations(kRecordedTicks)->Unit(benchmark::kMillisecond);

void BM_ZoomStep(benchmark::State& state)
{
    auto window = WindowWithLargePane();
    Control<PaintBox>(*window, "ptbFract")->repaint();
    for (auto _ : state) {
        state.PauseTiming();
        if (window->ZoomStepsLeft == 0) {
            window->SetMode(modeIdle);
            window->N1001Click();
            Complex a(900, 500), b(1000, 560);
            window->ZoomMin.Assign(a);
            window->ZoomMax.Assign(b);
            window->ZoomTo(window->ZoomMin, window->ZoomMax);
        }
        state.ResumeTiming();
        window->Timer1Timer();
    }
    window->Timer1.stop();
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
