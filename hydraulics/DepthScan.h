#pragma once

#include "hydraulics/ChannelElements.h"

namespace channel {

// The search for the depth that carries a given discharge: an upward scan
// over trial depths 0.01, 0.02, ... accumulated in single precision, which
// stops at the first trial whose discharge is within 1e-7 of the target or
// above it. No refinement: the answer's resolution is the step.
//
// The result is that of the scan, trial by trial; where the discharge is
// known to rise with the trial, the scan is not walked but entered next to
// the exact normal depth, and where it is known never to reach the target,
// only its last trial is made.

enum class ScanEnd {
    kReachedTarget,  // the last trial's discharge reached the target
    kNotANumber,     // the last trial's discharge was NaN; the scan cannot go on
    kHitBound,       // kMaxDepthTrials trials made and the target still not reached
    kNoTrial,        // target <= 1e-7 (or NaN): no depth was tried
};

struct DepthScanResult {
    float solutionDepth = 0;  // depth of the last trial; 0 when no trial was made
    int trials = 0;
    ScanEnd end = ScanEnd::kNoTrial;
};

// First trial depth, step and stop tolerance of the scan.
inline constexpr float kFirstTrialDepth = 0.01f;
inline constexpr double kDepthStep = 0.01;
inline constexpr double kDischargeTolerance = 1e-7;

// The scan gives up after this many trials, i.e. at a depth of about 1000.
// That is far beyond any real channel, and an unreachable target (zero
// slope, zero section, negative roughness, an absurd discharge) still
// returns within a few milliseconds, so the window never hangs.
inline constexpr int kMaxDepthTrials = 100000;

// The depth of trial `trial` (1 for the first) as the scan accumulates it,
// for 1 <= trial <= kMaxDepthTrials + 1.
float ScanTrialDepth(int trial);

// How a scan ended, from what it left behind.
ScanEnd ClassifyScanEnd(bool hitBound, int trials, float targetDischarge, float lastDischarge);

// Runs the scan on `record`, whose bottomWidth, sideSlope, roughness and
// bedSlope are set; the depth it holds is ignored. Afterwards the record
// holds the last trial's elements (untouched when no trial was made), its
// discharge is 0 if no trial was made, and its depth is the next depth the
// scan would have tried. The result and the record are bit-identical to
// calling ComputeChannelElements once per trial depth, in order, until the
// scan stops; `trials` counts the trials that scan makes, not the
// evaluations this one makes.
DepthScanResult ScanForDepth(ChannelElements& record, float targetDischarge);

}  // namespace channel
