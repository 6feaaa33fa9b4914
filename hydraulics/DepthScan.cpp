#include "hydraulics/DepthScan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "hydraulics/FlowAnalysis.h"
#include "hydraulics/SectionElements.h"

namespace channel {

namespace {

bool FallsShort(double target, float discharge) {
    return target - static_cast<double>(discharge) > kDischargeTolerance;
}

// The trial depths as runs of equal steps. Adding 0.01 to a float of one
// binade and rounding always adds the same multiple of its ulp, so the
// sequence is a few dozen arithmetic runs; a run's depths are exact in
// double (at most 2^17 steps of at most 2^24 ulps). Found once by walking
// the sequence, so that they are the scan's depths by construction.
struct TrialRun {
    int firstTrial;
    double firstDepth;
    double step;
};

std::vector<TrialRun> WalkTrialRuns() {
    std::vector<TrialRun> runs;
    float depth = kFirstTrialDepth;
    for (int trial = 1; trial <= kMaxDepthTrials; ++trial) {
        const float next = static_cast<float>(static_cast<double>(depth) + kDepthStep);
        const double step = static_cast<double>(next) - static_cast<double>(depth);
        if (runs.empty() || runs.back().step != step) {
            runs.push_back({trial, static_cast<double>(depth), step});
        }
        depth = next;
    }
    return runs;
}

const std::vector<TrialRun>& TrialRuns() {
    static const std::vector<TrialRun> runs = WalkTrialRuns();
    return runs;
}

// The first trial whose depth is at or above `depth`, within
// [1, kMaxDepthTrials].
int TrialAtOrAbove(double depth) {
    const std::vector<TrialRun>& runs = TrialRuns();
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), depth,
                         [](double d, const TrialRun& run) { return d < run.firstDepth; });
    if (after == runs.begin()) return 1;
    const TrialRun& run = *(after - 1);
    const double steps = std::ceil((depth - run.firstDepth) / run.step);
    const double trial = run.firstTrial + std::min(steps, double{kMaxDepthTrials});
    return static_cast<int>(std::clamp(trial, 1.0, double{kMaxDepthTrials}));
}

// The state the scan leaves after stopping at trial `trial`, whose elements
// `record` holds.
DepthScanResult StopAt(ChannelElements& record, int trial, bool hitBound, float target) {
    record.depth = ScanTrialDepth(trial + 1);
    SectionElements::SetVelocity(record);
    DepthScanResult result;
    result.solutionDepth = ScanTrialDepth(trial);
    result.trials = trial;
    result.end = ClassifyScanEnd(hitBound, trial, target, record.discharge);
    return result;
}

// Every trial, in order: for the inputs about which nothing is known.
DepthScanResult WalkEveryTrial(const SectionElements& section, ChannelElements& record,
                               float targetDischarge) {
    const double target = targetDischarge;
    DepthScanResult result;
    float depth = kFirstTrialDepth;
    bool hitBound = false;
    while (FallsShort(target, record.discharge)) {
        if (result.trials == kMaxDepthTrials) {
            hitBound = true;
            break;
        }
        section.At(depth, record);
        result.solutionDepth = depth;
        ++result.trials;
        depth = static_cast<float>(static_cast<double>(depth) + kDepthStep);
    }
    record.depth = depth;

    if (result.trials > 0) SectionElements::SetVelocity(record);
    result.end = ClassifyScanEnd(hitBound, result.trials, targetDischarge, record.discharge);
    return result;
}

// Inputs whose trial discharges rise strictly from trial to trial. With
// b, m >= 0 the discharge's logarithm rises at least as fast as ln h (the
// conveyance's slope in ln h is at least 1, see FlowAnalysis.cpp), so one
// step of 0.01 up to a depth of 1000 raises it by at least 1e-5 relative;
// each trial's five roundings to float move it by under 4e-7 relative as
// long as every element is a normal float. These bounds keep every element
// of every trial finite and normal: area <= 1e12, discharge <= 1e26 and,
// at the first trial, discharge >= 1e-28.
bool DischargeRisesWithTrial(const ChannelElements& r) {
    const auto within = [](float value, float low, float high) {
        return value >= low && value <= high;
    };
    return within(r.bottomWidth, 0, 1e6f) && within(r.sideSlope, 0, 1e6f) &&
           r.bottomWidth + r.sideSlope >= 1e-6f && within(r.roughness, 1e-6f, 1e6f) &&
           within(r.bedSlope, 1e-12f, 1e6f);
}

