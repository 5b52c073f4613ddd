// Expansion and mapping of the start curve at depth 7 (16,383 points), each
// beside the floor it cannot beat; and its expansion at depth 8 (cut at the
// capacity) with oriented edges, beside the same with every edge normal.
#include "model/start_generator.h"
#include "view/fract_viewer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

constexpr int kDepth = 7;
// One multiplication per tree node: 4 + 16 + ... + 4^7.
constexpr int kTreeNodes = 21844;

void BM_Recalculate(benchmark::State& state)
{
    FractModel generator(10);
    MakeStartGenerator(generator);
    FractViewer viewer(generator, 16384);
    viewer.Depth = kDepth;
    for (auto _ : state) {
        viewer.Recalculate();
        benchmark::DoNotOptimize(viewer.Points.data());
    }
}
BENCHMARK(BM_Recalculate);

// The latency floor: as many dependent complex multiplications in a chain.
void BM_Baseline_MultiplicationChain(benchmark::State& state)
{
    FractModel generator(10);
    MakeStartGenerator(generator);
    for (auto _ : state) {
        Complex direction(1, 0);
        for (int i = 0; i < kTreeNodes; ++i)
            direction.Mul(generator.Items[i & 3]);
        benchmark::DoNotOptimize(direction);
    }
}
BENCHMARK(BM_Baseline_MultiplicationChain);

void BM_Transform(benchmark::State& state)
{
    FractModel generator(10);
    MakeStartGenerator(generator);
    FractViewer viewer(generator, 16384);
    viewer.Depth = kDepth;
    viewer.Recalculate();
    viewer.Scale = 1.0000001;
    viewer.Offset.SetTo(1e-7, -1e-7);
    for (auto _ : state) {
        viewer.Transform();
        benchmark::DoNotOptimize(viewer.Points.data());
    }
}
BENCHMARK(BM_Transform);

// x * s + o over the same number of doubles.
void BM_Baseline_ScaleAndOffset(benchmark::State& state)
{
    std::vector<double> values(2 * 16383, 1.5);
    const double s = 1.0000001, o = 1e-7;
    for (auto _ : state) {
        for (double& v : values)
            v = v * s + o;
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(BM_Baseline_ScaleAndOffset);

constexpr int kOrientedDepth = 8;
constexpr int kNormalRuns = 2000;

// Seconds of one depth-8 expansion of the start generator, edges normal.
double NormalExpansionSeconds()
{
    static const double seconds = [] {
        FractModel generator(kGeneratorCapacity);
        MakeStartGenerator(generator);
        FractViewer viewer(generator, kCurveCapacity);
        viewer.Depth = kOrientedDepth;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kNormalRuns; ++i) {
            viewer.Recalculate();
            benchmark::DoNotOptimize(viewer.Points.data());
        }
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        return spent.count() / kNormalRuns;
    }();
    return seconds;
}

// The counter vs_normal is the time against NormalExpansionSeconds.
void BM_RecalculateDepth8(benchmark::State& state, bool oriented)
{
    FractModel generator(kGeneratorCapacity);
    MakeStartGenerator(generator);
    if (oriented) {
        generator.Orientations[1] = EdgeOrientation::Mirrored;
        generator.Orientations[2] = EdgeOrientation::Reversed;
        generator.Orientations[3] = EdgeOrientation::MirroredReversed;
    }
    FractViewer viewer(generator, kCurveCapacity);
    viewer.Depth = kOrientedDepth;
    const double normal = NormalExpansionSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        viewer.Recalculate();
        benchmark::DoNotOptimize(viewer.Points.data());
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    state.counters["vs_normal"] = spent.count() / static_cast<double>(state.iterations()) / normal;
}
BENCHMARK_CAPTURE(BM_RecalculateDepth8, Normal, false)->UseRealTime();
BENCHMARK_CAPTURE(BM_RecalculateDepth8, Oriented, true)->UseRealTime();

} // namespace
