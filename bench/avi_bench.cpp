// Adding a 1920 x 1080 frame at 1 bit, as a picture in QImage::Format_RGB32
// and as the recorder hands it over (drawn straight into a two-colour
// Format_Mono picture), beside its baseline: filling the 32-bit picture.
// And the resident memory of a long recording.
#include "bench/line_picture.h"
#include "output/avi/avi_writer.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kLongRecording = 20000;
constexpr int kSettledFrames = 1000;

QImage Picture()
{
    return LinePicture(kWidth, kHeight);
}

// Work files go to a folder on a real disk of the run's own.
class Recording {
public:
    Recording()
    {
        const QByteArray cache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", dir_.path().toLocal8Bit());
        writer_ = std::make_unique<TAviWriter2>();
        qputenv("XDG_CACHE_HOME", cache);
        writer_->Width = kWidth;
        writer_->Height = kHeight;
        writer_->FrameTime = 15;
        writer_->PixelFormat = pf1bit;
        writer_->OpenVideo();
    }
    TAviWriter2& Writer() { return *writer_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TAviWriter2> writer_;
};

// Resident memory in KiB.
double ResidentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble();
    return 0;
}

void BM_AviAddFrame1Bit(benchmark::State& state)
{
    const QImage picture = Picture();
    Recording recording;
    for (auto _ : state)
        recording.Writer().AddFrame(picture);
}
BENCHMARK(BM_AviAddFrame1Bit)->Unit(benchmark::kMillisecond);

void BM_AviAddFrame1BitMono(benchmark::State& state)
{
    const QImage picture = Picture().convertToFormat(QImage::Format_Mono, {qRgb(255, 255, 255), qRgb(0, 0, 0)});
    Recording recording;
    for (auto _ : state)
        recording.Writer().AddFrame(picture);
}
BENCHMARK(BM_AviAddFrame1BitMono)->Unit(benchmark::kMillisecond);

void BM_Baseline_FrameFill(benchmark::State& state)
{
    QImage picture = Picture();
    for (auto _ : state) {
        QPainter painter(&picture);
        painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Baseline_FrameFill)->Unit(benchmark::kMillisecond);

// Frames go to the work file as they come: memory stays flat.
void BM_AviLongRecording(benchmark::State& state)
{
    const QImage picture = Picture();
    for (auto _ : state) {
        Recording recording;
        for (int n = 0; n < kSettledFrames; ++n)
            recording.Writer().AddFrame(picture);
        const double settled = ResidentKiB();
        for (int n = kSettledFrames; n < kLongRecording; ++n)
            recording.Writer().AddFrame(picture);
        state.counters["rss_growth_kib"] = ResidentKiB() - settled;
        state.counters["frames"] = recording.Writer().FrameIndex();
    }
}
BENCHMARK(BM_AviLongRecording)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
