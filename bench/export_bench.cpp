// Export of the depth-8 start curve at 4096 x 4096 to each format, each
// beside its baseline: filling the picture for the raster formats, the JPEG
// compression of an already drawn picture for JPEG.
#include "bench/fitted_curve.h"
#include "output/picture_export.h"
#include "output/raster/jpeg_writer.h"
#include "tests/support/shown_curve.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSize = 4096;

void Export(benchmark::State& state, const char* extension, bool lines)
{
    FittedCurve curve(8, kSize, kSize);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("curve.") + QLatin1String(extension));
    const ReferenceScreen screen{QSize(1920, 1080), QSizeF(508, 286)};
    for (auto _ : state)
        WritePicture(ShownCurve(curve.viewer, lines, kSize, kSize), kSize, kSize, path, screen);
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["bytes_per_point"] = static_cast<double>(QFileInfo(path).size()) / curve.viewer.PointCount;
}

void BM_ExportBmp(benchmark::State& state) { Export(state, "bmp", true); }
void BM_ExportJpeg(benchmark::State& state) { Export(state, "jpg", true); }
void BM_ExportEmfLines(benchmark::State& state) { Export(state, "emf", true); }
void BM_ExportEmfPoints(benchmark::State& state) { Export(state, "emf", false); }
void BM_ExportWmfLines(benchmark::State& state) { Export(state, "wmf", true); }
void BM_ExportWmfPoints(benchmark::State& state) { Export(state, "wmf", false); }
BENCHMARK(BM_ExportBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportEmfLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportEmfPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWmfLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportWmfPoints)->Unit(benchmark::kMillisecond);

void BM_Baseline_PictureFill(benchmark::State& state)
{
    for (auto _ : state) {
        QImage image(kSize, kSize, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, kSize, kSize), Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Baseline_PictureFill)->Unit(benchmark::kMillisecond);

void BM_Baseline_JpegCompression(benchmark::State& state)
{
    FittedCurve curve(8, kSize, kSize);
    QImage image(kSize, kSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        curve.viewer.DrawLines(painter);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegFileBytes(image, kJpegQuality));
}
BENCHMARK(BM_Baseline_JpegCompression)->Unit(benchmark::kMillisecond);

} // namespace
