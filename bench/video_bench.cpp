// Turning a 1920 x 1080 frame into the encoders' YUV 4:2:0, from a 32-bit
// picture and from the two-colour bits the recorder draws when lines are
// not smoothed, beside the AVI benchmark's baseline: filling the 32-bit picture.
#include "bench/line_picture.h"
#include "output/video/frame_converter.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void Convert(benchmark::State& state, const QImage& picture)
{
    VideoSettings settings;
    settings.Frame = picture.size();
    FrameConverter converter(settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(converter.Convert(picture).data[0]);
}

void BM_VideoFrameFromColour(benchmark::State& state)
{
    Convert(state, LinePicture(kWidth, kHeight));
}
BENCHMARK(BM_VideoFrameFromColour)->Unit(benchmark::kMillisecond);

void BM_VideoFrameFromBits(benchmark::State& state)
{
    Convert(state, LinePicture(kWidth, kHeight).convertToFormat(QImage::Format_Mono, {qRgb(255, 255, 255), qRgb(0, 0, 0)}));
}
BENCHMARK(BM_VideoFrameFromBits)->Unit(benchmark::kMillisecond);

} // namespace