// Inputs whose every trial discharge is finite and not above 0, so that no
// positive target is ever reached: a horizontal bed (√(i·R) = 0), a negative
// roughness (C < 0) or no section (A = 0), with b, m >= 0 so the area and
// perimeter never fall with the depth, and each factor bounded by its value
// at the area of the last trial over the perimeter of the first (twice
// over, for the roundings) so that no product overflows into a NaN.
bool DischargeNeverPositive(const ChannelElements& r) {
    const double b = r.bottomWidth;
    const double m = r.sideSlope;
    const double n = r.roughness;
    const double i = r.bedSlope;
    const bool finite =
        std::isfinite(b) && std::isfinite(m) && std::isfinite(n) && std::isfinite(i);
    if (!finite || b < 0 || m < 0 || i < 0 || n == 0) return false;
    if (!(i == 0 || n < 0 || (b == 0 && m == 0))) return false;
    ChannelElements first = r;
    ChannelElements last = r;
    const SectionElements section(r);
    section.At(ScanTrialDepth(1), first);
    section.At(ScanTrialDepth(kMaxDepthTrials), last);
    const double radius = 2 * static_cast<double>(last.area) / first.wettedPerimeter;
    const double chezy = 2 * std::pow(radius, kChezyExponent) / std::fabs(n);
    const double discharge = 2 * static_cast<double>(last.area) * chezy * std::sqrt(i * radius);
    return first.wettedPerimeter > 0 && std::isfinite(discharge) &&
           discharge < static_cast<double>(std::numeric_limits<float>::max());
}

// The scan for rising discharges: the first trial reaching the target is
// the one at or just above the normal depth, found there and confirmed by
// the trial below it falling short. The walk from the entry point is the
// scan's own rule, so an entry point off by a few trials costs only those.
// A target with no normal depth (one beyond every float) is entered at the
// last trial, whose discharge falls short of it.
DepthScanResult EnterNearNormalDepth(const SectionElements& section, ChannelElements& record,
                                     float target) {
    const double normalDepth = NormalDepth(record.bottomWidth, record.sideSlope, record.roughness,
                                           record.bedSlope, target);
    int trial = normalDepth > 0 ? TrialAtOrAbove(normalDepth) : kMaxDepthTrials;
    ChannelElements probe = record;
    section.At(ScanTrialDepth(trial), probe);
    if (FallsShort(target, probe.discharge)) {
        while (trial < kMaxDepthTrials && FallsShort(target, probe.discharge)) {
            ++trial;
            section.At(ScanTrialDepth(trial), probe);
        }
        record = probe;
        return StopAt(record, trial, FallsShort(target, record.discharge), target);
    }
    ChannelElements reached = probe;
    while (trial > 1) {
        section.At(ScanTrialDepth(trial - 1), probe);
        if (FallsShort(target, probe.discharge)) break;
        reached = probe;
        --trial;
    }
    record = reached;
    return StopAt(record, trial, false, target);
}

}  // namespace

float ScanTrialDepth(int trial) {
    const std::vector<TrialRun>& runs = TrialRuns();
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), trial,
                         [](int t, const TrialRun& run) { return t < run.firstTrial; });
    const TrialRun& run = *(after - 1);
    return static_cast<float>(run.firstDepth + (trial - run.firstTrial) * run.step);
}

DepthScanResult ScanForDepth(ChannelElements& record, float targetDischarge) {
    const SectionElements section(record);
    record.discharge = 0.0f;
    if (FallsShort(targetDischarge, record.discharge)) {
        if (DischargeNeverPositive(record)) {
            section.At(ScanTrialDepth(kMaxDepthTrials), record);
            return StopAt(record, kMaxDepthTrials, true, targetDischarge);
        }
        if (DischargeRisesWithTrial(record)) {
            return EnterNearNormalDepth(section, record, targetDischarge);
        }
    }
    return WalkEveryTrial(section, record, targetDischarge);
}

ScanEnd ClassifyScanEnd(bool hitBound, int trials, float targetDischarge, float lastDischarge) {
    if (hitBound) return ScanEnd::kHitBound;
    if (trials == 0) return ScanEnd::kNoTrial;
    if (std::isnan(static_cast<double>(targetDischarge) - static_cast<double>(lastDischarge)))
        return ScanEnd::kNotANumber;
    return ScanEnd::kReachedTarget;
}

}  // namespace channel
