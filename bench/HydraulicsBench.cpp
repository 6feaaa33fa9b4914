// Costs of the channel formulas and the depth scan. The goal: one scan trial
// costs no more than the two pow and two sqrt calls a full evaluation needs,
// and a scan that runs into its bound stays far below one UI frame.

#include <benchmark/benchmark.h>

#include <cmath>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/DepthScan.h"
#include "hydraulics/DepthScanReference.h"

namespace {

const ChannelElements kTrapezoid{
    .bottomWidth = 2, .sideSlope = 1.5f, .roughness = 0.025f, .bedSlope = 0.0005f};
// A slope of 0 gives discharge 0 at every depth: the scan runs to its bound.
const ChannelElements kFlatBed{.bottomWidth = 2, .sideSlope = 1.5f, .roughness = 0.025f, .bedSlope = 0};
// Reached at a depth near 10.8, after about a thousand trials.
constexpr float kDeepTarget = 500.0f;

// Reports seconds per trial next to the time per scan.
void CountTrials(benchmark::State& state, int trialsPerScan) {
    state.counters["per_trial"] = benchmark::Counter(
        static_cast<double>(trialsPerScan),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["trials"] = trialsPerScan;
}

void BM_ComputeChannelElements(benchmark::State& state) {
    ChannelElements r = kTrapezoid;
    r.depth = 1.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(r);
        ComputeChannelElements(r);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ComputeChannelElements);

// The four library calls one full evaluation makes, with nothing around
// them. The arguments are laundered so the compiler can neither fold
// pow(x, 2.0) into x * x nor hoist the calls out of the loop.
void BM_TwoPowTwoSqrt(benchmark::State& state) {
    double sideSlope = 1.5;
    double two = 2.0;
    double radius = 0.6243811;
    double exponent = kChezyExponent;
    double slopeTimesRadius = 0.0005 * 0.6243811;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sideSlope);
        benchmark::DoNotOptimize(two);
        benchmark::DoNotOptimize(radius);
        benchmark::DoNotOptimize(exponent);
        benchmark::DoNotOptimize(slopeTimesRadius);
        double bank = std::sqrt(std::pow(sideSlope, two) + 1.0);
        double chezy = std::pow(radius, exponent);
        double root = std::sqrt(slopeTimesRadius);
        benchmark::DoNotOptimize(bank);
        benchmark::DoNotOptimize(chezy);
        benchmark::DoNotOptimize(root);
    }
}
BENCHMARK(BM_TwoPowTwoSqrt);

template <DepthScanResult (*Scan)(ChannelElements&, float)>
void ScanBenchmark(benchmark::State& state, const ChannelElements& section, float target) {
    ChannelElements probe = section;
    const int trials = Scan(probe, target).trials;
    for (auto _ : state) {
        ChannelElements r = section;
        benchmark::DoNotOptimize(r);
        DepthScanResult result = Scan(r, target);
        benchmark::DoNotOptimize(result);
    }
    CountTrials(state, trials);
}

void BM_ScanPerTrial(benchmark::State& state) {
    ScanBenchmark<ScanForDepth>(state, kTrapezoid, kDeepTarget);
}
BENCHMARK(BM_ScanPerTrial);

void BM_ScanPerTrialFullRecompute(benchmark::State& state) {
    ScanBenchmark<ScanForDepthReference>(state, kTrapezoid, kDeepTarget);
}
BENCHMARK(BM_ScanPerTrialFullRecompute);

void BM_ScanAtBound(benchmark::State& state) {
    ScanBenchmark<ScanForDepth>(state, kFlatBed, 2.0f);
}
BENCHMARK(BM_ScanAtBound)->Unit(benchmark::kMillisecond);

void BM_ScanAtBoundFullRecompute(benchmark::State& state) {
    ScanBenchmark<ScanForDepthReference>(state, kFlatBed, 2.0f);
}
BENCHMARK(BM_ScanAtBoundFullRecompute)->Unit(benchmark::kMillisecond);

}  // namespace
