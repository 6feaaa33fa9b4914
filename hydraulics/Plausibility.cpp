#include "hydraulics/Plausibility.h"

#include <cmath>

namespace channel {

std::vector<PlausibilityFinding> CheckPlausibility(const ChannelElements& row) {
    std::vector<PlausibilityFinding> findings;
    const auto flag = [&findings](bool implausible, Implausible kind, float value) {
        if (implausible) findings.push_back({kind, value});
    };
    flag(row.bottomWidth < 0, Implausible::kNegativeWidth, row.bottomWidth);
    flag(row.sideSlope < 0, Implausible::kNegativeSideSlope, row.sideSlope);
    flag(!(row.roughness >= kSmoothestRoughness && row.roughness <= kRoughestRoughness),
         Implausible::kRoughnessOutside, row.roughness);
    flag(row.bedSlope > kSteepestSlope, Implausible::kSlopeTooSteep, row.bedSlope);
    flag(!(row.bedSlope > 0), Implausible::kSlopeNotPositive, row.bedSlope);
    flag(std::isfinite(row.velocity) && row.velocity > kFastestVelocity,
         Implausible::kVelocityTooHigh, row.velocity);
    return findings;
}

}  // namespace channel
