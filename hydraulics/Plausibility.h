#pragma once

#include <vector>

#include "hydraulics/ChannelElements.h"

namespace channel {

// Values that a calculation takes as typed but that are rarely what was
// meant. Standard C++ only.
enum class Implausible {
    kSlopeTooSteep,      // bed slope above kSteepestSlope: 1/I was probably meant
    kSlopeNotPositive,   // bed slope at or below zero: no uniform flow runs downhill
    kRoughnessOutside,   // roughness outside kSmoothestRoughness..kRoughestRoughness
    kNegativeWidth,      // bottom width below zero
    kNegativeSideSlope,  // side slope below zero
    kVelocityTooHigh,    // velocity above kFastestVelocity
};

struct PlausibilityFinding {
    Implausible kind;
    float value;  // the input or result as the calculation has it
};

// A slope of 1 in 10 is already a chute, far beyond a canal's bed slope;
// above it, the typed number is most likely the denominator of 1/I that the
// slope column's heading names.
inline constexpr float kSteepestSlope = 0.1F;
// Manning's n of channels from smooth glass-like linings (0.008) to dense
// brush and trees in flood plains (0.200): V. T. Chow, Open-Channel
// Hydraulics (1959), Table 5-6.
inline constexpr float kSmoothestRoughness = 0.008F;
inline constexpr float kRoughestRoughness = 0.2F;
// Beyond 10 m/s even a concrete lining erodes and the flow is no longer a
// canal's; the bound screens typing mistakes, not a design limit.
inline constexpr float kFastestVelocity = 10.0F;

// The findings for a calculated row, in the order bottom width, side slope,
// roughness, bed slope, velocity. A velocity that is not finite is left to
// the calculation's own message.
std::vector<PlausibilityFinding> CheckPlausibility(const ChannelElements& row);

}  // namespace channel
