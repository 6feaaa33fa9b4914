#pragma once

#include "hydraulics/ChannelElements.h"
#include "hydraulics/DepthScan.h"

// The scan written the plain way, one full ComputeChannelElements per trial.
// ScanForDepth must give the same result and leave the same record bits;
// the tests and the benchmark hold it against this.
inline DepthScanResult ScanForDepthReference(ChannelElements& record, float targetDischarge) {
    DepthScanResult result;
    record.depth = kFirstTrialDepth;
    record.discharge = 0.0f;
    const double target = targetDischarge;
    bool hitBound = false;
    while (target - static_cast<double>(record.discharge) > kDischargeTolerance) {
        if (result.trials == kMaxDepthTrials) {
            hitBound = true;
            break;
        }
        ComputeChannelElements(record);
        result.solutionDepth = record.depth;
        ++result.trials;
        record.depth = static_cast<float>(static_cast<double>(record.depth) + kDepthStep);
    }
    result.end = ClassifyScanEnd(hitBound, result.trials, targetDischarge, record.discharge);
    return result;
}
