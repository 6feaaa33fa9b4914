#pragma once

#include <cmath>
#include <cstring>

#include "hydraulics/ChannelElements.h"
#include "hydraulics/DepthScan.h"

namespace channel {

// The channel elements written out the plain way, every step from the record
// itself and nothing formed ahead: what the library's evaluation must give,
// bit for bit, however it arranges the work.
inline void PlainChannelElements(ChannelElements& r) {
    const double b = r.bottomWidth;
    const double m = r.sideSlope;
    const double h = r.depth;
    r.area = static_cast<float>((b + m * h) * h);
    r.wettedPerimeter = static_cast<float>(b + (h * std::sqrt(std::pow(m, 2.0) + 1.0)) * 2.0);
    r.hydraulicRadius = static_cast<float>(double{r.area} / double{r.wettedPerimeter});
    r.chezyCoefficient = static_cast<float>(std::pow(double{r.hydraulicRadius}, kChezyExponent) /
                                            double{r.roughness});
    r.discharge = static_cast<float>((double{r.area} * double{r.chezyCoefficient}) *
                                     std::sqrt(double{r.bedSlope} * double{r.hydraulicRadius}));
    r.velocity = static_cast<float>(double{r.discharge} / double{r.area});
}

// Field by field would be longer and say the same: the record is eleven
// floats with no padding, and NaNs must compare by their bits.
inline bool SameBits(const ChannelElements& a, const ChannelElements& b) {
    static_assert(sizeof(ChannelElements) == 11 * sizeof(float));
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): the bits are the point.
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The scan written the plain way, one full evaluation per trial.
// ScanForDepth must give the same result and leave the same record bits.
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
        PlainChannelElements(record);
        result.solutionDepth = record.depth;
        ++result.trials;
        record.depth = static_cast<float>(static_cast<double>(record.depth) + kDepthStep);
    }
    result.end = ClassifyScanEnd(hitBound, result.trials, targetDischarge, record.discharge);
    return result;
}

}  // namespace channel
