#include "hydraulics/DepthScan.h"

#include <cmath>

#include "hydraulics/SectionElements.h"

namespace channel {

namespace {

bool FallsShort(double target, float discharge) {
    return target - static_cast<double>(discharge) > kDischargeTolerance;
}

}  // namespace

DepthScanResult ScanForDepth(ChannelElements& record, float targetDischarge) {
    const SectionElements section(record);
    const double target = targetDischarge;
    record.discharge = 0.0f;

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

ScanEnd ClassifyScanEnd(bool hitBound, int trials, float targetDischarge, float lastDischarge) {
    if (hitBound) return ScanEnd::kHitBound;
    if (trials == 0) return ScanEnd::kNoTrial;
    if (std::isnan(static_cast<double>(targetDischarge) - static_cast<double>(lastDischarge)))
        return ScanEnd::kNotANumber;
    return ScanEnd::kReachedTarget;
}

}  // namespace channel
