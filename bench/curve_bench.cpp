// Expansion and mapping of the start curve at depth 7 (16,383 points), each
// beside the floor it cannot beat.
#include "model/start_generator.h"
#include "view/fract_viewer.h"

#include <benchmark/benchmark.h>

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

} // namespace
