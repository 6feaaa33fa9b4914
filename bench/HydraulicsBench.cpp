// Costs of the channel formulas, the depth scan and the flow analysis. The
// goals: one scan trial costs no more than the two pow and two sqrt calls a
// full evaluation needs, the scan as a whole (entered next to the normal
// depth) at most 0.3 times those calls for every trial the plain scan makes
// (BM_ScanPerBareArithmetic, beside the plain scan's own ratio), a scan that
// runs into its bound stays far below one UI frame, and one AnalyseFlow
// costs at most ten ComputeChannelElements.

#include <benchmark/benchmark.h>
#include <time.h>

#include <array>
#include <chrono>
#include <cmath>
#include <random>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/DepthScan.h"
#include "hydraulics/FlowAnalysis.h"
#include "tests/hydraulics/PlainReference.h"

namespace channel {

namespace {

const ChannelElements kTrapezoid{
    .bottomWidth = 2, .sideSlope = 1.5f, .roughness = 0.025f, .bedSlope = 0.0005f};
// A slope of 0 gives discharge 0 at every depth: the scan runs to its bound.
const ChannelElements kFlatBed{
    .bottomWidth = 2, .sideSlope = 1.5f, .roughness = 0.025f, .bedSlope = 0};
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

// The bare arithmetic of `trials` plain trials: the four library calls one
// full evaluation makes, with nothing around them. The arguments are
// laundered so the compiler can neither fold pow(x, 2.0) into x * x nor
// hoist the calls out of the loop.
void BareArithmetic(int trials) {
    double sideSlope = 1.5;
    double two = 2.0;
    double radius = 0.6243811;
    double exponent = kChezyExponent;
    double slopeTimesRadius = 0.0005 * 0.6243811;
    for (int trial = 0; trial < trials; ++trial) {
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

void BM_TwoPowTwoSqrt(benchmark::State& state) {
    for (auto _ : state) BareArithmetic(1);
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

// A spread of real sections (beds from ditches to rivers, rectangles and
// triangles among them), so neither call is timed on one lucky input.
struct BenchSection {
    float b, m, n, i, q;
};
std::array<BenchSection, 64> SpreadOfSections() {
    std::mt19937 random(7);
    auto logUniform = [&](float low, float high) {
        return std::exp(
            std::uniform_real_distribution<float>(std::log(low), std::log(high))(random));
    };
    std::array<BenchSection, 64> sections{};
    for (size_t k = 0; k < sections.size(); ++k) {
        sections[k] = {k % 8 == 0 ? 0.0f : logUniform(0.3f, 30),
                       k % 8 == 1 ? 0.0f : logUniform(0.2f, 3), logUniform(0.011f, 0.04f),
                       logUniform(1e-5f, 0.02f), logUniform(0.05f, 500)};
    }
    return sections;
}

void BM_AnalyseFlow(benchmark::State& state) {
    const auto sections = SpreadOfSections();
    for (auto _ : state) {
        for (const BenchSection& s : sections) {
            FlowAnalysis flow = AnalyseFlow(s.b, s.m, s.n, s.i, s.q);
            benchmark::DoNotOptimize(flow.normalDepth);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sections.size()));
}
BENCHMARK(BM_AnalyseFlow);

// This thread's CPU time, so that other processes on the machine do not
// tilt the ratio below.
struct ThreadCpuClock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ThreadCpuClock>;
    static time_point now() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return time_point(duration(static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec));
    }
};

// Both calls over the same sections in one run; the counter "ratio" is the
// cost of one AnalyseFlow in ComputeChannelElements calls (goal: <= 10).
void BM_AnalyseFlowPerElementsCall(benchmark::State& state) {
    using Clock = ThreadCpuClock;
    const auto sections = SpreadOfSections();
    std::array<ChannelElements, 64> records{};
    for (size_t k = 0; k < sections.size(); ++k) {
        const BenchSection& s = sections[k];
        records[k] = {
            .bottomWidth = s.b, .sideSlope = s.m, .depth = 1, .roughness = s.n, .bedSlope = s.i};
    }
    // Enough calls per reading that reading the clock does not count.
    constexpr int kRounds = 32;
    Clock::duration elementsTime{}, analysisTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int round = 0; round < kRounds; ++round) {
            for (ChannelElements& r : records) {
                benchmark::DoNotOptimize(r);
                ComputeChannelElements(r);
                benchmark::ClobberMemory();
            }
        }
        const auto middle = Clock::now();
        for (int round = 0; round < kRounds; ++round) {
            for (const BenchSection& s : sections) {
                FlowAnalysis flow = AnalyseFlow(s.b, s.m, s.n, s.i, s.q);
                benchmark::DoNotOptimize(flow.normalDepth);
            }
        }
        analysisTime += Clock::now() - middle;
        elementsTime += middle - start;
    }
    const double calls =
        static_cast<double>(state.iterations()) * kRounds * static_cast<double>(sections.size());
    const double elementsNs =
        std::chrono::duration<double, std::nano>(elementsTime).count() / calls;
    const double analysisNs =
        std::chrono::duration<double, std::nano>(analysisTime).count() / calls;
    state.counters["elements_ns"] = elementsNs;
    state.counters["analysis_ns"] = analysisNs;
    state.counters["ratio"] = analysisNs / elementsNs;
}
BENCHMARK(BM_AnalyseFlowPerElementsCall);

// The scan and the plain scan over the spread of sections, each against the
// bare arithmetic of the plain scan's trials, in the same iterations:
// "scan_ratio" (goal <= 0.3) beside "plain_ratio" (the full scan).
void BM_ScanPerBareArithmetic(benchmark::State& state) {
    using Clock = ThreadCpuClock;
    const auto sections = SpreadOfSections();
    std::array<ChannelElements, 64> records{};
    int trials = 0;
    for (size_t k = 0; k < sections.size(); ++k) {
        const BenchSection& s = sections[k];
        records[k] = {.bottomWidth = s.b, .sideSlope = s.m, .roughness = s.n, .bedSlope = s.i};
        ChannelElements probe = records[k];
        trials += ScanForDepthReference(probe, s.q).trials;
    }
    Clock::duration scanTime{}, plainTime{}, bareTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        for (size_t k = 0; k < sections.size(); ++k) {
            ChannelElements r = records[k];
            benchmark::DoNotOptimize(r);
            DepthScanResult result = ScanForDepth(r, sections[k].q);
            benchmark::DoNotOptimize(result);
        }
        const auto scanned = Clock::now();
        for (size_t k = 0; k < sections.size(); ++k) {
            ChannelElements r = records[k];
            benchmark::DoNotOptimize(r);
            DepthScanResult result = ScanForDepthReference(r, sections[k].q);
            benchmark::DoNotOptimize(result);
        }
        const auto plain = Clock::now();
        BareArithmetic(trials);
        bareTime += Clock::now() - plain;
        plainTime += plain - scanned;
        scanTime += scanned - start;
    }
    const auto ns = [](Clock::duration d) { return std::chrono::duration<double, std::nano>(d); };
    state.counters["trials"] = trials;
    state.counters["scan_ratio"] = ns(scanTime) / ns(bareTime);
    state.counters["plain_ratio"] = ns(plainTime) / ns(bareTime);
}
BENCHMARK(BM_ScanPerBareArithmetic);

}  // namespace

}  // namespace channel
